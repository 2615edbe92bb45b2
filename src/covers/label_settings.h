// The designers' settings files, one bare value a line: OffSet.dat of the label designer here,
// with the reading and number writing that Cover.dat of the case designer shares.
#pragma once

#include "common/records.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>
#include <utility>

namespace covers {

// A number as the settings files write it: in decimal with a point before a fraction, one
// blank before it unless it is negative, and one blank after it (12 is " 12 ").
QString settingsNumber(double value);

// The first `count` values of a settings file, one a line, without surrounding blanks and
// without enclosing double quotes. A whole line is one value, so a face name or a picture path
// holding a comma comes back whole. Nothing when the file is missing, cannot be read or has
// fewer lines. The file is UTF-8, or Windows-1252 as earlier versions wrote it.
std::optional<QStringList> readSettingsValues(const QString& path, int count);

// A value as a colour: a number that names a colour (see platform/core/colours.h); nothing else.
std::optional<qint32> settingsColour(const QString& value);
// A value as a font size: a number above 0 that a font can take; nothing else.
std::optional<double> settingsSize(const QString& value);

inline const QString kLabelSettingsFile = QStringLiteral("OffSet.dat");
constexpr int kLabelSettingsCount = 10;

// OffSet.dat, one member a line in this order.
struct LabelSettings {
  QString horizontalOffset;  // the offset boxes' texts as typed, blanks removed
  QString verticalOffset;
  qint32 titleColour = 0;
  QString titleFace;
  double titleSize = 12;
  qint32 trackColour = 0;
  QString trackFace;
  double trackSize = 4;  // in full: 4.5 stays 4.5
  QString picture;       // the picture's full path, empty for none
  qint32 discColour = 0xFFFFFF;
};

// The file's text: ten lines, each ended by CR LF. Refused when a text value (an offset, a face,
// the picture's path) holds a control character: a line break would shift every value after it.
common::FileText labelSettingsText(const LabelSettings& settings);

// The refusal of the first of the named texts that holds a control character; empty when none does.
QString settingsRefusal(const std::initializer_list<std::pair<QString, QString>>& namedValues);

}  // namespace covers
