// Coles's composite profile fitted to a momentum thickness and shape factor.
#include "setup/turbulent_start.h"

#include <cmath>
#include <sstream>

#include "constants.h"

namespace bl {

namespace {

using constants::kKappa;
constexpr double kB = 5.0;
using constants::kPi;

// Spalding's y+(u+) and its derivative.
double spalding_y(double up) {
  const double k = kKappa * up;
  return up + std::exp(-kKappa * kB) * (std::exp(k) - 1.0 - k - k * k / 2.0 - k * k * k / 6.0);
}
double spalding_dy(double up) {
  const double k = kKappa * up;
  return 1.0 + std::exp(-kKappa * kB) * kKappa * (std::exp(k) - 1.0 - k - k * k / 2.0);
}

// u+ of the wall law at y+, Spalding's inverted by Newton (y+ increases
// with u+, convex: from the log law's value, or y+ itself in the sublayer).
double wall_u(double yp) {
  if (yp <= 0.0) return 0.0;
  double up = yp < 10.0 ? yp : std::log(yp) / kKappa + kB;
  for (int k = 0; k < 50; ++k) {
    const double step = (spalding_y(up) - yp) / spalding_dy(up);
    up -= step;
    if (up < 0.0) up = 0.5 * (up + step);
    if (std::fabs(step) < 1e-13 * (1.0 + up)) break;
  }
  return up;
}

// delta+ at which the wall law reaches u+.
double wall_y(double up) { return spalding_y(up); }

}  // namespace

double CompositeProfile::u(double yp) const {
  if (yp >= delta_plus) return 1.0;
  const double s = std::sin(kPi * yp / (2.0 * delta_plus));
  return (wall_u(yp) + wake / kKappa * 2.0 * s * s) / ue_plus;
}

double CompositeProfile::du(double yp) const {
  if (yp >= delta_plus) return 0.0;
  return (1.0 / spalding_dy(wall_u(yp)) + wake / kKappa * kPi / delta_plus * std::sin(kPi * yp / delta_plus)) /
         ue_plus;
}

void composite_thicknesses(const CompositeProfile& c, double& d1, double& d2) {
  // Simpson's rule in ln(y+) up to y+ = 1, uniform in y+ beyond (the wake's
  // sine and the log law are smooth there), both on fine grids.
  d1 = d2 = 0.0;
  const int m = 400;
  const double y0 = 1e-4, y1 = std::min(1.0, c.delta_plus);
  const double hl = std::log(y1 / y0) / m;
  const double hu = (c.delta_plus - y1) / m;
  for (int i = 0; i <= m; ++i) {
    const double w = (i == 0 || i == m) ? 1.0 : (i % 2 ? 4.0 : 2.0);
    const double yl = y0 * std::exp(hl * i), ul = c.u(yl);
    d1 += w * hl / 3.0 * yl * (1.0 - ul);
    d2 += w * hl / 3.0 * yl * ul * (1.0 - ul);
    const double yu = y1 + hu * i, uu = c.u(yu);
    d1 += w * hu / 3.0 * (1.0 - uu);
    d2 += w * hu / 3.0 * uu * (1.0 - uu);
  }
  d1 += y0;  // below y0 the profile is u = 0 to within 1e-4 of a wall unit
}

Status composite_profile(double re_theta, double h, CompositeProfile& out) {
  if (!(std::isfinite(re_theta) && std::isfinite(h) && re_theta >= 300.0 && h >= 1.25 && h <= 2.2)) {
    std::ostringstream m;
    m << "a turbulent start needs Re_theta >= 300 and 1.25 <= H <= 2.2 (given Re_theta " << re_theta << ", H " << h
      << ")";
    return Status::failure(m.str());
  }
  // Newton in (ln ue+, Pi) on (ln Re_theta, H), the Jacobian by differences.
  auto eval = [](double lnU, double pi, double& lnR, double& H) {
    CompositeProfile c{std::exp(lnU), pi, 0.0};
    c.delta_plus = wall_y(c.ue_plus - 2.0 * pi / kKappa);
    double d1, d2;
    composite_thicknesses(c, d1, d2);
    // Re_theta = theta ue / nu = d2+ ue+.
    lnR = std::log(d2 * c.ue_plus);
    H = d1 / d2;
  };
  double lnU = std::log(2.5 * std::log(re_theta) + 5.0), pi = 0.5;
  for (int k = 0; k < 60; ++k) {
    double r0, h0, r1, h1, r2, h2;
    eval(lnU, pi, r0, h0);
    const double f1 = r0 - std::log(re_theta), f2 = h0 - h;
    if (std::fabs(f1) < 1e-10 && std::fabs(f2) < 1e-10) {
      out = CompositeProfile{std::exp(lnU), pi, wall_y(std::exp(lnU) - 2.0 * pi / kKappa)};
      return Status{};
    }
    const double e = 1e-6;
    eval(lnU + e, pi, r1, h1);
    eval(lnU, pi + e, r2, h2);
    const double a = (r1 - r0) / e, b = (r2 - r0) / e, c = (h1 - h0) / e, d = (h2 - h0) / e;
    const double det = a * d - b * c;
    double dl = -(d * f1 - b * f2) / det, dp = -(-c * f1 + a * f2) / det;
    const double scale = std::min(1.0, 0.5 / std::max(std::fabs(dl), std::fabs(dp)));  // damped
    lnU += scale * dl;
    pi += scale * dp;
    // The wall law must reach ue+ - 2 Pi / kappa above the sublayer.
    if (std::exp(lnU) - 2.0 * pi / kKappa < 5.0) pi = (std::exp(lnU) - 5.0) * kKappa / 2.0;
  }
  std::ostringstream m;
  m << "no turbulent profile found with Re_theta " << re_theta << " and H " << h;
  return Status::failure(m.str());
}

}  // namespace bl
