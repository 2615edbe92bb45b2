#include "maintenance/rename_plan.h"

#include "catalogue/track_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "maintenance/track_database.h"
#include "platform/core/cp1252.h"
#include "platform/core/files.h"
#include "platform/core/sorted_list_model.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace maintenance {

using common::Mid;
using common::Trim;

QString renameListItem(const QString& code, const QString& track, const QString& title, const QString& artist) {
  return common::fitWidth(track, common::kTrackWidth) + common::Space(4) +
         common::fitWidth(title, common::kTitleWidth) + common::fitWidth(artist, common::kArtistWidth) +
         common::padRight(common::RTrim(code), common::kCodeWidth);
}

QString Title_Case(const QString& field) {
  QString out = common::LCase(field);
  for (qsizetype i = 0; i < out.size(); ++i)
    if (i == 0 || out[i - 1] == QLatin1Char(' ')) out[i] = common::UCase(QString(out[i]))[0];
  return out;
}

namespace {

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// A track column as the names write it: the track's identity, a number in two digits.
QString namedTrack(const QString& column) {
  const QByteArray stored = platform::cp1252::encode(column);
  const std::string_view identity = trackIdentity({stored.constData(), size_t(stored.size())});
  const QString track = Title_Case(platform::cp1252::decode(identity.data(), qsizetype(identity.size())));
  const bool number = !track.isEmpty() && std::all_of(track.begin(), track.end(), isAsciiDigit);
  return number ? track.rightJustified(2, QLatin1Char('0')) : track;
}

}  // namespace

NameFields nameFields(const QString& item) {
  return NameFields{Trim(Mid(item, 73)), namedTrack(Mid(item, 1, 2)), Title_Case(Trim(Mid(item, 7, 36))),
                    Title_Case(Trim(Mid(item, 43, 30)))};
}

QString patternName(int option, const NameFields& f) {
  const QString sep = QStringLiteral(" - ");
  const QString discTrack = f.disc + QLatin1Char('-') + f.track;
  switch (option) {
    case 1: return discTrack + sep + f.artist + sep + f.song;
    case 2: return discTrack + sep + f.song + sep + f.artist;
    case 3: return f.artist + sep + f.song;
    case 4: return f.song + sep + f.artist;
    case 5: return f.artist + sep + f.song + sep + discTrack;
    case 6: return f.song + sep + f.artist + sep + discTrack;
    case 7: return discTrack;
    case 8: return discTrack + sep + f.song;
    default: return {};
  }
}

namespace {

// The characters that FAT and NTFS disks refuse in a name, besides the control characters.
constexpr QStringView kRefusedCharacters = u"/\\?:*<>|\"";

bool isRefused(QChar c) { return kRefusedCharacters.contains(c); }

bool holdsRefusedCharacter(const QString& name) { return std::any_of(name.begin(), name.end(), isRefused); }

QString withoutRefusedCharacters(QString text) { return text.removeIf(isRefused); }

// Whether leaving those characters out would empty a field the format's name holds (a song
// titled "?"): that track's name keeps them, and the check of the new names refuses it.
bool emptiesAField(int option, const NameFields& f) {
  for (QString NameFields::*which : {&NameFields::disc, &NameFields::song, &NameFields::artist}) {
    if ((f.*which).isEmpty() || !withoutRefusedCharacters(f.*which).trimmed().isEmpty()) continue;
    NameFields without = f;
    (without.*which).clear();
    if (patternName(option, without) != patternName(option, f)) return true;
  }
  return false;
}

}  // namespace

QString trackFileName(int option, const NameFields& f) {
  const QString name = withoutRefusedCharacters(patternName(option, f));
  qsizetype start = 0;
  while (start < name.size() && (name[start] == QLatin1Char('.') || name[start] == QLatin1Char(' '))) ++start;
  if (start == 0) return name;
  // The word that now begins the name takes the capital that the dots took.
  QString out = name.mid(start);
  if (!out.isEmpty()) out[0] = common::UCase(QString(out[0]))[0];
  return out;
}

QString joinedWithAnd(QStringList words) {
  const QString last = words.takeLast();
  return words.isEmpty() ? last : words.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QString extensionOf(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : fileName.mid(dot);
}

namespace {

const QString kSeparator = QStringLiteral(" - ");

QString stemOf(const QString& fileName) { return fileName.chopped(extensionOf(fileName).size()); }

// A name as it is matched to a track: with no regard to letter case, as rippers and other
// programs write the titles in capitals of their own.
QString matchKey(const QString& name) { return name.toCaseFolded(); }

// A disc code as the code part of a name is matched to it: as a name can hold it.
QString codeKey(const QString& code) { return matchKey(withoutRefusedCharacters(code)); }

// A disc-and-track part of a name ("ZX1001-07"): a code of at least one character, a hyphen and
// two digits; where it stands in the name.
struct CodePart {
  QString code, track;
  qsizetype at, size;
};

std::optional<CodePart> codePartOf(const QString& part, qsizetype at) {
  const qsizetype size = part.size();
  if (size < 4 || part[size - 3] != QLatin1Char('-') || !isAsciiDigit(part[size - 2]) || !isAsciiDigit(part[size - 1]))
    return std::nullopt;
  return CodePart{part.left(size - 3), part.right(2), at, size};
}

// The disc-and-track parts a name holds where the formats put one, and nowhere else: the whole
// name ("Disc-Track"), its first part before " - " ("Disc-Track - ..."), or its last part after
// two others ("... - ... - Disc-Track").
std::vector<CodePart> codePartsIn(const QString& stem) {
  const QStringList parts = stem.split(kSeparator);
  std::vector<CodePart> out;
  if (auto p = codePartOf(parts.front(), 0)) out.push_back(*p);
  if (parts.size() >= 3)
    if (auto p = codePartOf(parts.back(), stem.size() - parts.back().size())) out.push_back(*p);
  return out;
}

// Whether a name has the shape of one of the formats: parts joined by " - ", or a disc code and
// a two-digit track joined by a hyphen.
bool hasFormatShape(const QString& stem) { return stem.contains(kSeparator) || codePartOf(stem, 0); }

// The names a track gives in the formats of the options with either its song or its artist, not
// both, other than the track's now (with `songMayChange` or `artistMayChange` false, only the
// other): what such a name holds before and after the field that changed, as names are matched.
struct OneFieldChanged {
  QString before, after;
  bool song;  // the song is the field that changed
};
std::vector<OneFieldChanged> namesWithOneFieldChanged(const NameFields& f, std::initializer_list<int> options,
                                                      bool songMayChange = true, bool artistMayChange = true) {
  const QString mark(QChar(1));  // stands for the changed field; no track's field holds it
  std::vector<OneFieldChanged> out;
  for (const int option : options)
    for (const bool songChanged : {true, false}) {
      if (!(songChanged ? songMayChange : artistMayChange)) continue;
      NameFields g = f;
      (songChanged ? g.song : g.artist) = mark;
      const QString name = matchKey(trackFileName(option, g));
      if (const qsizetype at = name.indexOf(mark); at >= 0)
        out.push_back({name.left(at), name.mid(at + 1), songChanged});
    }
  return out;
}

// Whether a name, as names are matched, is that name with the field changed to something else.
bool fitsName(const QString& stem, const OneFieldChanged& n) {
  return stem.size() > n.before.size() + n.after.size() && stem.startsWith(n.before) && stem.endsWith(n.after);
}

bool fitsOne(const QString& name, const std::vector<OneFieldChanged>& names) {
  const QString stem = matchKey(name);
  return std::any_of(names.begin(), names.end(), [&](const OneFieldChanged& n) { return fitsName(stem, n); });
}

}  // namespace

QString wordKey(const QString& text) {
  QString out;
  out.reserve(text.size());
  bool between = false;  // a mark since the last word
  // Letters apart from their accents, as stores often write names without them ("Cafe" for "Café").
  for (const QChar c : matchKey(text).normalized(QString::NormalizationForm_D)) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    if (c == QLatin1Char('\'') || c == QChar(0x2019) || c == QChar(0x2018) || c == QLatin1Char('`')) continue;
    if (c == QLatin1Char('&')) {
      out += out.isEmpty() ? QStringLiteral("and") : QStringLiteral(" and");
      between = true;
      continue;
    }
    if (!c.isLetterOrNumber()) {
      between = true;
      continue;
    }
    if (between && !out.isEmpty()) out += QLatin1Char(' ');
    between = false;
    out += c;
  }
  return out;
}

