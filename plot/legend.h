// A plot's title band: its title, what it shows, and a legend of its
// curves, for each curve a short bar in its colour followed by what the
// curve is, side by side.
#pragma once

#include <initializer_list>
#include <string>

#include "plot_primitives.h"

namespace plot {

struct LegendItem {
  const char* colour;
  const char* text;
};

// The title at x = left, and what the plot shows beside it when that ends
// a character's width before right (where a legend begins, or the margin).
void drawTitle(Drawing& d, const std::string& title, const std::string& meaning, int left, int right,
               int w, int h);

// Width in pixels of the legend of these items.
int legendWidth(std::initializer_list<LegendItem> items);

// Draws the legend with its left end at x, inside a w x h canvas.
void drawLegend(Drawing& d, std::initializer_list<LegendItem> items, int x, int w, int h);

}  // namespace plot
