// The aerofoil window's side of the other windows: which are open, where a
// new one goes, and the Window menu's commands (bring one forward, Tile).
#include "BlCalc_2D.h"
#include "FlowWindow.h"
#include "PolarWindow.h"
#include "Veltaro.h"

std::vector<FXTopWindow*> Veltaro::openWindows() {
  std::vector<FXTopWindow*> out{this};
  if (blOpenCount != 0 && blDialog && blDialog->shown()) out.push_back(blDialog);
  if (polarWindow && polarWindow->shown()) out.push_back(polarWindow);
  if (flowWindow && flowWindow->shown()) out.push_back(flowWindow);
  return out;
}

// The decorations of this window, which the manager has framed by now,
// are those every window gets.
void Veltaro::refreshFrame() {
  const FrameExtents e = frameExtents(this);
  if (e.top + e.left + e.right + e.bottom > 0) frame_ = e;
}

void Veltaro::placeNewWindow(FXTopWindow* window, const WindowSize& clientSize) {
  refreshFrame();
  std::vector<ShownWindow> shown;
  for (FXTopWindow* w : openWindows()) {
    if (w == window) continue;
    ShownWindow s{outerFrame(w, frame_), {}};
    if (w == this) {
      // The inputs and results, from the left edge of the frame to the
      // right of the column that holds them, over the whole height.
      const ScreenRect c = screenRectOf(controls);
      s.keep = {s.frame.x, s.frame.y, c.right() - s.frame.x, s.frame.h};
    }
    shown.push_back(s);
  }
  const int dw = frame_.left + frame_.right, dh = frame_.top + frame_.bottom;
  const WindowSize size{clientSize.wantW + dw, clientSize.wantH + dh, clientSize.minW + dw, clientSize.minH + dh};
  const ScreenRect at = innerRect(placeWindow(workArea(getApp()), size, shown), frame_);
  placeAt(window, at);
}

// Window menu: one of the windows brought forward.  The items of the other
// windows act on an open window only.
long Veltaro::onCmdWindow(FXObject*, FXSelector sel, void*) {
  switch (FXSELID(sel)) {
    case ID_WINDOW_AEROFOIL: bringForward(this); break;
    case ID_WINDOW_BL:
      if (blOpenCount != 0 && blDialog) bringForward(blDialog);
      break;
    case ID_WINDOW_FLOW:
      if (flowWindow && flowWindow->shown()) bringForward(flowWindow);
      break;
    default:
      if (polarWindow && polarWindow->shown()) bringForward(polarWindow);
      break;
  }
  return 1;
}

long Veltaro::onUpdWindow(FXObject* sender, FXSelector sel, void*) {
  bool open = true;
  if (FXSELID(sel) == ID_WINDOW_BL) open = blOpenCount != 0 && blDialog;
  if (FXSELID(sel) == ID_WINDOW_POLAR) open = polarWindow && polarWindow->shown();
  if (FXSELID(sel) == ID_WINDOW_FLOW) open = flowWindow && flowWindow->shown();
  sender->handle(this, FXSEL(SEL_COMMAND, open ? ID_ENABLE : ID_DISABLE), nullptr);
  return 1;
}

// The open windows laid over the work area, each at least at its minimum
// size: side by side, or in two columns on a screen too narrow for that.
long Veltaro::onCmdTile(FXObject*, FXSelector, void*) {
  refreshFrame();
  const std::vector<FXTopWindow*> windows = openWindows();
  const int dw = frame_.left + frame_.right, dh = frame_.top + frame_.bottom;
  std::vector<WindowSize> sizes;
  for (FXTopWindow* w : windows)
    sizes.push_back({w->getDefaultWidth() + dw, w->getDefaultHeight() + dh, w->getDefaultWidth() + dw,
                     w->getDefaultHeight() + dh});
  // The aerofoil window wants its design size, the others what they open at.
  sizes[0].wantW = FXMAX(kDesignWidth, sizes[0].minW - dw) + dw;
  sizes[0].wantH = FXMAX(kDesignHeight, sizes[0].minH - dh) + dh;
  for (std::size_t i = 1; i < windows.size(); ++i) {
    const bool polar = windows[i] == polarWindow, flow = windows[i] == flowWindow;
    const int w = polar ? PolarWindow::kOpenWidth : flow ? FlowWindow::kOpenWidth : BlCalc_2D::kOpenWidth;
    const int h = polar ? PolarWindow::kOpenHeight : flow ? FlowWindow::kOpenHeight : BlCalc_2D::kOpenHeight;
    sizes[i].wantW = FXMAX(w + dw, sizes[i].minW);
    sizes[i].wantH = FXMAX(h + dh, sizes[i].minH);
  }
  const std::vector<ScreenRect> at = tileWindows(workArea(getApp()), sizes);
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const ScreenRect r = innerRect(at[i], frame_);
    placeAt(windows[i], r);
    windows[i]->raise();
  }
  return 1;
}
