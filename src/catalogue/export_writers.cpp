#include "catalogue/export_writers.h"

#include "catalogue/track_file.h"
#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/core/text_file.h"

#include <QSet>

using catalogue::Sort;

namespace catalogue {

const QString kExportFilter = QStringLiteral("Comma delimited text file (*.csv)|*.csv|Web Page (*.htm)|*.htm");
const QString kUpdateFileHeader = QStringLiteral("Mellowdex Update File ");
const QString kUpdateFileFilter = QStringLiteral("Mellowdex Update File (*.kup)|*.kup");

QString noColumnsRefusal(const QString& command) {
  return QStringLiteral("Show MF Code or Use my Disc Codes must be selected to ") + command;
}

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString headingOf(char letter) {
  switch (letter) {
    case 'A': return QStringLiteral("ARTIST");
    case 'S': return QStringLiteral("SONG");
    case 'M': return QStringLiteral("MF CODE");
    case 'D': return QStringLiteral("DISC");
    case 'T': return QStringLiteral("TRACK");
    default: return {};
  }
}

bool endsWithNoCase(const QString& s, const char* ending) {
  return s.endsWith(QLatin1String(ending), Qt::CaseInsensitive);
}

QString csvField(const QString& field) {
  if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\r')) &&
      !field.contains(QLatin1Char('\n')))
    return field;
  QString quoted = field;
  quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Text for the page: markup characters and anything beyond plain ASCII as character references,
// so the page reads the same whatever character set the browser assumes.
QString htmlText(const QString& s) {
  QString out;
  out.reserve(s.size());
  for (const QChar c : s) {
    switch (c.unicode()) {
      case '&': out += QLatin1String("&amp;"); break;
      case '<': out += QLatin1String("&lt;"); break;
      case '>': out += QLatin1String("&gt;"); break;
      case '"': out += QLatin1String("&quot;"); break;
      default:
        if (c.unicode() < 0x80) out += c;
        else out += QStringLiteral("&#%1;").arg(c.unicode());
    }
  }
  return out;
}

}  // namespace

std::vector<ListColumn> listColumns(std::optional<Sort> sort, bool showCodes, bool useNumbers) {
  if (!sort || (!showCodes && !useNumbers)) return {};
  if (*sort == Sort::MfCode && !showCodes) return {};  // a list in the code layout always shows codes
  const auto& layout = catalogue::layoutColumns(*sort);
  std::vector<ListColumn> out;
  for (size_t i = 0; i < layout.size(); ++i) {
    const catalogue::Column& c = layout[i];
    if (c.letter == 'g' || (c.letter == 'M' && !showCodes) || (c.letter == 'D' && !useNumbers)) continue;
    int width = c.width;
    // In the code layout the track is cut together with the blank gap after it.
    if (*sort == Sort::MfCode && c.letter == 'T' && i + 1 < layout.size() && layout[i + 1].letter == 'g')
      width += layout[i + 1].width;
    out.push_back({headingOf(c.letter), c.start, width});
  }
  return out;
}

QStringList lineFields(const std::vector<ListColumn>& columns, const QString& line) {
  QStringList fields;
  fields.reserve(qsizetype(columns.size()));
  for (const ListColumn& c : columns) fields << common::Trim(common::Mid(line, c.start, c.width));
  return fields;
}

QString clipboardListText(const std::vector<ListColumn>& columns, const QStringList& lines) {
  if (columns.empty()) return {};
  const QString tab = QStringLiteral("\t");
  QStringList headings;
  for (const ListColumn& c : columns) headings << c.heading;
  QString text = headings.join(tab) + kCrLf;
  for (const QString& line : lines) {
    // A tab inside a field would start a column of its own where the text is pasted: a blank.
    QStringList fields = lineFields(columns, line);
    for (QString& field : fields) field.replace(tab, QStringLiteral(" "));
    text += fields.join(tab) + kCrLf;
  }
  return text;
}

ExportTarget exportTarget(const QString& typed) {
  if (endsWithNoCase(typed, ".htm") || endsWithNoCase(typed, ".html")) return {typed, ExportFormat::Html};
  if (endsWithNoCase(typed, ".csv")) return {typed, ExportFormat::Csv};
  return {typed + QStringLiteral(".csv"), ExportFormat::Csv};
}

QString csvExportText(const std::vector<ListColumn>& columns, const QStringList& lines) {
  QStringList headings;
  for (const ListColumn& c : columns) headings << c.heading;
  QString text = headings.join(QLatin1Char(',')) + kCrLf;
  for (const QString& line : lines) {
    QStringList fields = lineFields(columns, line);
    for (QString& f : fields) f = csvField(f);
    text += fields.join(QLatin1Char(',')) + kCrLf;
  }
  return text;
}

