// The Spalart-Allmaras one-equation model in the boundary-layer march:
// a transported eddy viscosity nu~, solved station by station beside the
// mean flow.
#pragma once

#include <vector>

#include "march/spalart_allmaras_source.h"
#include "march/turbulence_model.h"

namespace bl {

// The standard model without the laminar-suppression term (transition is
// the march's own: a trip, Michel's criterion or a laminar separation).
// In the march's variables (x along the surface, eta = y sqrt(Re) / LREF
// across it, the molecular kinematic viscosity nu_m = ccmu / ccro, 1 in
// the low-speed march) the working variable n, nu~ in units of the edge's
// molecular kinematic viscosity, obeys
//   u dn/dx - (df/dx) dn/deta = cb1 S~ n - cw1 fw (n/d)^2
//                               + (1/sigma) [d/deta((nu_m + n) dn/deta) + cb2 (dn/deta)^2]
//   S~ = Omega + n fv2 / (kappa d)^2,   Omega = sqrt(Re) |du/deta|,
// d the distance to the wall in eta (behind the trailing edge the distance
// to the edge, sqrt((s - s_te)^2 Re + eta^2)), and the eddy viscosity is
// b = mu_t / mu = chi fv1(chi), chi = n / nu_m.  (Omega carries sqrt(Re)
// because the march stretches y by sqrt(Re) and not x.)
//
// Segregated: within a station's Newton iteration, after each update of
// the mean flow, one implicit step of the n-equation on the updated
// profile (three-level backward difference in x as the box scheme's,
// central diffusion and upwind convection across the layer, the source
// linearised: a tridiagonal system), then b from the new n.  The source's
// slope carries the mean flow's answer to a change of b (see
// sa_source), which lets b take the whole step.
// Boundaries: n = 0 at the wall, dn/deta = 0 on the wake's centre line,
// n = 3 nu_m at the outer edge.
//
// The layer's turbulence starts at the first turbulent station from the
// algebraic model's eddy viscosity there, intermittency included
// (nu~ from nu_t by inverting fv1); the model's own production carries it
// on from there.
class SpalartAllmaras : public TurbulenceModel {
 public:
  void start_station(Pass& p, int P, bool first) override;
  double after_update(Pass& p, int P) override;
  int iteration_limit(int mean_flow_limit) const override;
  void advance(Pass& p, int P) override;

 private:
  // n at the three station levels (as the profiles: 1 two stations back,
  // 2 the last converged, 3 the station computed), point j at index j - 1.
  std::vector<double> n_[3];
  // The converged profile before level 1, the arc lengths of the last
  // three converged stations, and how many have converged since the
  // turbulence started: the first guess's history.
  std::vector<double> older_;
  double x_[3] = {0, 0, 0};
  int converged_ = 0;

  // What a step takes from the grid (fixed through a pass, so kept as it
  // grows): the reciprocal steps below and above point j, the diffusion's
  // weights 1 / (2 sigma deta h) of each face, h the mean step, and
  // 1 / (deta below + deta above).
  struct Grid {
    double inv_dm, inv_dp, wm, wp, inv_span;
  };
  std::vector<Grid> grid_;
  // What it takes from the station: the gas (nu_m, 1 / rho), the wall
  // distance's factors, and the least eddy viscosity outside the layer
  // (see outer_floor), from the station's first guess.
  struct Local {
    double nu, inv_rho, floor;
    SaPoint source;
  };
  std::vector<Local> local_;
  bool wake_ = false;

  // The tridiagonal system of a step: sub-, main and super-diagonal, right
  // side.
  std::vector<double> a_, b_, c_, r_;
  // Solves it over lo..hi (vector indices), the solution into r_.
  void solve_tridiagonal(int lo, int hi);

  // Levels, grid and system over np points; points the grid grew by take
  // the free-stream value.
  void fit(const Pass& p, int np);
  // The station's gas, wall distance and outer floor.
  void prepare(const Pass& p, int P);
  // b(3, j) moved the share `share` of the way to that of the level-3 n's;
  // returns what is left of the way, relative to the largest b.
  double eddy_viscosity(Pass& p, double share) const;
  // The share b takes of its step at the station, the model's last two
  // relative changes there and its steps so far.
  double share_ = 1.0;
  double changes_[2] = {0, 0};
  int steps_ = 0;
};

}  // namespace bl