namespace {

QStringList wordsOf(const QString& text) { return wordKey(text).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

// The ways a name may hold a title: its words, and its words without the characters that file
// names cannot hold ("AC/DC" as "ACDC"); each also without a "The" before two words or more, as
// stores often write a title ("Rainy Jamboree Of Padstow").
std::vector<QStringList> titleWords(const QString& title) {
  std::vector<QStringList> out = {wordsOf(title)};
  if (QStringList joined = wordsOf(withoutRefusedCharacters(title)); joined != out.front())
    out.push_back(std::move(joined));
  for (size_t i = 0, ways = out.size(); i < ways; ++i)
    if (out[i].size() > 2 && out[i].front() == QLatin1String("the")) out.push_back(out[i].mid(1));
  std::erase_if(out, [](const QStringList& words) { return words.isEmpty(); });
  return out;
}

// Whether a name's words hold a title's, one after another.
bool holdsTitle(const QStringList& name, const std::vector<QStringList>& title) {
  return std::any_of(title.begin(), title.end(), [&](const QStringList& words) {
    return std::search(name.begin(), name.end(), words.begin(), words.end()) != name.end();
  });
}

bool isWordOfLetters(const QString& word) {
  return std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); });
}

// Whether the longer word is the shorter with one letter more, or the two differ in one letter.
bool oneLetterApart(const QString& shorter, const QString& longer) {
  qsizetype i = 0;
  while (i < shorter.size() && shorter[i] == longer[i]) ++i;
  const qsizetype skip = longer.size() > shorter.size() ? 0 : 1;  // a letter changed is passed in both
  return QStringView(shorter).mid(i + skip) == QStringView(longer).mid(i + 1);
}

// Two words are one as names spell a title: alike, or of letters and one the other with a plural
// "s", or in words of five letters or more, one letter more, less or changed.
bool nearWord(const QString& a, const QString& b) {
  if (a == b) return true;
  const QString& shorter = a.size() <= b.size() ? a : b;
  const QString& longer = a.size() <= b.size() ? b : a;
  if (longer.size() - shorter.size() > 2 || !isWordOfLetters(a) || !isWordOfLetters(b)) return false;
  if (shorter.size() >= 3 && longer == shorter + QLatin1Char('s')) return true;
  // The plural of a word that ends in s, x, z, ch or sh ("Crush", "Crushes").
  static const QRegularExpression hissing(QStringLiteral("(s|x|z|ch|sh)$"));
  if (shorter.size() >= 3 && longer == shorter + QStringLiteral("es") && hissing.match(shorter).hasMatch()) return true;
  if (longer.size() - shorter.size() > 1) return false;
  return shorter.size() >= 5 && oneLetterApart(shorter, longer);
}

// Whether a name's word is a title's last word cut where its field ends ("Fes" of "Festival").
bool cutFrom(const QString& word, const QString& cut) { return word.size() > cut.size() && word.startsWith(cut); }

// How nearly a name's words hold a title, its words one after another, each alike or near (the last
// one, with `lastMayBeCut`, also cut from the name's): the fewest of its words that are only near;
// empty when the name does not hold it.
std::optional<qsizetype> nearlyHeld(const QStringList& name, const std::vector<QStringList>& title,
                                    bool lastMayBeCut = false) {
  std::optional<qsizetype> best;
  for (const QStringList& words : title)
    for (qsizetype at = 0; at + words.size() <= name.size(); ++at) {
      qsizetype near = 0;
      qsizetype w = 0;
      for (; w < words.size(); ++w) {
        const bool cut = lastMayBeCut && w + 1 == words.size() && cutFrom(name[at + w], words[w]);
        if (!cut && !nearWord(words[w], name[at + w])) break;
        near += words[w] != name[at + w];
      }
      if (w == words.size() && (!best || near < *best)) best = near;
    }
  return best;
}

// Whether a word is a number, as a song may be ("1999") and a track is.
bool isNumber(const QString& word) { return !word.isEmpty() && std::all_of(word.begin(), word.end(), isAsciiDigit); }

// The words of a name that may be a title: of two letters or more (a letter alone marks a file),
// and none of those that rippers write where they know no title ("Track 01", "Karaoke 1",
// "Unknown Title", "Unknown Artist").
QSet<QString> titleLikeWords(const QString& stem) {
  static const QRegularExpression between(QStringLiteral("[^\\p{L}]+"));
  static const QSet<QString> placeholders = {QStringLiteral("track"), QStringLiteral("karaoke"),
                                             QStringLiteral("unknown"), QStringLiteral("title"),
                                             QStringLiteral("artist")};
  QSet<QString> out;
  // Split as wordKey splits ("Don't" is one word, "dont"), numbers aside.
  for (const QString& word : wordKey(stem).split(between, Qt::SkipEmptyParts))
    if (word.size() > 1 && !placeholders.contains(word)) out.insert(word);
  return out;
}

// The track number a name holds alone, as rippers write it: the whole name ("1", "01"), a number
// that begins it before " - ", ". ", " ", "-" or "_" (unless `titleFirst`: the name begins with a
// title that begins with that number), or a number after the word "Track". -1 when it holds none,
// or two that differ.
int loneNumberIn(const QString& stem, bool titleFirst) {
  static const QRegularExpression whole(QStringLiteral("^(\\d{1,4})$"));
  static const QRegularExpression first(QStringLiteral("^(\\d{1,4})(?:[ _-]|\\. )"));
  static const QRegularExpression afterTrack(QStringLiteral("(?<!\\p{L})track[ _-]?(\\d{1,4})(?!\\d)"),
                                             QRegularExpression::CaseInsensitiveOption);
  int number = -1;
  for (const QRegularExpression* re : {&whole, &first, &afterTrack}) {
    if (titleFirst && re == &first) continue;
    for (auto it = re->globalMatch(stem); it.hasNext();) {
      const int found = it.next().captured(1).toInt();
      if (number >= 0 && found != number) return -1;
      number = found;
    }
  }
  return number;
}

