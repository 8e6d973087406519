// Ranges and validation of the boundary-layer computation parameters.
#include "session/parameters.h"

#include <cmath>
#include <sstream>

namespace bl {

namespace {

std::string show(double value) {
  std::ostringstream s;
  s << value;
  return s.str();
}

// A real that must be finite and above (or at least) zero.
Status check_real(const char* label, const char* name, double value, bool zero_allowed) {
  const bool ok = std::isfinite(value) && (zero_allowed ? value >= 0 : value > 0);
  if (ok) return Status{};
  return Status::failure(std::string(label) + " (" + name + ") = " + show(value) +
                         " is out of range: it must be a finite number " +
                         (zero_allowed ? "of at least 0" : "greater than 0") + ".");
}

bool zero_allowed(Parameter p) { return p == Parameter::StrU || p == Parameter::StrL; }

}  // namespace

std::string accepted_range(Parameter p) {
  if (p == Parameter::Np)
    return "a whole number from " + std::to_string(kMinGridPoints) + " to " + std::to_string(kMaxGridPoints);
  return zero_allowed(p) ? "a number of at least 0" : "a number greater than 0";
}

std::string range_in_short(Parameter p) {
  if (p == Parameter::Np) return std::to_string(kMinGridPoints) + ".." + std::to_string(kMaxGridPoints);
  return zero_allowed(p) ? ">= 0" : "> 0";
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

Status validate_parameters(const ComputationParameters& p) {
  const Status checks[] = {
      check_real("Re(mill)", "re_mill", p.re_mill, false),
      check_real("ETAe", "eta_e", p.eta_e, false),
      check_real("Kv", "kv", p.kv, false),
      (p.np_in >= kMinGridPoints && p.np_in <= kMaxGridPoints)
          ? Status{}
          : Status::failure("Np (np_in) = " + std::to_string(p.np_in) +
                            " is out of range: the normal grid needs from " + std::to_string(kMinGridPoints) +
                            " to " + std::to_string(kMaxGridPoints) + " points."),
      check_real("Cfs*sqrt(Re)", "cfs_sqrt_re", p.cfs_sqrt_re, false),
      check_real("Str u", "xtr_surf[0]", p.xtr_surf[0], true),
      check_real("Str l", "xtr_surf[1]", p.xtr_surf[1], true),
      check_real("Sinv u", "xinv_surf[0]", p.xinv_surf[0], true),
      check_real("Sinv l", "xinv_surf[1]", p.xinv_surf[1], true),
  };
  for (const Status& s : checks)
    if (!s.ok) return s;
  return Status{};
}

}  // namespace bl
