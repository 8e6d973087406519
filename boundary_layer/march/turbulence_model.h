// The closure of the turbulent layer behind one interface: at every
// turbulent station the march asks the model for the eddy viscosity across
// the layer, b(3, j) = mu_t / mu, which the box scheme's momentum equation
// carries in its effective viscosity (1 + b) mu.
//
// An equilibrium model (the algebraic eddy viscosity) computes b from the
// station's profile once, before the Newton iterations, and holds it.  A
// transport model solves its own equation at the station: after every
// Newton update of the mean flow it takes an implicit step on the updated
// profile and sets b anew, and the station has converged when both have.
#pragma once

#include <memory>

#include "core/parameters.h"
#include "core/turbulence_input.h"

namespace bl {

struct Pass;

class TurbulenceModel {
 public:
  virtual ~TurbulenceModel() = default;

  // Turbulent station P before its Newton iterations, from the first guess
  // of its profile (again after each growth of the normal grid, from the
  // profile of the last iteration): b(3, 1..NP).  `first` marks the first
  // turbulent station of the pass, where the layer's turbulence starts.
  virtual void start_station(Pass& p, int P, bool first) = 0;

  // After a Newton update of turbulent station P: a transport model's step
  // on the updated profile, b(3, .) anew.  Returns the step's largest change
  // of the model's own variable relative to its largest value (0 for a
  // model that holds b through the iterations).
  virtual double after_update(Pass& /*p*/, int /*P*/) { return 0.0; }

  // The Newton iterations a turbulent station may take before it is
  // accepted at the limit, given the mean flow's own limit.
  virtual int iteration_limit(int mean_flow_limit) const { return mean_flow_limit; }

  // Station P has converged: what the model carries to the next station
  // moves on with the profile levels.
  virtual void advance(Pass& /*p*/, int /*P*/) {}
};

// The model the parameters name; `input` (may be null) is what it takes
// from outside the pass, in the wake of a coupled computation.
std::unique_ptr<TurbulenceModel> make_turbulence_model(Turbulence which, const TurbulenceInput* input);

// A relative change of the transport variable at which a station's
// iterations have converged, beside the velocity correction's 1e-6.
constexpr double kTransportConvergence = 1e-5;

}  // namespace bl