// Whether a name comes before another as a file manager shows them: letter case ignored, and
// every run of digits compared by its value, so that "Karaoke 2" comes before "Karaoke 10".
bool showsBefore(QStringView a, QStringView b) {
  const auto digitsFrom = [](QStringView s, qsizetype i) {
    qsizetype end = i;
    while (end < s.size() && isAsciiDigit(s[end])) ++end;
    return s.mid(i, end - i);
  };
  qsizetype i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
      const QStringView da = digitsFrom(a, i), db = digitsFrom(b, j);
      i += da.size();
      j += db.size();
      // The values, without the zeros that lead them: the longer is the greater.
      QStringView va = da, vb = db;
      while (va.size() > 1 && va.front() == QLatin1Char('0')) va = va.mid(1);
      while (vb.size() > 1 && vb.front() == QLatin1Char('0')) vb = vb.mid(1);
      if (va.size() != vb.size()) return va.size() < vb.size();
      if (const int order = va.compare(vb); order != 0) return order < 0;
      continue;
    }
    const QChar ca = a[i++].toCaseFolded(), cb = b[j++].toCaseFolded();
    if (ca != cb) return ca < cb;
  }
  if (i < a.size() || j < b.size()) return j < b.size();
  return a < b;
}

using Kind = RenameProblem::Kind;
using Refusal = std::optional<RenameProblem>;

// How a file was known to be its track.
enum class By { None, Name, Code, OneField, Title, Number, Place };

// The pairing of the listed files with the track lines, built up pass by pass: each pass gives
// a track to the files it can tell, and leaves the others to the next.
class Pairing {
 public:
  Pairing(const QStringList& items, const QStringList& files, const QStringList& heldDiscs,
          const OtherDiscsSongs& otherDiscsSongs)
      : files_(files),
        n_(std::min(items.size(), files.size())),
        otherDiscsSongs_(otherDiscsSongs),
        trackOf_(size_t(n_), -1),
        by_(size_t(n_), By::None),
        borne_(size_t(n_), false) {
    fields_.reserve(size_t(n_));
    for (qsizetype t = 0; t < n_; ++t) {
      fields_.push_back(nameFields(items[t]));
      QSet<QString> names;
      for (int o = 1; o <= 8; ++o) names.insert(matchKey(trackFileName(o, field(t))));
      namesOf_.push_back(names);
      titles_ << matchKey(withoutRefusedCharacters(field(t).song))
              << matchKey(withoutRefusedCharacters(field(t).artist));
      codes_ << codeKey(field(t).disc);
      changedNames_.push_back(namesWithOneFieldChanged(field(t), {3, 4}));
      songWords_.push_back(titleWords(field(t).song));
      songCut_.push_back(fillsItsField(items[t]));
      artistWords_.push_back(titleWords(field(t).artist));
    }
    for (const QString& code : heldDiscs) heldCodes_.insert(codeKey(code), code);
    for (qsizetype i = 0; i < n_; ++i) nameWords_.push_back(wordsOf(stemOf(files_[i])));
    // A lone file shares its words with no other name: they are all its own.
    QSet<QString> everyName = n_ > 1 ? titleLikeWords(stemOf(files_[0])) : QSet<QString>();
    for (qsizetype i = 1; i < n_; ++i) everyName.intersect(titleLikeWords(stemOf(files_[i])));
    for (qsizetype i = 0; i < n_; ++i) ownWords_.push_back(titleLikeWords(stemOf(files_[i])) - everyName);
    const bool folderTitled =
        std::any_of(ownWords_.begin(), ownWords_.end(), [](const auto& w) { return !w.isEmpty(); });
    for (qsizetype i = 0; i < n_; ++i) titled_.push_back(carriesTitle(i, folderTitled));
  }

  // A file that bears the name a track gives today, in any letter case, is that track (two tracks
  // that give one name are both that name's).
  Refusal byTodaysName() {
    QHash<QString, QList<qsizetype>> tracksNamed;  // every name each track gives, in any format
    for (qsizetype t = 0; t < n_; ++t)
      for (const QString& name : namesOf_[size_t(t)]) tracksNamed[name].append(t);
    for (qsizetype i = 0; i < n_; ++i) {
      const QList<qsizetype> tracks = tracksNamed.value(matchKey(stemOf(files_[i])));
      if (tracks.size() > 1) {
        QStringList numbers;
        for (const qsizetype t : tracks) numbers << field(t).track;
        return RenameProblem{Kind::SeveralTracks, files_[i], {}, joinedWithAnd(numbers), {}};
      }
      if (tracks.isEmpty()) continue;
      if (auto problem = place(i, tracks.front(), By::Name)) return problem;
    }
    return std::nullopt;
  }

