// Prints the text of the X primary selection, that is the text selected
// last in any window, so that an end-to-end test can read what a text
// field shows: select the field's text with a triple click, then run this.
// With the argument CLIPBOARD, the text put on the clipboard instead (as a
// window's "Copy values" puts it), printed as it is.
// Exit code 1 when nobody owns the selection or it does not arrive in time.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    std::fprintf(stderr, "read_selection: cannot open the display\n");
    return 1;
  }
  const Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
  const Atom property = XInternAtom(dpy, "READ_SELECTION", False);
  const bool clipboard = argc > 1 && std::string(argv[1]) == "CLIPBOARD";
  const Atom selection = clipboard ? XInternAtom(dpy, "CLIPBOARD", False) : XA_PRIMARY;
  XConvertSelection(dpy, selection, XA_STRING, property, w, CurrentTime);
  XFlush(dpy);

  int code = 1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    if (!XPending(dpy)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    XEvent ev;
    XNextEvent(dpy, &ev);
    if (ev.type != SelectionNotify) continue;
    if (ev.xselection.property == None) break;  // no owner, or refused
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, property, 0, 1 << 16, True, AnyPropertyType, &type, &format,
                           &items, &after, &data) == Success &&
        data) {
      std::fwrite(data, 1, items, stdout);
      if (!clipboard) std::fputc('\n', stdout);
      XFree(data);
      code = 0;
    }
    break;
  }
  XDestroyWindow(dpy, w);
  XCloseDisplay(dpy);
  return code;
}
