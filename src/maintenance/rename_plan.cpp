#include "maintenance/rename_plan.h"

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
      if (const qsizetype at = name.indexOf(mark); at >= 0) out.push_back({name.left(at), name.mid(at + 1)});
    }
  return out;
}

bool fitsOne(const QString& name, const std::vector<OneFieldChanged>& names) {
  const QString stem = matchKey(name);
  return std::any_of(names.begin(), names.end(), [&](const OneFieldChanged& n) {
    return stem.size() > n.before.size() + n.after.size() && stem.startsWith(n.before) && stem.endsWith(n.after);
  });
}

// The runs of letters and digits of a text, as names are matched: a title and a name that hold
// it in other capitals, with other marks between its words or without the characters that file
// names cannot hold hold the same words.
QStringList wordsOf(const QString& text) {
  static const QRegularExpression between(QStringLiteral("[^\\p{L}\\p{N}]+"));
  return matchKey(text).split(between, Qt::SkipEmptyParts);
}

// The ways a name may hold a title: its words, and its words without the characters that file
// names cannot hold ("AC/DC" as "ACDC").
std::vector<QStringList> titleWords(const QString& title) {
  std::vector<QStringList> out = {wordsOf(title)};
  if (QStringList joined = wordsOf(withoutRefusedCharacters(title)); joined != out.front())
    out.push_back(std::move(joined));
  std::erase_if(out, [](const QStringList& words) { return words.isEmpty(); });
  return out;
}

// Whether a name's words hold a title's, one after another.
bool holdsTitle(const QStringList& name, const std::vector<QStringList>& title) {
  return std::any_of(title.begin(), title.end(), [&](const QStringList& words) {
    return std::search(name.begin(), name.end(), words.begin(), words.end()) != name.end();
  });
}