  // A name that holds a disc and a track where a format puts them is: with the disc's code, that
  // track; with another held disc's code, that disc's file, refusing the set; with a code the
  // database lacks (changed since), that track when its titles still fit it and some file of that
  // code keeps both, otherwise a file that refuses the set.
  Refusal byCodePart() {
    std::map<QString, std::vector<std::pair<qsizetype, qsizetype>>> fitting;  // code -> file, track
    QSet<QString> keepingTitles;                                              // codes
    QHash<QString, QString> written;    // code as matched -> as the first name with it writes it
    QHash<qsizetype, CodePart> partOf;  // file -> the code part it is known by
    std::vector<bool> held(size_t(n_), false), stray(size_t(n_), false);
    QStringList heldCodes, strayCodes;  // as matched
    for (qsizetype i = 0; i < n_; ++i) {
      if (placed(i)) continue;
      const QString stem = stemOf(files_[i]);
      std::vector<CodePart> parts = codePartsIn(stem);
      std::erase_if(parts, [&](const CodePart& p) { return isATitleOfTheDisc(stem, p) || isAWholeCode(stem, p); });
      if (parts.empty()) continue;
      const QString code = codeKey(parts.front().code);
      if (std::any_of(parts.begin(), parts.end(),
                      [&](const CodePart& p) { return codeKey(p.code) != code || p.track != parts.front().track; }))
        continue;  // two codes or tracks: the passes after this tell
      const CodePart& part = parts.front();
      const qsizetype t = trackNumbered(part.track);
      written.insert(code, heldCodes_.value(code, written.value(code, part.code)));
      if (codes_.contains(code)) {
        if (t >= 0)
          if (auto problem = place(i, t, By::Code)) return problem;
        continue;
      }
      if (heldCodes_.contains(code)) {
        held[size_t(i)] = true;
        if (!heldCodes.contains(code)) heldCodes << code;
        continue;
      }
      if (t < 0) continue;  // no code: a number that is no track's, of a disc the database lacks ("Sum-41")
      partOf.insert(i, part);
      const NameFields& f = field(t);
      const QString recoded = stem.left(part.at) + f.disc + QLatin1Char('-') + f.track + stem.mid(part.at + part.size);
      const bool keeps = namesOf_[size_t(t)].contains(matchKey(recoded));
      if (!keeps && holdsTitlesOnly(i)) continue;
      if (keeps || fitsOne(recoded, namesWithOneFieldChanged(f, {1, 2, 5, 6}, !shared(t, &NameFields::artist),
                                                             !shared(t, &NameFields::song)))) {
        fitting[code].emplace_back(i, t);
        if (keeps) keepingTitles.insert(code);
        continue;
      }
      stray[size_t(i)] = true;
      if (!strayCodes.contains(code)) strayCodes << code;
    }
    for (const auto& [code, files] : fitting)
      if (!keepingTitles.contains(code)) {
        for (const auto& [i, t] : files) stray[size_t(i)] = true;
        if (!strayCodes.contains(code)) strayCodes << code;
      }
    const auto refusal = [&](Kind kind, const std::vector<bool>& which, const QStringList& codes) {
      RenameProblem problem{kind, {}, {}, {}, {}};
      for (qsizetype i = 0; i < n_; ++i)
        if (which[size_t(i)]) problem.names << files_[i];
      for (const QString& code : codes) problem.discs << written.value(code);
      return problem;
    };
    if (!heldCodes.isEmpty()) return refusal(Kind::OtherDisc, held, heldCodes);
    if (!strayCodes.isEmpty()) {
      RenameProblem problem = refusal(Kind::ChangedSince, stray, strayCodes);
      const CodePart& first = partOf[std::find(stray.begin(), stray.end(), true) - stray.begin()];
      problem.track = first.track;
      problem.to = numberedByHand(problem.names.front(), first);
      return problem;
    }
    for (const auto& [code, files] : fitting)
      for (const auto& [i, t] : files)
        if (auto problem = place(i, t, By::Code)) return problem;
    return std::nullopt;
  }

  // A name whose song or artist has since been corrected is the one track left without a file
  // of its kind that it fits. Each file is weighed against the same tracks, in any order.
  Refusal byOneFieldCorrected() {
    std::vector<std::pair<qsizetype, qsizetype>> fitted;  // file, track
    for (qsizetype i = 0; i < n_; ++i)
      if (!placed(i))
        if (const qsizetype t = oneFieldCorrectedTrack(i); t >= 0) fitted.emplace_back(i, t);
    for (const auto& [i, t] : fitted)
      if (auto problem = place(i, t, By::OneField)) return problem;
    return std::nullopt;
  }

  // Most titled names of the folder holding no song and no artist of the disc make it another
  // disc's folder, unless a file proves it this disc's.
  Refusal byOtherDiscsTitles() {
    if (n_ == 0 || std::any_of(by_.begin(), by_.end(), provesTheDisc) ||
        std::any_of(ownWords_.begin(), ownWords_.end(), [](const QSet<QString>& w) { return w.isEmpty(); }))
      return std::nullopt;
    QHash<QString, qsizetype> byArtistLeft = namesEachArtistVouchesFor();
    RenameProblem problem{Kind::OtherTitles, {}, {}, {}, {}};
    for (qsizetype i = 0; i < n_; ++i) {
      bool holds = holdsNearlyASong(i);
      for (qsizetype t = 0; t < n_ && !holds; ++t) {
        qsizetype& left = byArtistLeft[matchKey(field(t).artist)];
        if (left > 0 && holdsTitle(nameWords_[size_t(i)], artistWords_[size_t(t)])) {
          --left;
          holds = true;
        }
      }
      if (!holds) problem.names << files_[i];
    }
    if (problem.names.size() * 2 <= n_) return std::nullopt;
    problem.discs = QStringList{field(0).disc};
    return problem;
  }

  // Each titled name that is another held disc's file refuses the set, whatever their count: one
  // that holds another disc's song, and no song of this disc but within that song; else one that
  // holds the song of the track it fits with another disc's artist of that song.
  Refusal byOtherDiscsSongs() {
    if (!otherDiscsSongs_) return std::nullopt;
    std::vector<std::pair<qsizetype, QStringList>> keysOf;  // file -> the runs of its words that may be a song
    std::vector<std::pair<qsizetype, qsizetype>> fitting;   // file -> the track whose song it holds
    QSet<QString> keys;
    for (qsizetype i = 0; i < n_; ++i)
      if (!provesTheDisc(by_[size_t(i)]) && titled_[size_t(i)]) {
        keysOf.emplace_back(i, songsItMayHold(i));
        for (const QString& key : keysOf.back().second) keys.insert(key);
        if (const qsizetype t = placed(i) ? trackOf_[size_t(i)] : nearestTrack(i); t >= 0) {
          fitting.emplace_back(i, t);
          for (const QStringList& song : songWords_[size_t(t)]) keys.insert(song.join(QLatin1Char(' ')));
        }
      }
    if (keys.isEmpty()) return std::nullopt;
    const OtherDiscsTracks tracksOf = otherDiscsSongs_(keys);
    RenameProblem problem{Kind::OtherDiscsSongs, {}, {}, {}, {}};
    for (const auto& [i, mayHold] : keysOf)
      for (const QString& key : mayHold)  // the longest first
        if (const auto found = tracksOf.constFind(key); found != tracksOf.constEnd() && makesItThatDiscs(i, key)) {
          problem.names << files_[i];
          for (const OtherDiscsTrack& track : *found)
            if (!problem.discs.contains(track.disc)) problem.discs << track.disc;
          break;
        }
    if (!problem.names.isEmpty()) return problem;
    problem.kind = Kind::OtherArtist;
    for (const auto& [i, t] : fitting) {
      bool theirs = false;
      for (const QStringList& song : songWords_[size_t(t)])
        for (const OtherDiscsTrack& other : tracksOf.value(song.join(QLatin1Char(' ')))) {
          if (!namesTheirArtistOnly(i, t, other.artist)) continue;
          theirs = true;
          qsizetype d = problem.discs.indexOf(other.disc);
          if (d < 0) {
            d = problem.discs.size();
            problem.discs << other.disc;
            problem.discTracks.emplace_back();
          }
          if (!problem.discTracks[size_t(d)].contains(other.track)) problem.discTracks[size_t(d)] << other.track;
        }
      if (theirs) problem.names << files_[i];
    }
    if (problem.names.isEmpty()) return std::nullopt;
    return problem;
  }

