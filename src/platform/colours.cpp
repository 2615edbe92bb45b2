#include "platform/colours.h"

#include <QApplication>
#include <QPalette>

namespace platform {
namespace {

// The system colour indexes the program can meet, mapped to the palette roles of this desktop.
bool systemRole(int index, QPalette::ColorGroup& group, QPalette::ColorRole& role) {
  group = QPalette::Active;
  switch (index) {
    case 5: role = QPalette::Base; return true;             // window background
    case 8: role = QPalette::Text; return true;             // window text
    case 15: role = QPalette::Button; return true;          // button face
    case 18: role = QPalette::ButtonText; return true;      // button text
    case 13: role = QPalette::Highlight; return true;       // highlight
    case 14: role = QPalette::HighlightedText; return true; // highlighted text
    case 12: role = QPalette::Window; return true;          // application workspace
    case 17: group = QPalette::Disabled; role = QPalette::Text; return true;  // grey text
    default: return false;
  }
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
    if (systemRole(value & 0xFF, g, r)) return QApplication::palette().color(g, r);
    return {};
  }
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 fromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

}  // namespace platform
