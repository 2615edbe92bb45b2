#include "windows/file_prompts.h"

#include "catalogue/database.h"
#include "catalogue/song_list_file.h"
#include "common/program_name.h"

#include <QFileInfo>

namespace windows {

const QString kReadOnlyText = QStringLiteral("This file is read only. Please use another file name");
const QString kReadOnlyTitle = QStringLiteral("Read Only File");

std::optional<QString> askWriteName(const platform::FileDialogRequest& req,
                                    const std::function<QString(const QString&)>& nameFor, const QString& title,
                                    const RefusedName& refused) {
  platform::FileDialogRequest request = req;
  request.overwritePrompt = false;  // asked below, for the name actually written
  while (true) {
    const auto typed = platform::prompts().saveFile(request);
    if (!typed || typed->isEmpty() || *typed == request.fileName) return std::nullopt;
    const QString name = nameFor(*typed);
    const QFileInfo info(name);
    if (!info.exists() || info.isDir() || (refused && refused(name))) return name;
    const int answer = platform::prompts().msgBox(
        name + QStringLiteral(" already exists.\n\rDo you want to replace it?"),
        platform::msg::YesNo + platform::msg::Exclamation + platform::msg::DefaultButton2, title);
    if (answer == platform::msg::Yes) return name;
  }
}

platform::FileDialogRequest songListFileRequest() {
  platform::FileDialogRequest req;
  req.title = common::programName();
  req.fileName = QStringLiteral("*.mdq");
  return req;
}

std::optional<QString> askSongListSaveName(const RefusedName& refused) {
  const platform::FileDialogRequest req = songListFileRequest();
  return askWriteName(req, catalogue::withMdqExtension, req.title, refused);
}

QString writeFailureText(const platform::WriteResult& result, const QString& path) {
  if (result.noFolder)
    return QStringLiteral("The folder ") + QFileInfo(path).absolutePath() +
           QStringLiteral(" does not exist.\n\rPlease choose another folder.");
  if (result.readOnly) return kReadOnlyText;
  return catalogue::unwritableText(QStringLiteral("The file ") + path, result.error);
}

void reportWriteFailure(const platform::WriteResult& result, const QString& path, const QString& title) {
  if (result.readOnly && !result.noFolder)
    platform::prompts().msgBox(kReadOnlyText, platform::msg::OKOnly, kReadOnlyTitle);
  else
    platform::prompts().msgBox(writeFailureText(result, path), platform::msg::OKOnly + platform::msg::Exclamation,
                               title);
}

void reportUnreadable(const QString& path, const QString& title) {
  platform::prompts().msgBox(catalogue::cannotReadText(path), platform::msg::OKOnly + platform::msg::Exclamation,
                             title);
}

}  // namespace windows
