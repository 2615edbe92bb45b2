#include "catalogue/song_list_file.h"

#include "catalogue/database.h"
#include "catalogue/disc_reference.h"
#include "catalogue/song_list_rules.h"
#include "catalogue/track_file.h"
#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/core/sorted_list_model.h"
#include "platform/core/text_file.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>

namespace catalogue {

const QString kFileHeader1 = QStringLiteral("MELLOWDEX CD SELECTION FILE");
const QString kFileHeader2 = QStringLiteral("MELLOWDEX CD SELECTION FILE2");
const QString kSeparator = QString(58, QLatin1Char('-'));
const QString kNotMellowdex = QStringLiteral(" is not a Mellowdex file");
const QString kListNotSavedText = QStringLiteral("The song list has not been saved.");
const QString kOpenTitle = QStringLiteral("Open");

namespace {
void put(QString& out, const QString& value) {
  out += QLatin1Char('"');
  out += common::storableValue(value);
  out += QLatin1String("\"\r\n");
}
}  // namespace

QString songListValuesText(const QStringList& values) {
  QString out;
  for (const auto& v : values) put(out, v);
  return out;
}

namespace {

// The refusal of the values (empty when they may be written).
QString songListRefusal(const SongListFile& f) {
  if (QString r = common::controlRefusal(f.header, QStringLiteral("song list header")); !r.isEmpty()) return r;
  for (const QString& d : f.discs)
    if (QString r = common::controlRefusal(d.mid(kCodeLength), QStringLiteral("disc reference number")); !r.isEmpty())
      return r;
  const auto breakIn = [](const QString& value) {
    return std::any_of(value.begin(), value.end(), common::isLineBreak);
  };
  for (const QStringList* values : {&f.discs, &f.lines})
    for (const QString& v : *values)
      if (breakIn(v)) return common::cannotHoldText(QStringLiteral("song list"), QLatin1Char('\n'));
  return {};
}

}  // namespace

common::FileText songListFileText(const SongListFile& f) {
  if (QString refusal = songListRefusal(f); !refusal.isEmpty()) return {{}, refusal};
  QString out;
  out.reserve(64 + 17 * f.discs.size() + 92 * f.lines.size());
  put(out, f.version == 1 ? kFileHeader1 : kFileHeader2);
  put(out, f.header);
  // Always a line, empty without a sort, so that every later value stays in its place.
  put(out, f.sortKeyword);
  put(out, f.showCodes ? QStringLiteral("MF TRUE") : QStringLiteral("MF FALSE"));
  put(out, f.useNumbers ? QStringLiteral("REF TRUE") : QStringLiteral("REF FALSE"));
  put(out, f.hideDuplicates ? QStringLiteral("DUP TRUE") : QStringLiteral("DUP FALSE"));
  for (const auto& d : f.discs) put(out, d);
  if (f.version != 1) {
    put(out, kSeparator);
    for (const auto& l : f.lines) put(out, l);
  }
  return {out, {}};
}

QString sortKeyword(std::optional<Sort> sort) {
  if (!sort) return {};
  switch (*sort) {
    case Sort::Artist: return QStringLiteral("ARTIST");
    case Sort::Song: return QStringLiteral("SONG");
    case Sort::Track: return QStringLiteral("TRACK");
    case Sort::MfCode: return QStringLiteral("MF CODE");
  }
  return {};
}

std::optional<Sort> sortOfKeyword(const QString& keyword) {
  for (Sort s : kAllSorts)
    if (keyword == sortKeyword(s)) return s;
  return std::nullopt;
}

OpenedSongList openedSongList(const QStringList& v, int version) {
  OpenedSongList out;
  // Files saved before the header box took a tab as a blank can hold one: it is taken as a pasted
  // one is, so that the header saves again. Any other control character stays, for Save to refuse.
  if (v.size() > 1) out.header = common::pastedLine(v[1]);
  if (v.size() > 2) out.sort = sortOfKeyword(v[2]);
  out.showCodes = v.value(3) == QLatin1String("MF TRUE");
  out.useNumbers = v.value(4) == QLatin1String("REF TRUE");
  out.hideDuplicates = v.value(5) == QLatin1String("DUP TRUE");
  qsizetype next = 6;
  for (; next < v.size(); ++next) {
    const QString& disc = v[next];
    if (version == 2 && disc == kSeparator) {
      ++next;
      break;
    }
    out.discs << disc;
  }
  if (version == 2) {
    for (; next < v.size() && out.lines.size() < Max_List_Lines; ++next) out.lines << v[next];
    out.linesCut = next < v.size();
  }
  return out;
}

RestoredDiscs restoredDiscs(const QStringList& items, const QStringList& discLines, bool numbersSaved) {
  QHash<QString, QList<int>> rowsOf;  // by the disc's code, trailing blanks aside
  for (int i = 0; i < items.size(); ++i) rowsOf[common::discIdentity(items[i])].append(i);
  RestoredDiscs out;
  std::vector<bool> restored(size_t(items.size()), false);  // an item comes back once, as first named
  QSet<QString> named;
  for (const QString& line : discLines) {
    QString number;
    auto found = rowsOf.constFind(common::discIdentity(line));
    if (found == rowsOf.constEnd() && line.size() >= kCodeLength + kReferenceLength) {
      number = line.right(kReferenceLength);
      found = rowsOf.constFind(common::discIdentity(line.chopped(kReferenceLength)));
    }
    if (found == rowsOf.constEnd()) {
      // A gone disc's line is a code and a number only where its code is padded or the file's
      // numbers are on: a longer code alone is named whole and leaves the numbers as they were.
      const bool numbered =
          !number.isNull() && (numbersSaved || line.chopped(kReferenceLength).endsWith(QLatin1Char(' ')));
      out.numbers = out.numbers || numbered;
      const QString code = common::discIdentity(numbered ? line.chopped(kReferenceLength) : line);
      if (!code.isEmpty() && !named.contains(code)) {
        named.insert(code);
        out.missing << code;
      }
      continue;
    }
    out.numbers = out.numbers || !number.isNull();
    for (const int row : *found) {
      if (restored[size_t(row)]) continue;
      restored[size_t(row)] = true;
      out.ticks.emplace_back(row, items[row] + number);
    }
  }
  return out;
}

namespace {
// The texts in the order a sorted list shows them (equal ones as they came).
void inListOrder(QStringList& texts, const std::function<QString(const QString&)>& keyText) {
  std::vector<std::pair<QByteArray, QString>> keyed;
  keyed.reserve(size_t(texts.size()));
  for (const QString& t : texts) keyed.emplace_back(platform::sortKey(keyText(t)), t);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  texts.clear();
  for (auto& [key, text] : keyed) texts << text;
}
}  // namespace

namespace {
// What each line of a list names, with the record beside it (nothing for a line read back from a
// saved list), and after them what each copy Hide Duplicates hid names, by the same rule.
std::vector<ListLine> namedLines(const QStringList& lines, Sort sort,
                                 const std::vector<std::optional<LineRecord>>& records, const HiddenCopies& hidden) {
  std::vector<ListLine> named;
  named.reserve(size_t(lines.size() + hidden.lines.size()));
  const auto name = [&](const QString& line, const std::optional<LineRecord>& own) {
    const LineFields f = fieldsOfLine(line, sort);
    named.push_back(own ? ListLine{f.code, own->track, own->code, f.song, f.artist}
                        : ListLine{f.code, f.track, std::nullopt, f.song, f.artist});
  };
  for (qsizetype i = 0; i < lines.size(); ++i)
    name(lines[i], size_t(i) < records.size() ? records[size_t(i)] : std::nullopt);
  for (qsizetype i = 0; i < hidden.lines.size(); ++i)
    name(hidden.lines[i], size_t(i) < hidden.records.size() ? hidden.records[size_t(i)] : std::nullopt);
  return named;
}
}  // namespace

SongListFile recodedSongList(SongListFile file, const std::vector<DiscItem>& ticked,
                             const std::vector<std::optional<LineRecord>>& records, const QByteArray& tracks,
                             const QString& current, const QString& replacement, const HiddenCopies& hidden) {
  const QString cur = common::Trim(current);
  const QString code = common::padRight(replacement, kCodeLength);
  QHash<QString, QString> codeOf;  // a disc line and the code the disc list sorts it by
  file.discs.clear();
  for (const DiscItem& item : ticked) {
    const bool recoded = common::Trim(item.code()) == cur;
    file.discs << (recoded ? code : common::padRight(item.code(), kCodeLength)) + item.reference();
    codeOf.insert(file.discs.back(), recoded ? code : item.code());
  }
  inListOrder(file.discs, [&](const QString& disc) { return codeOf.value(disc); });

  const std::optional<Sort> sort = sortOfKeyword(file.sortKeyword);
  if (!sort) return file;
  const qsizetype shown = file.lines.size();
  const std::vector<ListLine> named = namedLines(file.lines, *sort, records, hidden);
  const std::vector<DiscMatch> discs = discsOfLines(tracks, named);
  const auto recoded = [&](const QString& line, qsizetype i) {
    const DiscMatch& m = discs[size_t(i)];
    const bool ours =
        !common::Trim(named[size_t(i)].shownCode).isEmpty() && m.discs.size() == 1 && common::Trim(m.discs[0]) == cur;
    return ours ? withDiscCode(line, *sort, code) : line;
  };
  QStringList copies;
  for (qsizetype c = 0; c < hidden.lines.size(); ++c) copies << recoded(hidden.lines[c], shown + c);
  // A copy that the new code puts ahead of the line it was hidden behind shows in its place, as
  // Create List would show it.
  std::vector<bool> taken(size_t(copies.size()), false);
  for (qsizetype i = 0; i < shown; ++i) {
    const QString line = recoded(file.lines[i], i);
    const QByteArray key = platform::sortKey(line);
    const qsizetype ahead = copyShownInstead(file.lines[i], copies, hidden.behind, [&](qsizetype c) {
      return !taken[size_t(c)] && platform::sortKey(copies[c]) < key;
    });
    if (ahead >= 0) taken[size_t(ahead)] = true;
    file.lines[i] = ahead >= 0 ? copies[ahead] : line;
  }
  inListOrder(file.lines, [](const QString& line) { return line; });
  return file;
}

QString discsNoLongerHeldText(const QStringList& codes) {
  constexpr qsizetype kNamed = 10;
  const bool one = codes.size() == 1;
  QString text = one ? QStringLiteral("This list ticks a disc that the database no longer holds:")
                     : QStringLiteral("This list ticks discs that the database no longer holds:");
  for (qsizetype i = 0; i < std::min(kNamed, codes.size()); ++i) text += QLatin1Char('\r') + codes[i];
  if (codes.size() > kNamed) text += QStringLiteral("\rand %1 more").arg(codes.size() - kNamed);
  return text + (one ? QStringLiteral("\r\rCreate List leaves its songs out.")
                     : QStringLiteral("\r\rCreate List leaves their songs out."));
}

SongListFile deletedSongList(SongListFile file, const std::vector<DiscItem>& ticked,
                             const std::vector<std::optional<LineRecord>>& records, const QByteArray& tracks,
                             const QString& disc, const QString& track, bool discGoes, const HiddenCopies& hidden) {
  const QString gone = common::discIdentity(disc);
  if (discGoes) {
    file.discs.clear();
    for (const DiscItem& item : ticked)
      if (common::discIdentity(item.code()) != gone)
        file.discs << common::padRight(item.code(), kCodeLength) + item.reference();
  }
  const std::optional<Sort> sort = sortOfKeyword(file.sortKeyword);
  if (!sort) return file;
  const qsizetype shown = file.lines.size();
  const std::vector<ListLine> named = namedLines(file.lines, *sort, records, hidden);
  const std::vector<DiscMatch> discs = discsOfLines(tracks, named);
  const QByteArray goneTrack = platform::cp1252::encode(track);
  const std::string_view goneNumber = trackIdentity({goneTrack.constData(), size_t(goneTrack.size())});
  const auto goes = [&](size_t i) {
    const DiscMatch& m = discs[i];
    const QByteArray lineTrack = platform::cp1252::encode(named[i].track);
    return m.discs.size() == 1 && common::discIdentity(m.discs[0]) == gone &&
           (track.isEmpty() || trackIdentity({lineTrack.constData(), size_t(lineTrack.size())}) == goneNumber);
  };
  QStringList kept;
  std::vector<bool> back(size_t(hidden.lines.size()), false);
  bool copyBack = false;
  for (qsizetype i = 0; i < shown; ++i) {
    if (!goes(size_t(i))) {
      kept << file.lines[i];
      continue;
    }
    const qsizetype copy = copyShownInstead(file.lines[i], hidden.lines, hidden.behind,
                                            [&](qsizetype c) { return !back[size_t(c)] && !goes(size_t(shown + c)); });
    if (copy < 0) continue;
    back[size_t(copy)] = copyBack = true;
    kept << hidden.lines[copy];
  }
  file.lines = kept;
  if (copyBack) inListOrder(file.lines, [](const QString& line) { return line; });
  return file;
}

std::optional<QStringList> readSongListValues(const QString& path) {
  auto lines = platform::readLines(path);
  if (!lines) return std::nullopt;
  QStringList values;
  values.reserve(lines->size());
  for (const QString& line : *lines) {
    QString value;
    common::splitFields(line.constData(), line.size(), [&](qsizetype start, qsizetype len) {
      value = line.mid(start, len);
      return false;  // one value a line
    });
    values.append(value);
  }
  return values;
}

int songListVersion(const QString& firstValue) {
  if (firstValue == kFileHeader2) return 2;
  if (firstValue == kFileHeader1) return 1;
  return 0;
}

QString notMellowdexMessage(const QString& path) {
  return path + kNotMellowdex + QStringLiteral("\r\rPlease try again using the correct file");
}

QString unreadableSongListMessage(const QString& path) { return unreadableText(QStringLiteral("The file ") + path); }

QString withMdqExtension(const QString& typed) {
  QString name = typed;
  if (common::Right(name, 4).toLower() == QLatin1String(".mdq")) name.chop(4);
  return name + QStringLiteral(".mdq");
}

QString storableHeader(const QString& header) { return common::storableValue(header); }

QStringList mergedValues(const QStringList& first, const QStringList& second) {
  QStringList out{kFileHeader1, second.value(1), second.value(2)};
  const char* flags[] = {"MF", "REF", "DUP"};
  for (int i = 0; i < 3; ++i) {
    const QString on = QString::fromLatin1(flags[i]) + QStringLiteral(" TRUE");
    const QString a = first.value(3 + i), b = second.value(3 + i);
    out << ((a != b || (a == on && b == on)) ? on : QString::fromLatin1(flags[i]) + QStringLiteral(" FALSE"));
  }
  for (const QStringList* f : {&first, &second})
    for (qsizetype i = 6; i < f->size() && f->at(i) != kSeparator; ++i) out << f->at(i);
  return out;
}

}  // namespace catalogue
