#include "flow_field.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kPi;
using constants::kTwoPi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A point whose inverse image does not map back within this (chords) is
// taken for one inside the section: the inverse of a numerical map holds
// its iterate on the circle, which then maps to the contour, not back.
constexpr double kRoundTrip = 1e-7;

// asin held to its domain: rounding can take |s| a hair past 1 at the
// stagnation points.
double safeAsin(double s) { return std::asin(std::clamp(s, -1.0, 1.0)); }
}  // namespace

FlowField::FlowField(const Joukowski& af) : cp_(circlePlane(af)) {
  gammaA_ = 4.0 * kPi * cp_.r * std::sin(cp_.alpha + cp_.beta);
  te_ = rearStagnation();
}

Complex FlowField::toChord(Complex circle) const { return cp_.map->toChord(cp_.centre + circle * cp_.len); }

Complex FlowField::toCircle(Complex p) const { return (cp_.map->toCircle(p) - cp_.centre) / cp_.len; }

bool FlowField::inside(Complex p) const {
  const Complex z = cp_.map->toCircle(p);
  if (!(std::abs(z - cp_.centre) >= cp_.r * (1.0 - 1e-12))) return true;
  return !(std::abs(cp_.map->toChord(z) - p) <= kRoundTrip);
}

FieldValue FlowField::valueAt(Complex z, Complex derivative) const {
  FieldValue f;
  const Complex w = circleFlowConj(cp_, z, gammaA_);
  Complex vel;
  if (std::norm(derivative) > 0.0) {
    vel = std::conj(w / derivative);
  } else {
    // The trailing edge itself, where dzeta/dz vanishes: the limit along
    // the bisector (zero at a wedge, finite at a cusp).
    vel = std::polar(cp_.map->trailingEdgeSpeed(cp_.alpha), cp_.map->trailingEdgeDirection());
  }
  f.u = vel.real();
  f.v = vel.imag();
  f.speed = std::abs(vel);
  f.cp = 1.0 - f.speed * f.speed;
  f.psi = circleStreamFunction(cp_, z, gammaA_) / cp_.len;
  return f;
}

FieldValue FlowField::at(Complex p) const {
  if (inside(p)) {
    FieldValue f;
    f.inside = true;
    f.u = f.v = f.speed = f.cp = f.psi = kNaN;
    return f;
  }
  // The trailing edge itself: its limit, which a point a rounding error
  // away would not give at a wedge (the speed vanishes there only as a
  // small power of the distance).
  if (std::abs(p - te_) < 1e-12) return valueAt(cp_.centre + std::polar(cp_.r, -cp_.beta), 0.0);
  const Complex z = cp_.map->toCircle(p);
  return valueAt(z, cp_.map->derivative(z));
}

FieldValue FlowField::atCircle(Complex circle) const {
  const Complex z = cp_.centre + circle * cp_.len;
  return valueAt(z, cp_.map->derivative(z));
}

FieldValue FlowField::circleFlow(Complex circle) const { return valueAt(cp_.centre + circle * cp_.len, 1.0); }

double FlowField::frontStagnationAngle() const {
  return std::remainder(kPi + 2.0 * cp_.alpha + cp_.beta, kTwoPi);
}

Complex FlowField::rearStagnation() const {
  return cp_.map->toChord(cp_.centre + std::polar(cp_.r, rearStagnationAngle()));
}

Complex FlowField::frontStagnation() const {
  return cp_.map->toChord(cp_.centre + std::polar(cp_.r, frontStagnationAngle()));
}

void FlowField::dividingAngles(double rho, double& downstream, double& upstream) const {
  // s = -Gamma ln(rho/r) / (2 pi (rho - r^2/rho)), in chords; on the
  // circle its limit -Gamma / (4 pi r).
  const double r = radius(), t = rho / r;
  const double s = t - 1.0 < 1e-9 ? -gamma() / (2.0 * kTwoPi * r)
                                  : -gamma() * std::log(t) / (kTwoPi * (rho - r / t));
  const double a = safeAsin(s);
  downstream = cp_.alpha + a;
  upstream = cp_.alpha + kPi - a;
}

void FlowField::dividingStreamline(double reach, double growth, Branches& circle, Branches& chord) const {
  circle = {};
  chord = {};
  growth = std::max(growth, 1.0001);
  for (double rho = radius();; rho *= growth) {
    const double ring = std::min(rho, reach);
    double down, up;
    dividingAngles(ring, down, up);
    circle.downstream.push_back(std::polar(ring, down));
    circle.upstream.push_back(std::polar(ring, up));
    if (ring >= reach) break;
  }
  for (Complex c : circle.downstream) chord.downstream.push_back(toChord(c));
  for (Complex c : circle.upstream) chord.upstream.push_back(toChord(c));
}

}  // namespace aerofoil