// The words of a name that may be a title: of two letters or more (a letter alone marks a file),
// and none of those that rippers write where they know no title ("Track 01", "Unknown Title",
// "Unknown Artist").
QSet<QString> titleLikeWords(const QString& stem) {
  static const QRegularExpression between(QStringLiteral("[^\\p{L}]+"));
  static const QSet<QString> placeholders = {QStringLiteral("track"), QStringLiteral("unknown"),
                                             QStringLiteral("title"), QStringLiteral("artist")};
  QSet<QString> out;
  for (const QString& word : matchKey(stem).split(between, Qt::SkipEmptyParts))
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

// The pairing of the listed files with the track lines, built up pass by pass: each pass gives
// a track to the files it can tell, and leaves the others to the next.
class Pairing {
 public:
  Pairing(const QStringList& items, const QStringList& files, const QStringList& heldDiscs)
      : files_(files), n_(std::min(items.size(), files.size())), trackOf_(size_t(n_), -1), borne_(size_t(n_), false) {
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
      artistWords_.push_back(titleWords(field(t).artist));
    }
    for (const QString& code : heldDiscs) heldCodes_.insert(codeKey(code), code);
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
      if (auto problem = place(i, tracks.front())) return problem;
    }
    return std::nullopt;
  }

  // A name that holds the disc's code and a track where a format puts them ("ZX1001-07 - ...")
  // is that track, whatever its titles; one that holds the code of another disc the database
  // holds is that disc's file, whatever its titles and number: it refuses the set. A name with a
  // code the database does not hold is that track when its song or its artist still fits the
  // track, or when its format holds neither (a code changed since keeps the titles), and only when
  // some file of that code keeps both. A field that other tracks share (the artist of a disc of
  // one artist) places only a file that keeps both itself. The other files with such a code have
  // another code and other titles than their tracks: they refuse the set. A part that is a song
  // or an artist of the disc ("Catch-22") holds no code; nor does the first part of an "Artist -
  // Song" or "Song - Artist" name that fits one track with a field corrected ("Catch-22 - Artist"
  // after the song became "Catch 22"), nor, when the database holds no such disc, one whose
  // number is no track's ("Sum-41"): the passes after this tell those.
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
      std::erase_if(parts, [&](const CodePart& p) { return titles_.contains(matchKey(stem.mid(p.at, p.size))); });
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
          if (auto problem = place(i, t)) return problem;
        continue;
      }
      const auto titlesOnly = [&] { return stem.split(kSeparator).size() == 2 && oneFieldCorrectedTrack(i) >= 0; };
      if (heldCodes_.contains(code)) {
        if (titlesOnly()) continue;
        held[size_t(i)] = true;
        if (!heldCodes.contains(code)) heldCodes << code;
        continue;
      }
      if (t < 0) continue;
      partOf.insert(i, part);
      const NameFields& f = field(t);
      const QString recoded = stem.left(part.at) + f.disc + QLatin1Char('-') + f.track + stem.mid(part.at + part.size);
      const bool keeps = namesOf_[size_t(t)].contains(matchKey(recoded));
      if (!keeps && titlesOnly()) continue;
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
        if (auto problem = place(i, t)) return problem;
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
      if (auto problem = place(i, t)) return problem;
    return std::nullopt;
  }

  // A folder whose every name carries a title, while most names hold no song and no artist of
  // the disc, holds another disc's files: their numbers are that disc's tracks, not this one's. A
  // name may hold a title that the disc shares with another (an artist on both); a few names with
  // a title written otherwise do not make a folder another disc's. Words that every name
  // holds alike ("Karaoke 1", "Karaoke 2") are no titles; nor is a name that holds only numbers,
  // single letters and the words rippers write for a title they do not know. A file already
  // known as one of the disc's makes the folder the disc's. Names that hold an artist of the disc
  // and none of its songs count as the disc's for no more names than that artist has tracks, the
  // rest as holding no title: every name of another disc of that artist holds it too (the album
  // of an artist with one track on a compilation), and would carry the vote alone. An artist of
  // more than half the tracks (the one artist of an album) makes no name the disc's: a name must
  // then hold its song.
  Refusal byOtherDiscsTitles() {
    if (n_ == 0 || std::any_of(trackOf_.begin(), trackOf_.end(), [](qsizetype t) { return t >= 0; }))
      return std::nullopt;
    std::vector<QSet<QString>> words;
    for (qsizetype i = 0; i < n_; ++i) words.push_back(titleLikeWords(stemOf(files_[i])));
    QSet<QString> everyName = words.front();
    for (const QSet<QString>& w : words) everyName.intersect(w);
    for (const QSet<QString>& w : words)
      if ((w - everyName).isEmpty()) return std::nullopt;
    QHash<QString, qsizetype> byArtistLeft;  // artist -> how many more names it may make the disc's
    for (qsizetype t = 0; t < n_; ++t) {
      qsizetype holders = 0;
      for (qsizetype u = 0; u < n_; ++u) holders += holdsTitle(wordsOf(field(u).artist), artistWords_[size_t(t)]);
      byArtistLeft.insert(matchKey(field(t).artist), holders * 2 <= n_ ? holders : 0);
    }
    RenameProblem problem{Kind::OtherTitles, {}, {}, {}, {}};
    for (qsizetype i = 0; i < n_; ++i) {
      const QStringList name = wordsOf(stemOf(files_[i]));
      bool holds = holdsASong(i);
      for (qsizetype t = 0; t < n_ && !holds; ++t) {
        qsizetype& left = byArtistLeft[matchKey(field(t).artist)];
        if (left > 0 && holdsTitle(name, artistWords_[size_t(t)])) {
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

  // The files left are the tracks left when each holds its own track's number ("01 - Track
  // 01.mp3", "Track 1.mp3", "1.mp3"), the numbers differ and are those of the tracks that no file
  // is. When some hold a number but the numbers cannot pair so, their order (1, 10, 11, 2, ...)
  // says nothing of their tracks either: the files without a number, with one that is no free
  // track's or with one another file holds too refuse the set.
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
    for (qsizetype i = 0; i < n_; ++i)
      if (!placed(i)) {
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
    if (numbered.size() != size_t(freeTrack.size())) return unpaired(numbered.size(), size_t(freeTrack.size()));
    for (const auto& [i, number] : numbered)
      if (auto problem = place(i, freeTrack.value(number))) return problem;
    return std::nullopt;
  }

  // A file left that holds the song of one track left, and of no other, is that track ("Song (In
  // the Style of Artist)"): its place says nothing of it. A song that two of the files hold, or
  // a file that holds two songs, leaves those files untold.
  Refusal bySong() {
    std::vector<std::pair<qsizetype, qsizetype>> found;  // file, track
    QHash<qsizetype, int> holders;                       // track -> how many files hold its song
    for (qsizetype i = 0; i < n_; ++i) {
      if (placed(i)) continue;
      const QStringList name = wordsOf(stemOf(files_[i]));
      qsizetype song = -1;
      for (qsizetype t = 0; t < n_ && song != -2; ++t)
        if (!borne_[size_t(t)] && holdsTitle(name, songWords_[size_t(t)])) song = song == -1 ? t : -2;
      if (song < 0) continue;
      found.emplace_back(i, song);
      ++holders[song];
    }
    for (const auto& [i, t] : found)
      if (holders.value(t) == 1)
        if (auto problem = place(i, t)) return problem;
    return std::nullopt;
  }

  // The files left pair by place with the tracks that no file is, both in the order a file manager
  // shows them (1, 2, ..., 10, whatever shape the numbers have; the tracks by their numbers, however
  // they are stored), unless one of the files has a name in one of the formats or holds a song of
  // the disc: then its order says nothing of its track.
  Refusal byPlace() {
    QStringList unplaced;
    std::vector<qsizetype> order;  // the files left, as shown
    bool shaped = false;
    for (qsizetype i = 0; i < n_; ++i)
      if (!placed(i)) {
        unplaced << files_[i];
        order.push_back(i);
        shaped = shaped || hasFormatShape(stemOf(files_[i])) || holdsASong(i);
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
    for (const qsizetype i : order) trackOf_[size_t(i)] = *nextFree++;
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
                     !keepsCharacters && holdsRefusedCharacter(patternName(option, f))});
    }
    return out;
  }

 private:
  const NameFields& field(qsizetype t) const { return fields_[size_t(t)]; }
  // The name that the user can give a file whose code and titles have changed since it was named,
  // for the pass of lone numbers to take it: its number in place of its code ("02 - Song.mp3").
  static QString numberedByHand(const QString& file, const CodePart& part) {
    QStringList parts = stemOf(file).split(kSeparator);
    if (part.at == 0) parts.removeFirst();
    else parts.removeLast();
    parts.prepend(part.track);
    return parts.join(kSeparator) + extensionOf(file);
  }
  bool placed(qsizetype i) const { return trackOf_[size_t(i)] >= 0; }
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
  // Whether the file's name holds the song of a track.
  bool holdsASong(qsizetype i) const {
    const QStringList name = wordsOf(stemOf(files_[i]));
    return std::any_of(songWords_.begin(), songWords_.end(),
                       [&](const std::vector<QStringList>& song) { return holdsTitle(name, song); });
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
  Refusal place(qsizetype i, qsizetype t) {
    const QString key = slotOf(t, i);
    if (const auto other = fileOfSlot_.constFind(key); other != fileOfSlot_.constEnd())
      return RenameProblem{Kind::SharedTrack, files_[*other], files_[i], field(t).track, {}};
    fileOfSlot_.insert(key, i);
    trackOf_[size_t(i)] = t;
    borne_[size_t(t)] = true;
    return std::nullopt;
  }

  const QStringList& files_;
  const qsizetype n_;
  std::vector<NameFields> fields_;
  std::vector<QSet<QString>> namesOf_;                      // every name each track gives today, in any format
  std::vector<std::vector<OneFieldChanged>> changedNames_;  // each track's, in "Artist - Song", "Song - Artist"
  QSet<QString> titles_;                                    // every song and artist of the tracks, as names hold them
  QSet<QString> codes_;                                     // the disc's code
  QHash<QString, QString> heldCodes_;                       // the codes of the database's discs, as matched -> as held
  std::vector<std::vector<QStringList>> songWords_;         // each track's song, as titleWords gives it
  std::vector<std::vector<QStringList>> artistWords_;       // and its artist
  std::vector<qsizetype> trackOf_;                          // the track each file is, or -1
  std::vector<bool> borne_;                                 // whether a file is the track
  QHash<QString, qsizetype> fileOfSlot_;                    // track and extension -> the file that is that track
};

}  // namespace

RenamePlan planRenames(const QStringList& items, const QStringList& files, int option, const QStringList& heldDiscs) {
  Pairing pairing(items, files, heldDiscs);
  for (const auto pass : {&Pairing::byTodaysName, &Pairing::byCodePart, &Pairing::byOneFieldCorrected,
                          &Pairing::byOtherDiscsTitles, &Pairing::byLoneNumber, &Pairing::bySong, &Pairing::byPlace})
    if (auto problem = (pairing.*pass)()) return {{}, *problem};
  return {pairing.steps(option), std::nullopt};
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
