#include "fitting_points.h"

#include "session/session.h"

int largestFittingN(const aerofoil::Joukowski& af) {
  bl::Session scratch;
  scratch.reports().set_enabled(false);
  aerofoil::Joukowski trial;
  // The surfaces' node counts grow with N by about the share of the circle
  // on each side, give or take the node that the stagnation point's place
  // within its panel adds or drops; trying every N downwards finds the
  // largest without relying on that.
  for (int n = af.currentN - 1; n >= aerofoil::kMinPoints; --n) {
    aerofoil::resizePoints(trial, n);
    aerofoil::solveSection(trial, af.alphaDeg, af.eR1, af.hR1);
    if (scratch.hand_over_contour(trial.s, trial.v, n).ok) return n;
  }
  return 0;
}

std::string fittingNNote(const aerofoil::Joukowski& af, const std::string& refusal) {
  // The split's refusal of a surface beyond its capacity.
  if (refusal.find("a surface holds at most") == std::string::npos) return "";
  const int n = largestFittingN(af);
  if (n == 0) return "";
  return "\n\nN = " + std::to_string(n) + " fits this section (the largest N below " +
         std::to_string(af.currentN) + " that does): enter it in N= and press BL Calculation again.";
}
