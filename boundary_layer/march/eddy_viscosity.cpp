// Two-layer algebraic eddy viscosity with the intermittency of transition.
#include "march/eddy_viscosity.h"

#include <algorithm>
#include <cmath>

#include "march/edge_mode.h"
#include "march/pass.h"

namespace bl {

namespace {

// Outer constant alpha(Re_theta): a cubic in log10(Re_theta) between 100
// and 10000, held at its end values beyond.
constexpr double kAlphaHigh = 0.016799973332135565;  // cubic at Re_theta = 10000
constexpr double kAlphaLow = 0.04149999052705189;    // cubic at Re_theta = 100
constexpr double kRthetaHigh = 10000.0f;
constexpr double kRthetaLow = 100.0f;

// Damping constant A+ and mixing-length constant kappa as functions of
// r = Re_theta / 1000, held at their r = 0.3 values below it.
constexpr double kRLow = 0.3f;
constexpr double kAplusLow = 38.844036612965404;
constexpr double kKappa2Low = 0.3386947953279083;

// Intermittency growth (spot production rate) and its cap.
constexpr double kSpotRate = 0.000835f;
constexpr double kSpotExponent = 1.34f;
constexpr double kGammaCap = 10.0f;

double outer_alpha(double rtheta) {
  if (rtheta > kRthetaHigh) return kAlphaHigh;
  if (rtheta < kRthetaLow) return kAlphaLow;
  const double m = std::log10(rtheta);
  return 0.001f * (194.8f + m * (-128.6f + m * (30.925f - 2.475f * m)));
}

}  // namespace

double intermittency(const Pass& p, int NX, int NTR) {
  const StationArrays& st = p.st;
  const SolverScalars& sd = p.sd;
  // Station NTR-1 is the start of the integrals; the surface starts at 1.
  const int ntr = std::max(NTR, 2);

  // I = int dx/ue from x(NTR-1) to x(NX), trapezoidal rule.
  double I = 0.0;
  if (NX >= ntr) {
    for (int i = ntr; i <= NX; ++i)
      I = I + (st.x(i) - st.x(i - 1)) * (1.0 / st.ue(i - 1) + 1.0 / st.ue(i)) / 2.0;
  }
  const double uedim = st.ue(NX) * sd.U8;
  const double nue = st.emue(NX) / st.roe(NX);
  const double G = kSpotRate * (uedim * uedim * uedim) /
                   (std::pow(st.rx(ntr - 1), kSpotExponent) * (nue * nue));
  const double Gam = G * (st.x(NX) - st.x(ntr - 1)) * I / sd.U8;
  if (Gam > kGammaCap) return 1.0;
  return 1.0 - std::exp(-Gam);
}

void eddy_visc(Pass& p, int NX, double partner_d1) {
  eddy_visc_at(p, NX, p.ms.turbulent_start ? 1.0 : intermittency(p, NX, p.ms.NTR), partner_d1);
}

void eddy_visc_at(Pass& p, int NX, double gamma, double partner_d1) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  SolverScalars& sd = p.sd;
  const int np = sd.NP;
  const double rtheta = st.rtheta(NX - 1);

  const double alpha = outer_alpha(rtheta);
  const double r = 0.001f * rtheta;
  double aplus, kappa2;
  if (r < kRLow) {
    aplus = kAplusLow;
    kappa2 = kKappa2Low;
  } else {
    aplus = 26.0 + 14.0 / (1.0 + r * r);
    const double kappa = 0.4f + 0.19f / (1.0 + 0.49f * (r * r));
    kappa2 = kappa * kappa;
  }

  // D = int u deta (so ue eta_e - D is the displacement thickness in eta),
  // from point 1: the wall (no slip) or the wake's centre line; and the
  // point of largest shear.
  double D = 0.0;
  int jm = 1;
  if (np >= 2) {
    double u_prev = lp.u(3, 1);
    for (int j = 2; j <= np; ++j) {
      D = D + lp.aa(j) * (u_prev + lp.u(3, j));
      u_prev = lp.u(3, j);
    }
    double vmax = std::fabs(lp.v(3, 1));
    for (int j = 2; j <= np; ++j)
      if (std::fabs(lp.v(3, j)) > vmax) {
        vmax = std::fabs(lp.v(3, j));
        jm = j;
      }
  }

  // The wake has no wall layer: the outer law holds from the centre line
  // out, with the displacement thickness of both halves of the wake.
  const bool wake = wake_station(p, NX);
  const double other_half = wake ? st.ue(NX) * partner_d1 * sd.SQRE / sd.LREF : 0.0;
  const double E = sd.SQRE * alpha * (st.ue(NX) * lp.eta(np) - D + other_half) * gamma;
  if (wake) {
    for (int j = 1; j <= np; ++j) lp.b(3, j) = E * lp.ccro(3, j) / lp.ccmu(3, j);
    return;
  }
  // Damping length from the friction velocity at the point of largest
  // shear; Re^(1/4) = sqrt(sqrt(Re)).
  const double N = std::sqrt(sd.SQRE) * std::sqrt(std::fabs(lp.v(3, jm)) * lp.ccmu(3, jm)) / aplus;
  const double K = kappa2 * sd.SQRE;

  bool inner = true;
  for (int j = 1; j <= np; ++j) {
    const double rho = lp.ccro(3, j), mu = lp.ccmu(3, j), eta = lp.eta(j);
    const double eps_o = E * rho / mu;
    if (inner) {
      const double e = std::exp(-eta * std::sqrt(rho) * N / mu);
      const double eps_i =
          rho * gamma * K * std::fabs(lp.v(3, j)) * ((1.0 - e) * (1.0 - e)) * (eta * eta) / mu;
      if (eps_o > eps_i) {
        lp.b(3, j) = eps_i;
        continue;
      }
      inner = false;
    }
    lp.b(3, j) = eps_o;
  }
}

}  // namespace bl

namespace bl {

void AlgebraicEddyViscosity::start_station(Pass& p, int P, bool /*first*/) {
  eddy_visc(p, P, input_ != nullptr ? input_->partner_d1(P) : 0.0);
}

}  // namespace bl
