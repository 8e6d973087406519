// The two plots of the boundary-layer window, computed as primitives from
// the results of a boundary-layer session: the edge velocity along the selected surface (computed
// in red, inviscid in black) and one boundary-layer quantity (Cf, D1, D2,
// H12 or RV) along it.  Both mark the transition position in blue and the
// start of the inverse mode (where separation was forecast) in red on the
// arc-length axis, each only where the march really went turbulent or into
// the inverse mode.
//
// With viscous interaction a surface goes on behind the trailing edge into
// its half of the wake: the computed edge velocity is the interacted one,
// drawn over the bare section's inviscid edge velocity; a grey line marks
// the trailing edge, and the displacement and momentum thickness and the
// shape factor continue behind it (the skin friction ends there: the wake
// has no wall).
//
// Axes: arc length s (in chords, from the stagnation point) to the right
// from the left margin, the value upwards from the base line, always from 0.  The y range ends at a "nice" maximum
// with a round grid step; the s grid runs every 0.2.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "pick.h"
#include "plot_primitives.h"
#include "core/surface_result.h"
#include "viscous_analysis.h"

namespace plot {

// Canvas margins in pixels: the y labels on the left; the quantity's title
// (and the edge-velocity legend) above; below, the markers' lower arms, the
// s labels and the arc-length title, one line each.
constexpr int kBlMarginLeft = 56;
constexpr int kBlMarginRight = 5;
constexpr int kBlMarginTop = 22;
constexpr int kBlMarginBottom = 39;

// Spacing of the vertical grid lines in arc length (fractions of the chord).
constexpr double kArcGridStep = 0.2;

// Colour of the line (and its label "TE") at the trailing edge of a
// surface that goes on into the wake.
constexpr const char* kTrailingEdgeColour = "DimGrey";

// Index of the first node whose boundary-layer results the march computes.
// Nodes 1 and 2 (indices 0 and 1), the stagnation point and the station
// after it, carry the starting profile and hold 0 for every quantity: drawn,
// they would be a drop to zero at s = 0 (H12 = 0 at the stagnation point).
constexpr std::size_t kFirstComputedNode = 2;

// Quantity codes of the lower plot, in button order.
enum BlQuantity { kCf = 0, kD1 = 1, kD2 = 2, kH12 = 3, kRV = 4, kQuantityCount = 5 };

// Title shown on the plot of a quantity code ("Cf(s)", ..., "RV(s)").
const char* quantityTitle(int code);

// Rounded-up maximum of a y range and the grid step that divides it.
struct NiceMax {
  double max;
  double step;
};

// Scales d by powers of ten into (1, 10], takes n = its integer part and
// rounds up: steps of the decade for n >= 5, of half a decade for n = 2..4,
// of a fifth of a decade for n <= 1; the maximum lies one step or less
// above d.  0.0045 -> 0.005 (step 0.0005), 1.53 -> 1.6 (0.2), 3.2 -> 3.5
// (0.5), 26 -> 30 (5), 10 -> 11 (1).
//
// A d that scales to exactly 1 (1, 0.1, 100 ...) takes the fifth-of-a-decade
// branch: 1 -> 1.2 with step 0.2.  A d that is not above 0 or not finite (a
// quantity that is zero everywhere, as on a surface of fewer than three
// stations) gets the unit range 0..1 with step 0.2.
NiceMax niceMaximum(double d);

// Smallest and largest value over the nodes of a surface.  An empty surface
// leaves the start values (min 1000, max -1000).
struct Range {
  double min = 1000.0;
  double max = -1000.0;
};

// Ranges of one surface: arc length and computed edge velocity over every
// node, the five quantities (indexed by BlQuantity) over the computed nodes
// from kFirstComputedNode on.
struct SurfaceRanges {
  Range s, ue;
  Range qty[kQuantityCount];
};

// Ranges over the nodes of a surface's results.
SurfaceRanges surfaceRanges(const bl::SurfaceResult& surface);

// Mapping of the last axes drawn: X = left + scaleX*(s - xmin),
// Y = base - scaleY*v, truncated to whole pixels.
struct BlTransform {
  double scaleX = 0, scaleY = 0;
  double left = kBlMarginLeft;
  double base = 0;  // canvas height - bottom margin
  double xmin = 0;
  int X(double s) const { return pixel(left + scaleX * (s - xmin)); }
  int Y(double v) const { return pixel(base - scaleY * v); }
};

// What the window selects and remembers between draws.
struct BlPlotState {
  bl::Surface surface = bl::Surface::upper;  // selected surface
  // Per surface (index bl::index): the selected quantity code, the results
  // shown, their ranges and whether they were computed.
  int quantity[2] = {0, 0};
  bl::SurfaceResult surfaces[2];
  SurfaceRanges ranges[2];
  bool computed[2] = {false, false};

