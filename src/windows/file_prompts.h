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
class ComboBox;
class TextBox;
}  // namespace platform

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

// Tells the user that a database file cannot be read, in an OK box with the given title.
void reportUnreadable(const QString& path, const QString& title);

// The data files are Windows-1252 text, one value a line. A text for such a line is taken as a
// pasted one is (common::pastedLine: the line breaks at its end dropped, tabs made blanks); it is
// refused when it still holds a control character ("The <what> cannot hold a line break.") or a
// character the code page has not ("The <what> cannot hold the character "Ł"."), in a box titled
// `title` that ends with the line `retry`. The text to use, or nothing when it was refused.
extern const QString kRetryWithout;  // "Please try again without it."
std::optional<QString> storableLine(const QString& text, const QString& what, const QString& title,
                                    const QString& retry = kRetryWithout);

// A box whose text goes into a line of those files takes what the user puts in (typed, pasted,
// dropped, composed) by the same rule where it comes in: a line break at the end of a pasted text is
// dropped, a tab becomes a blank, and any other control character or a character the code page has
// not is refused with that message, the box keeping the text it had. A box whose typed keys are
// turned into capitals turns the rest of what is put in into them too (common::UCase, one
// character for one), so a paste gives what typing the same text gives. Text set from code is
// taken as it is (a record read from a file keeps what it holds).
enum class Letters { AsPut, Capitals };
void refuseUnstorableTyping(platform::TextBox& box, const QString& what, const QString& title,
                            Letters letters = Letters::AsPut);
// The same for control characters alone: for a box whose text is printed rather than stored, and
// for the search box, whose text is checked against the code page when it is searched.
void keepOneLine(platform::TextBox& box, const QString& what, const QString& title);
void keepOneLine(platform::ComboBox& box, const QString& what, const QString& title, Letters letters);

}  // namespace windows
