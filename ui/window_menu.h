// The Edit and Window menus that each window has: "Copy
// values" (Ctrl-C) of the window's own plots, and the windows, any of which
// is brought forward from any other, with "Tile" to lay the open ones side
// by side over the screen.  The Window commands go to the aerofoil window,
// which keeps the others.
#pragma once

#include <fx.h>

struct WindowMenus {
  FXMenuPane* edit = nullptr;
  FXMenuPane* window = nullptr;
};

// Adds "&Window" (to windows, the aerofoil window) to the menu bar; the
// pane belongs to owner, which deletes it.
FXMenuPane* addWindowMenu(FXMenuBar* bar, FXWindow* owner, FXObject* windows);

// Adds "&Edit" (copyValues to self) and "&Window" (to windows, the aerofoil
// window) to the menu bar; the panes belong to owner, which deletes them.
WindowMenus addWindowMenus(FXMenuBar* bar, FXWindow* owner, FXObject* self, FXSelector copyValues,
                           FXObject* windows);
