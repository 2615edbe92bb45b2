// Cover.dat, the case designer's settings: nine bare values, one a line, read and written as
// OffSet.dat is (covers/label_settings.h).
#pragma once

#include "common/records.h"

#include <QString>

namespace covers {

inline const QString kCaseSettingsFile = QStringLiteral("Cover.dat");
constexpr int kCaseSettingsCount = 9;

// Cover.dat, one member a line in this order.
struct CaseSettings {
  qint32 titleColour = 0;
  QString titleFace;
  double titleSize = 12;  // with its fraction
  qint32 trackColour = 0;
  QString trackFace;
  double trackSize = 4;  // written in whole points (the largest whole number not above it)
  QString frontPicture;  // full paths, empty for none
  QString backPicture;
  qint32 caseColour = 0xFFFFFF;
};

// The file's text: nine lines, each ended by CR LF; refused as OffSet.dat's is.
common::FileText caseSettingsText(const CaseSettings& settings);

}  // namespace covers
