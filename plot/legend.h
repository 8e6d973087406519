// A legend in a plot's title band: for each curve a short bar in its
// colour followed by what the curve is, side by side.
#pragma once

#include <initializer_list>

#include "plot_primitives.h"

namespace plot {

struct LegendItem {
  const char* colour;
  const char* text;
};

// Width in pixels of the legend of these items.
int legendWidth(std::initializer_list<LegendItem> items);

// Draws the legend with its left end at x, inside a w x h canvas.
void drawLegend(Drawing& d, std::initializer_list<LegendItem> items, int x, int w, int h);

}  // namespace plot
