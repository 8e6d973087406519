// The aerofoil window's canvas: dashed grid with the pressure-coefficient
// scale, cp(x) drawn with cp increasing downwards, and the contour at true
// aspect ratio with the focus marked in red; the axis titles in bands above
// and below the grid.
#pragma once

#include "joukowski.h"
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

// The three layers, in drawing order, on a canvas of w x h pixels.
void drawGrid(Drawing& d, PlotScale& ps, const aerofoil::Extremes& ex, int w, int h);
void drawPressure(Drawing& d, PlotScale& ps, const aerofoil::Joukowski& af);
void drawContour(Drawing& d, PlotScale& ps, const aerofoil::Joukowski& af,
                 const aerofoil::Extremes& ex, int w, int h);

// Axis titles and the chord labels in the bands (after the grid has set ps).
void drawAxisTitles(Drawing& d, const PlotScale& ps, int w, int h);

// Whole picture: grid, pressure curve, contour and focus, with the grid
// between the bands, then the axis titles.
Drawing aerofoilPicture(PlotScale& ps, const aerofoil::Joukowski& af, int w, int h);

}  // namespace plot
