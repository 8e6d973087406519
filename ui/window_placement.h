// Where a second window goes on the screen: wholly on it, beside the
// window it belongs to where there is room.  Toolkit-free, so that the
// arithmetic is checked for any screen without a display.
#pragma once

struct ScreenRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// A window that would like wantW x wantH, placed on a screenW x screenH
// screen beside the window `owner`:
//   - no larger than the screen (it shrinks where the screen is smaller);
//   - right of the owner if it fits there, else left of it, else at the
//     screen edge on the side with more room (ties to the right: the owner's
//     inputs and results are in its left column), where it covers the owner
//     least;
//   - its top level with the owner's, moved up or down as little as keeps
//     it on the screen.
ScreenRect placeBeside(const ScreenRect& owner, int wantW, int wantH, int screenW, int screenH);
