// Copying the song list to the clipboard, exporting it, and writing an update file from it.
#include "catalogue/database.h"
#include "catalogue/export_writers.h"
#include "catalogue/song_list_file.h"
#include "catalogue/track_file.h"
#include "platform/busy.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/text_file.h"
#include "windows/file_prompts.h"
#include "windows/main/form1.h"

#include <QClipboard>
#include <QGuiApplication>

using platform::msg::OKOnly;

namespace {

const QString kCopyTitle = QStringLiteral("Copy List To Clipboard");
const QString kExportTitle = QStringLiteral("Export");
const QString kUpdateFileTitle = QStringLiteral("Make Update");
const QString kNoColumnsToExport = catalogue::noColumnsRefusal(QStringLiteral("Export"));

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
    const QString text = catalogue::exportTarget(*name).format == catalogue::ExportFormat::Html
                             ? catalogue::htmlExportText(columns, lines, kWebAddress,
                                                          QStringLiteral("http://") + kWebAddress)
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
  auto tracks = catalogue::songListTracks(*sort, List2.items());
  if (tracks.empty()) {
    // Only the disc code ties a line to its disc: a list made without the codes names no track.
    platform::prompts().msgBox(QStringLiteral("Show MF Code must be selected to create an update file"), OKOnly,
                               kUpdateFileTitle);
    return;
  }
  catalogue::FileBytes database;
  if (database.open(catalogue::trackFilePath())) catalogue::useStoredRecords(tracks, database.bytes());
  const QString text = catalogue::updateFileText(tracks);

  platform::FileDialogRequest req;
  req.title = QStringLiteral("Create update file from Song List");
  req.filter = catalogue::kUpdateFileFilter;
  while (true) {
    const auto name = windows::askWriteName(req, catalogue::withKupExtension, kUpdateFileTitle);
    if (!name) return;
    if (writeFile(*name, text, kUpdateFileTitle)) {
      platform::prompts().msgBox(QStringLiteral("Update file has been successfully written to ") + *name, OKOnly,
                                 kUpdateFileTitle);
      return;
    }
  }
}
