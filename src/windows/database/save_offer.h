// The main window's offer to save its ticked list, made by a database window before a change
// that clears the list: once the change is certain, before anything is written.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace windows {

struct SaveOffer {
  // Whether there is a list to offer. Only then is the change worked out before the offer, so
  // that the offer comes only for a change that will be made.
  std::function<bool()> due;
  // The offer: false when the user wanted the list saved and it was not, which leaves the
  // database as it was.
  std::function<bool()> ask;

  bool isDue() const { return due && due(); }
  // True when there is nothing to offer or the change may go ahead.
  bool letsChangeGoAhead() const { return !isDue() || !ask || ask(); }
};

// The offer made before a disc is given a new code. The list offered is the list as the change
// leaves it, the disc under its new code, so it is saved only together with the change: written
// whole beside the file the user names before the change, and put in place once the change is.
struct RecodeSaveOffer {
  // The change, and the track file as it read it, which tells the lines of the disc.
  struct Change {
    QString current, replacement;
    QByteArray tracks;
  };
  // Whether there is a list to offer, as for SaveOffer.
  std::function<bool()> due;
  // The offer: false when the user wanted the list saved and it was not made ready, which leaves
  // the database as it was.
  std::function<bool(const Change&)> ask;
  // After the change: a list made ready is put in place when the change was written, else
  // deleted. True when a list the user wanted saved was deleted so.
  std::function<bool(bool changeWritten)> finish;

  bool isDue() const { return due && due(); }
};

}  // namespace windows
