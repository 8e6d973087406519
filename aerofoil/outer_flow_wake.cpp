// The wake's part of the outer flow: influence of its source panels on the
// surface speed, on the circulation and at its own points, computed once
// per wake line.
#include <algorithm>
#include <cmath>

#include "outer_flow.h"

namespace aerofoil {

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kSeriesTolerance = 1e-13;  // size of the last harmonic kept off the circle
constexpr int kNearBefore = 4, kNearAfter = 3;  // panels about a wake point taken in closed form

Complex reciprocal(Complex d) { return std::conj(d) / std::norm(d); }
}  // namespace

std::string OuterFlow::setWake(const std::vector<double>& x, const std::vector<double>& y) {
  WakeLine line;
  const std::string problem = makeWakeLine(cp_, te_, x, y, line);
  if (!problem.empty()) return problem;
  const int K = line.panels(), n = n_;
  const std::size_t kk = static_cast<std::size_t>(K), nn = static_cast<std::size_t>(n);
  // No circle point is evaluated closer to the edge than half the first
  // contour point's distance, so the quadrature need not resolve below it.
  const double closest = 0.5 * cp_.r * std::min(x_[1], kTwoPi - x_[nn - 1]);
  WakeQuadrature quad = wakeQuadrature(cp_, line, closest);
  const double len = cp_.len;

  // On the circle a source with its image and the sink at the centre induces
  // twice the direct source's tangential velocity: the circle's potential is
  // (Q/pi) ln|z - z_q|.  Clockwise speed, contour points 0..N-1.
  std::vector<double> clockwise(nn * kk, 0.0);
  for (std::size_t i = 0; i < nn; ++i) {
    const Complex z = circlePoint(cp_, cp_.phi[i]);
    const Complex tangent = std::polar(1.0, cp_.phi[i] + 0.5 * kPi);  // anticlockwise
    for (std::size_t q = 0; q < quad.z.size(); ++q) {
      const Complex d = z - quad.z[q];
      const double along = (tangent.real() * d.real() + tangent.imag() * d.imag()) / std::norm(d);
      clockwise[i * kk + static_cast<std::size_t>(quad.panel[q])] -= len / kPi * quad.share[q] * along;
    }
  }
  std::vector<double> onKutta(clockwise.begin(), clockwise.begin() + static_cast<std::ptrdiff_t>(kk));
  std::vector<double> onSurface(kk * (nn + 1), 0.0);
  for (std::size_t i = 1; i < nn; ++i)
    for (std::size_t k = 0; k < kk; ++k)
      onSurface[k * (nn + 1) + i] = (clockwise[i * kk + k] - onKutta[k]) * invMap_[i];

  // At the wake points: the free stream, the circulation and the smooth
  // transpiration are fixed functions of the point.  The sources go in the
  // circle plane with their images; the panels about the point in closed
  // form in the physical plane (principal value for the two that meet
  // there), plus the circle-plane remainder ln(z - a^2/z_q) - ln z that
  // turns a circle-plane source into a physical one.
  std::vector<Complex> free(kk + 1), circ(kk + 1), eta(kk + 1), pre(kk + 1), corner(kk + 1), step(kk + 1);
  std::vector<int> terms(kk + 1, 0);
  std::vector<Complex> onWake(kk * kk, 0.0);
  const Complex alphaRot = std::polar(1.0, cp_.alpha), betaRot = std::polar(1.0, cp_.beta);
  const double a2 = cp_.a * cp_.a;
  for (std::size_t j = 1; j <= kk; ++j) {
    const Complex z = toCircle(cp_, line.point[j]);
    const Complex inv = reciprocal(z - cp_.centre);
    const Complex perMap = reciprocal(mapDerivative(cp_, z));
    free[j] = (std::conj(alphaRot) - cp_.r * cp_.r * alphaRot * inv * inv) * perMap;
    circ[j] = Complex(0.0, 1.0 / kTwoPi) * inv * perMap;
    eta[j] = cp_.r * std::conj(betaRot) * inv;
    pre[j] = betaRot * eta[j] * perMap;
    corner[j] = edgeCorner(eta[j]);
    step[j] = edgeStepSpread(eta[j], rho_);
    const double rho = std::abs(eta[j]);
    terms[j] = rho < 1.0 ? static_cast<int>(std::ceil(std::log(kSeriesTolerance) / std::log(rho))) : harmonics_;
    terms[j] = std::min(terms[j], harmonics_);

    const int jn = static_cast<int>(j);
    Complex* row = &onWake[(j - 1) * kk];
    for (std::size_t q = 0; q < quad.z.size(); ++q) {
      const int k = quad.panel[q];
      const Complex zq = quad.z[q];
      const Complex image = cp_.centre + cp_.r * cp_.r * reciprocal(std::conj(zq - cp_.centre));
      Complex sum = reciprocal(z - image) - inv;
      if (k >= jn - kNearBefore && k < jn + kNearAfter)
        sum += reciprocal(z) - reciprocal(z - a2 / zq);
      else
        sum += reciprocal(z - zq);
      row[static_cast<std::size_t>(k)] += len * quad.share[q] / kTwoPi * sum * perMap;
    }
    for (int k = std::max(0, jn - kNearBefore); k < std::min(K, jn + kNearAfter); ++k)
      row[static_cast<std::size_t>(k)] += (k == jn - 1 || k == jn) ? panelVelocityAtEnd(line, k, jn)
                                                                   : panelVelocity(line, k, line.point[j]);
  }
  // Stored by panel, real and imaginary parts apart, for the solve's sweeps.
  std::vector<double> onWakeRe(kk * kk), onWakeIm(kk * kk);
  for (std::size_t j = 0; j < kk; ++j)
    for (std::size_t k = 0; k < kk; ++k) {
      onWakeRe[k * kk + j] = onWake[j * kk + k].real();
      onWakeIm[k * kk + j] = onWake[j * kk + k].imag();
    }

  wake_ = std::move(line);
  quad_ = std::move(quad);
  wakeOnSurface_ = std::move(onSurface);
  wakeOnKutta_ = std::move(onKutta);
  wakeOnWakeRe_ = std::move(onWakeRe);
  wakeOnWakeIm_ = std::move(onWakeIm);
  wakeFree_ = std::move(free);
  wakeCirc_ = std::move(circ);
  wakeEta_ = std::move(eta);
  wakePre_ = std::move(pre);
  wakeCorner_ = std::move(corner);
  wakeStep_ = std::move(step);
  wakeTerms_ = std::move(terms);
  return {};
}

}  // namespace aerofoil
