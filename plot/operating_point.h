// The operating point on a polar's lift curve: where the aerofoil window's
// angle lies on the curve drawn, marked while the flow view animates the
// angle so that the point moves along the curve with the flow.
#pragma once

#include <vector>

#include "pick.h"
#include "plot_primitives.h"
#include "polar.h"

namespace plot {

// The pixel of the angle alphaDeg on the current polar's lift curve as it
// was drawn (its points among pickPoints, from polarPicture): between the
// points of the two angles about it, on the straight line joining them;
// false where the angle lies outside the angles drawn.
bool operatingPointPixel(const PickPoints& pickPoints, const std::vector<polar::Point>& points, double alphaDeg,
                         int& x, int& y);

// The mark of the operating point: a filled orange disc in a ring.
void drawOperatingPoint(Drawing& d, int x, int y);
constexpr const char* kOperatingColour = "#ff8000";

}  // namespace plot
