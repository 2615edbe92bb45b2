#include "windows/main/scan_frame.h"

#include "catalogue/database.h"
#include "catalogue/track_file.h"
#include "platform/core/files.h"
#include "platform/ui/busy.h"
#include "windows/file_prompts.h"
#include "windows/main/form1.h"

namespace windows {

ScanFrame::ScanFrame(Form1& form, const QString& title)
    : form_(form), title_(title), path_(catalogue::trackFilePath()) {}

ScanFrame::~ScanFrame() {
  if (!restored_) restore();
}

void ScanFrame::showFrame() {
  framed_ = true;
  form_.Frame1.setVisible(true);
}

void ScanFrame::showBusyPointer() {
  busy_ = true;
  form_.showBusyPointer();
}

void ScanFrame::setSteps(int max) {
  framed_ = true;
  form_.ProgressBar1.setMax(max);
  form_.ProgressBar1.setValue(0);
}

void ScanFrame::setStepsByHundreds() { setSteps(catalogue::progressSteps(platform::fileLength(path_), 100, 100)); }

bool ScanFrame::open(catalogue::FileBytes& file) {
  unreadable_ = !file.open(path_);
  return !unreadable_;
}

catalogue::ScanProgress ScanFrame::progress(qint64 every, Events events) {
  return {every, [this, letThrough = events == Events::LetThrough] { step(letThrough); }};
}

void ScanFrame::step(bool letEventsThrough) {
  platform::ProgressBar& bar = form_.ProgressBar1;
  if (bar.Value() >= bar.Max()) return;  // a full bar stays full, and the window waits
  bar.setValue(bar.Value() + 1);
  if (letEventsThrough) platform::letEventsThroughSliced();
}

void ScanFrame::restore() {
  restored_ = true;
  if (framed_) {
    form_.ProgressBar1.setValue(0);
    form_.Frame1.setVisible(false);
  }
  if (busy_) form_.setMousePointer(platform::MousePointer::Default);
}

void ScanFrame::tellUnreadable() {
  if (!unreadable_ || told_) return;
  told_ = true;
  reportUnreadable(path_, title_);
}

void ScanFrame::finish() {
  if (!restored_) restore();
  tellUnreadable();
}

}  // namespace windows
