// A plot's title band: its title, what it shows, and a legend of its
// curves, for each curve a short bar in its colour followed by what the
// curve is, side by side.  Where the band is too narrow for that beside the
// title, the legend keeps the words alone, each in its curve's colour, and
// narrower still their first letters: a narrow plot keeps its legend.
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

// How a legend fits a title band from left to right whose title starts at
// left: shown (else there is no room even for the letters), its left end x,
// and its form.
struct LegendFit {
  bool shown = false;
  int x = 0;
  bool bars = true;       // bars before the words; else the words in their colours
  bool initials = false;  // the words' first letters only
};
LegendFit fitLegend(std::initializer_list<LegendItem> items, const std::string& title, int left, int right);

// Draws the legend as fitted, inside a w x h canvas.
void drawLegend(Drawing& d, std::initializer_list<LegendItem> items, const LegendFit& fit, int w, int h);

}  // namespace plot