  // Takes the results of one surface and their ranges.  A surface whose
  // computation failed is taken with computed false: its split (arc
  // length, inviscid edge velocity) is drawn, nothing of the march.
  void update(bl::Surface which, bl::SurfaceResult r, bool wasComputed = true) {
    const int i = bl::index(which);
    surfaces[i] = std::move(r);
    ranges[i] = surfaceRanges(surfaces[i]);
    computed[i] = wasComputed;
  }

  // Per surface, with viscous interaction: the bare section's split (arc
  // length from its own stagnation point, inviscid edge velocity), drawn
  // for comparison in place of the surface's own ue_inv, which is then the
  // speed of the displaced flow.  Empty without interaction.
  bl::SurfaceValues bare[2];
  bool interacted(bl::Surface which) const { return !bare[bl::index(which)].s.empty(); }
};

// Axes and frame on a w x h canvas: white background, dashed orange grid
// (one vertical line more than there are s labels), y and s labels in the
// digits their grid steps need (axis_labels.h), the arc-length title, the
// quantity's title with what it is, the markers of the selected surface
// (inverse-mode start in red, then transition in blue, each only when the
// computed march reached it: SurfaceResult::inverse_at, transition_at) and, on the
// edge-velocity plot ("Ue(s)"), a legend of its two curves.  Every text
// lies inside the canvas.  Returns the mapping of these axes.
BlTransform drawBlAxes(Drawing& d, const BlPlotState& st, bl::Surface which, double xmin, double xmax,
                       double ymax, const std::string& title, int w, int h);

// The curves of the plots, as their points are told apart when picked.
constexpr int kComputedSeries = 0, kInviscidSeries = 1;

// The upper canvas: axes up to the largest computed edge velocity, then the
// inviscid edge velocity in black over the whole surface and the computed
// one over it in red from the first computed node, both cut to the grid.
// With interaction the black curve is the bare section's, over its own
// arc lengths, and the axes take it in too.  The marked node is marked;
// points, when given, receives where every node of the curves lies (index:
// the node's index in the surface, or in the bare split for the black
// curve of an interacted surface).
Drawing edgeVelocityPlot(const BlPlotState& st, int w, int h, const Mark& mark = {},
                         PickPoints* points = nullptr);

// The lower canvas: the selected quantity of the selected surface in black,
// from the first computed node (Cf to the trailing edge, the others on
// into the wake), cut to the grid; the mark and the points as above.
Drawing quantityPlot(const BlPlotState& st, int w, int h, const Mark& mark = {}, PickPoints* points = nullptr);

// The values of node index of the selected surface, for the line under a
// plot: "s/c 0.4123  Cf 0.00312  (upper surface, station 88)", and on the
// edge-velocity plot both edge velocities; a node behind the trailing edge
// is a "wake station".  With interaction the black curve (series
// kInviscidSeries) is the bare section's, whose node index is named as
// such: "s/c 0.4100  Ue inviscid 1.2500  (upper surface, bare section,
// node 88)".
std::string blValueText(const BlPlotState& st, bool edgeVelocity, int index, int series = kComputedSeries);

// The plotted data of the selected surface as tab-separated text: a header
// line (station, s/c, Ue, Ue inviscid and the selected quantity), then one
// row per node; a cell is empty where the march computed nothing.  With
// interaction the bare section's nodes are columns of their own: station,
// s/c, Ue, the quantity, then "s/c inviscid" and "Ue inviscid", as many
// rows as the longer list needs.
std::string blTable(const BlPlotState& st);

// The viscous lift, moment and drag of an analysis, for the line under the
// plots: "Viscous: Cl 0.4663  Cm c/4 -0.0008  Cd 0.00919 (friction
// 0.00734), 15 sweeps", with ", not settled" after sweeps that did not
// meet the tolerance.
std::string viscousResultText(const viscous::Result& r);

// What the user is told of sweeps that did not settle: "The viscous flow
// did not settle in 80 sweeps (last change: lift 2.1e-05, surface speed
// 3.4e-05): its lift and drag are those of the last sweep."
std::string unsettledText(const viscous::Result& r);

// The mapping each plot of st draws with on a w x h canvas.
BlTransform edgeVelocityTransform(const BlPlotState& st, int w, int h);
BlTransform quantityTransform(const BlPlotState& st, int w, int h);

}  // namespace plot
