// The size of a picture to save, asked in a small box: width and height in
// pixels, each from plot::kMinPictureSide to plot::kMaxPictureSide.
#pragma once

#include <fx.h>

// Starts from w x h (held to the sides allowed); true with the size typed
// once the user accepts it, false when cancelled.  A size that is no whole
// number or out of range is refused in a box, and the question asked again.
bool askPictureSize(FXWindow* owner, const char* caption, int& w, int& h);
