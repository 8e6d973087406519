// Where the windows go on the screen.  Toolkit-free, so that the
// arithmetic is checked for any screen without a display.  Every rectangle
// is a window's outer frame (with the window manager's decorations) in
// screen pixels.
#pragma once

#include <vector>

struct ScreenRect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
};

// Pixels two rectangles have in common.
long long overlapArea(const ScreenRect& a, const ScreenRect& b);

// The size a window opens at when it can, and the smallest at which all of
// its controls can be reached.
struct WindowSize {
  int wantW = 0, wantH = 0;
  int minW = 0, minH = 0;
};

// A window already on the screen, and the part of it that must stay in
// sight (the aerofoil window's inputs and results; w = 0 for none).
struct ShownWindow {
  ScreenRect frame;
  ScreenRect keep;
};

// A new window on the work area, beside the windows shown (the first of
// them the main window):
//   - never over a part that must stay in sight, where the area allows;
//   - covering as little of the shown windows as it can, at its wanted
//     size or, where that saves covering, smaller down to its minimum (a
//     pixel shrunk counts a tenth of a pixel covered);
//   - of equal places, the one nearest to the right of the main window,
//     level with its top;
//   - wholly on the area, no larger than it.
ScreenRect placeWindow(const ScreenRect& area, const WindowSize& size, const std::vector<ShownWindow>& shown);

// The windows laid over the whole area, in the order given.  Side by side,
// each as high as the area, where their minimum widths fit (or there are
// fewer than three): the width they want is shared out when it fits; else
// what lies above their minimum widths; else each is at its minimum and
// neighbours overlap alike, the first at the left edge and the last at the
// right.  Where three or more do not fit side by side, two columns: the
// first window on the left, as high as the area; the others one below the
// other on the right, as wide as the widest of them needs, their heights
// shared out by the same rule (the last at the bottom).
std::vector<ScreenRect> tileWindows(const ScreenRect& area, const std::vector<WindowSize>& sizes);
