// The aerofoil window's canvas: dashed grid with the pressure-coefficient
// scale, cp(x) drawn with cp increasing downwards, and the contour at true
// aspect ratio with the focus marked in red; the axis titles in bands above
// and below the grid.
#pragma once

#include <string>

#include "joukowski.h"
#include "pick.h"
#include "plot_primitives.h"

namespace plot {

// Scale of the canvas drawing, rewritten at every drawing.
struct PlotScale {
  double cpStart = 0;  // cp of the first grid line, top of the pressure scale
  double xShift = 0;   // added to x before scaling
  double yShift = 0;   // subtracted from the vertical value before scaling
  double xScale = 0, yScale = 0;  // pixels per unit
  int top = 0;                    // pixel rows above the grid: add to every y
};

// Bands of the canvas outside the grid: the pressure axis title above, the
// chord labels and title below.
constexpr int kPressureTitleBand = 16;
constexpr int kChordLabelBand = 19;

// Top of the pressure scale and grid step chosen from the smallest cp.
struct CpScale {
  double start, step;
};
CpScale cpScaleFor(double cpmin);

// The three layers on a canvas of w x h pixels (the pressure curve sets its
// scale before the contour, which is drawn under it).  The
// curves add the pixel of each of their points to points when it is given
// (series kPressureSeries and kContourSeries, index the contour point).
void drawGrid(Drawing& d, PlotScale& ps, const aerofoil::Extremes& ex, int w, int h);
void drawPressure(Drawing& d, PlotScale& ps, const aerofoil::Joukowski& af, PickPoints* points = nullptr);
void drawContour(Drawing& d, PlotScale& ps, const aerofoil::Joukowski& af,
                 const aerofoil::Extremes& ex, int w, int h, PickPoints* points = nullptr);
constexpr int kPressureSeries = 0, kContourSeries = 1;

// Axis titles and the chord labels in the bands (after the grid has set
// ps); the pressure title starts right of labelsRight, the right end of the
// pressure labels, where they reach beyond the grid's left edge.
void drawAxisTitles(Drawing& d, const PlotScale& ps, int w, int h, int labelsRight = 0);

// Whole picture: grid, contour and focus, the pressure curve over them,
// with the grid between the bands, the curves cut to it, then the axis
// titles and the marked point.  points, when given, receives where every point of the
// curves lies.
Drawing aerofoilPicture(PlotScale& ps, const aerofoil::Joukowski& af, int w, int h, const Mark& mark = {},
                        PickPoints* points = nullptr);

// The values of contour point i, for the line under the plot:
// "x/c 0.4123  y/c 0.0512  Cp -0.8123  V 1.3452  (upper surface, point 88)".
std::string aerofoilValueText(const aerofoil::Joukowski& af, int i);

// Every contour point as tab-separated text: a header line, then
// point, x/c, y/c, Cp, V and s/c, one row each.
std::string aerofoilTable(const aerofoil::Joukowski& af);

}  // namespace plot
