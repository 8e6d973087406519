// A field coloured in bands, and its colour bar.
//
// The values are known at the nodes of the log-polar grid, whose cells
// are quadrilaterals in the plane drawn.  The canvas is cut into square
// cells of a few pixels; each cell whose centre lies in a grid cell takes
// the value interpolated linearly over the triangle of that grid cell it
// falls in, and the colour of its band.  Cells that no grid cell covers
// (inside the section) stay as they are.  A row's run of cells of one
// colour is one filled rectangle.
//
// The colours diverge from white at the free stream's value: to red above
// it (higher pressure, higher speed), to blue below, in bands of a round
// width.
#pragma once

#include <string>
#include <vector>

#include "plot_primitives.h"
#include "stream_grid.h"

namespace plot {

struct ColourScale {
  double lo = 0, hi = 1;  // values at the ends of the bar
  double neutral = 0;     // the free stream's value: white
  double band = 0.1;      // width of a band, a round number
  // The colour "#rrggbb" of the band holding v.
  std::string colour(double v) const;
};

// A scale from lo to hi about neutral in about 30 bands.
ColourScale colourScale(double lo, double hi, double neutral);

// The node values (one per grid node) coloured over the canvas, the grid's
// nodes at the pixels (px[n], py[n]), in cells of `cell` pixels.
void drawFieldColours(Drawing& d, const aerofoil::StreamGrid& grid, const std::vector<double>& px,
                      const std::vector<double>& py, const std::vector<double>& value, const ColourScale& scale,
                      int w, int h, int cell);

// The bar at the right of a w x h canvas: the bands from lo at the bottom
// to hi at the top, round values beside them, the title above, on a white
// ground.
void drawColourBar(Drawing& d, const ColourScale& scale, const std::string& title, int w, int h);

// Width the bar takes at the right of the canvas, pixels.
constexpr int kColourBarBand = 64;

}  // namespace plot
