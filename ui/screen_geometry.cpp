#include "screen_geometry.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

Display* displayOf(FXApp* app) { return static_cast<Display*>(app->getDisplay()); }

// A property of CARDINALs of a window, as many as it holds up to count.
std::vector<long> cardinals(Display* dpy, Window w, const char* name, long count) {
  std::vector<long> out;
  const Atom atom = XInternAtom(dpy, name, True);
  if (atom == None) return out;
  Atom type;
  int format;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy, w, atom, 0, count, False, XA_CARDINAL, &type, &format, &items, &after, &data) ==
          Success &&
      data) {
    if (type == XA_CARDINAL && format == 32) {
      const long* values = reinterpret_cast<const long*>(data);
      out.assign(values, values + items);
    }
    XFree(data);
  }
  return out;
}

// Whether a window manager that follows the desktop conventions runs.
bool managerRuns(Display* dpy) {
  const Atom check = XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type;
  int format;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(dpy, DefaultRootWindow(dpy), check, 0, 1, False, XA_WINDOW, &type, &format,
                                        &items, &after, &data) == Success &&
                     data && items == 1;
  if (data) XFree(data);
  return found;
}

}  // namespace

ScreenRect workArea(FXApp* app) {
  FXRootWindow* root = app->getRootWindow();
  const ScreenRect screen{0, 0, root->getWidth(), root->getHeight()};
  Display* dpy = displayOf(app);
  if (!dpy) return screen;
  // The first desktop's work area; an area off the screen is not believed.
  const std::vector<long> a = cardinals(dpy, DefaultRootWindow(dpy), "_NET_WORKAREA", 4);
  if (a.size() < 4 || a[2] <= 0 || a[3] <= 0) return screen;
  const ScreenRect area{static_cast<int>(a[0]), static_cast<int>(a[1]), static_cast<int>(a[2]), static_cast<int>(a[3])};
  if (area.x < 0 || area.y < 0 || area.right() > screen.w || area.bottom() > screen.h) return screen;
  return area;
}

FrameExtents frameExtents(FXTopWindow* window) {
  FrameExtents e;
  Display* dpy = displayOf(window->getApp());
  if (!dpy || !window->id() || !managerRuns(dpy)) return e;
  const Window w = static_cast<Window>(window->id());
  std::vector<long> v = cardinals(dpy, w, "_NET_FRAME_EXTENTS", 4);
  if (v.size() < 4 && !window->shown()) {
    // Ask the manager what it will put round the window, and wait for its
    // answer a little.
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
    ev.xclient.format = 32;
    XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(dpy);
    for (int k = 0; k < 30 && v.size() < 4; ++k) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      XSync(dpy, False);
      v = cardinals(dpy, w, "_NET_FRAME_EXTENTS", 4);
    }
  }
  if (v.size() < 4) return e;
  e.left = static_cast<int>(v[0]);
  e.right = static_cast<int>(v[1]);
  e.top = static_cast<int>(v[2]);
  e.bottom = static_cast<int>(v[3]);
  return e;
}

ScreenRect screenRectOf(FXWindow* widget) {
  FXint x = 0, y = 0;
  if (widget->id()) widget->translateCoordinatesTo(x, y, widget->getRoot(), 0, 0);
  return {x, y, widget->getWidth(), widget->getHeight()};
}

ScreenRect outerFrame(FXTopWindow* window, const FrameExtents& e) {
  ScreenRect r = window->id() ? screenRectOf(window) : ScreenRect{window->getX(), window->getY(), window->getWidth(),
                                                                  window->getHeight()};
  return {r.x - e.left, r.y - e.top, r.w + e.left + e.right, r.h + e.top + e.bottom};
}

ScreenRect innerRect(const ScreenRect& r, const FrameExtents& e) {
  return {r.x + e.left, r.y + e.top, std::max(1, r.w - e.left - e.right), std::max(1, r.h - e.top - e.bottom)};
}

void placeAt(FXTopWindow* window, const ScreenRect& r) {
  // The toolkit may already have taken a size (its minimum) as the
  // window's without telling the window system, and would then skip the
  // change: marked for layout, the window is moved and sized whatever the
  // toolkit thinks it has.
  window->recalc();
  window->position(r.x, r.y, r.w, r.h);
}

void bringForward(FXTopWindow* window) {
  if (!window->shown()) window->show();
  window->raise();
  Display* dpy = displayOf(window->getApp());
  if (!dpy || !window->id() || !managerRuns(dpy)) {
    window->setFocus();
    return;
  }
  // Asked of the manager as a pager asks, which managers grant.
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = static_cast<Window>(window->id());
  ev.xclient.message_type = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = 2;
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
  XFlush(dpy);
}