  // The untitled files left are the tracks of the numbers they hold, when each holds a number of
  // its own that is a free track's; otherwise their order says nothing either, and those files
  // refuse the set.
  Refusal byLoneNumber() {
    QHash<int, qsizetype> freeTrack;  // number -> the free track of that number, or -1 for several
    for (qsizetype t = 0; t < n_; ++t)
      if (!borne_[size_t(t)]) {
        bool ok = false;
        const int number = field(t).track.toInt(&ok);
        if (ok) freeTrack[number] = freeTrack.contains(number) ? -1 : t;
      }
    std::vector<std::pair<qsizetype, int>> numbered;  // file, its number
    QHash<int, int> borneBy;                          // number -> how many files hold it
    bool anyNumber = false;
    size_t titledLeft = 0;  // the files left that their titles place
    for (qsizetype i = 0; i < n_; ++i) {
      if (placed(i)) continue;
      if (titled_[size_t(i)]) {
        ++titledLeft;
        continue;
      }
      const int number = loneNumberIn(stemOf(files_[i]), beginsWithTitle(i));
      numbered.emplace_back(i, number);
      anyNumber = anyNumber || number >= 0;
      ++borneBy[number];
    }
    if (!anyNumber) return std::nullopt;
    QStringList unfit;
    for (const auto& [i, number] : numbered)
      if (number < 0 || borneBy.value(number) > 1 || freeTrack.value(number, -1) < 0) unfit << files_[i];
    if (!unfit.isEmpty()) {
      RenameProblem problem{Kind::UnplacedFiles, {}, {}, {}, {}};
      problem.names = unfit;
      return problem;
    }
    if (numbered.size() + titledLeft != size_t(freeTrack.size()))
      return unpaired(numbered.size() + titledLeft, size_t(freeTrack.size()));
    for (const auto& [i, number] : numbered)
      if (auto problem = place(i, freeTrack.value(number), By::Number)) return problem;
    return std::nullopt;
  }

  // Each titled file left is the track it is clearly nearest to, and no other file is; a titled
  // name that fits no track, or not one clearly, refuses the set with every file still untold.
  Refusal byTitle() {
    std::vector<std::pair<qsizetype, qsizetype>> found;  // file, track
    QHash<QString, int> claims;                          // track and extension -> files nearest to it
    bool untold = false;
    for (qsizetype i = 0; i < n_; ++i) {
      if (placed(i) || !titled_[size_t(i)]) continue;
      const qsizetype t = nearestTrack(i);
      if (t < 0) untold = true;
      else {
        found.emplace_back(i, t);
        ++claims[slotOf(t, i)];
      }
    }
    for (const auto& [i, t] : found) {
      if (claims.value(slotOf(t, i)) > 1) untold = true;
      else if (auto problem = place(i, t, By::Title)) return problem;
    }
    if (!untold) return std::nullopt;
    RenameProblem problem{Kind::UnplacedFiles, {}, {}, {}, {}};
    for (qsizetype i = 0; i < n_; ++i)
      if (!placed(i)) problem.names << files_[i];
    return problem;
  }

  // The files left pair by place with the tracks that no file is, both in the order a file manager
  // shows them (1, 2, ..., 10, whatever shape the numbers have; the tracks by their numbers, however
  // they are stored), unless one of the files has a name in one of the formats: then its order says
  // nothing of its track. A song that is a number in a name of numbers and shared words is no title
  // ("Karaoke 7"): its place stays.
  Refusal byPlace() {
    QStringList unplaced;
    std::vector<qsizetype> order;  // the files left, as shown
    bool shaped = false;
    for (qsizetype i = 0; i < n_; ++i)
      if (!placed(i)) {
        unplaced << files_[i];
        order.push_back(i);
        shaped = shaped || hasFormatShape(stemOf(files_[i]));
      }
    if (shaped) {
      RenameProblem problem{Kind::UnplacedFiles, {}, {}, {}, {}};
      problem.names = unplaced;
      return problem;
    }
    std::vector<qsizetype> freeTracks;
    for (qsizetype t = 0; t < n_; ++t)
      if (!borne_[size_t(t)]) freeTracks.push_back(t);
    std::stable_sort(freeTracks.begin(), freeTracks.end(),
                     [this](qsizetype a, qsizetype b) { return showsBefore(field(a).track, field(b).track); });
    if (!unplaced.isEmpty() && size_t(unplaced.size()) != freeTracks.size())
      return unpaired(size_t(unplaced.size()), freeTracks.size());
    std::stable_sort(order.begin(), order.end(),
                     [this](qsizetype a, qsizetype b) { return showsBefore(files_[a], files_[b]); });
    auto nextFree = freeTracks.begin();
    for (const qsizetype i : order) {
      trackOf_[size_t(i)] = *nextFree++;
      by_[size_t(i)] = By::Place;
    }
    return std::nullopt;
  }

  // Each file's new name, once every file has its track.
  std::vector<RenameStep> steps(int option) const {
    std::vector<RenameStep> out;
    out.reserve(size_t(n_));
    for (qsizetype i = 0; i < n_; ++i) {
      const NameFields& f = field(trackOf_[size_t(i)]);
      const bool keepsCharacters = emptiesAField(option, f);
      const QString name = keepsCharacters ? patternName(option, f) : trackFileName(option, f);
      out.push_back({files_[i], name + extensionOf(files_[i]), field(trackOf_[size_t(i)]).track,
                     !keepsCharacters && holdsRefusedCharacter(patternName(option, f)),
                     by_[size_t(i)] == By::Number || by_[size_t(i)] == By::Place});
    }
    return out;
  }

