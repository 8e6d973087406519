// The start of each angle of a viscous polar computed in a chain.
//
// Along a polar the mass defect changes smoothly with the angle.  An angle
// started from its neighbour's converged defect begins a step's change
// away from its own, and the slowest mode of the sweeps (the circulation
// answering the trailing edge's displacement, which settles by a factor
// of about 0.7 to 0.85 a sweep) has all of that change to work off.  Taken
// on along the secant through the two angles before, the start is off by
// the curvature only, the square of the step.
#pragma once

#include "viscous_analysis.h"

namespace viscous {

class Continuation {
 public:
  // Where the analysis at alpha starts: empty (from nothing) before any
  // angle; the last angle's defect after one; after two converged ones,
  // their secant taken on to alpha.
  State start(double alpha) const;

  // The starts to try in turn, should an analysis fail (a march that
  // breaks down where the layer separates at the nose, say): start(alpha),
  // then the last angle's defect, then nothing, each once.
  std::vector<State> starts(double alpha) const;

  // The analysis at alpha ended with r.  A converged one joins the secant;
  // one that did not settle is the next start as it is, and the secant
  // begins anew from it.
  void record(double alpha, const Result& r);

 private:
  double secant_factor(double alpha) const;

  State last_, before_;  // defects of the last two angles; before_ empty when not on a secant
  double alpha_last_ = 0.0, alpha_before_ = 0.0;
  bool last_converged_ = false;
};

}  // namespace viscous
