#include "covers/case_settings.h"

#include "covers/label_settings.h"
#include "platform/core/text_file.h"

#include <cmath>

namespace covers {

QString caseSettingsText(const CaseSettings& s) {
  return platform::joinLines({settingsNumber(s.titleColour), s.titleFace, settingsNumber(s.titleSize),
                              settingsNumber(s.trackColour), s.trackFace, settingsNumber(std::floor(s.trackSize)),
                              s.frontPicture, s.backPicture, settingsNumber(s.caseColour)});
}

}  // namespace covers
