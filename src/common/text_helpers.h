// String helpers with the program's own column semantics: 1-based positions, blanks-only
// trimming, one-to-one upper casing inside Windows-1252, numbers read from leading digits; and
// the control characters that no line of the program's files can hold.
#pragma once

#include <QString>

#include <string_view>

namespace common {

// 1-based substring; start past the end gives "", a negative length means "to the end".
QString Mid(const QString& s, int start, int length = -1);
QString Left(const QString& s, int length);
QString Right(const QString& s, int length);
// Removes leading and trailing blanks (spaces only; tabs and line ends stay).
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);
std::string_view RTrim(std::string_view s);  // the same over bytes as read
QString UCase(const QString& s);
QString LCase(const QString& s);
// Pads with blanks on the right or cuts to exactly `width` characters.
QString fitWidth(const QString& s, int width);
QString padRight(const QString& s, int width);  // pads only, never cuts
QString Space(int n);

// The numeric value of the leading part of the text: blanks, tabs and line feeds skipped
// wherever they stand, an optional sign, digits, an optional fraction and exponent; 0 when the
// text does not begin with a number.
double Val(const QString& s);
// Whether the whole text (surrounding blanks allowed) reads as a number.
bool IsNumeric(const QString& s);
// The number rounded half away from zero and written with at least four digits ("0007").
QString Format0000(double value);
// Same with a pattern of n zeros ("00" for two digits).
QString FormatZeros(double value, int digits);

// A line break: CR, LF, and the breaks a text copied from another program can hold (the next line
// U+0085, the line and paragraph separators U+2028 and U+2029), which none of the files keeps.
inline bool isLineBreak(QChar c) {
  const char16_t u = c.unicode();
  return u == u'\n' || u == u'\r' || u == 0x0085 || u == 0x2028 || u == 0x2029;
}
// A control character (below 32, 127, or a line break): a line break would split the line of a
// file that holds it, any other would hide in it. The user's values never bring one into a file.
inline bool isControl(QChar c) { return c.unicode() < 32 || c.unicode() == 127 || isLineBreak(c); }
// Where the first control character of the text stands, or -1.
qsizetype firstControl(const QString& text);
// A text pasted into a box of one line: the line breaks at its end dropped (a copied cell of a
// spreadsheet carries one) and each tab made a blank (as Copy List writes it). Any other control
// character stays, for the box to refuse.
QString pastedLine(const QString& text);
// The refusal of a control character in a value: "The song title cannot hold a line break."
// ("a tab", "a control character" for the others).
QString cannotHoldText(const QString& what, QChar control);
// The same for a character the file's code page has not: "The disc code cannot hold the character "Ł"."
QString cannotHoldCharacterText(const QString& what, const QString& character);
// A character as the messages name it: "the character "Ł"", or "a line break" for one.
QString characterText(const QString& character);
// The refusal of the value's first control character (cannotHoldText); empty when it holds none.
QString controlRefusal(const QString& value, const QString& what);

}  // namespace common
