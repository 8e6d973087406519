// A second window put on the screen beside the window that owns it, where
// the window system has the owner now (placeBeside does the arithmetic).
#pragma once

#include <fx.h>

// Moves window, created and not yet shown, beside its owner at up to
// wantW x wantH, wholly on the screen.
void placeBesideOwner(FXTopWindow* window, int wantW, int wantH);
