#include "windows/one_line_input.h"

#include "common/text_helpers.h"
#include "platform/core/cp1252.h"
#include "platform/ui/prompts.h"
#include "platform/ui/text_controls.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <utility>

namespace windows {

const QString kRetryWithout = QStringLiteral("Please try again without it.");

namespace {

// What the user is told of a text that no line of a file can hold; empty when it can. A control
// character always; a character outside the code page where the file is Windows-1252.
QString lineRefusal(const QString& text, const QString& what, bool codePage, const QString& retry) {
  QString refusal = common::controlRefusal(text, what);
  if (refusal.isEmpty() && codePage) {
    const QString character = platform::cp1252::firstCharacterOutside(text);
    if (character.isEmpty()) return {};
    refusal = common::cannotHoldCharacterText(what, character);
  }
  return refusal.isEmpty() ? QString() : refusal + QStringLiteral("\n\r") + retry;
}

void tell(const QString& text, const QString& title) {
  platform::prompts().msgBox(text, platform::msg::OKOnly + platform::msg::Exclamation, title);
}

// Takes what the user puts into the box as one line of a file. The part put in ends at the cursor
// (Qt leaves it there after a typed, pasted, dropped or composed text) and what stands after the
// cursor was there before, so the part is known whatever it replaced. A typed character outside
// the code page is refused before the box sees the key, so the box keeps its selection too; any
// other refusal is noted for the message that the box's rejected input then brings.
class LineText : public QValidator {
 public:
  LineText(QLineEdit* edit, const QString& what, const QString& title, bool codePage, Letters letters,
           const QString& dropped)
      : QValidator(edit),
        edit_(edit),
        what_(what),
        title_(title),
        dropped_(dropped),
        codePage_(codePage),
        capitals_(letters == Letters::Capitals),
        before_(edit->text()) {
    if (codePage_) edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
      before_ = text;
      refused_.clear();
    });
    // The box also rejects keys past its length: only a noted refusal is told of, and only once.
    // While it is told, the box still holds the refused text and checks it again as the message
    // takes the focus: that note is forgotten too, or a later key would bring it back.
    connect(edit, &QLineEdit::inputRejected, this, [this] {
      const QString text = refused_;
      if (!text.isEmpty()) tell(text, title_);
      refused_.clear();
    });
  }
  State validate(QString& input, int& pos) const override {
    // A text set from code leaves the box unmodified: the program's own, taken as it is.
    if (!edit_->isModified()) return Acceptable;
    const qsizetype after = std::min(input.size() - qsizetype(pos), before_.size());
    const qsizetype end = input.size() - after;
    qsizetype start = 0;
    const qsizetype same = std::min(end, before_.size() - after);
    while (start < same && input[start] == before_[start]) ++start;
    const QString put = input.mid(start, end - start);
    // What typing the same keys would have given: capitals where the box turns keys into them.
    QString line = capitals_ ? common::UCase(common::pastedLine(put)) : common::pastedLine(put);
    for (const QChar c : dropped_) line.remove(c);
    refused_ = lineRefusal(line, what_, codePage_, kRetryWithout);
    if (!refused_.isEmpty()) return Invalid;
    if (line != put) {
      input = input.left(start) + line + input.mid(end);
      pos = int(start + line.size());
    }
    return Acceptable;
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const QString character = platform::cp1252::firstCharacterOutside(static_cast<QKeyEvent*>(e)->text());
    if (character.isEmpty()) return false;
    tell(lineRefusal(character, what_, true, kRetryWithout), title_);
    return true;
  }

 private:
  QLineEdit* edit_;
  QString what_, title_;
  QString dropped_;  // what the box's keys drop
  bool codePage_, capitals_;
  QString before_;  // the box's text before the change at hand
  mutable QString refused_;
};

void takeOneLine(QLineEdit* edit, const QString& what, const QString& title, bool codePage, Letters letters,
                 const QString& dropped = {}) {
  if (edit) edit->setValidator(new LineText(edit, what, title, codePage, letters, dropped));
}

}  // namespace

std::optional<QString> storableLine(const QString& text, const QString& what, const QString& title,
                                    const QString& retry) {
  const QString line = common::pastedLine(text);
  const QString refusal = lineRefusal(line, what, true, retry);
  if (refusal.isEmpty()) return line;
  tell(refusal, title);
  return std::nullopt;
}

void refuseUnstorableTyping(platform::TextBox& box, const QString& what, const QString& title, Letters letters,
                            const QString& dropped) {
  takeOneLine(qobject_cast<QLineEdit*>(box.widget()), what, title, true, letters, dropped);
}

void keepOneLine(platform::TextBox& box, const QString& what, const QString& title) {
  takeOneLine(qobject_cast<QLineEdit*>(box.widget()), what, title, false, Letters::AsPut);
}

void keepOneLine(platform::ComboBox& box, const QString& what, const QString& title, Letters letters) {
  auto* combo = qobject_cast<QComboBox*>(box.widget());
  takeOneLine(combo ? combo->lineEdit() : nullptr, what, title, false, letters);
}

}  // namespace windows
