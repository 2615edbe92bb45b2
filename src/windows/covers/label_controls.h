// Small services of the label and case designers' controls: presetting a choice list, colour
// swatches, and the faces and sizes of the preview texts.
#pragma once

#include "platform/ui/controls.h"

#include <QString>

#include <functional>

namespace windows {

// The file-open dialog's filter of the designers' picture buttons.
inline const QString kPictureFilter = QStringLiteral("Pictures (*.bmp;*.jpg;*.gif))|*.bmp;*.jpg;*.gif");

// Selects the entry whose text is exactly `text` and applies it as the user's choice would
// (the list's Click runs, even when the entry was already chosen). A text that no entry has
// changes nothing. True when an entry was chosen.
bool presetChoice(platform::ComboBox& list, const QString& text);

// A swatch button keeps the colour number and shows the colour.
void setSwatch(platform::CommandButton& button, qint32 colour);
// Asks for a colour (the dialog starts on black); when one is chosen, applies it and shows it on
// the swatch. False when the dialog was cancelled.
bool chooseSwatchColour(platform::CommandButton& swatch, const std::function<void(qint32)>& apply);

// The face of a control's font, not italic, bold or not; the size stays.
void setFontFace(platform::Control& control, const QString& face, bool bold);
// The size of a control's font in points; a size of 0 or less changes nothing.
void setFontSize(platform::Control& control, double size);

}  // namespace windows
