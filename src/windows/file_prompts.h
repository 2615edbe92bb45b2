// What the windows ask and tell about the files they write and read: the name to write under,
// with the overwrite question, the messages of a failed write or an unreadable database file,
// and the refusal of text those files cannot hold.
#pragma once

#include "platform/core/text_file.h"
#include "platform/ui/prompts.h"

#include <QString>

#include <functional>
#include <optional>

namespace platform {
class TextBox;
}

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

// The same for a song-list file: the ".mdq" rule and the program's title.
std::optional<QString> askSongListSaveName(const RefusedName& refused = {});

// Tells the user why a file could not be written: a read-only target in the "Read Only File"
// box, any other failure in a box titled `title`.
void reportWriteFailure(const platform::WriteResult& result, const QString& path, const QString& title);

// Tells the user that a database file cannot be read, in an OK box with the given title.
void reportUnreadable(const QString& path, const QString& title);

// The data files are Windows-1252 text: any other character would be stored as "?". A text
// holding one is refused in a box titled `title` that names the first such character ("The
// <what> cannot hold the character "Ł"." and the line `retry`); true when it was refused.
extern const QString kRetryWithout;  // "Please try again without it."
bool refuseUnstorable(const QString& text, const QString& what, const QString& title,
                      const QString& retry = kRetryWithout);

// A box whose text goes into those files refuses such a character where it is typed or pasted,
// with that message: the box keeps the text it had.
void refuseUnstorableTyping(platform::TextBox& box, const QString& what, const QString& title);

}  // namespace windows