 private:
  const NameFields& field(qsizetype t) const { return fields_[size_t(t)]; }
  // The name that the user can give a file whose code and titles have changed since it was named,
  // for the pass of lone numbers to take it: its number alone, as its titles fit no track
  // ("02.mp3").
  static QString numberedByHand(const QString& file, const CodePart& part) { return part.track + extensionOf(file); }
  bool placed(qsizetype i) const { return trackOf_[size_t(i)] >= 0; }
  // A part that is a song or an artist of the disc holds no code ("Catch-22").
  bool isATitleOfTheDisc(const QString& stem, const CodePart& part) const {
    return titles_.contains(matchKey(stem.mid(part.at, part.size)));
  }
  // A part that is a disc's whole code holds no track ("GLD-01 - 03 - Song" of disc GLD-01).
  bool isAWholeCode(const QString& stem, const CodePart& part) const {
    const QString whole = codeKey(stem.mid(part.at, part.size));
    return codes_.contains(whole) || heldCodes_.contains(whole);
  }
  // An "Artist - Song" or "Song - Artist" name that fits one track with a field corrected holds
  // titles only, no code ("Catch-22 - Artist" after the song became "Catch 22").
  bool holdsTitlesOnly(qsizetype i) const {
    return stemOf(files_[i]).split(kSeparator).size() == 2 && oneFieldCorrectedTrack(i) >= 0;
  }
  // The one track of the number, written in two digits as the names write every track's, or -1.
  qsizetype trackNumbered(const QString& number) const {
    qsizetype found = -1;
    for (qsizetype t = 0; t < n_; ++t)
      if (field(t).track == number) {
        if (found >= 0) return -1;
        found = t;
      }
    return found;
  }
  // Whether the file's name holds the song of a track, or spelled nearly so.
  bool holdsNearlyASong(qsizetype i) const {
    for (qsizetype t = 0; t < n_; ++t)
      if (nearlyHeld(nameWords_[size_t(i)], songWords_[size_t(t)], songCut_[size_t(t)])) return true;
    return false;
  }
  // A song of another disc that a name holds makes it that disc's file, unless the name holds a song
  // of this disc that the other does not hold in more words ("The Lonely Heartbreak Of Harrogate"
  // is another disc's beside this disc's "Lonely Heartbreak").
  bool makesItThatDiscs(qsizetype i, const QString& otherSong) const {
    const QStringList other = otherSong.split(QLatin1Char(' '));
    for (qsizetype t = 0; t < n_; ++t) {
      const std::vector<QStringList>& song = songWords_[size_t(t)];
      if (!nearlyHeld(nameWords_[size_t(i)], song, songCut_[size_t(t)])) continue;
      const bool shorter =
          std::all_of(song.begin(), song.end(), [&](const auto& w) { return w.size() < other.size(); });
      if (!shorter || !nearlyHeld(other, song, songCut_[size_t(t)])) return false;
    }
    return true;
  }
  // Another disc's cover: a name of track t's song that holds that disc's artist of it but not t's, even nearly.
  bool namesTheirArtistOnly(qsizetype i, qsizetype t, const QString& theirArtist) const {
    const std::vector<QStringList> theirs = titleWords(theirArtist);
    const std::vector<QStringList>& song = songWords_[size_t(t)];
    return holdsTitle(nameWords_[size_t(i)], theirs) &&
           std::none_of(song.begin(), song.end(),
                        [&](const QStringList& words) { return holdsTitle(words, theirs); }) &&
           !nearlyHeld(nameWords_[size_t(i)], artistWords_[size_t(t)]);
  }
  // A song that fills its field may have been cut there, in the middle of its last word.
  static bool fillsItsField(const QString& item) { return Mid(item, 7 + common::kTitleWidth - 1, 1) != u" "; }
  // A name carries a title, and is paired by it, when it holds words beyond numbers and those every
  // name of the folder shares, or a song of the disc: a song that is a number ("1999") only in a
  // folder of titled names, beside other words (as "1999 (Karaoke Version)"; not "7") or alone
  // when no track has that number ("1999.mp3").
  bool carriesTitle(qsizetype i, bool folderTitled) const {
    if (!ownWords_[size_t(i)].isEmpty()) return true;
    const QStringList& name = nameWords_[size_t(i)];
    for (const std::vector<QStringList>& song : songWords_) {
      if (!holdsTitle(name, song)) continue;
      const bool number = song.front().size() == 1 && isNumber(song.front().front());
      if (!number || (folderTitled && (name.size() > 1 || !isATrackNumber(song.front().front())))) return true;
    }
    return false;
  }
  // Whether a track of the disc has the number.
  bool isATrackNumber(const QString& number) const {
    for (qsizetype t = 0; t < n_; ++t)
      if (field(t).track.toInt() == number.toInt()) return true;
    return false;
  }
  // The track whose song the name holds most nearly (the most of the song's words, then the fewest
  // only near, its artist held too making up for one), when no other track's is held as nearly; -1
  // otherwise: "Silver Roads (Dee)" fits Dee's "Silver Road" no better than Eve's "Silver Roads".
  qsizetype nearestTrack(qsizetype i) const {
    const QStringList& name = nameWords_[size_t(i)];
    using Nearness = std::pair<qsizetype, qsizetype>;  // song words, artist held less the near ones
    std::optional<Nearness> best;
    qsizetype nearest = -1;
    for (qsizetype t = 0; t < n_; ++t) {
      for (const QStringList& song : songWords_[size_t(t)])
        if (const auto near = nearlyHeld(name, {song}, songCut_[size_t(t)])) {
          const Nearness n{song.size(), qsizetype(nearlyHeld(name, artistWords_[size_t(t)]).has_value()) - *near};
          if (!best || n > *best) {
            best = n;
            nearest = t;
          } else if (n == *best && nearest != t) {
            nearest = -1;
          }
        }
    }
    return nearest;
  }
  // A file known by a name a track gives today or by the disc's code proves the folder this
  // disc's; one placed by one field, a title, a number or its place does not.
  static bool provesTheDisc(By by) { return by == By::Name || by == By::Code; }
  // The runs of a name's words that may be the song it holds, the longest first: those with at
  // least half the words that are its own (not every name's), as a title is most of its name; before
  // them, the song that a name placed by its artist holds where its track's song stands.
  QStringList songsItMayHold(qsizetype i) const {
    const QStringList& name = nameWords_[size_t(i)];
    const QSet<QString>& own = ownWords_[size_t(i)];
    const auto ownIn = [&](qsizetype from, qsizetype size) {
      return std::count_if(name.begin() + from, name.begin() + from + size,
                           [&](const QString& w) { return own.contains(w); });
    };
    const auto ownCount = ownIn(0, name.size());
    QStringList out;
    if (const QString song = songInPlaceOfItsTracks(i); !song.isEmpty()) out << wordKey(song);
    for (qsizetype size = name.size(); size > 0; --size)
      for (qsizetype from = 0; from + size <= name.size(); ++from)
        if (ownCount > 0 && ownIn(from, size) * 2 >= ownCount) out << name.mid(from, size).join(QLatin1Char(' '));
    return out;
  }
  // What a name placed by its artist alone holds where its track's song stands ("Juno Marsh - 22"):
  // the song it names; empty for a file placed otherwise.
  QString songInPlaceOfItsTracks(qsizetype i) const {
    if (by_[size_t(i)] != By::OneField) return {};
    const QString stem = matchKey(stemOf(files_[i]));
    for (const OneFieldChanged& n : changedNames_[size_t(trackOf_[size_t(i)])])
      if (n.song && fitsName(stem, n)) return stem.mid(n.before.size(), stem.size() - n.before.size() - n.after.size());
    return {};
  }
  // How many names each artist may make the disc's in the vote on another disc's titles: as many
  // as it has tracks, and none for an artist of more than half the tracks (the one artist of an
  // album, whose every other disc's names hold it too).
  QHash<QString, qsizetype> namesEachArtistVouchesFor() const {
    QHash<QString, qsizetype> out;
    for (qsizetype t = 0; t < n_; ++t) {
      qsizetype holders = 0;
      for (qsizetype u = 0; u < n_; ++u) holders += holdsTitle(wordsOf(field(u).artist), artistWords_[size_t(t)]);
      out.insert(matchKey(field(t).artist), holders * 2 <= n_ ? holders : 0);
    }
    return out;
  }
  // Whether the file's name begins with a song or an artist of the disc of more than one word ("7
  // Seconds (In the Style of ...)", "3 Doors Down - ..."): a number that begins it is the title's.
  bool beginsWithTitle(qsizetype i) const {
    const QStringList name = wordsOf(stemOf(files_[i]));
    const auto begins = [&](const std::vector<QStringList>& title) {
      return std::any_of(title.begin(), title.end(), [&](const QStringList& words) {
        return words.size() > 1 && name.size() >= words.size() && std::equal(words.begin(), words.end(), name.begin());
      });
    };
    return std::any_of(songWords_.begin(), songWords_.end(), begins) ||
           std::any_of(artistWords_.begin(), artistWords_.end(), begins);
  }
  // Whether another track has this track's song or artist, as names are matched.
  bool shared(qsizetype t, QString NameFields::*which) const {
    const QString key = matchKey(field(t).*which);
    for (qsizetype u = 0; u < n_; ++u)
      if (u != t && matchKey(field(u).*which) == key) return true;
    return false;
  }
  // The one track without a file of the file's kind whose "Artist - Song" or "Song - Artist"
  // name the file's name is with the song or the artist changed; -1 when none is or several are.
  qsizetype oneFieldCorrectedTrack(qsizetype i) const {
    const QString stem = stemOf(files_[i]);
    qsizetype fit = -1;
    for (qsizetype t = 0; t < n_; ++t)
      if (!fileOfSlot_.contains(slotOf(t, i)) && fitsOne(stem, changedNames_[size_t(t)])) {
        if (fit >= 0) return -1;
        fit = t;
      }
    return fit;
  }
  // A track holds one file of each extension.
  QString slotOf(qsizetype t, qsizetype i) const {
    return QString::number(t) + QLatin1Char('/') + extensionOf(files_[i]);
  }
  static RenameProblem unpaired(size_t files, size_t tracks) {
    RenameProblem problem{Kind::UnpairedFiles, {}, {}, {}, {}};
    problem.files = int(files);
    problem.tracks = int(tracks);
    return problem;
  }
  Refusal place(qsizetype i, qsizetype t, By by) {
    const QString key = slotOf(t, i);
    if (const auto other = fileOfSlot_.constFind(key); other != fileOfSlot_.constEnd())
      return RenameProblem{Kind::SharedTrack, files_[*other], files_[i], field(t).track, {}};
    fileOfSlot_.insert(key, i);
    trackOf_[size_t(i)] = t;
    by_[size_t(i)] = by;
    borne_[size_t(t)] = true;
    return std::nullopt;
  }

