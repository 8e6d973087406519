// Transition by Michel's criterion and the switch to the inverse mode ahead of separation.
#include "march/transition.h"

#include <cmath>

#include "march/pass.h"

namespace bl {

namespace {

// Michel's criterion, Re_theta,tr = kMichelA (1 + kMichelB/Re_x) Re_x^kMichelExp.
constexpr double kMichelA = 1.174f;
constexpr double kMichelB = 22400.0f;
constexpr double kMichelExp = 0.46f;

// A station this close behind XTR still counts as laminar.
constexpr double kLaminarSlack = 1e-6;

}  // namespace

void trans_check(Pass& p, int NS) {
  const StationArrays& st = p.st;
  SolverScalars& sd = p.sd;
  const double rx = st.rx(NS);
  const double rtheta_tr = kMichelA * (1.0 + kMichelB / rx) * std::pow(rx, kMichelExp);
  if (st.rtheta(NS) > rtheta_tr) sd.XTR = st.x(NS);
}

void sep_check(int& ninv, double& XINV, double& XTR, int NS, int NXT,
               const Alloc1<double>& x, const Alloc1<double>& cfb, Alloc1<double>& cf_bc,
               double CFSEP, double SQRE, bool inverse_allowed) {
  const double m = CFSEP / SQRE;
  const double c1 = cfb(NS - 2), c2 = cfb(NS - 1);
  // Near separation Cf^2 falls about linearly with x.
  double xs = x(NS - 2) + (x(NS - 1) - x(NS - 2)) * (m * m - c1 * c1) / (c2 * c2 - c1 * c1);
  if (xs < x(NS - 1) || xs > x(NS)) xs = XINV;

  if (!(x(NS) > xs)) return;
  if (x(NS) <= XTR + kLaminarSlack) {
    XTR = x(NS);  // laminar separation ahead: the layer goes turbulent here
    return;
  }
  if (!inverse_allowed) return;
  for (int i = NS; i <= NXT; ++i) cf_bc(i) = CFSEP;
  XINV = xs;
  ninv = NS;
}

}  // namespace bl
