// The polar window's plots, computed as primitives from the points of a
// polar as they come in: the lift against the angle of attack, the
// Squire-Young drag estimate against the angle, the lift against that drag
// (the drag polar) and the transition position x/c of both surfaces against
// the angle.
//
// Every point with a value is marked with a small circle and joined to the
// point of the angle before it.  An angle without a value leaves a gap in
// the line: no boundary layer (its pass failed) or no drag estimate for the
// drag plots, no transition on that surface for the transition plot.  An
// angle whose boundary layer did not converge (a station accepted at the
// iteration limit) is a grey circle that no line joins.  The lift is that
// of the potential flow, which every angle has, so the lift curve runs
// through every angle.
//
// The angle axes span the whole range of the polar from the start, so that
// points arriving one by one do not move them; the value axes take round
// steps over the values drawn so far; x/c runs over the chord, 0..1.
#pragma once

#include <string>
#include <vector>

#include "kept_polars.h"
#include "pick.h"
#include "plot_primitives.h"
#include "polar.h"

namespace plot {

// The four views, in their places on the canvas: left to right, then top
// to bottom.
enum PolarView { kLiftCurve, kDragCurve, kDragPolar, kTransitionCurve, kPolarViews };

// Margins of a view in pixels: the value labels on the left, the title (and
// the transition plot's legend) above, the angle labels and the axis title
// below.
constexpr int kPolarMarginLeft = 60;
constexpr int kPolarMarginRight = 12;
constexpr int kPolarMarginTop = 22;
constexpr int kPolarMarginBottom = 41;

// Diameter of a point's circle in pixels.
constexpr int kPolarMarker = 6;

// Colour of the circle of a point that did not converge.
constexpr const char* kUnconvergedColour = "Grey";

// A linear axis from lo to hi with grid lines every step.
struct PolarAxis {
  double lo = 0, hi = 1, step = 0.2;
};

// lo..hi widened outwards to whole multiples of a step of 1, 2 or 5 times a
// power of ten, with at most maxIntervals steps.  Equal ends are spread
// around their value first; ends that are not finite give 0..1.
PolarAxis roundAxis(double lo, double hi, int maxIntervals = 6);

// One view on a w x h canvas.  alphaFrom and alphaTo are the ends of the
// polar's angle range (either order).  The kept polars are drawn first, in
// their muted colours (the lower surface's transition dashed), the axes
// wide enough for them too; every curve is cut to the grid.  The marked
// point is marked; points, when given, receives where every point of the
// curves lies (series: polarSeries).
Drawing polarView(PolarView view, const std::vector<polar::Point>& points, double alphaFrom,
                  double alphaTo, int w, int h, const std::vector<KeptPolar>& kept = {},
                  const Mark& mark = {}, PickPoints* pickPoints = nullptr);

// Height of the legend band under the views while polars are kept.
constexpr int kKeptLegendBand = 20;

// The four views in a 2 x 2 grid on a w x h canvas; with kept polars, a
// band at the bottom names each (keptLabel against current) beside a bar
// in its colour, after the current polar's "this polar".
Drawing polarPicture(const std::vector<polar::Point>& points, double alphaFrom, double alphaTo,
                     int w, int h, const std::vector<KeptPolar>& kept = {}, const PolarSetup& current = {},
                     const Mark& mark = {}, PickPoints* pickPoints = nullptr);

// The series of a picked point: its view, which polar (-1 the current
// one, else the index of the kept one) and, on the transition view, which
// surface (0 upper, 1 lower).
int polarSeries(PolarView view, int keptIndex, int surface);
struct PolarSeriesOf {
  PolarView view;
  int kept;
  int surface;
};
PolarSeriesOf polarSeriesOf(int series);

// The values of a picked point, for the line under the plots:
// "alpha 6.0  Clift 1.1183  Cd 0.00925", on the transition view with the
// transition position of the surface, "(not converged: limit)" after a
// point whose boundary layer did not converge and "(kept: Re(mill) 5)"
// after a kept polar's point.
std::string polarValueText(const Mark& mark, const std::vector<polar::Point>& points,
                           const std::vector<KeptPolar>& kept, const PolarSetup& current);

// The plotted data of the current polar as tab-separated text: a header
// line, then alpha, Clift, Cd_SquireYoung, the transition position x/c
// of the upper and lower surface (empty where there is no value) and how
// far the boundary layer converged (polar::convergence), one row per angle.
std::string polarTable(const std::vector<polar::Point>& points);

// The angles that left a gap in the drag plots or did not converge, one
// line each with the reasons: "alpha = 14.000: <why>".  Empty when there
// is none.
std::string polarGaps(const std::vector<polar::Point>& points);

}  // namespace plot