  const QStringList& files_;
  const qsizetype n_;
  const OtherDiscsSongs& otherDiscsSongs_;
  std::vector<NameFields> fields_;
  std::vector<QSet<QString>> namesOf_;                      // every name each track gives today, in any format
  std::vector<std::vector<OneFieldChanged>> changedNames_;  // each track's, in "Artist - Song", "Song - Artist"
  QSet<QString> titles_;                                    // every song and artist of the tracks, as names hold them
  QSet<QString> codes_;                                     // the disc's code
  QHash<QString, QString> heldCodes_;                       // the codes of the database's discs, as matched -> as held
  std::vector<std::vector<QStringList>> songWords_;         // each track's song, as titleWords gives it
  std::vector<bool> songCut_;                               // whether it may be cut at its field's end
  std::vector<std::vector<QStringList>> artistWords_;       // and its artist
  std::vector<QStringList> nameWords_;                      // each file's name, as wordsOf gives it
  std::vector<QSet<QString>> ownWords_;                     // its title-like words that not every name holds
  std::vector<bool> titled_;                                // whether it carries a title
  std::vector<qsizetype> trackOf_;                          // the track each file is, or -1
  std::vector<By> by_;                                      // how it was known to be that track
  std::vector<bool> borne_;                                 // whether a file is the track
  QHash<QString, qsizetype> fileOfSlot_;                    // track and extension -> the file that is that track
};

}  // namespace

RenamePlan planRenames(const QStringList& items, const QStringList& files, int option, const QStringList& heldDiscs,
                       const OtherDiscsSongs& otherDiscsSongs) {
  Pairing pairing(items, files, heldDiscs, otherDiscsSongs);
  for (const auto pass :
       {&Pairing::byTodaysName, &Pairing::byCodePart, &Pairing::byOneFieldCorrected, &Pairing::byOtherDiscsTitles,
        &Pairing::byOtherDiscsSongs, &Pairing::byLoneNumber, &Pairing::byTitle, &Pairing::byPlace})
    if (auto problem = (pairing.*pass)()) return {{}, *problem};
  return {pairing.steps(option), std::nullopt};
}

OtherDiscsTracks songsOfOtherDiscs(const QByteArray& tracks, const QString& disc, const QSet<QString>& keys) {
  OtherDiscsTracks out;
  const QByteArray own = common::discIdentity(platform::cp1252::encode(disc));
  const auto text = [](std::string_view field) {
    return platform::cp1252::decode(field.data(), qsizetype(field.size()));
  };
  catalogue::forEachRecord(tracks, [&](const catalogue::RecordBytes& r) {
    if (common::isDiscCode(r.code, own)) return true;
    const QString song = text(r.title);
    for (const QString& key : {wordKey(song), wordKey(withoutRefusedCharacters(song))})
      if (keys.contains(key)) {
        const OtherDiscsTrack track{text(common::discIdentity(r.code)), namedTrack(text(r.track)),
                                    Trim(text(r.artist))};
        if (!out[key].contains(track)) out[key] << track;
      }
    return true;
  });
  return out;
}

std::optional<TypePairs> mp3AndCdgPairs(const QStringList& files) {
  const auto isType = [](const QString& file, QLatin1String ext) {
    return extensionOf(file).compare(ext, Qt::CaseInsensitive) == 0;
  };
  const QLatin1String mp3(".mp3"), cdg(".cdg");
  if (std::none_of(files.begin(), files.end(), [&](const QString& f) { return isType(f, mp3); }) ||
      std::none_of(files.begin(), files.end(), [&](const QString& f) { return isType(f, cdg); }))
    return std::nullopt;
  QHash<QString, QStringList> byStem;  // the mp3 and cdg files of each name, letter case ignored
  for (const QString& file : files)
    if (isType(file, mp3) || isType(file, cdg)) byStem[matchKey(stemOf(file))] << file;
  TypePairs out;
  for (const QString& file : files) {
    if (!isType(file, mp3) && !isType(file, cdg)) {
      out.others << file;
      continue;
    }
    const QStringList& same = byStem.value(matchKey(stemOf(file)));
    const bool paired = same.size() == 2 && ((isType(same[0], mp3) && isType(same[1], cdg)) ||
                                             (isType(same[0], cdg) && isType(same[1], mp3)));
    if (!paired) out.unpaired << file;
    else (isType(file, mp3) ? out.mp3 : out.cdg) << file;
  }
  return out;
}

