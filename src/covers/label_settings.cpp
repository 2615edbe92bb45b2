#include "covers/label_settings.h"

#include "common/text_helpers.h"
#include "platform/core/colours.h"
#include "platform/core/text_file.h"

#include <cmath>
#include <limits>

namespace covers {

namespace {
constexpr double kLargestFontSize = 2048;
}

QString settingsNumber(double value) {
  QString digits;
  if (std::floor(value) == value && std::fabs(value) < 1e15) {
    digits = QString::number(qint64(value));
  } else {
    digits = QString::number(value, 'f', 6);
    while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
    if (digits.endsWith(QLatin1Char('.'))) digits.chop(1);
  }
  return (value < 0 ? QString() : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

std::optional<QStringList> readSettingsValues(const QString& path, int count) {
  const auto lines = platform::readUtf8Lines(path);
  if (!lines || lines->size() < count) return std::nullopt;
  QStringList values;
  for (int i = 0; i < count; ++i) {
    QString v = common::Trim(lines->at(i));
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) v = v.mid(1, v.size() - 2);
    values << v;
  }
  return values;
}

std::optional<qint32> settingsColour(const QString& value) {
  if (!common::IsNumeric(value)) return std::nullopt;
  const double n = std::nearbyint(common::Val(value));  // halves to the even neighbour
  if (n < double(std::numeric_limits<qint32>::min()) || n > double(std::numeric_limits<qint32>::max()))
    return std::nullopt;
  if (!platform::isValidColour(qint64(n))) return std::nullopt;
  return qint32(n);
}

std::optional<double> settingsSize(const QString& value) {
  if (!common::IsNumeric(value)) return std::nullopt;
  const double size = common::Val(value);
  if (!(size > 0 && size <= kLargestFontSize)) return std::nullopt;
  return size;
}

QString settingsRefusal(const std::initializer_list<std::pair<QString, QString>>& namedValues) {
  for (const auto& [name, value] : namedValues)
    if (QString refusal = common::controlRefusal(value, name); !refusal.isEmpty()) return refusal;
  return {};
}

common::FileText labelSettingsText(const LabelSettings& s) {
  const QString refusal = settingsRefusal({{QStringLiteral("horizontal offset"), s.horizontalOffset},
                                           {QStringLiteral("vertical offset"), s.verticalOffset},
                                           {QStringLiteral("title font"), s.titleFace},
                                           {QStringLiteral("track list font"), s.trackFace},
                                           {QStringLiteral("picture path"), s.picture}});
  if (!refusal.isEmpty()) return {{}, refusal};
  return {platform::joinLines({common::Trim(s.horizontalOffset), common::Trim(s.verticalOffset),
                               settingsNumber(s.titleColour), s.titleFace, settingsNumber(s.titleSize),
                               settingsNumber(s.trackColour), s.trackFace, settingsNumber(s.trackSize), s.picture,
                               settingsNumber(s.discColour)}),
          {}};
}

}  // namespace covers
