// What the label and case designers take from the printer: the face names their font lists
// offer, and the kind of maker that gives them the page they print on.
#pragma once

#include "platform/core/drawing_surface.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace covers {

// The face every designer presets; offered even where no face of that name is installed, so
// the preset always takes (it is drawn in the installed fixed-pitch face).
inline const QString kPresetFace = QStringLiteral("COURIER NEW");

// The entries of a face list for these installed families: upper case, without the makers'
// tags, each once, with the preset face among them.
QStringList faceListEntries(const QStringList& families);
// The same for the faces installed here.
QStringList printerFaceNames();
// A face name as a face list holds it: a name saved with a maker's tag is still found.
QString faceListEntry(const QString& face);

// Where a designer's page goes: made when Print is pressed; nothing when the user withdrew.
using PrinterFactory = std::function<std::shared_ptr<platform::DrawingSurface>()>;

}  // namespace covers