QString htmlExportText(const std::vector<ListColumn>& columns, const QStringList& lines, const QString& webHost,
                       const QString& webPage) {
  const QString href = QLatin1Char('"') + webPage + QLatin1Char('"');
  QStringList page;
  page << QStringLiteral("<HTML>") << QStringLiteral("<HEAD><TITLE>Mellowdex</TITLE></HEAD>")
       << QStringLiteral("<meta name=\"keywords\" content = \"Mellowdex, ") + webHost + QStringLiteral("\" > ")
       << QStringLiteral("<BODY>") << QStringLiteral("<H1 align=\"Center\">Mellowdex</H1><P>")
       << QStringLiteral("<center>") << QStringLiteral("<TABLE BORDER=1 cellpadding=\"3\">");
  QStringList headingCells;
  for (const ListColumn& c : columns)
    headingCells << QStringLiteral("<TD><b>") + c.heading + QStringLiteral("</b></TD>");
  page << QStringLiteral("<TR> ") + headingCells.join(QLatin1Char(' ')) + QStringLiteral(" </TR>");
  for (const QString& line : lines) {
    QStringList cells;
    for (const QString& f : lineFields(columns, line)) cells << htmlText(f);
    page << QStringLiteral("<TR> <TD>") + cells.join(QStringLiteral("</TD> <TD>")) + QStringLiteral("</TD> </TR>");
  }
  page << QStringLiteral("</TABLE>") << QStringLiteral("</center>")
       << QStringLiteral("<p align=\"center\"><font size=\"2\">Created with <a href=") + href +
              QStringLiteral(">Mellowdex</a></font><a href=") + href + QStringLiteral(">.</a></p>")
       << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
  return platform::joinLines(page);
}

QString withKupExtension(const QString& typed) {
  if (endsWithNoCase(typed, ".kup")) return typed.left(typed.size() - 4) + QStringLiteral(".kup");
  return typed + QStringLiteral(".kup");
}

UpdateFileTracks updateFileTracks(Sort sort, const QStringList& lines,
                                  const std::vector<std::optional<LineRecord>>& records,
                                  const QByteArray& trackFileBytes, const QSet<QByteArray>& tickedDiscs) {
  const auto cut = [sort](const QString& line, char letter) {
    const catalogue::Column& c = catalogue::columnOf(sort, letter);
    return common::Mid(line, c.start, c.width);
  };
  UpdateFileTracks out;
  std::vector<ListLine> named;
  std::vector<qsizetype> rows;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString code = cut(lines[i], 'M');
    if (common::Trim(code).isEmpty()) {
      ++out.withoutCode;
      continue;
    }
    const std::optional<LineRecord>& own = size_t(i) < records.size() ? records[size_t(i)] : std::nullopt;
    named.push_back(own ? ListLine{code, own->track, own->code, cut(lines[i], 'S'), cut(lines[i], 'A')}
                        : ListLine{code, cut(lines[i], 'T'), std::nullopt, cut(lines[i], 'S'), cut(lines[i], 'A')});
    rows.push_back(i);
  }
  const std::vector<DiscMatch> discs = discsOfLines(trackFileBytes, named);
  // One disc and track, by their identities whatever blanks or zeros a record stores them with.
  const auto trackKey = [](std::string_view code, std::string_view track) {
    const std::string_view disc = common::discIdentity(code), number = trackIdentity(track);
    return QByteArray(disc.data(), qsizetype(disc.size())) + '\0' + QByteArray(number.data(), qsizetype(number.size()));
  };
  const auto bytes = [](const QByteArray& b) { return std::string_view(b.constData(), size_t(b.size())); };

  QSet<QByteArray> seen, shown;
  for (size_t k = 0; k < named.size(); ++k) {
    const ListLine& l = named[k];
    const QString& line = lines[rows[k]];
    const DiscMatch& m = discs[k];
    const QByteArray lineTrack = platform::cp1252::encode(l.track);
    for (const QString& disc : m.discs) shown.insert(trackKey(bytes(platform::cp1252::encode(disc)), bytes(lineTrack)));
    if (m.discs.size() > 1) {
      out.severalDiscs << common::RTrim(l.shownCode) + QStringLiteral(" track ") + l.track + QStringLiteral(" (") +
                              common::Trim(cut(line, 'S')) + QStringLiteral(") fits ") +
                              m.discs.join(QStringLiteral(", "));
      continue;
    }
    // A line whose record is gone (its track deleted, its disc's code changed) is never written
    // from its own text: the file would put back on every copy what this one took away.
    if (m.discs.empty()) {
      out.noLongerHeld << noLongerHoldsText(l.storedCode.value_or(l.shownCode), l.track, l.song, l.artist, false);
      continue;
    }
    if (!m.holdsLine) {
      out.noLongerHeld << noLongerHoldsText(m.discs[0], l.track, l.song, l.artist, false);
      continue;
    }
    const QStringList& fields = m.record;
    common::TrackRecord r;
    r.code = common::padRight(fields[0], common::kCodeWidth);
    r.track = common::padRight(fields[1], common::kTrackWidth);
    r.title = common::fitWidth(fields[2], common::kTitleWidth);
    r.artist = common::fitWidth(fields[3], common::kArtistWidth);
    const QByteArray key =
        trackKey(bytes(platform::cp1252::encode(fields[0])), bytes(platform::cp1252::encode(fields[1])));
    if (seen.contains(key)) continue;
    seen.insert(key);
    out.tracks.push_back(r);
  }
  QSet<QByteArray> hidden;
  if (!tickedDiscs.isEmpty())
    forEachRecord(trackFileBytes, [&](const RecordBytes& r) {
      const std::string_view disc = common::discIdentity(r.code);
      if (!tickedDiscs.contains(QByteArray::fromRawData(disc.data(), qsizetype(disc.size())))) return true;
      if (const QByteArray key = trackKey(r.code, r.track); !shown.contains(key)) hidden.insert(key);
      return true;
    });
  out.hiddenTracks = int(hidden.size());
  return out;
}

QString updateFileText(const std::vector<common::TrackRecord>& tracks) {
  QStringList lines;
  lines.reserve(qsizetype(tracks.size()) + 1);
  lines << common::writeRecord({kUpdateFileHeader});
  for (const common::TrackRecord& t : tracks) lines << t.toLine();
  return platform::joinLines(lines);
}

}  // namespace catalogue
