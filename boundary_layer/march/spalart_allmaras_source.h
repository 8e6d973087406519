// The Spalart-Allmaras model at one point: its damping functions and its
// source (production minus destruction) with the slope the march's implicit
// step takes.  The source is evaluated at every point of every iteration,
// so it is written here to be inlined into the step's loop.
#pragma once

#include <array>
#include <cstddef>

#include "constants.h"

namespace bl {

namespace sa {

// The published constants (Spalart and Allmaras 1994); the S~ limiter of
// Allmaras, Johnson and Spalart (2012).
constexpr double kCb1 = 0.1355;
constexpr double kSigma = 2.0 / 3.0;
constexpr double kCb2 = 0.622;
using constants::kKappa;
constexpr double kCw1 = kCb1 / (kKappa * kKappa) + (1.0 + kCb2) / kSigma;
constexpr double kCw2 = 0.3;
constexpr double kCw3 = 2.0;
constexpr double kCv1 = 7.1;
constexpr double kCv1Cubed = kCv1 * kCv1 * kCv1;
constexpr double kCv2 = 0.7;  // S~ limiter
constexpr double kCv3 = 0.9;
constexpr double kRMax = 10.0;

// fw(r) and its slope.
struct FwValue {
  double value, slope;
};

// fw = g ((1 + cw3^6) / (g^6 + cw3^6))^(1/6), g = r + cw2 (r^6 - r), exactly.
FwValue fw_exact(double r);

// fw by cubic Hermite interpolation of its values and slopes on an even
// table over 0 <= r <= 3; beyond, fw is its limit (1 + cw3^6)^(1/6) within
// 2e-13 (g^6 is 1e14 there).  The sixth root was the dearest part of a step.
// 1024 intervals keep fw within 1.1e-9 and its slope within 1.1e-6 of the
// exact function (the largest errors near r = 1.26), in 16 kB.
class FwTable {
 public:
  static constexpr int kIntervals = 1024;
  static constexpr double kREnd = 3.0;
  FwTable();
  FwValue operator()(double r) const {
    constexpr double per = kIntervals / kREnd, h = kREnd / kIntervals;
    if (!(r < kREnd)) return FwValue{node_.back().value, 0.0};  // and not a number
    const double x = r > 0.0 ? r * per : 0.0;
    const int i = static_cast<int>(x);
    const double s = x - i;
    const FwValue& a = node_[static_cast<std::size_t>(i)];
    const FwValue& b = node_[static_cast<std::size_t>(i) + 1];
    const double s2 = s * s, s3 = s2 * s;
    const double value = (2.0 * s3 - 3.0 * s2 + 1.0) * a.value + (s3 - 2.0 * s2 + s) * h * a.slope +
                         (3.0 * s2 - 2.0 * s3) * b.value + (s3 - s2) * h * b.slope;
    const double slope = 6.0 * (s2 - s) * (a.value - b.value) * per + (3.0 * s2 - 4.0 * s + 1.0) * a.slope +
                         (3.0 * s2 - 2.0 * s) * b.slope;
    return FwValue{value, slope};
  }

