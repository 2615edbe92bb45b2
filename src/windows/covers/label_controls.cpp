#include "windows/covers/label_controls.h"

#include "platform/core/colours.h"
#include "platform/ui/prompts.h"

#include <QWidget>

namespace windows {

bool presetChoice(platform::ComboBox& list, const QString& text) {
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.List(i) != text) continue;
    if (list.ListIndex() == i) {
      if (list.Click) list.Click();
    } else {
      list.setListIndex(i);
    }
    return true;
  }
  return false;
}

void setSwatch(platform::CommandButton& button, qint32 colour) {
  button.setBackColor(colour);
  const QColor c = platform::toQColor(colour);
  // With a border of its own the button is drawn by the style sheet alone, so no style
  // shading is blended over the colour.
  if (c.isValid() && button.widget())
    button.widget()->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }"
                                                  "QPushButton:focus { border: 2px solid palette(highlight); }")
                                       .arg(c.name()));
}

bool chooseSwatchColour(platform::CommandButton& swatch, const std::function<void(qint32)>& apply) {
  const auto colour = platform::prompts().chooseColour(0);
  if (!colour) return false;
  apply(*colour);
  setSwatch(swatch, *colour);
  return true;
}

void setFontFace(platform::Control& control, const QString& face, bool bold) {
  QFont f = control.font();
  f.setFamily(face);
  f.setBold(bold);
  f.setItalic(false);
  // "Courier" of any spelling is whatever fixed-pitch face is installed.
  f.setStyleHint(face.startsWith(QLatin1String("courier"), Qt::CaseInsensitive) ? QFont::TypeWriter : QFont::AnyStyle);
  control.setFont(f);
}

void setFontSize(platform::Control& control, double size) {
  if (!(size > 0)) return;
  QFont f = control.font();
  f.setPointSizeF(size);
  control.setFont(f);
}

}  // namespace windows
