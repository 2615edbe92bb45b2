// The About window.
#include "windows/About.h"

#include "platform/ui/prompts.h"
#include "windows/main/form1.h"

#include <QCursor>

const QString About::kProductTitle = QStringLiteral("Mellowdex Professional Zendra Edition 2004");
const QString About::kMailAddress = QStringLiteral("mail@mellowdex.example");

About::About() : FormBase(Kind::Dialog, QString(), QSize(480, 190)) {
  QFont title = Label3.font();
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.3);
  Label3.setFont(title);
  Label3.setCaption(Label3.Caption());
  Label1.setCaption(Form1::kWebAddress);
  // The two addresses look and point like links.
  for (platform::Label* link : {&Label1, &Label2}) {
    QFont f = link->font();
    f.setUnderline(true);
    link->setFont(f);
    link->setCaption(link->Caption());
    link->setForeColor(0xFF0000);  // blue, red in the low byte
    link->widget()->setCursor(Qt::PointingHandCursor);
  }
  Label3.movePx((480 - Label3.geometryPx().width()) / 2, 24);
  Label1.movePx((480 - Label1.geometryPx().width()) / 2, 72);
  Label2.movePx((480 - Label2.geometryPx().width()) / 2, 100);
  Command1.movePx(195, 140, 90, 32);
  Command1.Click = [this] { Command1_Click(); };
  Label1.Click = [this] { Label1_Click(); };
  Label2.Click = [this] { Label2_Click(); };
}

void About::Command1_Click() { Unload(); }

// Neither link reports anything when no browser or mail program answers; the window stays.
void About::Label1_Click() { platform::prompts().shellOpen(QStringLiteral("http://") + Form1::kWebAddress); }

void About::Label2_Click() { platform::prompts().shellOpen(QStringLiteral("mailto:") + kMailAddress); }

void Form1::mnuAbout_Click() {
  About window;
  showModal(window);
}
