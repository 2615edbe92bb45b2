#include "windows/file_prompts.h"

#include "catalogue/database.h"
#include "catalogue/song_list_file.h"
#include "platform/core/cp1252.h"
#include "platform/ui/text_controls.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace windows {

const QString kReadOnlyText = QStringLiteral("This file is read only. Please use another file name");
const QString kReadOnlyTitle = QStringLiteral("Read Only File");

std::optional<QString> askWriteName(const platform::FileDialogRequest& req,
                                    const std::function<QString(const QString&)>& nameFor, const QString& title,
                                    const RefusedName& refused) {
  platform::FileDialogRequest request = req;
  request.overwritePrompt = false;  // asked below, for the name actually written
  while (true) {
    const auto typed = platform::prompts().saveFile(request);
    if (!typed || typed->isEmpty() || *typed == request.fileName) return std::nullopt;
    const QString name = nameFor(*typed);
    const QFileInfo info(name);
    if (!info.exists() || info.isDir() || (refused && refused(name))) return name;
    const int answer = platform::prompts().msgBox(
        name + QStringLiteral(" already exists.\n\rDo you want to replace it?"),
        platform::msg::YesNo + platform::msg::Exclamation + platform::msg::DefaultButton2, title);
    if (answer == platform::msg::Yes) return name;
  }
}

std::optional<QString> askSongListSaveName(const RefusedName& refused) {
  platform::FileDialogRequest req;
  req.title = QStringLiteral("Mellowdex");
  req.fileName = QStringLiteral("*.mdq");
  return askWriteName(req, catalogue::withMdqExtension, QStringLiteral("Mellowdex"), refused);
}

void reportWriteFailure(const platform::WriteResult& result, const QString& path, const QString& title) {
  if (result.noFolder)
    platform::prompts().msgBox(QStringLiteral("The folder ") + QFileInfo(path).absolutePath() +
                                   QStringLiteral(" does not exist.\n\rPlease choose another folder."),
                               platform::msg::OKOnly + platform::msg::Exclamation, title);
  else if (result.readOnly) platform::prompts().msgBox(kReadOnlyText, platform::msg::OKOnly, kReadOnlyTitle);
  else
    platform::prompts().msgBox(
        QStringLiteral("The file ") + path + QStringLiteral(" could not be written.\n\r") + result.error,
        platform::msg::OKOnly + platform::msg::Exclamation, title);
}

void reportUnreadable(const QString& path, const QString& title) {
  platform::prompts().msgBox(catalogue::cannotReadText(path), platform::msg::OKOnly + platform::msg::Exclamation,
                             title);
}

const QString kRetryWithout = QStringLiteral("Please try again without it.");

namespace {

// The first character of the text outside the code page (a pair of surrogates is one), or nothing.
QString firstUnstorable(const QString& text) {
  const qsizetype at = platform::cp1252::firstOutside(text);
  if (at < 0) return {};
  return text.mid(at, text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1);
}

void tellUnstorable(const QString& character, const QString& what, const QString& title, const QString& retry) {
  platform::prompts().msgBox(QStringLiteral("The ") + what + QStringLiteral(" cannot hold the character \"") +
                                 character + QStringLiteral("\".\n\r") + retry,
                             platform::msg::OKOnly + platform::msg::Exclamation, title);
}

// Takes no text with such a character. A typed one is refused before the box sees the key, so
// the box keeps its selection too; any other (pasted, dropped, composed) is noted for the refusal
// that the box's rejected input then brings.
class StorableText : public QValidator {
 public:
  StorableText(QLineEdit* edit, const QString& what, const QString& title)
      : QValidator(edit), what_(what), title_(title) {
    edit->installEventFilter(this);
  }
  State validate(QString& input, int&) const override {
    refused = firstUnstorable(input);
    return refused.isEmpty() ? Acceptable : Invalid;
  }
  void tellRefused() {
    const QString character = std::exchange(refused, QString());
    if (!character.isEmpty()) tellUnstorable(character, what_, title_, kRetryWithout);
  }
  mutable QString refused;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const QString character = firstUnstorable(static_cast<QKeyEvent*>(e)->text());
    if (character.isEmpty()) return false;
    tellUnstorable(character, what_, title_, kRetryWithout);
    return true;
  }

 private:
  QString what_, title_;
};

}  // namespace

bool refuseUnstorable(const QString& text, const QString& what, const QString& title, const QString& retry) {
  const QString character = firstUnstorable(text);
  if (character.isEmpty()) return false;
  tellUnstorable(character, what, title, retry);
  return true;
}

void refuseUnstorableTyping(platform::TextBox& box, const QString& what, const QString& title) {
  auto* edit = qobject_cast<QLineEdit*>(box.widget());
  if (!edit) return;
  auto* validator = new StorableText(edit, what, title);
  edit->setValidator(validator);
  // The box also rejects keys past its length: only a noted character is told of.
  QObject::connect(edit, &QLineEdit::inputRejected, validator, [validator] { validator->tellRefused(); });
  QObject::connect(edit, &QLineEdit::textChanged, validator, [validator] { validator->refused.clear(); });
}

}  // namespace windows
