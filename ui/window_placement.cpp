#include "window_placement.h"

#include <algorithm>

ScreenRect placeBeside(const ScreenRect& owner, int wantW, int wantH, int screenW, int screenH) {
  ScreenRect r;
  r.w = std::max(1, std::min(wantW, screenW));
  r.h = std::max(1, std::min(wantH, screenH));
  const int right = owner.x + owner.w;
  if (right + r.w <= screenW)
    r.x = right;
  else if (owner.x - r.w >= 0)
    r.x = owner.x - r.w;
  else
    r.x = owner.x > screenW - right ? 0 : screenW - r.w;
  r.x = std::clamp(r.x, 0, std::max(0, screenW - r.w));
  r.y = std::clamp(owner.y, 0, std::max(0, screenH - r.h));
  return r;
}
