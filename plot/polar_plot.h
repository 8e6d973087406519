// The polar window's plots, computed as primitives from the points of a
// polar as they come in: the lift against the angle of attack, the drag
// against the angle, the lift against the drag (the drag polar) and the
// transition position x/c of both surfaces against the angle.  A viscous
// polar (the layer acting back on the flow) shows its viscous lift, with
// the potential-flow lift dashed for comparison and its maximum lift and
// best lift-to-drag ratio marked, the drag from the wake's momentum
// defect, and two views more: the lift-to-drag ratio and the moment about
// the quarter chord.  A polar without the interaction shows the potential
// flow's lift and the Squire-Young drag estimate.
//
// Every point with a value is marked with a small circle and joined to the
// point of the angle before it.  An angle without a value leaves a gap in
// the line: no boundary layer (its pass failed) or no drag estimate for the
// drag plots, no transition on that surface for the transition plot.  An
// angle whose boundary layer did not converge (a station accepted at the
// iteration limit, or, viscous, sweeps that did not settle) is a grey
// circle that no line joins.  The lift of the potential flow, which every
// angle has, is never in doubt: its curve runs through every angle.
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

// The views.  A polar without interaction shows the first four in a 2 x 2
// grid; a viscous one all six in a 3 x 2 grid (polarLayout).
enum PolarView { kLiftCurve, kDragCurve, kDragPolar, kTransitionCurve, kLiftToDrag, kMomentCurve, kPolarViews };

// The views of a polar in their places on the canvas, left to right, then
// top to bottom, and how many go in a row.
struct PolarLayout {
  std::vector<PolarView> views;
  int columns;
};
PolarLayout polarLayout(bool viscous);

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

// Colour of the marks of the maximum lift and the best lift-to-drag ratio
// and of their labels.
constexpr const char* kOptimumColour = "Purple";

// The points of a viscous polar that a designer looks for first, among its
// converged points: the maximum lift (as the saved table's last line names
// it) and the best lift-to-drag ratio; -1 where no converged point has a
// value.  Where one lies at an end of the converged angles it may lie
// beyond them, and its label says "max Cl >= 1.1269".
struct PolarOptima {
  int maxLift = -1;         // index of the point of the greatest viscous lift
  int bestLiftToDrag = -1;  // index of the point of the greatest Cl/Cd (Cd > 0)
  bool maxLiftBeyond = false, bestLiftToDragBeyond = false;  // may lie beyond the angles that count
};
PolarOptima polarOptima(const std::vector<polar::Point>& points);

// A linear axis from lo to hi with grid lines every step.
struct PolarAxis {
  double lo = 0, hi = 1, step = 0.2;
};

// lo..hi widened outwards to whole multiples of a step of 1, 2 or 5 times a
// power of ten, with at most maxIntervals steps.  Equal ends are spread
// around their value first; ends that are not finite give 0..1.
PolarAxis roundAxis(double lo, double hi, int maxIntervals = 6);

// One view on a w x h canvas.  alphaFrom and alphaTo are the ends of the
// polar's angle range (either order); viscous: the points are a viscous
// polar's.  The kept polars are drawn first, in their muted colours (the
// lower surface's transition dashed), the axes wide enough for them too;
// every curve is cut to the grid.  On a viscous polar's lift view the
// maximum lift and the best lift-to-drag ratio are marked and labelled
// ("max Cl 1.6290", "max L/D 98.6"), on its lift-to-drag view the best
// ratio; a label is drawn on a white ground, so that no curve runs through
// it.  The marked point is marked; points, when given, receives where
// every point of the curves lies (series: polarSeries).
Drawing polarView(PolarView view, const std::vector<polar::Point>& points, double alphaFrom,
                  double alphaTo, int w, int h, const std::vector<KeptPolar>& kept = {},
                  const Mark& mark = {}, PickPoints* pickPoints = nullptr, bool viscous = false);

// Height of the legend band under the views while polars are kept.
constexpr int kKeptLegendBand = 20;

// The views of polarLayout(current.viscous) on a w x h canvas; with kept
// polars, a band at the bottom names each (keptLabel against current)
// beside a bar in its colour, after the current polar's "this polar".
Drawing polarPicture(const std::vector<polar::Point>& points, double alphaFrom, double alphaTo,
                     int w, int h, const std::vector<KeptPolar>& kept = {}, const PolarSetup& current = {},
                     const Mark& mark = {}, PickPoints* pickPoints = nullptr);

// The series of a picked point: its view, which polar (-1 the current
// one, else the index of the kept one) and, on the transition view, which
// surface (0 upper, 1 lower); on a viscous lift view 1 is the dashed
// potential-flow lift.
int polarSeries(PolarView view, int keptIndex, int surface);
struct PolarSeriesOf {
  PolarView view;
  int kept;
  int surface;
};
PolarSeriesOf polarSeriesOf(int series);

// The values of a picked point, for the line under the plots:
// "alpha 6.0  Clift 1.1183  Cd 0.00925", of a viscous polar's point
// "alpha 6.0  Cl 0.7149  Cd 0.00815  L/D 87.7  Cm c/4 -0.0029  (potential
// flow: Clift 0.7328)"; on the transition view with the transition
// position of the surface, "(not converged: limit)" after a point whose
// boundary layer did not converge and "(kept: Re(mill) 5)" after a kept
// polar's point.
std::string polarValueText(const Mark& mark, const std::vector<polar::Point>& points,
                           const std::vector<KeptPolar>& kept, const PolarSetup& current);

// The plotted data of the current polar as tab-separated text: a header
// line, then alpha, Clift, Cd_SquireYoung, the transition position x/c
// of the upper and lower surface (empty where there is no value), for a
// viscous polar its Cl_visc, Cm_c/4, Cd_visc, Cd_fric and L/D, and how far
// the boundary layer converged (polar::convergence), one row per angle.
std::string polarTable(const std::vector<polar::Point>& points, bool viscous = false);

// The angles that left a gap in the drag plots or did not converge, one
// line each with the reasons: "alpha = 14.000: <why>".  Empty when there
// is none.
std::string polarGaps(const std::vector<polar::Point>& points, bool viscous = false);

}  // namespace plot