namespace {

constexpr qsizetype kMaxNameBytes = 255;  // the most a name may have on the disks in use

// Why no file may bear the name, here or on the disks that refuse more (FAT, NTFS): a folder
// separator, a character those disks refuse, a leading dot (a hidden file), the names of the
// folder and its parent, more bytes than a name may have. Empty when it is a name.
QString badName(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("it is empty");
  if (name.startsWith(QLatin1Char('.'))) return QStringLiteral("it begins with a dot, which would hide the file");
  const QString refused = QStringLiteral(", which file names cannot hold on every disk");
  for (const QChar c : name) {
    if (c.unicode() < 0x20) return QStringLiteral("it holds a control character") + refused;
    if (isRefused(c)) return QStringLiteral("it holds the character ") + c + refused;
  }
  if (QFile::encodeName(name).size() > kMaxNameBytes) return QStringLiteral("it is longer than a file name may be");
  return {};
}

}  // namespace

std::optional<RenameProblem> checkRenames(const std::vector<RenameStep>& steps, const QSet<QString>& folderNames,
                                          bool foldCase, const QSet<QString>& subfolders) {
  using Kind = RenameProblem::Kind;
  // Files that share a name before their extensions are one track's files.
  QHash<QString, const RenameStep*> firstOfStem;
  for (const RenameStep& s : steps) {
    const QString stem = stemOf(s.from).toCaseFolded();
    const auto first = firstOfStem.constFind(stem);
    if (first == firstOfStem.constEnd()) {
      firstOfStem.insert(stem, &s);
      continue;
    }
    const RenameStep& a = **first;
    if (stemOf(a.to) == stemOf(s.to)) continue;
    if (a.track.isEmpty() || s.track.isEmpty()) {
      const bool firstKept = a.track.isEmpty();
      return RenameProblem{Kind::SplitPair, (firstKept ? s : a).from, (firstKept ? a : s).from, {}, {}};
    }
    return RenameProblem{Kind::SplitPair, a.from, s.from, a.track + QStringLiteral(" and ") + s.track, {}};
  }

  const auto key = [foldCase](const QString& name) { return foldCase ? name.toCaseFolded() : name; };
  QSet<QString> names;  // the folder's names as the file system compares them
  for (const QString& n : folderNames) names.insert(key(n));
  QSet<QString> folders;
  for (const QString& n : subfolders) folders.insert(key(n));
  QSet<QString> given;  // names the renames have given so far
  for (const RenameStep& s : steps) {
    if (s.from != s.to)
      if (const QString why = badName(s.to); !why.isEmpty())
        return RenameProblem{Kind::BadName, s.from, s.to, s.track, why};
    const QString from = key(s.from), to = key(s.to);
    if (from == to) {  // already named so, or only the letter case changes
      if (given.contains(to)) return RenameProblem{Kind::SameTarget, s.from, s.to, s.track, {}};
      given.insert(to);
      continue;
    }
    if (names.contains(to)) {
      const Kind kind = given.contains(to)     ? Kind::SameTarget
                        : folders.contains(to) ? Kind::FolderExists
                                               : Kind::TargetExists;
      return RenameProblem{kind, s.from, s.to, s.track, {}};
    }
    names.remove(from);
    names.insert(to);
    given.insert(to);
  }
  return std::nullopt;
}

bool foldsCase(const QString& folder) {
  const QDir dir(folder);
  const QSet<QString> all = namesInFolder(folder);
  for (const platform::FolderEntry& e : platform::folderEntries(folder)) {
    if (!e.utf8) continue;  // its name in other letters could not be looked up
    const QString other = e.name.toUpper() != e.name ? e.name.toUpper() : e.name.toLower();
    if (other == e.name) continue;  // no letters to tell by
    return !all.contains(other) && QFileInfo::exists(dir.filePath(other));
  }
  return false;
}

QString moveName(const QString& folder, const QString& from, const QString& to, bool foldCase) {
  if (!(foldCase && from != to && from.toCaseFolded() == to.toCaseFolded()))
    return platform::renameInFolder(folder, from, to);
  const QSet<QString> taken = namesInFolder(folder);
  // The name in between is the new one with a mark after it, cut to the bytes a name may have.
  const auto betweenName = [&to](int i) {
    const QString mark = QStringLiteral(".renaming") + (i > 1 ? QString::number(i) : QString());
    QString base = to;
    while (!base.isEmpty() && QFile::encodeName(base + mark).size() > kMaxNameBytes)
      base.chop(base.size() > 1 && base.back().isLowSurrogate() ? 2 : 1);
    return base + mark;
  };
  QString between = betweenName(1);
  for (int i = 2; taken.contains(between); ++i) between = betweenName(i);
  if (const QString why = platform::renameInFolder(folder, from, between); !why.isEmpty()) return why;
  const QString why = platform::renameInFolder(folder, between, to);
  if (why.isEmpty()) return {};
  if (!platform::renameInFolder(folder, between, from).isEmpty())
    return why + QStringLiteral("; the file is now named ") + between;
  return why;
}

QSet<QString> namesInFolder(const QString& folder) {
  QSet<QString> names;
  for (const platform::FolderEntry& e : platform::folderEntries(folder)) names.insert(e.name);
  return names;
}

QSet<QString> subfoldersIn(const QString& folder) {
  QSet<QString> names;
  for (const platform::FolderEntry& e : platform::folderEntries(folder))
    if (e.type == platform::FolderEntry::Type::Folder) names.insert(e.name);
  return names;
}

namespace {

std::vector<QRegularExpression> patternsOf(const QString& pattern) {
  std::vector<QRegularExpression> out;
  for (QString p : pattern.split(QLatin1Char(';'))) {
    p = Trim(p);
    if (p.isEmpty()) continue;
    if (p == QLatin1String("*.*")) p = QStringLiteral("*");  // as the old lists read it: every file
    QString re;
    for (const QChar c : p) {
      if (c == QLatin1Char('*')) re += QStringLiteral(".*");
      else if (c == QLatin1Char('?')) re += QLatin1Char('.');
      else re += QRegularExpression::escape(QString(c));
    }
    out.emplace_back(QRegularExpression::anchoredPattern(re),
                     QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  }
  if (out.empty()) out.emplace_back(QStringLiteral(".*"));
  return out;
}

bool matchesAny(const QString& name, const std::vector<QRegularExpression>& patterns) {
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const QRegularExpression& re) { return re.match(name).hasMatch(); });
}

void sortNames(QStringList& names) {
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const QByteArray ka = platform::sortKey(a), kb = platform::sortKey(b);
    if (ka != kb) return ka < kb;
    return a < b;
  });
}

}  // namespace

QStringList listMatchingFiles(const QString& folder, const QString& pattern, bool singleByteNames) {
  const auto patterns = patternsOf(pattern);
  QStringList out;
  for (const platform::FolderEntry& e : platform::folderEntries(folder))
    if (e.type == platform::FolderEntry::Type::File && (e.utf8 || singleByteNames) &&
        !e.name.startsWith(QLatin1Char('.')) && matchesAny(e.name, patterns))
      out.append(e.name);
  sortNames(out);
  return out;
}

QStringList listSubfolders(const QString& folder) {
  QStringList out = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  sortNames(out);
  return out;
}

}  // namespace maintenance
