// Copying the song list to the clipboard, exporting it, and writing an update file from it.
#include "catalogue/database.h"
#include "catalogue/export_writers.h"
#include "catalogue/song_list_file.h"
#include "catalogue/track_file.h"
#include "common/records.h"
#include "platform/core/cp1252.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"
#include "platform/ui/busy.h"
#include "platform/ui/prompts.h"
#include "windows/file_prompts.h"
#include "windows/main/form1.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

using platform::msg::OKOnly;

namespace {

const QString kCopyTitle = QStringLiteral("Copy List To Clipboard");
const QString kExportTitle = QStringLiteral("Export");
const QString kUpdateFileTitle = QStringLiteral("Make Update");
const QString kNoColumnsToExport = catalogue::noColumnsRefusal(QStringLiteral("Export"));

const QString kNoUpdateFileText =
    QStringLiteral("No update file has been written: no line names one track that still holds it.");

// The lines an update file was written without, one a line, the first ten of each kind named; after
// lines whose track no longer holds them, once, what brings the list up to date.
QString leftOutLines(const catalogue::UpdateFileTracks& made) {
  constexpr qsizetype kNamed = 10;
  QString text;
  const auto name = [&](const QStringList& lines, const QString& more) {
    for (qsizetype i = 0; i < std::min(kNamed, lines.size()); ++i) text += QLatin1Char('\r') + lines[i];
    if (lines.size() > kNamed) text += QStringLiteral("\rand %1 more ").arg(lines.size() - kNamed) + more;
  };
  name(made.severalDiscs, QStringLiteral("that fit more than one disc"));
  name(made.noLongerHeld, QStringLiteral("whose track no longer holds them"));
  if (made.withoutCode > 0) text += QStringLiteral("\r%1 showing no disc code").arg(made.withoutCode);
  if (!made.noLongerHeld.isEmpty()) text += QLatin1Char('\r') + catalogue::kListUpToDateText;
  return text;
}

// Tracks of the ticked discs that no line shows (Hide Duplicates, Hide Vocal Tracks or hidden by
// hand) are not in the file: a file called complete must say so.
QString hiddenTracksText(int hidden) {
  if (hidden == 0) return QString();
  return QStringLiteral("\r%1 %2 of the ticked discs that the list hides %3 not in it.")
      .arg(hidden)
      .arg(hidden == 1 ? QStringLiteral("track") : QStringLiteral("tracks"))
      .arg(hidden == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}

void putOnClipboard(const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(text);
}

// Writes the file whole or not at all; tells the user when it could not be written.
bool writeFile(const QString& path, const QString& text, const QString& title) {
  const platform::WriteResult written = platform::replaceFile(path, text);
  if (!written) windows::reportWriteFailure(written, path, title);
  return bool(written);
}

}  // namespace

void Form1::Copy_List() {
  if (List2.ListCount() == 0) {
    platform::prompts().msgBox(QStringLiteral("Nothing to copy, please create a list first"), OKOnly, kCopyTitle);
    return;
  }
  const auto columns = catalogue::listColumns(currentSort(), Check1.Value() == 1, Check2.Value() == 1);
  if (columns.empty()) {
    // Without a column set there is nothing to copy; the clipboard keeps what it holds.
    platform::prompts().msgBox(catalogue::noColumnsRefusal(QStringLiteral("Copy")), OKOnly, kCopyTitle);
    return;
  }
  showBusyPointer();
  platform::letEventsThrough();
  putOnClipboard(catalogue::clipboardListText(columns, List2.items()));
  setMousePointer(platform::MousePointer::Default);
  platform::letEventsThrough();
  platform::prompts().msgBox(QStringLiteral("List has been copied"), OKOnly, kCopyTitle);
}

void Form1::mnuExport_Click() {
  if (Check1.Value() == 0 && Check2.Value() == 0) {
    platform::prompts().msgBox(kNoColumnsToExport, OKOnly, kExportTitle);
    return;
  }
  if (List2.ListCount() == 0) cmdGet_Tracks_Click();
  // Create List has said why when it made nothing; an empty file would help no one.
  if (List2.ListCount() == 0) return;
  const auto columns = catalogue::listColumns(currentSort(), Check1.Value() == 1, Check2.Value() == 1);
  if (columns.empty()) {
    platform::prompts().msgBox(kNoColumnsToExport, OKOnly, kExportTitle);
    return;
  }

  platform::FileDialogRequest req;
  req.title = QStringLiteral("Export Song List");
  req.filter = catalogue::kExportFilter;
  while (true) {
    const auto name = windows::askWriteName(
        req, [](const QString& typed) { return catalogue::exportTarget(typed).path; }, kExportTitle);
    if (!name) return;
    const QStringList lines = List2.items();
    const QString text =
        catalogue::exportTarget(*name).format == catalogue::ExportFormat::Html
            ? catalogue::htmlExportText(columns, lines, kWebAddress, QStringLiteral("http://") + kWebAddress)
            : catalogue::csvExportText(columns, lines);
    if (writeFile(*name, text, kExportTitle)) {
      platform::prompts().msgBox(QStringLiteral("List has been successfully exported to ") + *name, OKOnly,
                                 kExportTitle);
      return;
    }
    // As after any failed write, the dialog comes again.
  }
}

void Form1::mnuUpdate_File_Click() {
  if (List2.ListCount() == 0) cmdGet_Tracks_Click();
  if (List2.ListCount() == 0) return;
  const auto sort = currentSort();
  if (!sort) return;
  // Each line is written from the database's own record of its track, which is read first: a
  // file that cannot be read leaves nothing to write.
  const QString path = catalogue::trackFilePath();
  catalogue::FileBytes database;
  if (!database.open(path)) {
    windows::reportUnreadable(path, kUpdateFileTitle);
    return;
  }
  QSet<QByteArray> ticked;
  for (const catalogue::DiscItem& item : tickedDiscItems())
    ticked.insert(common::discIdentity(platform::cp1252::encode(item.code())));
  const catalogue::UpdateFileTracks made =
      catalogue::updateFileTracks(*sort, List2.items(), lineRecords(), database.bytes(), ticked);
  if (made.tracks.empty()) {
    // Only the disc code ties a line to its disc: a list made without the codes names no track.
    platform::prompts().msgBox(made.severalDiscs.isEmpty() && made.noLongerHeld.isEmpty()
                                   ? QStringLiteral("Show MF Code must be selected to create an update file")
                                   : kNoUpdateFileText + leftOutLines(made),
                               OKOnly, kUpdateFileTitle);
    return;
  }
  const QString text = catalogue::updateFileText(made.tracks);

  platform::FileDialogRequest req;
  req.title = QStringLiteral("Create update file from Song List");
  req.filter = catalogue::kUpdateFileFilter;
  while (true) {
    const auto name = windows::askWriteName(req, catalogue::withKupExtension, kUpdateFileTitle);
    if (!name) return;
    if (writeFile(*name, text, kUpdateFileTitle)) {
      // Success only when every line reached the file.
      const bool whole = made.severalDiscs.isEmpty() && made.noLongerHeld.isEmpty() && made.withoutCode == 0;
      platform::prompts().msgBox((whole ? QStringLiteral("Update file has been successfully written to ") + *name
                                        : QStringLiteral("Update file has been written to ") + *name +
                                              QStringLiteral(" without these lines:") + leftOutLines(made)) +
                                     hiddenTracksText(made.hiddenTracks),
                                 OKOnly, kUpdateFileTitle);
      return;
    }
  }
}
