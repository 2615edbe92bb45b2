// The program's entry and the helpers shared by its windows.
#pragma once

#include <QString>

namespace platform {
class ComboBox;
class FormBase;
}  // namespace platform

namespace Module1 {

// Creates and shows the main window, opens the file named on the command line, and runs the
// program until the main window closes. Returns the exit code.
int Main(const QString& commandLine);

// The command-line argument as a file path: one pair of enclosing double quotes removed; an
// empty or all-blank argument is no file.
QString commandLineFile(const QString& commandLine);

// Gives a combo box's dropped-down list the given number of visible rows.
void Set_Combo_Height(platform::FormBase& window, platform::ComboBox& combo, int rows);

}  // namespace Module1
