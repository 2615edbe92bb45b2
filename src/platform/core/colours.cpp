#include "platform/core/colours.h"

#include <QGuiApplication>
#include <QPalette>

#include <iterator>

namespace platform {
namespace {

// Every system colour index of the old platform (0-24), mapped to the palette role of this
// desktop that plays its part.
bool systemRole(int index, QPalette::ColorGroup& group, QPalette::ColorRole& role) {
  struct Entry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
  };
  static constexpr Entry kRoles[] = {
      {QPalette::Active, QPalette::Button},             // 0 scroll bar
      {QPalette::Active, QPalette::Dark},               // 1 desktop
      {QPalette::Active, QPalette::Highlight},          // 2 active title bar
      {QPalette::Inactive, QPalette::Highlight},        // 3 inactive title bar
      {QPalette::Active, QPalette::Window},             // 4 menu bar
      {QPalette::Active, QPalette::Base},               // 5 window background
      {QPalette::Active, QPalette::Shadow},             // 6 window frame
      {QPalette::Active, QPalette::WindowText},         // 7 menu text
      {QPalette::Active, QPalette::Text},               // 8 window text
      {QPalette::Active, QPalette::HighlightedText},    // 9 active title bar text
      {QPalette::Active, QPalette::Window},             // 10 active border
      {QPalette::Inactive, QPalette::Window},           // 11 inactive border
      {QPalette::Active, QPalette::Window},             // 12 application workspace
      {QPalette::Active, QPalette::Highlight},          // 13 highlight
      {QPalette::Active, QPalette::HighlightedText},    // 14 highlighted text
      {QPalette::Active, QPalette::Button},             // 15 button face
      {QPalette::Active, QPalette::Dark},               // 16 button shadow
      {QPalette::Disabled, QPalette::Text},             // 17 grey text
      {QPalette::Active, QPalette::ButtonText},         // 18 button text
      {QPalette::Inactive, QPalette::HighlightedText},  // 19 inactive title bar text
      {QPalette::Active, QPalette::Light},              // 20 button highlight
      {QPalette::Active, QPalette::Shadow},             // 21 dark 3-D shadow
      {QPalette::Active, QPalette::Midlight},           // 22 light 3-D face
      {QPalette::Active, QPalette::ToolTipText},        // 23 tooltip text
      {QPalette::Active, QPalette::ToolTipBase},        // 24 tooltip background
  };
  if (index < 0 || index >= int(std::size(kRoles))) return false;
  group = kRoles[index].group;
  role = kRoles[index].role;
  return true;
}

}  // namespace

bool isValidColour(qint64 value) {
  if (value >= 0 && value <= 0xFFFFFF) return true;
  if (value < 0 && value >= qint64(qint32(0x80000000u)) && (value & 0x7FFFFF00) == 0) {
    QPalette::ColorGroup g;
    QPalette::ColorRole r;
    return systemRole(int(value & 0xFF), g, r);
  }
  return false;
}

QColor toQColor(qint32 value) {
  if (value < 0) {
    QPalette::ColorGroup g;
    QPalette::ColorRole r;
    if (systemRole(value & 0xFF, g, r)) return QGuiApplication::palette().color(g, r);
    return {};
  }
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 fromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

}  // namespace platform
