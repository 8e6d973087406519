// Scalars of the marching driver: where the march stands along the
// surface, how the current station is differenced in x, and the mode flags
// that switch transition and the inverse mode.  The driver sets every
// member at the start of a pass or of a station.
#pragma once

#include "core/box_scheme.h"

namespace bl {

struct MarchState {
  DifferenceWeights w;  // streamwise backward difference at the current station

  int NX = 0;        // index P of the station being computed
  int kIter = 0;     // Newton iterations done at the current station
  int kIterMax = 0;  // iteration count past which a station is accepted (20)
  double DUmax = 0;  // largest |du| of the last Newton iteration
  double model_change = 0;  // the turbulence model's relative change in its step after it
  int JUmax = 0;     // grid point where it occurred

  int ninv = 0;  // 0 until the inverse mode is switched on, then that station
  int ktbl = 0;  // 1 while laminar, 2 from the first turbulent station on
  int NTR = 0;   // first turbulent station minus 2: start of the intermittency integral
  bool turbulent_start = false;  // started from a turbulent layer: intermittency 1 throughout
  double law_target = 0;  // right-hand side T of the interaction law at the current station

  // Outer edge of the normal grid held at its capacity: 0 while the edge
  // growth has always found room, else the first station at which it had to
  // stop adding points.
  int edge_limited = 0;
};

}  // namespace bl
