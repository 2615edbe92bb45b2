// The installed font families as a user knows them, for the face lists of the windows.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// A family name without the maker's tag the font system adds when two makers ship a family of
// the same name: "C059 [URW]" is "C059".
QString plainFamily(const QString& family);

// The installed families in the font system's order, each once by its plain name, without the
// font system's aliases (names such as "Monospace" that stand for another installed family).
QStringList installedFamilies();

}  // namespace platform
