// The viscous analysis of a section: the boundary layer and its wake acting
// back on the outer flow.
//
// The boundary layer and wake displace the outer flow.  On a lifting
// section the suction side's displacement thickness grows faster than the
// pressure side's, so the displaced body has less camber near the trailing
// edge, the Kutta condition on it gives less circulation, and the lift
// falls; the adverse pressure gradient that the layer meets near the edge
// is milder than the bare contour's.  The analysis finds the flow in which
// both agree, by sweeps:
//   1. the exact outer flow of the section with the mass defect m = ue d1 of
//      the last sweep as wall transpiration and wake sources, its
//      circulation from the Kutta condition;
//   2. its split at the (moved) stagnation point into the two surfaces, each
//      continued into its half of the wake along the trailing streamline;
//   3. the march of each surface and half-wake with the interaction law
//      (quasi-simultaneous coupling): the edge velocity of every station is
//      solved together with its displacement, tied by the thin-aerofoil
//      law, so that the march goes through separation;
//   4. the new mass defect, until the surface speed and the lift change by
//      less than the tolerance from one sweep to the next.
// Lift and moment: the wall pressure, which is the edge pressure of a thin
// layer, integrated over the section.  (The Kutta-Joukowski lift 2 gamma is
// the force on the section and the displacement sources together; the
// sources, in the flow past them, carry a force of their own.)
// Drag: the momentum defect far downstream, by Squire and Young at the end
// of the wake; friction drag from the skin friction along both walls; the
// pressure drag is the difference.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "displacement_body.h"
#include "joukowski.h"
#include "layer_solver.h"
#include "session/session.h"

namespace viscous {

struct Settings {
  double tolerance = 1e-5;   // largest change of surface speed and lift between sweeps
  int max_sweeps = 80;       // sweeps before a computation is given up as not converged
  // A computation that has stopped settling is given up as not converged
  // (measured on the README's polars and their angles alone, 1,440
  // analyses, see the README's "Giving up"):
  // - its largest change (of the lift or the surface speed) has not fallen
  //   below its lowest so far for give_up_after sweeps: a flow that
  //   settles makes a new lowest change at least every 10 sweeps, one that
  //   swings (e/R1 0.06 at Re 1 million past 10 degrees) none after its
  //   16th to 24th sweep;
  // - or, from sweep 20 on, the rate at which its lowest change fell over
  //   the last give_up_after sweeps would take it to the tolerance only in
  //   more than slow_margin times the sweeps it has left.  No flow that
  //   settled was stopped so; 39 of the 44 that ran out of sweeps were,
  //   after 64 sweeps on average (with a margin of 1.5, after 42, but the
  //   flows still creeping towards their settled values were then stopped
  //   while their last change was too large for their numbers to be given).
  int give_up_after = 15;
  double slow_margin = 3.0;
  double relaxation = 0.5;   // share of a sweep's change of the mass defect taken
  double wake_length = 1.5;  // chords behind the trailing edge
  double wake_growth = 1.12; // ratio of successive wake steps, from the contour's last panel
  // A flow that has not settled gives its lift, moment and drag only while
  // its last sweep changed the lift and the surface speed by less than
  // this: such a flow is still creeping towards where it settles (the
  // numbers are those of its last sweep, marked).  Beyond it the sweeps
  // swing (measured on the README's polars: the last changes of the flows
  // that did not settle were 1e-5 to 7e-4, or 0.4 and more, a drag of 6.3
  // one sweep and 0.0026 the next), and no number is given.
  double largest_shown_change = 1e-3;

