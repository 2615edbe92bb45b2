// A box's whole text selected, as the windows' boxes select it when they get the focus.
#pragma once

#include "platform/ui/text_controls.h"

namespace windows {

inline void selectAll(platform::TextBox& box) { box.setSelection(0, int(box.Text().size())); }

}  // namespace windows
