// The one rule for what the user puts into a box whose text becomes a line of a data file (or of
// a printed page): what comes in is cleaned or refused where it comes in, typed or pasted alike.
#pragma once

#include <QString>

#include <optional>

namespace platform {
class ComboBox;
class TextBox;
}  // namespace platform

namespace windows {

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
// character for one), so a paste gives what typing the same text gives; the characters whose keys
// the box drops (`dropped`) are left out of a paste too. Text set from code is taken as it is (a
// record read from a file keeps what it holds).
enum class Letters { AsPut, Capitals };
void refuseUnstorableTyping(platform::TextBox& box, const QString& what, const QString& title,
                            Letters letters = Letters::AsPut, const QString& dropped = {});
// The same for control characters alone: for a box whose text is printed rather than stored, and
// for the search box, whose text is checked against the code page when it is searched.
void keepOneLine(platform::TextBox& box, const QString& what, const QString& title);
void keepOneLine(platform::ComboBox& box, const QString& what, const QString& title, Letters letters);

}  // namespace windows
