#include "mapped_section.h"

#include <cmath>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kPi;
using constants::kTwoPi;
}  // namespace

MappedSection::MappedSection(std::shared_ptr<const SectionMap> map, const SectionMeasures& measures, int n)
    : map_(std::move(map)), measures_(measures), n_(n) {
  const SectionMap& m = *map_;
  const std::size_t size = static_cast<std::size_t>(n) + 1;
  phi_.resize(size);
  x_.resize(size);
  y_.resize(size);
  s_.resize(size);
  modulus_.assign(size, 0.0);
  const Complex te = m.toChord(m.centre + std::polar(m.r, -m.beta));
  for (std::size_t i = 0; i < size; ++i) {
    phi_[i] = -m.beta + kTwoPi * static_cast<double>(i) / n;
    Complex p = te;
    if (i > 0 && i + 1 < size) {
      const Complex z = m.centre + std::polar(m.r, phi_[i]);
      p = m.toChord(z);
      modulus_[i] = std::abs(m.derivative(z));
    }
    x_[i] = p.real();
    y_[i] = p.imag();
    s_[i] = i == 0 ? 0.0 : s_[i - 1] + std::hypot(x_[i] - x_[i - 1], y_[i] - y_[i - 1]);
  }
}

void MappedSection::solve(double alphaDeg, Joukowski& af) const {
  const SectionMap& m = *map_;
  if (af.currentN != n_) resizePoints(af, n_);
  af.alphaDeg = alphaDeg;
  af.mapConstant = 1.0;
  const double alpha = kPi * alphaDeg / 180.0;
  const double lift = std::sin(alpha + m.beta);
  const std::size_t size = static_cast<std::size_t>(n_) + 1;
  for (std::size_t i = 0; i < size; ++i) {
    af.radius[i] = m.r;
    af.theta[i] = phi_[i];
    af.x[i] = x_[i];
    af.y[i] = y_[i];
    af.s[i] = s_[i];
    // Circle speed 2 [sin(phi - alpha) + sin(alpha + beta)] over |dzeta/dz|;
    // the edge takes the limit.
    af.v[i] = i == 0 || i + 1 == size ? 0.0 : 2.0 * (std::sin(phi_[i] - alpha) + lift) / modulus_[i];
  }
  af.v.front() = m.trailingEdgeSpeed(alpha);
  af.v.back() = -af.v.front();
  for (std::size_t i = 0; i < size; ++i) af.cp[i] = 1.0 - af.v[i] * af.v[i];

  // Lift 2 Gamma/(U c) with Gamma = 4 pi r U sin(alpha + beta); the focus
  // d0 - c1 e^{i beta}/r and the moment about it, nose down as the
  // Joukowski section's (see section_map.h); zero lift at alpha = -beta.
  af.chord = m.len;
  af.clift = 8.0 * kPi * m.r * lift / m.len;
  const Complex focus = (m.d0 - m.c1 * std::polar(1.0, m.beta) / m.r - m.origin) / m.len;
  af.xFocus = focus.real();
  af.yFocus = focus.imag();
  af.cmFocus = 4.0 * kPi * (m.c1 * std::polar(1.0, 2.0 * m.beta)).imag() / (m.len * m.len);
  af.alphaZeroLift = -m.beta * 180.0 / kPi;
  af.maxThickSym = measures_.thickness;
  af.camber = measures_.camber;
  af.map = map_;
  af.circleAngle = phi_;
}

}  // namespace aerofoil
