// A polar: lift, moment and boundary layer of one section over a range of
// angles of attack.  Every angle is computed exactly as a run of that angle
// alone (from the user's settings, never from what the angle before it
// left), the angles spread over the cores.
#pragma once

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "joukowski.h"
#include "section_model.h"
#include "core/parameters.h"
#include "viscous_analysis.h"

namespace polar {

// At most this many angles in one polar.
constexpr int kMaxAngles = 10000;

// At most this many angles computed at once, each on a thread of its own
// with a session of its own.
constexpr int kMaxJobs = 64;

struct Settings {
  aerofoil::SectionInputs section;  // the section and N (its angle is not used)
  // The section made from `section` once, shared by every angle; null: the
  // polar makes it.
  std::shared_ptr<const aerofoil::SectionModel> model;
  std::vector<double> angles;       // degrees, in the order of the table
  bool boundary_layer = true;       // also the boundary layer of both surfaces
  bl::ComputationParameters params;  // the user's, for every angle
  int recalc = 0;                   // presses of "Recalculate" after each computation
  int jobs = 0;                     // angles computed at once; 0: one per core; at most kMaxJobs
  std::string report_folder;        // empty: no report files; else one folder per angle in it
  bool diagnostics = false;         // keep the solver's diagnostic lines of each angle
  // With the boundary layer: the viscous analysis of every angle (the layer
  // acting back on the flow), each angle starting from the mass defect of
  // the two angles before it (their secant) on its way out from the angle
  // nearest zero.
  bool viscous = false;
  viscous::Settings coupling;
};

// The viscous analysis of one angle; NaN where it has nothing to give.
struct ViscousPoint {
  static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  double cl = kNone;           // lift of the displaced flow: its wall pressure
  double cm = kNone;           // moment about the quarter chord, nose up
  double cd = kNone;           // drag: the wake's momentum defect far downstream
  double cd_friction = kNone;  // skin friction along both walls
  int sweeps = 0;              // coupling sweeps run
  bool converged = false;      // lift and surface speed settled to the tolerance
  int transition_off[2] = {0, 0};  // see viscous::Result::transition_off
};

// One surface at one angle.  NaN where there is nothing to give: a
// transition or inverse mode that does not occur on the surface.
struct SurfacePoint {
  static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  double s_tr = kNone, xc_tr = kNone;      // transition: arc length from the stagnation point (chords), x/c
  double s_inv = kNone, xc_inv = kNone;    // start of the inverse mode
  double theta_te = kNone, h_te = kNone;  // trailing-edge momentum thickness and shape factor
  int iteration_limited = 0;  // stations accepted at the Newton iteration limit
  int limited_at = 0;         // the first of them, or 0
  int edge_limited_at = 0;    // station from which the outer edge was held, or 0
};

struct Point {
  int index = 0;       // position in the table
  double alpha = 0;    // degrees
  double clift = 0, cmfocus = 0;
  bool computed = false;  // the boundary layer of both surfaces
  std::string failure;    // why not, when it was asked for
  SurfacePoint upper{}, lower{};
  double cd = 0;          // Squire-Young estimate, NaN with cd_why when there is none
  std::string cd_why;
  std::string diagnostics, diagnostics_err;  // the solver's lines, when kept
  std::string report_dir;                    // where this angle's reports went
  ViscousPoint viscous;                      // with Settings::viscous
};

// What the three numbers of a range are called where the user typed them,
// e.g. the polar window's fields "Alpha from", "Alpha to", "Alpha step".
struct RangeNames {
  const char* from;
  const char* to;
  const char* step;
};

// The one rule for a range of angles, the polar window's and the command
// line's: the angles from A0 to A1 in steps of DA, the sign of DA taking A0
// towards A1 (16, -4, -1 runs downwards) and A1 included when the steps
// reach it, at most maxAngles (and kMaxAngles) of them.  Empty with a
// reason for the user when A1 = A0, when DA is 0, not finite or leads away
// from A1, or when there would be more angles; with names, the reason names
// the three numbers by them, else it speaks of the range and the step.
std::vector<double> steppedAngles(double from, double to, double step, int maxAngles, std::string& why,
                                  const RangeNames* names = nullptr);

// Computes every angle of the settings.  ready(point) is called on the
// calling thread, in table order, as soon as a point and all before it are
// done.  cancel, when given, may be raised from any thread: no further
// angle starts, the running ones stop within one station of their march
// (no point is delivered for an angle stopped so), and compute returns
// once every worker has ended, within a station's time.
// An exception from ready or from the computation of an angle stops the
// hand-out of angles too; once every worker has ended, compute throws it on
// the calling thread.
void compute(const Settings& settings, const std::function<void(const Point&)>& ready,
             const bl::CancelFlag* cancel = nullptr);

// A surface whose inverse mode starts ahead of this x/c separates at the
// nose: the march carries its layer on to the trailing edge with a
// prescribed skin friction, a model of the separated flow, not a
// prediction of its drag.
constexpr double kNoseSeparation = 0.1;

// How far the boundary layer of a point converged: "yes"; "limit", a
// station accepted at the Newton iteration limit (its numbers are not to
// be trusted); "sweeps", a viscous flow that did not settle; "held", a
// viscous flow that settled with its transition held away from where the
// settled flow puts it (the angle alone can differ); "sep", converged, but
// a surface separates at the nose (the drag estimate is not to be
// trusted); "failed", no boundary layer.
const char* convergence(const Point& p);

// What a reader of a point is to be told, one line each: why its boundary
// layer failed, the stations accepted at the iteration limit, an outer
// edge held at the grid's capacity, why there is no drag estimate.
std::vector<std::string> cautions(const Point& p);

// Comment lines that open a saved polar and name everything that made it:
// the program (e.g. "Veltaro 2.1"), the section, and with the boundary
// layer its parameters and the transition settings, each as "name = value"
// with the digits it was given.
std::string settingsHeader(const Settings& settings, const std::string& program);

// The polar as text: header lines, then one row per point, the numbers
// in the columns the header names; a viscous polar adds the viscous lift,
// moment and drag to each row and closes with a comment line on its
// maximum lift.
std::string tableHeader(bool boundary_layer, bool viscous = false);
std::string tableRow(const Point& p, bool boundary_layer, bool viscous = false);
std::string tableFooter(const std::vector<Point>& points, bool viscous);

// A point whose numbers a summary of the polar may use: its boundary layer
// computed with every station converged and, viscous, its sweeps settled
// (convergence "yes" or "sep").
bool converged(const Point& p);

// How many angles of a polar the status line speaks of.
struct ConvergenceCount {
  int angles = 0;       // points given
  int unconverged = 0;  // computed, but not converged (limit, sweeps)
  int failed = 0;       // no boundary layer
};
ConvergenceCount countConvergence(const std::vector<Point>& points);
// "2 of 15 angles did not converge (grey circles)"; empty when every
// computed angle converged.
std::string unconvergedNote(const std::vector<Point>& points);

// The converged point of the greatest viscous lift (the first of equals),
// as the footer names it, and of the greatest viscous lift-to-drag ratio
// (Cd > 0); null when no converged point has one.
const Point* maximumLift(const std::vector<Point>& points);
const Point* bestLiftToDrag(const std::vector<Point>& points);
// A maximum found at p may lie beyond the angles that count: no converged
// point lies on one side of it (an end of the range, or next to angles that
// did not converge, or that a Cancel left out).
bool mayLieBeyond(const std::vector<Point>& points, const Point* p);
// The header, the rows of the points, in their order, and the footer.
std::string tableText(const std::vector<Point>& points, bool boundary_layer, bool viscous = false);

}  // namespace polar
