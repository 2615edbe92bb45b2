#include "catalogue/song_line.h"

#include "common/text_helpers.h"
#include "platform/core/cp1252.h"

#include <QStringList>

#include <array>
#include <cassert>
#include <utility>

namespace catalogue {
namespace {

int index(Sort s) { return static_cast<int>(s); }

const std::array<std::vector<Column>, 4> kLayouts = {{
    // Artist
    {{'A', 1, 30}, {'S', 31, 36}, {'M', 67, 11}, {'D', 78, 4}, {'g', 82, 4}, {'T', 86, 2}},
    // Song
    {{'S', 1, 36}, {'A', 37, 30}, {'M', 67, 11}, {'D', 78, 4}, {'g', 82, 4}, {'T', 86, 2}},
    // Track
    {{'T', 1, 2}, {'g', 3, 4}, {'S', 7, 36}, {'A', 43, 30}, {'M', 73, 11}, {'D', 84, 4}},
    // MF code
    {{'M', 1, 11}, {'T', 12, 2}, {'g', 14, 4}, {'S', 18, 36}, {'A', 54, 30}, {'D', 84, 4}},
}};

const std::array<QString, 4> kHeaders = {
    QStringLiteral("Artist                        Song                                 MF Code    Disc   Track"),
    QStringLiteral("Song                                 Artist                        MF Code    Disc   Track"),
    QStringLiteral("Track  Song                                Artist                       MF Code     Disc"),
    QStringLiteral("MF Code    Track  Song                                Artist                         Disc"),
};

// Re-cut recipes, written as pieces joined in order: "c:n" is n characters from column c,
// "firstN" and "lastN" the line's first or last N characters, "bN" N blanks. Indexed by target,
// then source, then case; an empty recipe is a combination that cannot occur.
struct Piece {
  enum Kind { Cut, First, Last, Blanks } kind;
  int a;
  int b;
};
using Recipe = std::vector<Piece>;

Recipe parseRecipe(const char* text) {
  Recipe out;
  for (const QString& tok : QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (tok.startsWith(QLatin1String("first"))) out.push_back({Piece::First, tok.mid(5).toInt(), 0});
    else if (tok.startsWith(QLatin1String("last"))) out.push_back({Piece::Last, tok.mid(4).toInt(), 0});
    else if (tok.startsWith(QLatin1Char('b'))) out.push_back({Piece::Blanks, tok.mid(1).toInt(), 0});
    else {
      const auto parts = tok.split(QLatin1Char(':'));
      out.push_back({Piece::Cut, parts[0].toInt(), parts[1].toInt()});
    }
  }
  return out;
}

struct RecipeText {
  Sort to, from;
  const char* a;
  const char* b;
  const char* c;
};

// Case A of a code-layout source never happens (it uses B or C only); the code layout as a
// target needs the codes shown, so it has no case A.
const RecipeText kRecipes[] = {
    {Sort::Artist, Sort::Song, "37:30 first36 b10 77:11", "37:30 first36 67:11 78:8 last2",
     "37:30 first36 67:11 b8 last2"},
    {Sort::Artist, Sort::Track, "43:30 7:36 b11 last4 b4 first2", "43:30 7:36 73:11 last4 b4 first2",
     "43:30 7:36 73:11 b8 first2"},
    {Sort::Artist, Sort::MfCode, "54:30 18:36 first11 b8 12:2", "54:30 18:36 first11 last4 b4 12:2",
     "54:30 18:36 first11 b8 12:2"},
    {Sort::Song, Sort::Artist, "31:36 first30 b10 77:11", "31:36 first30 67:11 78:8 last2",
     "31:36 first30 67:11 b8 last2"},
    {Sort::Song, Sort::Track, "7:36 43:30 b11 last4 b4 first2", "7:36 43:30 73:11 last4 b4 first2",
     "7:36 43:30 73:11 b8 first2"},
    {Sort::Song, Sort::MfCode, "18:36 54:30 first11 b8 12:2", "18:36 54:30 first11 last4 b4 12:2",
     "18:36 54:30 first11 b8 12:2"},
    {Sort::Track, Sort::Artist, "last2 b4 31:36 first30 b10 77:5", "last2 b4 31:36 first30 67:11 78:4",
     "last2 b4 31:36 first30 67:11"},
    {Sort::Track, Sort::Song, "last2 b4 first36 37:30 b11 78:4", "last2 b4 first36 37:30 67:11 78:4",
     "last2 b4 first36 37:30 67:11"},
    {Sort::Track, Sort::MfCode, "12:2 b4 18:36 54:30 first11", "12:2 b4 18:36 54:30 first11 last4",
     "12:2 b4 18:36 54:30 first11"},
    {Sort::MfCode, Sort::Artist, "67:11 last2 b4 31:36 first30", "67:11 last2 b4 31:36 first30 78:4",
     "67:11 last2 b4 31:36 first30"},
    {Sort::MfCode, Sort::Song, "67:11 last2 b4 first36 37:30", "67:11 last2 b4 first36 37:30 78:4",
     "67:11 last2 b4 first36 37:30"},
    {Sort::MfCode, Sort::Track, "73:11 first2 b4 7:36 43:30", "73:11 first2 b4 7:36 43:30 last4",
     "73:11 first2 b4 7:36 43:30"},
};

struct RecipeTable {
  std::array<std::array<std::array<Recipe, 3>, 4>, 4> r;  // [to][from][case]
  RecipeTable() {
    for (const auto& t : kRecipes) {
      auto& slot = r[index(t.to)][index(t.from)];
      slot[0] = parseRecipe(t.a);
      slot[1] = parseRecipe(t.b);
      slot[2] = parseRecipe(t.c);
    }
  }
};

const RecipeTable& recipes() {
  static const RecipeTable table;
  return table;
}

QString fieldValue(const LineFields& f, char letter) {
  switch (letter) {
    case 'A': return f.artist;
    case 'S': return f.song;
    case 'M': return f.code;
    case 'D': return f.ref;
    case 'T': return f.track;
    default: return {};
  }
}

void upperAt(QString& s, qsizetype pos) {
  if (pos >= 0 && pos < s.size()) s[pos] = platform::cp1252::upper(s[pos]);
}

void upperRange(QString& s, int start, int width) {
  for (int i = start - 1; i < start - 1 + width && i < s.size(); ++i) upperAt(s, i);
}

}  // namespace

const std::vector<Column>& layoutColumns(Sort sort) { return kLayouts[index(sort)]; }

const Column& columnOf(Sort sort, char letter) {
  for (const auto& c : kLayouts[index(sort)])
    if (c.letter == letter) return c;
  assert(false && "no such column");
  return kLayouts[0][0];
}

QString createListLine(Sort sort, const LineFields& f) {
  QString line;
  line.reserve(kLineLength);
  for (const auto& c : layoutColumns(sort)) line += common::fitWidth(fieldValue(f, c.letter), c.width);
  return line;
}

QString tickAllLine(Sort sort, const LineFields& f) {
  LineFields g = f;
  g.ref.clear();
  QString line = createListLine(sort, g);
  if (layoutColumns(sort).back().letter == 'D') line.chop(4);
  return line;
}

const QString& columnHeader(Sort sort) { return kHeaders[index(sort)]; }

RecutCase recutCase(Sort from, bool showCodes, bool useNumbers) {
  if (showCodes && useNumbers) return RecutCase::B;
  if (from != Sort::MfCode && !showCodes && useNumbers) return RecutCase::A;
  return RecutCase::C;
}

QString recutLine(const QString& line, Sort from, Sort to, RecutCase c) {
  const Recipe& recipe = recipes().r[index(to)][index(from)][static_cast<int>(c)];
  QString out;
  out.reserve(kLineLength);
  for (const Piece& p : recipe) {
    switch (p.kind) {
      case Piece::Cut: out += common::Mid(line, p.a, p.b); break;
      case Piece::First: out += common::Left(line, p.a); break;
      case Piece::Last: out += common::Right(line, p.a); break;
      case Piece::Blanks: out += QString(p.a, QLatin1Char(' ')); break;
    }
  }
  return out;
}

QString discCodeOfLine(const QString& line, Sort sort) {
  const Column& c = columnOf(sort, 'M');
  return common::Mid(line, c.start, c.width);
}

LineFields fieldsOfLine(const QString& line, Sort sort) {
  const auto column = [&](char letter) {
    const Column& c = columnOf(sort, letter);
    return common::Mid(line, c.start, c.width);
  };
  LineFields f;
  f.code = discCodeOfLine(line, sort);
  f.track = (sort == Sort::Artist || sort == Sort::Song) ? common::Right(line, 2) : column('T');
  f.song = column('S');
  f.artist = column('A');
  return f;
}

namespace {
void putInColumn(QString& line, Sort sort, char letter, const QString& value) {
  const Column& c = columnOf(sort, letter);
  if (line.size() < c.start - 1 + c.width) line = common::padRight(line, c.start - 1 + c.width);
  line.replace(c.start - 1, c.width, common::fitWidth(value, c.width));
}
}  // namespace

QString withSongAndArtist(const QString& line, Sort sort, const QString& song, const QString& artist) {
  QString out = line;
  putInColumn(out, sort, 'S', song);
  putInColumn(out, sort, 'A', artist);
  return out;
}

QString withDiscCode(const QString& line, Sort sort, const QString& code) {
  QString out = line;
  putInColumn(out, sort, 'M', code);
  return out;
}

QStringView duplicateKeyView(Sort sort, const QString& line) {
  const int start = std::max(1, std::min(columnOf(sort, 'S').start, columnOf(sort, 'A').start));
  if (start > line.size()) return {};
  return QStringView(line).mid(start - 1, 66);
}

QString duplicateKey(Sort sort, const QString& line) { return duplicateKeyView(sort, line).toString(); }

QString allCapitals(const QString& line) { return common::UCase(line); }

QString wordCapitals(const QString& line, Sort sort, bool numberColumnToo) {
  QString s = common::LCase(line);
  const qsizetype n = s.size();
  upperAt(s, 0);
  for (qsizetype i = 0; i + 1 < n; ++i)
    if (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('(')) upperAt(s, i + 1);
  // A title or artist that fills its whole column leaves no blank before the next field.
  upperAt(s, columnOf(sort, 'S').start - 1);
  upperAt(s, columnOf(sort, 'A').start - 1);
  switch (sort) {
    case Sort::Artist:
    case Sort::Song: upperRange(s, 67, 21); break;
    case Sort::Track: upperRange(s, 73, 15); break;
    case Sort::MfCode:
      upperRange(s, 1, 11);
      if (numberColumnToo) upperRange(s, 84, 4);
      break;
  }
  return s;
}

}  // namespace catalogue
