// The colour settings file mellowdex.ini: the back and text colours of the two lists, one
// signed decimal number a line.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace catalogue {

inline constexpr const char* kColourFile = "mellowdex.ini";

// The four values as read (back and text of the disc list, back and text of the song list);
// nothing when the file is missing or holds fewer than four values.
std::optional<std::array<QString, 4>> readColourValues(const QString& path);

// A value as a colour number, or nothing when it names no colour.
std::optional<qint32> colourFromText(const QString& text);

// The file's text for the four colours.
QString colourFileText(const std::array<qint32, 4>& colours);

}  // namespace catalogue
