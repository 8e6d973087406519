// The turbulence model the parameters name.
#include "march/turbulence_model.h"

#include "march/eddy_viscosity.h"
#include "march/spalart_allmaras.h"

namespace bl {

std::unique_ptr<TurbulenceModel> make_turbulence_model(Turbulence which, const TurbulenceInput* input) {
  if (which == Turbulence::spalart_allmaras) return std::make_unique<SpalartAllmaras>();
  return std::make_unique<AlgebraicEddyViscosity>(input);
}

}  // namespace bl
