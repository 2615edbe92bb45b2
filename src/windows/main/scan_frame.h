// The busy signs of a pass over the track file in the main window, and their end: the frame with
// its progress bar, the busy pointer, the bar's step, and the message for an unreadable track file.
#pragma once

#include "catalogue/track_scans.h"

#include <QString>

class Form1;

namespace catalogue {
class FileBytes;
}

namespace windows {

// A pass shows what it needs (the frame, the bar's range, the busy pointer) in its own order.
// It ends with finish(): what it showed put back (the bar at 0 and the frame hidden, the pointer
// restored), then a track file that could not be read told, under the pass's title. A pass that
// puts the window back or tells earlier calls restore() or tellUnreadable() where it does; they
// are not done twice. A pass that returns early has what it showed put back as it returns, and
// tells no message from there.
class ScanFrame {
 public:
  ScanFrame(Form1& form, const QString& title);
  ~ScanFrame();
  ScanFrame(const ScanFrame&) = delete;
  ScanFrame& operator=(const ScanFrame&) = delete;

  // The track file the pass reads.
  const QString& path() const { return path_; }

  void showFrame();
  void showBusyPointer();
  // The bar's range 0..max (at least 1), the bar at 0.
  void setSteps(int max);
  // One step every 100 records of the file's estimate, counting at least 100 records.
  void setStepsByHundreds();

  // Reads the track file; false when it cannot be read, which the end tells.
  bool open(catalogue::FileBytes& file);

  // The bar moves one step every `every` records until it is full. With LetThrough the window
  // takes its pending events now and then as the bar moves; with Held it takes none.
  enum class Events { Held, LetThrough };
  catalogue::ScanProgress progress(qint64 every, Events events);

  // The bar at 0 and the frame hidden, the pointer restored: what the pass showed, put back now.
  void restore();
  // Tells now that the track file cannot be read, if it could not.
  void tellUnreadable();
  // The end of the pass: restore(), then tellUnreadable(), each unless done already.
  void finish();

 private:
  void step(bool letEventsThrough);

  Form1& form_;
  QString title_;
  QString path_;
  bool framed_ = false;
  bool busy_ = false;
  bool restored_ = false;
  bool unreadable_ = false;
  bool told_ = false;
};

}  // namespace windows
