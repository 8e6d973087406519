#include "section_measures.h"

#include <cmath>
#include <vector>

namespace aerofoil {

namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr int kSamples = 360;  // circle angles sampled before the extremes are refined

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
      if (std::fabs(step) < 1e-12) break;
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
  // The lower surface's sample interval holding abscissa x (x falls along it
  // from the leading edge... rises: samples le..kSamples run from the nose to
  // the trailing edge).
  auto lowerAngle = [&](double x) {
    std::size_t j = le;
    while (j + 1 < kSamples && p[j + 1].real() < x) ++j;
    const double t = (x - p[j].real()) / (p[j + 1].real() - p[j].real());
    return phi[j] + t * (phi[j + 1] - phi[j]);
  };
  auto upperAngle = [&](double x) {
    std::size_t j = le;
    while (j > 1 && p[j - 1].real() < x) --j;
    const double t = (x - p[j].real()) / (p[j - 1].real() - p[j].real());
    return phi[j] + t * (phi[j - 1] - phi[j]);
  };
  auto surfaces = [&](double x, double& upper, double& lower) {
    double pu = upperAngle(x), pl = lowerAngle(x);
    upper = outline.yAt(x, pu);
    lower = outline.yAt(x, pl);
  };
  // The largest of f over the upper samples' abscissae, refined by
  // golden-section search between the neighbouring samples.
  const double x0 = p[le].real(), x1 = p[0].real();
  auto maximise = [&](auto f, double& where) {
    std::size_t best = 1;
    double fbest = -HUGE_VAL;
    for (std::size_t j = 1; j < le; ++j) {
      const double v = f(p[j].real(), p[j].imag());
      if (v > fbest) fbest = v, best = j;
    }
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    double lo = std::max(x0, p[best + 1].real()), hi = std::min(x1, p[best - 1].real());
    auto exact = [&](double x) {
      double u, l;
      surfaces(x, u, l);
      return f(x, u, l);
    };
    double a = hi - g * (hi - lo), b = lo + g * (hi - lo), fa = exact(a), fb = exact(b);
    for (int it = 0; it < 40 && hi - lo > 1e-9; ++it) {
      if (fa > fb) {
        hi = b, b = a, fb = fa;
        a = hi - g * (hi - lo), fa = exact(a);
      } else {
        lo = a, a = b, fa = fb;
        b = lo + g * (hi - lo), fb = exact(b);
      }
    }
    where = 0.5 * (lo + hi);
    return exact(where);
  };
  // At an upper sample the lower surface by interpolation between samples.
  auto lowerY = [&](double x) {
    std::size_t j = le;
    while (j + 1 < kSamples && p[j + 1].real() < x) ++j;
    const double t = (x - p[j].real()) / (p[j + 1].real() - p[j].real());
    return p[j].imag() + t * (p[j + 1].imag() - p[j].imag());
  };
  SectionMeasures m;
  m.thickness = maximise(
      [&](double x, double u, double l = HUGE_VAL) { return u - (l == HUGE_VAL ? lowerY(x) : l); }, m.xThickness);
  double xUp = 0, xDown = 0;
  const double up = maximise(
      [&](double x, double u, double l = HUGE_VAL) { return 0.5 * (u + (l == HUGE_VAL ? lowerY(x) : l)); }, xUp);
  const double down = -maximise(
      [&](double x, double u, double l = HUGE_VAL) { return -0.5 * (u + (l == HUGE_VAL ? lowerY(x) : l)); }, xDown);
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
