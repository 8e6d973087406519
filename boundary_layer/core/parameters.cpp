// Ranges and validation of the boundary-layer computation parameters.
#include "core/parameters.h"

#include <cmath>
#include <sstream>

namespace bl {

namespace {

std::string show(double value) {
  std::ostringstream s;
  s << value;
  return s.str();
}

// The lower end of a real parameter's range, and whether it belongs to it.
struct LowerEnd {
  double value;
  bool included;
};

// Arc lengths may be 0 (transition or inverse mode from the stagnation
// point on).  Kv is at least 1: steps that shrink away from the wall would
// pull the outer edge far inside the layer (Kv = 0.5 puts it at eta 0.3
// instead of 6 on the default 41 points); 1 is a uniform grid.  Every other
// real is positive.
constexpr LowerEnd kPositive{0.0, false}, kNonNegative{0.0, true}, kGrowing{1.0, true};

LowerEnd lower_end(Parameter p) {
  switch (p) {
    case Parameter::Kv: return kGrowing;
    case Parameter::StrU:
    case Parameter::StrL: return kNonNegative;
    default: return kPositive;
  }
}

// The range in words: "of at least 1", "greater than 0".
std::string range_words(LowerEnd end) { return (end.included ? "of at least " : "greater than ") + show(end.value); }

// A real that must be finite and within its range, named as the windows
// label it.  An infinity is what a number too large for a double becomes
// ("1e400"), and is called that.
Status check_real(const char* label, double value, LowerEnd end) {
  const bool ok = std::isfinite(value) && (end.included ? value >= end.value : value > end.value);
  if (ok) return Status{};
  const std::string what = std::isinf(value)   ? " is too large"
                           : std::isnan(value) ? " is not a number"
                                               : " = " + show(value) + " is out of range";
  return Status::failure(label + what + ": it must be a finite number " + range_words(end) + ".");
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
  return "a number " + range_words(lower_end(p));
}

std::string range_in_short(Parameter p) {
  if (p == Parameter::Np) return std::to_string(kMinGridPoints) + ".." + std::to_string(kMaxGridPoints);
  const LowerEnd end = lower_end(p);
  return (end.included ? ">= " : "> ") + show(end.value);
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
      check_real("Re(mill)", p.re_mill, lower_end(Parameter::ReMill)),
      check_real("ETAe", p.eta_e, lower_end(Parameter::EtaE)),
      check_real("Kv", p.kv, lower_end(Parameter::Kv)),
      (p.np_in >= kMinGridPoints && p.np_in <= kMaxGridPoints)
          ? Status{}
          : Status::failure("Np = " + std::to_string(p.np_in) +
                            " is out of range: the normal grid needs from " + std::to_string(kMinGridPoints) +
                            " to " + std::to_string(kMaxGridPoints) + " points."),
      check_real("Cfs*sqrt(Re)", p.cfs_sqrt_re, lower_end(Parameter::Cfs)),
      check_real("Str u", p.xtr_surf[0], lower_end(Parameter::StrU)),
      check_real("Str l", p.xtr_surf[1], lower_end(Parameter::StrL)),
      check_real("Sinv u", p.xinv_surf[0], kNonNegative),
      check_real("Sinv l", p.xinv_surf[1], kNonNegative),
      check_trip("Trip x/c u", p.xtr_xc[0]),
      check_trip("Trip x/c l", p.xtr_xc[1]),
  };
  for (const Status& s : checks)
    if (!s.ok) return s;
  return Status{};
}

}  // namespace bl
