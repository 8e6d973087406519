// Numbers and titles along the axes of the plots.
//
// A row of grid labels v0, v0 + step, v0 + 2 step, ... must tell every
// neighbour apart, so the format follows the grid step rather than a fixed
// count of decimals: a step of 0.2 needs one decimal, 0.0005 needs four, 5000
// none.  Values too small or too large to read in plain decimals (a momentum
// thickness of 1e-4 chords at a high Reynolds number) are written with one
// power of ten shared by the whole row, "0.5e-4", "1.0e-4", "1.5e-4", so that
// the mantissas line up as the plain labels do.
//
// Texts are placed by estimate: the canvas font is not known without the
// toolkit, so a text is taken as kTextAscent pixels above its baseline and
// kCharWidth pixels per character, figures that cover the toolkit's normal
// font (DejaVu Sans at the default size: ascent 12, digits 8 pixels wide,
// most letters narrower).
#pragma once

#include <string>

#include "plot_primitives.h"

namespace plot {

constexpr int kTextAscent = 12;   // baseline to the top of the tallest glyph
constexpr int kTextDescent = 3;   // baseline to the bottom of p, g, y
constexpr int kCharWidth = 8;     // at least the advance of any figure

// Estimated width of a text in pixels.
inline int textWidth(const std::string& s) { return kCharWidth * static_cast<int>(s.size()); }

// How a row of labels is written: fixed decimals, or a mantissa with
// `decimals` decimals times 10^exponent when scientific.
struct AxisFormat {
  int decimals = 0;
  bool scientific = false;
  int exponent = 0;
};

// Format of the labels first, first + step, ..., up to last (either order,
// step > 0).  Plain decimals while the largest magnitude lies in
// [1e-3, 1e5); outside it the shared exponent of the largest magnitude.
AxisFormat axisFormat(double first, double last, double step);

// One label.  A value within a millionth of a step of zero (the sum
// first + i*step that should be zero but is not quite) is written as zero
// in the row's decimals ("0.0"), or "0" in a row with an exponent.
std::string axisLabel(double value, const AxisFormat& f, double step);

// Every how many grid lines a label goes so that labels spacing pixels
// apart per grid step keep extent pixels for themselves: 1, 2, 5, 10, 20 ...
int labelStride(double spacing, int extent);

// Text primitive with its baseline at y, moved as little as needed to lie
// inside a w x h canvas: x >= 0, x + width <= w, baseline >= kTextAscent and
// baseline + kTextDescent <= h (as far as the canvas allows).
void placeText(Drawing& d, int x, int y, const std::string& s, int w, int h,
               const char* colour = "Black");

}  // namespace plot
