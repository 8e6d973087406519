// Ranges and validation of the boundary-layer computation parameters.
#include "core/parameters.h"

#include <cmath>
#include <limits>
#include <sstream>

namespace bl {

namespace {

std::string show(double value) {
  std::ostringstream s;
  s << value;
  return s.str();
}

// The range of a real parameter: its lower end, whether that belongs to it,
// and its upper end (included; infinite for none).
struct Range {
  double low;
  bool lowIncluded;
  double high;
};

constexpr double kNone = std::numeric_limits<double>::infinity();

// Arc lengths may be 0 (transition or inverse mode from the stagnation
// point on).  Kv is at least 1: steps that shrink away from the wall would
// pull the outer edge far inside the layer (Kv = 0.5 puts it at eta 0.3
// instead of 6 on the default 41 points); 1 is a uniform grid.  Every other
// real is positive.  Kv at most kMaxStepRatio and ETAe at most
// kMaxOuterEdge: the grid goes on geometrically beyond Np to all its
// points when the layer grows, and with Kv 10 it passes the largest double
// by its 310th point; ETAe 1e5 fails at the third station of the default
// section, 1000 computes it.
constexpr Range kPositive{0.0, false, kNone}, kNonNegative{0.0, true, kNone},
    kGrowing{1.0, true, kMaxStepRatio}, kOuterEdge{0.0, false, kMaxOuterEdge};

Range range_of(Parameter p) {
  switch (p) {
    case Parameter::Kv: return kGrowing;
    case Parameter::EtaE: return kOuterEdge;
    case Parameter::StrU:
    case Parameter::StrL: return kNonNegative;
    default: return kPositive;
  }
}

// The range in words: "of at least 1 and at most 10", "greater than 0".
std::string range_words(Range r) {
  return (r.lowIncluded ? "of at least " : "greater than ") + show(r.low) +
         (r.high < kNone ? " and at most " + show(r.high) : "");
}

// A real that must be finite and within its range, named as the windows
// label it.  An infinity is what a number too large for a double becomes
// ("1e400"), and is called that.
Status check_real(const char* label, double value, Range r) {
  const bool ok = std::isfinite(value) && (r.lowIncluded ? value >= r.low : value > r.low) && value <= r.high;
  if (ok) return Status{};
  const std::string what = std::isinf(value)   ? " is too large"
                           : std::isnan(value) ? " is not a number"
                                               : " = " + show(value) + " is out of range";
  return Status::failure(label + what + ": it must be a finite number " + range_words(r) + ".");
}

// The first step of the normal grid, as the grid is built: geometric from
// the wall with ratio Kv to ETAe at point Np, uniform within 0.001 of 1.
// The layer is some units of the similarity coordinate thick; the march
// cannot resolve a first step below kMinFirstStep: the Newton system of
// the starting profile is singular at its first point with the steps 6e-17
// (Np 41, ETAe 6, Kv 2.7), 2e-16 (Np 200, Kv 1.2) and 2e-303 (ETAe
// 1e-300), and solved with 1.1e-15 (Kv 2.5) and 5.6e-15 (Kv 2.393, ETAe
// 5.774), on which a march runs to the trailing edge.
Status check_grid(const ComputationParameters& p) {
  double first = p.eta_e / (p.np_in - 1);
  if (p.kv - 1.0 > 0.001) {
    double power = 1.0;
    for (int j = 1; j < p.np_in; ++j) power *= p.kv;
    first = (p.kv - 1.0) * p.eta_e / (power - 1.0);
  }
  if (first >= kMinFirstStep) return Status{};
  return Status::failure("the normal grid of ETAe = " + show(p.eta_e) + ", Kv = " + show(p.kv) + " and Np = " +
                         std::to_string(p.np_in) + " has a first step of " + show(first) +
                         ", too small for the march: it must be at least " + show(kMinFirstStep) +
                         " (a smaller Kv or Np, or a larger ETAe, gives a larger one).");
}

// A transition position given as x/c, if given, on the section: behind the
// leading edge, up to the trailing edge.
Status check_trip(const char* label, const std::optional<double>& xc) {
  if (!xc || (std::isfinite(*xc) && *xc > 0.0 && *xc <= kTripXcMax)) return Status{};
  return Status::failure(std::string(label) + " = " + show(*xc) +
                         " is out of range: it must be a finite number with " + trip_range_in_short() + ".");
}

}  // namespace

std::string accepted_range(Parameter p) {
  if (p == Parameter::Np)
    return "a whole number from " + std::to_string(kMinGridPoints) + " to " + std::to_string(kMaxGridPoints);
  return "a number " + range_words(range_of(p));
}

std::string range_in_short(Parameter p) {
  if (p == Parameter::Np) return std::to_string(kMinGridPoints) + ".." + std::to_string(kMaxGridPoints);
  const Range r = range_of(p);
  if (r.high < kNone && r.lowIncluded) return show(r.low) + ".." + show(r.high);
  return (r.lowIncluded ? ">= " : "> ") + show(r.low) + (r.high < kNone ? ", <= " + show(r.high) : "");
}

void assign(ComputationParameters& params, Parameter p, double v) {
  switch (p) {
    case Parameter::ReMill: params.re_mill = v; break;
    case Parameter::EtaE: params.eta_e = v; break;
    case Parameter::Kv: params.kv = v; break;
    case Parameter::Np: params.np_in = (std::fabs(v) < 1e9) ? static_cast<int>(v) : -1; break;
    case Parameter::Cfs: params.cfs_sqrt_re = v; break;
    case Parameter::StrU: params.xtr_surf[0] = v; break;
    case Parameter::StrL: params.xtr_surf[1] = v; break;
  }
}

const char* turbulence_name(Turbulence t) { return t == Turbulence::spalart_allmaras ? "sa" : "algebraic"; }

const char* turbulence_title(Turbulence t) {
  return t == Turbulence::spalart_allmaras ? "Spalart-Allmaras" : "algebraic eddy viscosity";
}

std::optional<Turbulence> turbulence_from_name(const std::string& name) {
  for (Turbulence t : {Turbulence::algebraic, Turbulence::spalart_allmaras})
    if (name == turbulence_name(t)) return t;
  return std::nullopt;
}

std::string trip_range_in_short() { return "0 < X <= " + show(kTripXcMax); }

Status validate_parameters(const ComputationParameters& p) {
  const Status checks[] = {
      check_real("Re(mill)", p.re_mill, range_of(Parameter::ReMill)),
      check_real("ETAe", p.eta_e, range_of(Parameter::EtaE)),
      check_real("Kv", p.kv, range_of(Parameter::Kv)),
      (p.np_in >= kMinGridPoints && p.np_in <= kMaxGridPoints)
          ? Status{}
          : Status::failure("Np = " + std::to_string(p.np_in) +
                            " is out of range: the normal grid needs from " + std::to_string(kMinGridPoints) +
                            " to " + std::to_string(kMaxGridPoints) + " points."),
      check_real("Cfs*sqrt(Re)", p.cfs_sqrt_re, range_of(Parameter::Cfs)),
      check_real("Str u", p.xtr_surf[0], range_of(Parameter::StrU)),
      check_real("Str l", p.xtr_surf[1], range_of(Parameter::StrL)),
      check_real("Sinv u", p.xinv_surf[0], kNonNegative),
      check_real("Sinv l", p.xinv_surf[1], kNonNegative),
      check_trip("Trip x/c u", p.xtr_xc[0]),
      check_trip("Trip x/c l", p.xtr_xc[1]),
      check_grid(p),
  };
  for (const Status& s : checks)
    if (!s.ok) return s;
  return Status{};
}

}  // namespace bl
