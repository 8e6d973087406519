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

#include <string>
#include <vector>

#include "joukowski.h"
#include "session/session.h"

namespace viscous {

struct Settings {
  double tolerance = 1e-5;   // largest change of surface speed and lift between sweeps
  int max_sweeps = 80;       // sweeps before a computation is given up as not converged
  double relaxation = 0.5;   // share of a sweep's change of the mass defect taken
  double wake_length = 1.5;  // chords behind the trailing edge
  double wake_growth = 1.12; // ratio of successive wake steps, from the contour's last panel
  // Closure of the layers and wakes the sweeps march, whatever the session's
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
  double cl = 0;            // lift coefficient: the wall pressure of the displaced flow
  double cm = 0;            // pitching moment about the quarter chord, nose up
  double cd = 0;            // drag: Squire-Young at the end of the wake, both halves
  double cd_friction = 0;   // skin friction along both walls
  double cd_pressure = 0;   // cd - cd_friction
  double change_ue = 0;     // largest change of the surface speed in the last sweep
  double change_cl = 0;     // change of the lift in the last sweep
  State state;              // mass defect of the last sweep
};

// Computes the viscous flow about the solved section af with the session's
// parameters, through the session (whose contour and results it replaces:
// afterwards the session holds both surfaces with their half-wakes as the
// last sweep left them).  start: the state of a neighbouring angle to begin
// from, or empty.  With reports, the last sweep writes the session's
// reports.
Result analyse(bl::Session& session, const aerofoil::Joukowski& af, const Settings& settings,
               const State& start = State{}, bool reports = false);

}  // namespace viscous
