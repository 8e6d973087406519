#include "window_menu.h"

#include "Veltaro.h"

WindowMenus addWindowMenus(FXMenuBar* bar, FXWindow* owner, FXObject* self, FXSelector copyValues,
                           FXObject* windows) {
  WindowMenus m;
  m.edit = new FXMenuPane(owner);
  new FXMenuCommand(m.edit, "&Copy values\tCtl-C", nullptr, self, copyValues);
  new FXMenuTitle(bar, "&Edit", nullptr, m.edit);
  m.window = new FXMenuPane(owner);
  new FXMenuCommand(m.window, "&Aerofoil", nullptr, windows, Veltaro::ID_WINDOW_AEROFOIL);
  new FXMenuCommand(m.window, "&Boundary layer", nullptr, windows, Veltaro::ID_WINDOW_BL);
  new FXMenuCommand(m.window, "&Polar", nullptr, windows, Veltaro::ID_WINDOW_POLAR);
  new FXMenuSeparator(m.window);
  new FXMenuCommand(m.window, "&Tile", nullptr, windows, Veltaro::ID_TILE);
  new FXMenuTitle(bar, "&Window", nullptr, m.window);
  return m;
}
