// Validation of the boundary-layer computation parameters before a run.
// The dialog and the command line call it on what the user typed; the input
// preparation calls it again on the exchange data, so a pass never starts
// from values that cannot give a boundary layer.
#pragma once

#include "core/status.h"

namespace bl {

// The parameters as one value, so that a caller can check what the user
// typed before it stores anything in the exchange data.
struct ComputationParameters {
  double re_mill = 0;
  double eta_e = 0;
  double kv = 0;
  int np_in = 0;
  double cfs_sqrt_re = 0;
  double xtr_surf[2] = {0, 0};
  double xinv_surf[2] = {0, 0};
};

// The parameters now held in the exchange data.
ComputationParameters current_parameters();

// ok, or a message naming the first parameter out of range and its range:
//   Re(mill) > 0, ETAe > 0, Kv > 0, Np in 2..821, Cfs*sqrt(Re) > 0,
//   Str u, Str l, Sinv u, Sinv l >= 0, every real finite.
Status validate_parameters(const ComputationParameters& p);

}  // namespace bl
