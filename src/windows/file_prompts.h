// What the windows ask and tell about the files they write and read: the name to write under,
// with the overwrite question, and the messages of a failed write or an unreadable database file.
#pragma once

#include "platform/core/text_file.h"
#include "platform/ui/prompts.h"

#include <QString>

#include <functional>
#include <optional>

namespace windows {

extern const QString kReadOnlyText;
extern const QString kReadOnlyTitle;

// Names the caller refuses itself once the dialog has given them (beside folders, which no
// write can replace): no overwrite question comes before the refusal.
using RefusedName = std::function<bool(const QString& name)>;

// Asks for the name to write a file under: the save dialog, `nameFor` turning the typed name into
// the name written, and the overwrite question (titled `title`) for that name; No shows the dialog
// again. A folder, or a name `refused` holds, comes back without a question, for the caller's
// refusal. Nothing when the user cancels (no name, or the preset name left as it was).
std::optional<QString> askWriteName(const platform::FileDialogRequest& req,
                                    const std::function<QString(const QString&)>& nameFor, const QString& title,
                                    const RefusedName& refused = {});

// The open and save dialogs of a song-list file: the program's title and "*.mdq" as the name.
platform::FileDialogRequest songListFileRequest();
// The same for a song-list file: the ".mdq" rule and the program's title.
std::optional<QString> askSongListSaveName(const RefusedName& refused = {});

// Tells the user why a file could not be written: a read-only target in the "Read Only File"
// box, any other failure in a box titled `title`.
void reportWriteFailure(const platform::WriteResult& result, const QString& path, const QString& title);
// What reportWriteFailure says.
QString writeFailureText(const platform::WriteResult& result, const QString& path);

// Tells the user that a database file cannot be read, in an OK box with the given title.
void reportUnreadable(const QString& path, const QString& title);

}  // namespace windows
