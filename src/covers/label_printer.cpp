#include "covers/label_printer.h"

#include "common/text_helpers.h"
#include "platform/core/font_faces.h"

namespace covers {

QString faceListEntry(const QString& face) { return common::UCase(platform::plainFamily(face)); }

QStringList faceListEntries(const QStringList& families) {
  QStringList out;
  for (const QString& family : families) {
    const QString name = faceListEntry(family);
    if (!out.contains(name)) out << name;
  }
  if (!out.contains(kPresetFace)) out << kPresetFace;
  return out;
}

QStringList printerFaceNames() { return faceListEntries(platform::installedFamilies()); }

}  // namespace covers