  // Closure of the layers and wakes the sweeps march, whatever the user's
  // parameters name for the uncoupled march: Spalart-Allmaras, closer to
  // the wind tunnel on NACA 0012 than the algebraic eddy viscosity (see the
  // README's "Turbulence models").
  bl::Turbulence turbulence = bl::Turbulence::spalart_allmaras;
};

// The mass defect a converged (or the last) sweep leaves: the start of the
// next angle of a polar.
struct State {
  std::vector<double> m;        // signed mass defect at each contour point (as the speed's sign)
  std::vector<double> wake[2];  // mass defect of each half-wake at its nodes, upper and lower
  // Normal grid points of the last march at each contour point and
  // half-wake node (see InteractionLaw::grid_points_before); empty at the
  // start of an analysis.
  std::vector<int> grid;
  std::vector<int> wake_grid[2];
  bool empty() const { return m.empty(); }
};

struct Result {
  bl::Status status;        // whether the sweeps could run; a failed march says where
  bool converged = false;   // the sweeps met the tolerance
  int sweeps = 0;           // sweeps run
  // The loads below are NaN where the flow did not settle and its sweeps
  // still swing (Settings::largest_shown_change).
  double cl = 0;            // lift coefficient: the wall pressure of the displaced flow
  double cm = 0;            // pitching moment about the quarter chord, nose up
  double cd = 0;            // drag: Squire-Young at the end of the wake, both halves
  double cd_friction = 0;   // skin friction along both walls
  double cd_pressure = 0;   // cd - cd_friction
  double change_ue = 0;     // largest change of the surface speed in the last sweep
  double change_cl = 0;     // change of the lift in the last sweep
  // Per surface (upper, lower): how many contour points from the held
  // transition a march with it free puts it on the settled flow, when that
  // is more than one; else 0.  Not 0: the lift and drag depend on where
  // the sweeps started (an angle alone and the same angle of a polar differ).
  int transition_off[2] = {0, 0};
  // Why the sweeps ended before settling when a later sweep's flow could
  // not be marched (past stall, say): the loads are then those of the last
  // sweep that could; "" otherwise.
  std::string unmarchable;
  State state;              // mass defect of the last sweep
  DisplacementBody body;    // the section displaced by the last march's delta*, and the wake
  // Both surfaces with their half-wakes as the last march left them
  // (index bl::index(Surface): upper, lower), once the analysis has run.
  std::array<bl::SurfaceResult, 2> surfaces;
  std::vector<std::string> cautions;           // of the last march, one line each
  std::optional<bl::Surface> failed_surface;   // whose march failed, when one did
};

// Where an analysis stands, after each sweep: for a window's progress line.
struct Progress {
  int sweeps = 0;        // sweeps done
  double change_cl = 0;  // change of the lift in the last of them
  double change_ue = 0;  // largest change of the surface speed in it
};

// How an analysis runs, beside what it computes.
struct Run {
  const bl::CancelFlag* cancel = nullptr;  // looked at before every sweep and in every station
  // The caller's report files, which the layer's marches write into (null:
  // none is written); with write_reports the last sweep writes the
  // reports.
  bl::ReportFiles* reports = nullptr;
  bool write_reports = false;
  bool concurrent_surfaces = true;  // the two surfaces of a march side by side
  // Called on the calling thread after every sweep, when given.
  std::function<void(const Progress&)> progress;
};

// Computes the viscous flow about the solved section af with the user's
// boundary-layer parameters (the coupling's closure, Settings::turbulence,
// in place of theirs), marched by a layer of the analysis's own.  start:
// the state of a neighbouring angle to begin from, or empty.  Raised, the
// cancel flag ends the analysis within one station with a status that says
// cancelled.
Result analyse(const aerofoil::Joukowski& af, const bl::ComputationParameters& params, const Settings& settings,
               const State& start = State{}, const Run& run = Run{});

// The same sweeps marched by the layer method given, with its parameters
// as they stand.
Result analyse(LayerSolver& layer, const aerofoil::Joukowski& af, const Settings& settings, const State& start,
               bool write_reports, const std::function<void(const Progress&)>& progress = nullptr);

// What a reader is told of a transition held away from where the settled
// flow puts it (Result::transition_off of surface `which`), or "" when it is
// not.
std::string heldTransitionNote(bl::Surface which, int off);

}  // namespace viscous
