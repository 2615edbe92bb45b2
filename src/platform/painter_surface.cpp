#include "platform/painter_surface.h"
// Filled in with the printing work.
