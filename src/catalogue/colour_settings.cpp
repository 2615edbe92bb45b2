#include "catalogue/colour_settings.h"

#include "common/records.h"
#include "common/text_helpers.h"
#include "platform/core/colours.h"
#include "platform/core/files.h"
#include "platform/core/text_file.h"

namespace catalogue {

std::optional<std::array<QString, 4>> readColourValues(const QString& path) {
  auto lines = platform::readLines(path);
  if (!lines) return std::nullopt;
  common::FieldReader reader(std::move(*lines));
  std::array<QString, 4> values;
  for (auto& v : values) {
    if (reader.atEnd()) return std::nullopt;
    v = reader.next();
  }
  return values;
}

std::optional<qint32> colourFromText(const QString& text) {
  bool ok = false;
  const qint64 value = common::Trim(text).toLongLong(&ok);
  if (!ok || !platform::isValidColour(value)) return std::nullopt;
  return static_cast<qint32>(value);
}

QString colourFileText(const std::array<qint32, 4>& colours) {
  QStringList lines;
  for (qint32 c : colours) lines << QString::number(c);
  return platform::joinLines(lines);
}

}  // namespace catalogue
