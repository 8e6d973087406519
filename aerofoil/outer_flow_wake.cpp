// The wake's part of the outer flow: influence of its source panels on the
// surface speed, on the circulation and at its own points, computed once
// per wake line.
#include <algorithm>
#include <cmath>

#include "outer_flow.h"

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kPi;
using constants::kTwoPi;
constexpr double kSeriesTolerance = 1e-13;      // size of the last harmonic kept off the circle
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
  // (Q/pi) ln|z - z_q|.  Clockwise speed at contour points 0..N-1, by panel.
  std::vector<double> zr(nn), zi(nn), tr(nn), ti(nn);
  for (std::size_t i = 0; i < nn; ++i) {
    const Complex z = circlePoint(cp_, cp_.phi[i]);
    const Complex tangent = std::polar(1.0, cp_.phi[i] + 0.5 * kPi);  // anticlockwise
    zr[i] = z.real(), zi[i] = z.imag(), tr[i] = tangent.real(), ti[i] = tangent.imag();
  }
  std::vector<double> clockwise(kk * nn, 0.0);
  for (std::size_t q = 0; q < quad.z.size(); ++q) {
    const double qr = quad.z[q].real(), qi = quad.z[q].imag(), w = len / kPi * quad.share[q];
    double* column = &clockwise[static_cast<std::size_t>(quad.panel[q]) * nn];
    for (std::size_t i = 0; i < nn; ++i) {
      const double dr = zr[i] - qr, di = zi[i] - qi;
      column[i] -= w * (tr[i] * dr + ti[i] * di) / (dr * dr + di * di);
    }
  }
  std::vector<double> onKutta(kk), onSurface(kk * (nn + 1), 0.0);
  for (std::size_t k = 0; k < kk; ++k) {
    onKutta[k] = clockwise[k * nn];
    for (std::size_t i = 1; i < nn; ++i)
      onSurface[k * (nn + 1) + i] = (clockwise[k * nn + i] - onKutta[k]) * invMap_[i];
  }

  // At the wake points: the free stream, the circulation and the smooth
  // transpiration are fixed functions of the point.
  std::vector<Complex> free(kk + 1), circ(kk + 1), eta(kk + 1), pre(kk + 1), corner(kk + 1), step(kk + 1);
  std::vector<int> terms(kk + 1, 0);
  std::vector<double> wr(kk), wi(kk);  // wake points 1..K
  const Complex alphaRot = std::polar(1.0, cp_.alpha), betaRot = std::polar(1.0, cp_.beta);
  for (std::size_t j = 1; j <= kk; ++j) {
    const Complex z = toCircle(cp_, line.point[j]);
    wr[j - 1] = z.real(), wi[j - 1] = z.imag();
    const Complex inv = reciprocal(z - cp_.centre);
    const Complex perMap = reciprocal(mapDerivative(cp_, z));
    free[j] = (std::conj(alphaRot) - cp_.r * cp_.r * alphaRot * inv * inv) * perMap;
    circ[j] = Complex(0.0, 1.0 / kTwoPi) * inv * perMap;
    eta[j] = cp_.r * std::conj(betaRot) * inv;
    pre[j] = betaRot * eta[j] * perMap;
    corner[j] = edgeCorner(eta[j]);
    step[j] = edgeStepSpread(eta[j], rho_);
    const double rho = std::abs(eta[j]);
    terms[j] =
        rho < 1.0 ? static_cast<int>(std::ceil(std::log(kSeriesTolerance) / std::log(rho))) : harmonics_;
    terms[j] = std::min(terms[j], harmonics_);
  }
  // The sources in the circle plane with their images and the sink at the
  // centre, as conjugate velocities 1/(z - z_q) + 1/(z - image) - 1/(z -
  // centre).  The panels about a point go in closed form in the physical
  // plane instead (the principal value for the two that meet there): for
  // them 1/(z - z_q) is replaced by the physical source less the map's
  // remainder (see SectionMap::sourceRemainder).
  // Point j counts panels j - kNearBefore .. j + kNearAfter - 1 as near.
  auto nearFirst = [&](int k) { return static_cast<std::size_t>(std::max(1, k - kNearAfter + 1)); };
  auto nearLast = [&](int k) { return static_cast<std::size_t>(std::min(K, k + kNearBefore)); };
  std::vector<double> cr(kk * kk, 0.0), ci(kk * kk, 0.0);  // row panel k, column point j - 1
  auto addSource = [&](double* re, double* im, double w, Complex at, std::size_t j0, std::size_t j1) {
    for (std::size_t j = j0; j <= j1; ++j) {
      const double dr = wr[j - 1] - at.real(), di = wi[j - 1] - at.imag(), n2 = dr * dr + di * di;
      re[j - 1] += w * dr / n2;
      im[j - 1] -= w * di / n2;
    }
  };
  const SectionMap& map = *cp_.map;
  bool partnered = false;  // the remainder as a source at a partner point less a sink at a pole
  Complex pole;
  for (std::size_t q = 0; q < quad.z.size(); ++q) {
    const int k = quad.panel[q];
    const Complex zq = quad.z[q];
    const double w = len * quad.share[q] / kTwoPi;
    double* re = &cr[static_cast<std::size_t>(k) * kk];
    double* im = &ci[static_cast<std::size_t>(k) * kk];
    addSource(re, im, w, cp_.centre + cp_.r * cp_.r * reciprocal(std::conj(zq - cp_.centre)), 1, kk);
    const std::size_t j0 = nearFirst(k), j1 = nearLast(k);
    if (j0 > 1) addSource(re, im, w, zq, 1, j0 - 1);
    if (j1 < kk) addSource(re, im, w, zq, j1 + 1, kk);
    Complex partner;
    partnered = map.sourcePartner(zq, partner, pole);
    if (partnered) {
      addSource(re, im, -w, partner, j0, j1);
      continue;
    }
    for (std::size_t j = j0; j <= j1; ++j) {
      const Complex rest = map.sourceRemainder(Complex(wr[j - 1], wi[j - 1]), zq);
      re[j - 1] -= w * rest.real();
      im[j - 1] -= w * rest.imag();
    }
  }
  // Sink at the centre, and the partner's pole for the near panels: a whole
  // panel's flux.
  std::vector<Complex> sink(kk), nearFix(kk), perMap(kk);
  for (std::size_t j = 0; j < kk; ++j) {
    const Complex z(wr[j], wi[j]);
    sink[j] = -len / kTwoPi * reciprocal(z - cp_.centre);
    nearFix[j] = partnered ? len / kTwoPi * reciprocal(z - pole) : Complex();
    perMap[j] = reciprocal(mapDerivative(cp_, z));
  }
  std::vector<double> onWakeRe(kk * kk), onWakeIm(kk * kk);
  for (int k = 0; k < K; ++k) {
    const std::size_t j0 = nearFirst(k), j1 = nearLast(k), row = static_cast<std::size_t>(k) * kk;
    for (std::size_t j = 1; j <= kk; ++j) {
      Complex c = Complex(cr[row + j - 1], ci[row + j - 1]) + sink[j - 1];
      if (j >= j0 && j <= j1) c += nearFix[j - 1];
      Complex total = c * perMap[j - 1];
      if (j >= j0 && j <= j1) {
        const int jn = static_cast<int>(j);
        total += (k == jn - 1 || k == jn) ? panelVelocityAtEnd(line, k, jn)
                                          : panelVelocity(line, k, line.point[j]);
      }
      onWakeRe[row + j - 1] = total.real();
      onWakeIm[row + j - 1] = total.imag();
    }
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
