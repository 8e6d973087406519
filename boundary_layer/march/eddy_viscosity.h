// Algebraic eddy viscosity of a turbulent station, with transitional
// intermittency.
#pragma once

#include "core/turbulence_input.h"
#include "march/turbulence_model.h"

namespace bl {

struct Pass;

// Two-layer model of the eddy-to-molecular viscosity ratio b(3, j) of
// station NX, from the current level-3 profile:
//   inner layer  eps_i = rho gamma kappa^2 sqrt(Re) |v| (1 - exp(-y/A))^2 eta^2 / mu
//                (mixing length kappa y with van Driest damping),
//   outer layer  eps_o = sqrt(Re) alpha (ue eta_e - int u deta) gamma rho / mu
//                (proportional to the displacement thickness),
// inner value from the wall up to the first point where it reaches the
// outer one, outer value beyond; in the wake (no wall) the outer value from
// the centre line out, its displacement thickness that of the half-wake
// (u on the centre line is not 0).  The outer constant alpha and the damping
// constants A+ and kappa follow the momentum-thickness Reynolds number of
// the previous station.  gamma is the intermittency of transition, growing
// from 0 at the transition station (start of the integral ms.NTR) to 1.
// In the wake the displacement thickness is that of the whole wake: this
// half's and the other half's, partner_d1 (chords).
//
// Reads rtheta, rx, x, ue, emue, roe, eta, aa, level 3 of u, v, ccro, ccmu,
// NP, U8, SQRE, RE and ms.NTR.  Writes b(3, 1..NP).
void eddy_visc(Pass& p, int NX, double partner_d1 = 0.0);

// The same with the intermittency given (1: the fully turbulent layer).
void eddy_visc_at(Pass& p, int NX, double gamma, double partner_d1);

// The algebraic model as the march's closure: eddy_visc at the start of
// every turbulent station, held through its iterations; in the wake of a
// coupled computation the other half-wake's displacement thickness from
// the input.
class AlgebraicEddyViscosity : public TurbulenceModel {
 public:
  explicit AlgebraicEddyViscosity(const TurbulenceInput* input) : input_(input) {}
  void start_station(Pass& p, int P, bool first) override;

 private:
  const TurbulenceInput* input_;
};

// Transitional intermittency of station NX with the intermittency integral
// starting at station NTR (see eddy_visc).  An NTR below 2 (transition at
// the first marched station) starts the integral at the stagnation node,
// the first station the surface has.
double intermittency(const Pass& p, int NX, int NTR);

}  // namespace bl
