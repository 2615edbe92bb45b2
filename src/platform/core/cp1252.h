// Single-byte Windows-1252 text: the encoding of every data and settings file.
// One byte is one character, so the fixed column widths of the files hold in QString too.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace platform::cp1252 {

QChar toChar(unsigned char byte);
// Characters outside the code page become '?'.
unsigned char toByte(QChar ch);
// Where the first character outside the code page stands in the text, or -1.
qsizetype firstOutside(const QString& text);
// That character itself (a pair of surrogates is one), or the empty text.
QString firstCharacterOutside(const QString& text);

QString decode(const QByteArray& bytes);
QString decode(const char* data, qsizetype size);
QByteArray encode(const QString& text);

// Upper and lower case inside the code page, one character to one ("ß" has no
// single-character capital and stays as it is).
unsigned char upperByte(unsigned char byte);
unsigned char lowerByte(unsigned char byte);
QChar upper(QChar ch);
QChar lower(QChar ch);

}  // namespace platform::cp1252
