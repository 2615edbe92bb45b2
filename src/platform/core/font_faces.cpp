#include "platform/core/font_faces.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace platform {

QString plainFamily(const QString& family) {
  QString name = family.trimmed();
  if (name.endsWith(QLatin1Char(']'))) {
    const qsizetype open = name.lastIndexOf(QLatin1Char('['));
    if (open > 0) name = name.left(open).trimmed();
  }
  return name;
}

namespace {
// An alias is matched to a family of another name. A family two makers ship is matched to one
// maker's tagged name ("C059" to "C059 [urw]"), which is still the same family.
bool isAlias(const QString& family) {
  return plainFamily(QFontInfo(QFont(family)).family()).compare(family, Qt::CaseInsensitive) != 0;
}
}  // namespace

QStringList installedFamilies() {
  // Matching every family takes a while on a system with many fonts, and the fonts do not
  // change while the program runs.
  static const QStringList families = [] {
    QStringList out;
    for (const QString& family : QFontDatabase::families()) {
      const QString name = plainFamily(family);
      bool listed = false;
      for (const QString& seen : out) listed = listed || seen.compare(name, Qt::CaseInsensitive) == 0;
      if (!listed && !isAlias(name)) out << name;
    }
    return out;
  }();
  return families;
}

}  // namespace platform
