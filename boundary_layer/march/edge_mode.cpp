// Edge mode of a station, and the interaction law as its closing condition.
#include "march/edge_mode.h"

#include <cstddef>

#include "march/pass.h"

namespace bl {

namespace {

// Entry of node i (1-based) of a per-node vector.
double node(const std::vector<double>& v, int i) { return v[static_cast<std::size_t>(i - 1)]; }

// The law's own coefficient at station P times the length scale of the
// mass defect in the scheme's variables: m = LREF m_scheme / sqrt(Re).
double law_k(const Pass& p, int P) { return p.law->c(P, P) * p.sd.LREF / p.sd.SQRE; }

}  // namespace

EdgeMode edge_mode(const Pass& p, int P) {
  if (p.law != nullptr) return P >= p.law->first_node ? EdgeMode::law : EdgeMode::direct;
  if (wake_station(p, P)) return EdgeMode::direct;
  return p.st.x(P) > p.sd.XINV ? EdgeMode::inverse : EdgeMode::direct;
}

bool wake_station(const Pass& p, int P) { return p.surface.in_wake(P); }

double law_target(const Pass& p, int P) {
  const InteractionLaw& law = *p.law;
  const StationArrays& st = p.st;
  double T = node(p.surface.ue, P) - law.c(P, P) * node(law.m_before, P);
  for (int j = 3; j < P; ++j) T += law.c(P, j) * (st.ue(j) * st.d1b(j) - node(law.m_before, j));
  return T;
}

ClosingCondition law_closure(const Pass& p, int P, double shift) {
  return interaction_law(p.lp, p.sd.NP, p.st.roe8(P), law_k(p, P), p.ms.law_target + shift);
}

double law_miss(const Pass& p, int P) {
  return interaction_law_miss(p.lp, p.sd.NP, p.st.roe8(P), law_k(p, P), p.ms.law_target);
}

void law_first_guess(Pass& p, int P) {
  StationArrays& st = p.st;
  st.ue(P) = st.ue(P - 1) * (node(p.surface.ue, P) / node(p.surface.ue, P - 1));
}

}  // namespace bl
