#include "window_menu.h"

#include "Veltaro.h"

FXMenuPane* addWindowMenu(FXMenuBar* bar, FXWindow* owner, FXObject* windows) {
  auto* pane = new FXMenuPane(owner);
  new FXMenuCommand(pane, "&Aerofoil", nullptr, windows, Veltaro::ID_WINDOW_AEROFOIL);
  new FXMenuCommand(pane, "&Boundary layer", nullptr, windows, Veltaro::ID_WINDOW_BL);
  new FXMenuCommand(pane, "&Polar", nullptr, windows, Veltaro::ID_WINDOW_POLAR);
  new FXMenuCommand(pane, "&Flow view", nullptr, windows, Veltaro::ID_WINDOW_FLOW);
  new FXMenuSeparator(pane);
  new FXMenuCommand(pane, "&Tile", nullptr, windows, Veltaro::ID_TILE);
  new FXMenuTitle(bar, "&Window", nullptr, pane);
  return pane;
}

WindowMenus addWindowMenus(FXMenuBar* bar, FXWindow* owner, FXObject* self, FXSelector copyValues,
                           FXObject* windows) {
  WindowMenus m;
  m.edit = new FXMenuPane(owner);
  new FXMenuCommand(m.edit, "&Copy values\tCtl-C", nullptr, self, copyValues);
  new FXMenuTitle(bar, "&Edit", nullptr, m.edit);
  m.window = addWindowMenu(bar, owner, windows);
  return m;
}
