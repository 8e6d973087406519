// The screen as the window manager lays it out, read from the window
// system: the work area (the screen less panels and docks), the width of
// the decorations the manager puts round a window, and a top-level
// window's outer frame.  Without a window manager there are no
// decorations and the work area is the whole screen.
#pragma once

#include <fx.h>

#include "window_placement.h"

struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// The work area of the screen.
ScreenRect workArea(FXApp* app);

// The decorations round a window, once the window manager has framed it;
// for a window not yet shown they are asked of the manager first (waiting
// at most a fraction of a second).  All 0 without a window manager.
FrameExtents frameExtents(FXTopWindow* window);

// A window's outer frame on the screen.
ScreenRect outerFrame(FXTopWindow* window, const FrameExtents& e);

// A window's rectangle inside the frame r.
ScreenRect innerRect(const ScreenRect& r, const FrameExtents& e);

// Where a part of a window (a child widget) is on the screen.
ScreenRect screenRectOf(FXWindow* widget);

// Moves and sizes a top-level window to r (its own rectangle, inside the
// decorations).
void placeAt(FXTopWindow* window, const ScreenRect& r);

// Brings a window forward: shown, raised and made the active window.
void bringForward(FXTopWindow* window);
