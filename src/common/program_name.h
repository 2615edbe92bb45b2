// The program's name: the application's, the title of the main window's messages and of the
// song-list file dialogs, and the heading of the printed selection sheet.
#pragma once

#include <QString>

namespace common {

inline QString programName() { return QStringLiteral("Mellowdex"); }

}  // namespace common