 private:
  std::array<FwValue, kIntervals + 1> node_{};
};

// The one table, built at its first use and only read from then on (by any
// number of passes at once).
const FwTable& fw_table();

}  // namespace sa

// fv1 of the model, and the chi a ratio b = chi fv1(chi) comes from (the
// start from an eddy viscosity).
inline double sa_fv1(double chi) {
  const double c3 = chi * chi * chi;
  return c3 / (c3 + sa::kCv1Cubed);
}
double sa_chi_of_eddy_viscosity(double b);

// What a point of the layer gives the source, in the march's variables
// (see spalart_allmaras.h): 1 / nu_m, 1 / (kappa d)^2 and cw1 / d^2.
struct SaPoint {
  double inv_nu = 0;
  double inv_kd2 = 0;
  double cw1_d2 = 0;
};

// Production minus destruction at a point; its slope d/dn; and d(chi
// fv1)/dn, the eddy viscosity's own.
struct SaSource {
  double value = 0;
  double slope = 0;
  double db_dn = 0;
};

// The source at transported viscosity n and vorticity omega.  The slope
// follows n through fv1, fv2, S~ (with its limiter), r and fw, and through
// the vorticity as the mean flow answers a change of the eddy viscosity b:
// with the shear stress (1 + b) mu du/deta held, d omega / dn =
// -omega / (1 + b) db/dn.  The step evaluates it at every point of every
// iteration, and its quotients waited on one another: fv1, fv2 and the
// eddy viscosity's share take theirs from one division.
inline SaSource sa_source(double n, double omega, double one_plus_b, const SaPoint& at, const sa::FwTable& fw_of) {
  using namespace sa;
  const double chi = n * at.inv_nu;
  const double chi2 = chi * chi, c3 = chi2 * chi;
  const double d1 = c3 + kCv1Cubed;            // fv1 = c3 / d1
  const double d2 = d1 + c3 * chi;             // 1 + chi fv1 = d2 / d1
  const double fv2_d2 = d2 - chi * d1;         // fv2 = fv2_d2 / d2
  const double sbar_d2 = n * fv2_d2 * at.inv_kd2;  // sbar d2
  const bool limited = sbar_d2 < -kCv2 * omega * d2;
  const double inv = 1.0 / (d1 * d2 * one_plus_b);  // d1, d2 >= cv1^3, 1 + b >= 1
  const double inv_d1 = d2 * one_plus_b * inv;
  const double inv_d2 = d1 * one_plus_b * inv;
  const double inv_b = d1 * d2 * inv;

  const double fv1 = c3 * inv_d1;
  const double dfv1 = 3.0 * chi2 * kCv1Cubed * inv_d1 * inv_d1;  // d fv1 / d chi
  const double db_dn = (fv1 + chi * dfv1) * at.inv_nu;
  const double iq = d1 * inv_d2;  // 1 / (1 + chi fv1)
  const double fv2 = fv2_d2 * inv_d2;
  const double dfv2 = -(1.0 - chi2 * dfv1) * iq * iq * at.inv_nu;  // d fv2 / d n
  const double dsbar = (fv2 + n * dfv2) * at.inv_kd2;
  const double domega = -omega * inv_b * db_dn;

  // S~ kept positive, and its slope.
  double st, dst;
  if (!limited) {
    st = omega + sbar_d2 * inv_d2;
    dst = dsbar + domega;
  } else {
    const double sbar = sbar_d2 * inv_d2;
    const double num = kCv2 * kCv2 * omega + kCv3 * sbar;
    const double iden = 1.0 / ((kCv3 - 2.0 * kCv2) * omega - sbar);
    st = omega + omega * num * iden;
    const double d_sbar = omega * (kCv3 + num * iden) * iden;
    const double d_omega = 1.0 + num * iden + omega * (kCv2 * kCv2 - num * (kCv3 - 2.0 * kCv2) * iden) * iden;
    dst = d_sbar * dsbar + d_omega * domega;
  }

  // fw(r), r = n / (S~ (kappa d)^2), held at r = 10 beyond.
  FwValue fw{fw_of(kRMax).value, 0.0};
  const double n_kd2 = n * at.inv_kd2;
  if (st > 0.0 && n_kd2 < kRMax * st) {
    const double ist = 1.0 / st;
    const double r = n_kd2 * ist;
    const FwValue f = fw_of(r);
    fw.value = f.value;
    fw.slope = f.slope * (at.inv_kd2 * ist - r * ist * dst);  // d fw / d n
  }
  return SaSource{kCb1 * st * n - at.cw1_d2 * fw.value * n * n,
                  kCb1 * (st + n * dst) - at.cw1_d2 * (2.0 * n * fw.value + n * n * fw.slope), db_dn};
}

}  // namespace bl
