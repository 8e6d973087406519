#include "section_measures.h"

#include <cmath>
#include <vector>

namespace aerofoil {

namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr int kSamples = 720;  // circle angles sampled before the extremes are refined

// The outline as a function of the circle angle phi.
struct Outline {
  const SectionMap& map;
  Complex at(double phi) const { return map.toChord(map.centre + std::polar(map.r, phi)); }
  double slopeX(double phi) const {  // d(x/c)/dphi
    const Complex z = map.centre + std::polar(map.r, phi);
    return (map.derivative(z) * Complex(0.0, 1.0) * (z - map.centre)).real() / map.len;
  }
  // y/c of the surface point with abscissa x near the angle phi.
  double yAt(double x, double& phi) const {
    for (int it = 0; it < 30; ++it) {
      const double f = at(phi).real() - x, d = slopeX(phi);
      if (d == 0.0) break;
      const double step = f / d;
      phi -= step;
      if (std::fabs(step) < 1e-15) break;
    }
    return at(phi).imag();
  }
};
}  // namespace

SectionMeasures measureSection(const SectionMap& map) {
  const Outline outline{map};
  // Samples over the whole circle; the leading edge is the leftmost one.
  std::vector<double> phi(kSamples + 1);
  std::vector<Complex> p(kSamples + 1);
  std::size_t le = 0;
  for (std::size_t j = 0; j <= kSamples; ++j) {
    phi[j] = -map.beta + kTwoPi * static_cast<double>(j) / kSamples;
    p[j] = outline.at(phi[j]);
    if (p[j].real() < p[le].real()) le = j;
  }
  // Thickness and mean line at abscissa x, from angles started near the samples.
  auto near = [&](double x, std::size_t from, std::size_t to) {
    std::size_t best = from;
    for (std::size_t j = from; j <= to; ++j)
      if (std::fabs(p[j].real() - x) < std::fabs(p[best].real() - x)) best = j;
    return phi[best];
  };
  const double x0 = p[le].real(), x1 = p[0].real();
  auto surfaces = [&](double x, double& upper, double& lower) {
    double pu = near(x, 0, le), pl = near(x, le, kSamples);
    upper = outline.yAt(x, pu);
    lower = outline.yAt(x, pl);
  };
  // Golden-section search of f over (x0, x1), started from the best of a scan.
  auto maximise = [&](auto f, double& where) {
    constexpr int kScan = 200;
    double best = x0, fbest = -HUGE_VAL;
    for (int j = 1; j < kScan; ++j) {
      const double x = x0 + (x1 - x0) * j / kScan, v = f(x);
      if (v > fbest) fbest = v, best = x;
    }
    const double step = (x1 - x0) / kScan, g = 0.5 * (std::sqrt(5.0) - 1.0);
    double lo = std::max(x0, best - step), hi = std::min(x1, best + step);
    for (int it = 0; it < 60; ++it) {
      const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
      if (f(a) > f(b)) hi = b; else lo = a;
    }
    where = 0.5 * (lo + hi);
    return f(where);
  };
  SectionMeasures m;
  m.thickness = maximise([&](double x) { double u, l; surfaces(x, u, l); return u - l; }, m.xThickness);
  double xUp = 0, xDown = 0;
  const double up = maximise([&](double x) { double u, l; surfaces(x, u, l); return 0.5 * (u + l); }, xUp);
  const double down = -maximise([&](double x) { double u, l; surfaces(x, u, l); return -0.5 * (u + l); }, xDown);
  if (std::fabs(down) > std::fabs(up)) {
    m.camber = down;
    m.xCamber = xDown;
  } else {
    m.camber = up;
    m.xCamber = xUp;
  }
  return m;
}

}  // namespace aerofoil
