#include "session/parameters.h"

#include <cmath>
#include <sstream>

#include "session/exchange_data.h"
#include "setup/solver_scalars.h"

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

}  // namespace

ComputationParameters current_parameters() {
  ComputationParameters p;
  p.re_mill = blx.re_mill;
  p.eta_e = blx.eta_e;
  p.kv = blx.kv;
  p.np_in = blx.np_in;
  p.cfs_sqrt_re = blx.cfs_sqrt_re;
  for (int s = 0; s <= 1; ++s) {
    p.xtr_surf[s] = blx.xtr_surf(s);
    p.xinv_surf[s] = blx.xinv_surf(s);
  }
  return p;
}

Status validate_parameters(const ComputationParameters& p) {
  const Status checks[] = {
      check_real("Re(mill)", "re_mill", p.re_mill, false),
      check_real("ETAe", "eta_e", p.eta_e, false),
      check_real("Kv", "kv", p.kv, false),
      (p.np_in >= 2 && p.np_in <= kMaxGridPoints)
          ? Status{}
          : Status::failure("Np (np_in) = " + std::to_string(p.np_in) +
                            " is out of range: the normal grid needs from 2 to " +
                            std::to_string(kMaxGridPoints) + " points."),
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
