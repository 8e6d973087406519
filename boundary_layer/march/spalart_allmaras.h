// The Spalart-Allmaras one-equation model in the boundary-layer march:
// a transported eddy viscosity nu~, solved station by station beside the
// mean flow.
#pragma once

#include <vector>

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
// linearised with its whole slope: a tridiagonal system), then b moved
// half the way to the new one.
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
  void advance(Pass& p, int P) override;

 private:
  // n at the three station levels (as the profiles: 1 two stations back,
  // 2 the last converged, 3 the station computed), point j at index j - 1.
  std::vector<double> n_[3];
  // The tridiagonal system of a step: sub-, main and super-diagonal, right
  // side.
  std::vector<double> a_, b_, c_, r_;

  // Levels and system over np points; points the grid grew by take the
  // free-stream value.
  void fit(const Pass& p, int np);
  // b(3, j) moved the share `relax` of the way to the level-3 n's.
  void eddy_viscosity(Pass& p, double relax) const;
};

// fv1 of the model and the chi it gives a ratio b = chi fv1(chi) from (the
// start from an eddy viscosity).
double sa_fv1(double chi);
double sa_chi_of_eddy_viscosity(double b);

}  // namespace bl
