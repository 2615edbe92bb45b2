// Colours in the stored number form: an RGB value with red in the low byte, or a system colour
// (high bit set, the system colour's index in the low byte).
#pragma once

#include <QColor>
#include <QtGlobal>

namespace platform {

constexpr qint32 kSystemWindowBackground = qint32(0x80000005u);
constexpr qint32 kSystemWindowText = qint32(0x80000008u);

// Whether the number names a colour at all (an RGB value or a known system colour).
bool isValidColour(qint64 value);
QColor toQColor(qint32 value);
qint32 fromQColor(const QColor& colour);

}  // namespace platform
