// The main window's offer to save its ticked list, made by a database window before a change
// that clears the list: once the change is certain, before anything is written.
#pragma once

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

}  // namespace windows
