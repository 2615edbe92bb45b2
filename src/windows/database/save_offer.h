// The main window's offer to save its ticked list, made by a database window before a change
// that clears the list: once the change is certain, before anything is written.
#pragma once

#include "maintenance/track_database.h"
#include "platform/core/text_file.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

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

// The offer made before a change that the list can follow: a disc given a new code, a track or a
// disc deleted. The list offered is the list as the change leaves it, so it is saved only together
// with the change: written with the database files and put in place after them, and with them at
// the next start after a kill (see maintenance::replaceDatabase).
struct ListSaveOffer {
  // The change, and the track file as it read it, which tells the lines of the disc.
  struct Change {
    QByteArray tracks;
    QString disc;           // the disc's code as the change found it
    QString replacement;    // its new code; empty when tracks of it go
    QString track;          // the one track that goes; empty when the whole disc does
    bool discGoes = false;  // the disc leaves the disc file, and its tick the list
  };
  // Whether there is a list to offer, as for SaveOffer.
  std::function<bool()> due;
  // The offer: false when the user wanted the list saved and it cannot be, which leaves the
  // database as it was.
  std::function<bool(const Change&)> ask;
  // The list made ready at the offer, to be written with the change; nothing when none was.
  std::function<std::optional<maintenance::FileWrite>()> list;
  // After the change: what it did ("Disc SC1 is now SC2."), nothing when it was not written, and
  // how the list went. A list not put in place is offered for saving again. True when a list the
  // user wanted saved was dropped with a change not written.
  std::function<bool(const std::optional<QString>& done, const platform::WriteResult& placed)> finish;

  bool isDue() const { return due && due(); }
};

}  // namespace windows
