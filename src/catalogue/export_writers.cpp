#include "catalogue/export_writers.h"

#include "catalogue/track_file.h"
#include "common/text_helpers.h"
#include "platform/text_file.h"

#include <QHash>

using catalogue::Sort;

namespace catalogue {

const QString kExportFilter =
    QStringLiteral("Comma delimited text file (*.csv)|*.csv|Web Page (*.htm)|*.htm");
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
  if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
      !field.contains(QLatin1Char('\r')) && !field.contains(QLatin1Char('\n')))
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

// A track as the update file and the track file identify it: disc code in capitals, track.
QString trackKey(const QString& code, const QString& track) {
  return common::UCase(common::fitWidth(code, common::kCodeWidth)) + common::fitWidth(track, common::kTrackWidth);
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
  for (const ListColumn& c : columns) headingCells << QStringLiteral("<TD><b>") + c.heading + QStringLiteral("</b></TD>");
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

std::vector<common::TrackRecord> songListTracks(Sort sort, const QStringList& lines) {
  const auto cut = [sort](const QString& line, char letter) {
    const catalogue::Column& c = catalogue::columnOf(sort, letter);
    return common::Mid(line, c.start, c.width);
  };
  std::vector<common::TrackRecord> tracks;
  QHash<QString, bool> seen;
  for (const QString& line : lines) {
    const QString code = cut(line, 'M');
    if (common::Trim(code).isEmpty()) continue;
    const common::TrackRecord r =
        common::TrackRecord::fromFields({code, cut(line, 'T'), cut(line, 'S'), cut(line, 'A')});
    const QString key = trackKey(r.code, r.track);
    if (seen.contains(key)) continue;
    seen.insert(key, true);
    tracks.push_back(r);
  }
  return tracks;
}

void useStoredRecords(std::vector<common::TrackRecord>& tracks, const QByteArray& trackFileBytes) {
  QHash<QString, size_t> wanted;
  for (size_t i = 0; i < tracks.size(); ++i) wanted.insert(trackKey(tracks[i].code, tracks[i].track), i);
  catalogue::forEachRecord(trackFileBytes, [&](const catalogue::RecordBytes& r) {
    const auto found = wanted.find(trackKey(catalogue::fieldText(r.code, common::kCodeWidth),
                                            catalogue::fieldText(r.track, common::kTrackWidth)));
    if (found == wanted.end()) return true;
    common::TrackRecord& t = tracks[found.value()];
    t.code = catalogue::fieldText(r.code, common::kCodeWidth);
    t.track = catalogue::fieldText(r.track, common::kTrackWidth);
    t.title = catalogue::fieldText(r.title, common::kTitleWidth);
    t.artist = catalogue::fieldText(r.artist, common::kArtistWidth);
    wanted.erase(found);  // the first record of a disc and track is the one the database uses
    return !wanted.isEmpty();
  });
}

QString updateFileText(const std::vector<common::TrackRecord>& tracks) {
  QStringList lines;
  lines.reserve(qsizetype(tracks.size()) + 1);
  lines << common::writeRecord({kUpdateFileHeader});
  for (const common::TrackRecord& t : tracks) lines << t.toLine();
  return platform::joinLines(lines);
}

}  // namespace catalogue
