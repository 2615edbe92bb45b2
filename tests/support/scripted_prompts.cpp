#include "scripted_prompts.h"

#include "platform/ui/form.h"
#include "platform/ui/menu.h"

#include <gtest/gtest.h>

namespace testsupport {

namespace {
std::string describe(const PromptCall& c) {
  return c.kind + " \"" + c.text.toStdString() + "\" (title \"" + c.title.toStdString() + "\")";
}
}  // namespace

ScriptedPrompts::ScriptedPrompts() { platform::setPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() {
  platform::setPrompts(nullptr);
  EXPECT_TRUE(script_.empty()) << script_.size()
                               << " scripted answer(s) were never asked for, first: " << script_.front().kind;
}

std::vector<PromptCall> ScriptedPrompts::callsOf(const std::string& kind) const {
  std::vector<PromptCall> out;
  for (const auto& c : calls_)
    if (c.kind == kind) out.push_back(c);
  return out;
}

std::vector<PromptCall> ScriptedPrompts::expectCalls(const std::string& kind, size_t count,
                                                     std::source_location at) const {
  std::vector<PromptCall> out = callsOf(kind);
  if (out.size() != count) {
    std::string came;
    for (const auto& c : out) came += "\n  " + describe(c);
    ADD_FAILURE_AT(at.file_name(), int(at.line()))
        << "Expected " << count << " " << kind << " call(s), " << out.size() << " came" << came;
  }
  while (out.size() < count) out.push_back(PromptCall{kind, {}, {}, 0, {}});
  return out;
}

std::optional<ScriptedPrompts::Step> ScriptedPrompts::take(const std::string& kind, const PromptCall& call) {
  calls_.push_back(call);
  if (script_.empty() || script_.front().kind != kind) {
    ADD_FAILURE() << "Unexpected " << describe(call)
                  << (script_.empty() ? std::string(" (script empty)")
                                      : " (script expected " + script_.front().kind + ")");
    return std::nullopt;
  }
  Step s = std::move(script_.front());
  script_.pop_front();
  return s;
}

ScriptedPrompts& ScriptedPrompts::answerMsg(int answer, std::function<void()> whileShown) {
  script_.push_back(Step{"msgBox", answer, {}, {}, {}, {}, std::move(whileShown)});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::answerInput(const QString& answer) {
  script_.push_back(Step{"inputBox", 0, answer, {}, {}, {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::answerOpenFile(std::optional<QString> path) {
  script_.push_back(Step{"openFile", 0, std::move(path), {}, {}, {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::answerSaveFile(std::optional<QString> path) {
  script_.push_back(Step{"saveFile", 0, std::move(path), {}, {}, {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::answerFolder(std::optional<QString> path) {
  script_.push_back(Step{"chooseFolder", 0, std::move(path), {}, {}, {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::answerColour(std::optional<qint32> colour) {
  script_.push_back(Step{"chooseColour", 0, {}, colour, {}, {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::answerPrint(std::optional<platform::PrintDialogAnswer> answer) {
  script_.push_back(Step{"printDialog", 0, {}, {}, std::move(answer), {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::answerPrintAsOpened() {
  script_.push_back(Step{"printDialog", 1, {}, {}, {}, {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::choosePopup(const QString& entryName) {
  script_.push_back(Step{"popup", 0, entryName, {}, {}, {}, {}});
  return *this;
}
ScriptedPrompts& ScriptedPrompts::onModal(std::function<void(platform::FormBase&)> action) {
  script_.push_back(Step{"modal", 0, {}, {}, {}, std::move(action), {}});
  return *this;
}

int ScriptedPrompts::msgBox(const QString& text, int style, const QString& title) {
  auto s = take("msgBox", PromptCall{"msgBox", text, title, style, {}});
  if (s && s->whileShown) s->whileShown();
  if (s) return s->answer;
  return (style & 7) == platform::msg::YesNo ? platform::msg::No : platform::msg::OK;
}

QString ScriptedPrompts::inputBox(const QString& prompt, const QString& title, const QString& def) {
  auto s = take("inputBox", PromptCall{"inputBox", prompt, title, 0, def});
  return s && s->text ? *s->text : QString();
}

std::optional<QString> ScriptedPrompts::openFile(const platform::FileDialogRequest& req) {
  auto s = take("openFile", PromptCall{"openFile", req.fileName, req.title, 0, req.filter});
  return s ? s->text : std::nullopt;
}

std::optional<QString> ScriptedPrompts::saveFile(const platform::FileDialogRequest& req) {
  auto s = take("saveFile", PromptCall{"saveFile", req.fileName, req.title, req.overwritePrompt ? 1 : 0, req.filter});
  return s ? s->text : std::nullopt;
}

std::optional<QString> ScriptedPrompts::chooseFolder(const QString& title, const QString& start) {
  auto s = take("chooseFolder", PromptCall{"chooseFolder", start, title, 0, {}});
  return s ? s->text : std::nullopt;
}

std::optional<qint32> ScriptedPrompts::chooseColour(qint32 initial) {
  auto s = take("chooseColour", PromptCall{"chooseColour", QString::number(initial), {}, 0, {}});
  return s ? s->colour : std::nullopt;
}

std::optional<platform::PrintDialogAnswer> ScriptedPrompts::printDialog(const platform::PrintDialogRequest& req) {
  printRequests.push_back(req);
  auto s = take("printDialog", PromptCall{"printDialog", QString::number(req.maxPage), {}, req.copies, {}});
  if (s && s->answer == 1) {
    platform::PrintDialogAnswer asOpened = req.previous;
    asOpened.allPages = true;
    return asOpened;
  }
  return s ? s->print : std::nullopt;
}

void ScriptedPrompts::popupMenu(platform::MenuItem& menu, QPoint globalPos) {
  popupPositions.push_back(globalPos);
  auto s = take("popup", PromptCall{"popup", menu.name(), {}, 0, {}});
  if (!s || !s->text || s->text->isEmpty()) return;
  platform::MenuItem* entry = menu.find(*s->text);
  if (!entry) {
    ADD_FAILURE() << "Popup " << menu.name().toStdString() << " has no entry " << s->text->toStdString();
    return;
  }
  EXPECT_TRUE(entry->Enabled() && entry->Visible()) << entry->name().toStdString() << " cannot be chosen";
  entry->click();
}

void ScriptedPrompts::showModal(platform::FormBase& form) {
  form.Show();
  auto s = take("modal", PromptCall{"modal", form.Caption(), {}, 0, {}});
  if (s && s->action) s->action(form);
  if (form.isLoaded()) form.Unload();
}

void ScriptedPrompts::shellOpen(const QString& target) {
  calls_.push_back(PromptCall{"shellOpen", target, {}, 0, {}});
  shellOpened.push_back(target);
}

}  // namespace testsupport
