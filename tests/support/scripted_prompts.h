// Prompts answered from a script: every call is recorded; a call the script did not expect
// fails the test.
#pragma once

#include "platform/ui/prompts.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

namespace testsupport {

struct PromptCall {
  std::string kind;  // "msgBox", "inputBox", "openFile", "saveFile", "popup", "modal", ...
  QString text;      // message text, prompt, popup menu name or form caption
  QString title;
  int style = 0;
  QString defaultText;
};

class ScriptedPrompts : public platform::Prompts {
 public:
  ScriptedPrompts();
  ~ScriptedPrompts() override;

  // Script steps, consumed in order.
  // whileShown runs while the box waits for the user, to look at what the program holds then.
  ScriptedPrompts& answerMsg(int answer, std::function<void()> whileShown = {});
  ScriptedPrompts& answerInput(const QString& answer);
  ScriptedPrompts& answerOpenFile(std::optional<QString> path);
  ScriptedPrompts& answerSaveFile(std::optional<QString> path);
  ScriptedPrompts& answerFolder(std::optional<QString> path);
  ScriptedPrompts& answerColour(std::optional<qint32> colour);
  ScriptedPrompts& answerPrint(std::optional<platform::PrintDialogAnswer> answer);
  // OK on the print dialog as it opened: the printer or file and the paper it was asked to show.
  ScriptedPrompts& answerPrintAsOpened();
  // Chooses the named entry of the next popup menu ("" closes it without a choice).
  ScriptedPrompts& choosePopup(const QString& entryName);
  // Acts on the next window shown modally (shown, as the user meets it), then closes it.
  ScriptedPrompts& onModal(std::function<void(platform::FormBase&)> action);

  const std::vector<PromptCall>& calls() const { return calls_; }
  std::vector<PromptCall> callsOf(const std::string& kind) const;
  // The calls of one kind when the test expects `count` of them: another number fails the test
  // at the caller's line, naming the calls that came, and blank calls make up the number, so
  // reading the expected ones never crashes the test program.
  std::vector<PromptCall> expectCalls(const std::string& kind, size_t count,
                                      std::source_location at = std::source_location::current()) const;
  int remainingSteps() const { return int(script_.size()); }
  std::vector<QString> shellOpened;
  std::vector<QPoint> popupPositions;  // where each popup menu was asked to open, on the screen
  std::vector<platform::PrintDialogRequest> printRequests;

  int msgBox(const QString& text, int style, const QString& title) override;
  QString inputBox(const QString& prompt, const QString& title, const QString& def) override;
  std::optional<QString> openFile(const platform::FileDialogRequest& req) override;
  std::optional<QString> saveFile(const platform::FileDialogRequest& req) override;
  std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
  std::optional<qint32> chooseColour(qint32 initial) override;
  std::optional<platform::PrintDialogAnswer> printDialog(const platform::PrintDialogRequest& req) override;
  void popupMenu(platform::MenuItem& menu, QPoint globalPos) override;
  void showModal(platform::FormBase& form) override;
  void shellOpen(const QString& target) override;

 private:
  struct Step {
    std::string kind;
    int answer = 0;
    std::optional<QString> text;
    std::optional<qint32> colour;
    std::optional<platform::PrintDialogAnswer> print;
    std::function<void(platform::FormBase&)> action;
    std::function<void()> whileShown;
  };
  std::optional<Step> take(const std::string& kind, const PromptCall& call);
  std::deque<Step> script_;
  std::vector<PromptCall> calls_;
};

}  // namespace testsupport
