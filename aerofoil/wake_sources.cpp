#include "wake_sources.h"

#include <algorithm>
#include <cmath>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kTwoPi;
constexpr double kEdgeTolerance = 1e-6;  // chords: how far point 0 may lie from the trailing edge
constexpr int kMaxHalvings = 40;

// Three-point Gauss-Legendre rule on [-1, 1].
constexpr double kGaussNode = 0.7745966692414834;  // sqrt(3/5)
constexpr double kGaussOuter = 5.0 / 9.0, kGaussInner = 8.0 / 9.0;

// Distance at which the logarithms of the two panels meeting at point j are
// cut: with panel lengths L before and R after, ln eps = (L ln L + R ln R) /
// (L + R) - 2 makes their sum the exact principal value for a linearly
// varying density whose panel means are the panels' densities.  At the
// wake's end (no panel after) the density is taken as continued.
double cutDistance(const WakeLine& wake, int j) {
  const double L = wake.length[static_cast<std::size_t>(j - 1)];
  if (j == wake.panels()) return L * std::exp(-2.0);
  const double R = wake.length[static_cast<std::size_t>(j)];
  return std::exp((L * std::log(L) + R * std::log(R)) / (L + R) - 2.0);
}
}  // namespace

std::string makeWakeLine(const CirclePlane& cp, Complex te, const std::vector<double>& x,
                         const std::vector<double>& y, WakeLine& out) {
  if (x.size() != y.size()) return "the wake's x and y differ in length";
  if (x.size() < 2) return "the wake needs at least two points";
  WakeLine w;
  for (std::size_t k = 0; k < x.size(); ++k) {
    if (!std::isfinite(x[k]) || !std::isfinite(y[k]))
      return "wake point " + std::to_string(k) + " is not a finite number";
    w.point.emplace_back(x[k], y[k]);
  }
  if (std::abs(w.point[0] - te) > kEdgeTolerance) return "the wake does not start at the trailing edge";
  w.point[0] = te;
  w.arc.push_back(0.0);
  for (std::size_t k = 1; k < w.point.size(); ++k) {
    if (!(std::abs(toCircle(cp, w.point[k]) - cp.centre) > cp.r))
      return "wake point " + std::to_string(k) + " is not outside the section";
    const Complex d = w.point[k] - w.point[k - 1];
    const double l = std::abs(d);
    if (!(l > 0.0)) return "wake panel " + std::to_string(k - 1) + " has zero length";
    w.length.push_back(l);
    w.dir.push_back(d / l);
    w.arc.push_back(w.arc.back() + l);
  }
  out = std::move(w);
  return {};
}

WakeQuadrature wakeQuadrature(const CirclePlane& cp, const WakeLine& wake, double closest) {
  WakeQuadrature q;
  for (int k = 0; k < wake.panels(); ++k) {
    const std::size_t kk = static_cast<std::size_t>(k);
    const Complex a = wake.point[kk], d = wake.dir[kk];
    const double arc0 = wake.arc[kk], l = wake.length[kk];
    auto image = [&](double u) { return toCircle(cp, a + (u * u - arc0) * d); };
    // Pieces [u0, u1] on a stack, halved until short against their distance.
    struct Piece {
      double u0, u1;
      int depth;
    };
    std::vector<Piece> todo{{std::sqrt(arc0), std::sqrt(arc0 + l), 0}};
    while (!todo.empty()) {
      const Piece p = todo.back();
      todo.pop_back();
      const double um = 0.5 * (p.u0 + p.u1);
      const Complex zm = image(um);
      const double size = std::abs(image(p.u1) - zm) + std::abs(zm - image(p.u0));
      const double distance = std::max(std::abs(zm - cp.centre) - cp.r, closest);
      if (size > 0.5 * distance && p.depth < kMaxHalvings) {
        todo.push_back({p.u0, um, p.depth + 1});
        todo.push_back({um, p.u1, p.depth + 1});
        continue;
      }
      // The flux of an element du is 2 u du / l of the panel's.
      const double half = 0.5 * (p.u1 - p.u0);
      const double nodes[3] = {um - half * kGaussNode, um, um + half * kGaussNode};
      const double weights[3] = {kGaussOuter, kGaussInner, kGaussOuter};
      for (int g = 0; g < 3; ++g) {
        q.z.push_back(image(nodes[g]));
        q.share.push_back(2.0 * nodes[g] * half * weights[g] / l);
        q.panel.push_back(k);
      }
    }
  }
  return q;
}

Complex panelVelocity(const WakeLine& wake, int k, Complex p) {
  // Uniform density 1/l along A + t d: w = conj(d) ln((p - A)/(p - B)) / (2 pi l).
  const std::size_t kk = static_cast<std::size_t>(k);
  const Complex a = wake.point[kk], b = wake.point[kk + 1];
  return std::conj(wake.dir[kk]) * std::log((p - a) / (p - b)) / (kTwoPi * wake.length[kk]);
}

Complex panelVelocityAtEnd(const WakeLine& wake, int k, int j) {
  const std::size_t kk = static_cast<std::size_t>(k);
  const double l = wake.length[kk];
  const double eps = cutDistance(wake, j);
  // Ending at j the panel pushes forward, ln(l/eps); starting there it
  // pushes back, ln(eps/l).
  const double logRatio = (k == j - 1) ? std::log(l / eps) : std::log(eps / l);
  return std::conj(wake.dir[kk]) * logRatio / (kTwoPi * l);
}

}  // namespace aerofoil
