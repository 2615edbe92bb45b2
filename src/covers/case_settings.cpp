#include "covers/case_settings.h"

#include "covers/label_settings.h"
#include "platform/core/text_file.h"

#include <cmath>

namespace covers {

common::FileText caseSettingsText(const CaseSettings& s) {
  const QString refusal = settingsRefusal({{QStringLiteral("title font"), s.titleFace},
                                           {QStringLiteral("track list font"), s.trackFace},
                                           {QStringLiteral("front picture path"), s.frontPicture},
                                           {QStringLiteral("back picture path"), s.backPicture}});
  if (!refusal.isEmpty()) return {{}, refusal};
  return {platform::joinLines({settingsNumber(s.titleColour), s.titleFace, settingsNumber(s.titleSize),
                               settingsNumber(s.trackColour), s.trackFace, settingsNumber(std::floor(s.trackSize)),
                               s.frontPicture, s.backPicture, settingsNumber(s.caseColour)}),
          {}};
}

}  // namespace covers
