// Reading values off a plot: every plot hands back, with its drawing, where
// each of its data points landed on the canvas; a click picks the point
// nearest to it as the eye sees it (in pixels), which the plot then marks.
// The data can also be taken whole, as tab-separated text with a header
// line, for a spreadsheet.
#pragma once

#include <string>
#include <vector>

#include "plot_primitives.h"

namespace plot {

// A data point of a plot at its pixel on the canvas.  series tells the
// curves of one plot apart, index is the point's place in its data.
struct PickPoint {
  int x = 0, y = 0;
  int series = 0;
  int index = 0;
};
using PickPoints = std::vector<PickPoint>;

// The point a plot marks: none while index < 0.
struct Mark {
  int series = 0;
  int index = -1;
  bool valid() const { return index >= 0; }
};

// The point nearest to (x, y) among the points; none when there are none.
// Of points at the same distance the first wins.
Mark nearestPoint(const PickPoints& points, int x, int y);

// Where the marked point is among the points: false when it is not drawn.
bool markedPixel(const PickPoints& points, const Mark& mark, int& x, int& y);

// The mark of a picked point: a circle and a cross in dark green.
void drawMark(Drawing& d, int x, int y);
constexpr const char* kMarkColour = "DarkGreen";

// A number as it goes to the clipboard: the shortest text that reads back
// as the same double; an empty cell where there is no value (NaN, inf).
std::string cellText(double v);

// Cells joined by tabs, ended by a newline.
std::string tabRow(const std::vector<std::string>& cells);

// A number for the value line under a plot, in printf's format.
std::string valueText(const char* format, double v);

}  // namespace plot
