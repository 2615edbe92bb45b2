#include "mainwindow/colour_settings.h"

#include "common/records.h"
#include "common/text_helpers.h"
#include "mainwindow/form1.h"
#include "platform/colours.h"
#include "platform/files.h"
#include "platform/text_file.h"

namespace mainwindow {

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

}  // namespace mainwindow

void Form1::Read_ini() {
  const QString path = platform::programFile(QString::fromLatin1(mainwindow::kColourFile));
  const auto values = mainwindow::readColourValues(path);
  if (!values) {
    Write_ini();
    return;
  }
  const auto apply = [](const QString& text, std::initializer_list<platform::Control*> controls, bool back) {
    const auto colour = mainwindow::colourFromText(text);
    if (!colour) return;
    for (auto* c : controls) back ? c->setBackColor(*colour) : c->setForeColor(*colour);
  };
  apply((*values)[0], {&List1, &Combo1}, true);
  apply((*values)[1], {&List1, &Combo1}, false);
  apply((*values)[2], {&List2, &Text1, &cmbSearch, &cmbSearch_text}, true);
  apply((*values)[3], {&List2, &Text1, &cmbSearch, &cmbSearch_text}, false);
}

void Form1::Write_ini() {
  // A settings file that cannot be written must not stop the caller (shutdown among them).
  platform::replaceFile(platform::programFile(QString::fromLatin1(mainwindow::kColourFile)),
                        mainwindow::colourFileText({List1.BackColor(), List1.ForeColor(),
                                                    List2.BackColor(), List2.ForeColor()}));
}
