// String helpers with the program's own column semantics: 1-based positions, blanks-only
// trimming, one-to-one upper casing inside Windows-1252, numbers read from leading digits.
#pragma once

#include <QString>

namespace common {

// 1-based substring; start past the end gives "", a negative length means "to the end".
QString Mid(const QString& s, int start, int length = -1);
QString Left(const QString& s, int length);
QString Right(const QString& s, int length);
// Removes leading and trailing blanks (spaces only; tabs and line ends stay).
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);
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

}  // namespace common
