#include "section_measures.h"

#include <cmath>
#include <vector>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kTwoPi;
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
  // The circle angle of abscissa x on each surface, by interpolation
  // between the samples (le..kSamples run over the lower surface from the
  // nose to the trailing edge, le..0 over the upper).
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
  // At an upper sample the lower surface by interpolation between samples.
  auto lowerY = [&](double x) {
    std::size_t j = le;
    while (j + 1 < kSamples && p[j + 1].real() < x) ++j;
    const double t = (x - p[j].real()) / (p[j + 1].real() - p[j].real());
    return p[j].imag() + t * (p[j + 1].imag() - p[j].imag());
  };
  // The largest of f(y_upper, y_lower) over the upper samples' abscissae,
  // refined between the neighbouring samples.
  const double x0 = p[le].real(), x1 = p[0].real();
  auto maximise = [&](auto f, double& where) {
    std::size_t best = 1;
    double fbest = -HUGE_VAL;
    for (std::size_t j = 1; j < le; ++j) {
      const double v = f(p[j].imag(), lowerY(p[j].real()));
      if (v > fbest) fbest = v, best = j;
    }
    auto exact = [&](double x) {
      double u, l;
      surfaces(x, u, l);
      return f(u, l);
    };
    // Successive parabolas through three points about the best sample: the
    // extreme of a smooth f is found to round-off in a few steps.
    double xs[3] = {std::max(x0, p[best + 1].real()), p[best].real(), std::min(x1, p[best - 1].real())};
    double fs[3] = {exact(xs[0]), exact(xs[1]), exact(xs[2])};
    double lo = xs[0], hi = xs[2];
    for (int it = 0; it < 8; ++it) {
      const double d10 = xs[1] - xs[0], d12 = xs[1] - xs[2];
      const double den = d10 * (fs[1] - fs[2]) - d12 * (fs[1] - fs[0]);
      if (den == 0.0) break;
      double x = xs[1] - 0.5 * (d10 * d10 * (fs[1] - fs[2]) - d12 * d12 * (fs[1] - fs[0])) / den;
      if (!(x > lo && x < hi)) break;
      const double fx = exact(x);
      // Keep the best three, in order.
      const int worst = fs[0] < fs[2] ? 0 : 2;
      xs[worst] = x;
      fs[worst] = fx;
      if (xs[0] > xs[1]) std::swap(xs[0], xs[1]), std::swap(fs[0], fs[1]);
      if (xs[1] > xs[2]) std::swap(xs[1], xs[2]), std::swap(fs[1], fs[2]);
      if (xs[0] > xs[1]) std::swap(xs[0], xs[1]), std::swap(fs[0], fs[1]);
      if (std::fabs(x - xs[1]) < 1e-10 && it > 0) break;
    }
    const int top = fs[0] > fs[1] ? (fs[0] > fs[2] ? 0 : 2) : (fs[1] > fs[2] ? 1 : 2);
    where = xs[top];
    return fs[top];
  };
  SectionMeasures m;
  m.thickness = maximise([](double u, double l) { return u - l; }, m.xThickness);
  double xUp = 0, xDown = 0;
  const double up = maximise([](double u, double l) { return 0.5 * (u + l); }, xUp);
  const double down = -maximise([](double u, double l) { return -0.5 * (u + l); }, xDown);
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
