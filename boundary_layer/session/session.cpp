#include "session/session.h"

#include <string>

#include "setup/surface_split.h"
#include "march/surface_march.h"
#include "session/exchange_data.h"

namespace bl {

Status hand_over_contour(const std::vector<double>& s, const std::vector<double>& v, int n) {
  const int points = n + 1;
  if (n < 1 || points > ExchangeData::kMaxContour || static_cast<int>(s.size()) < points ||
      static_cast<int>(v.size()) < points)
    return Status::failure("The contour has " + std::to_string(points) +
                           " points; the boundary-layer side takes 2 to " +
                           std::to_string(ExchangeData::kMaxContour) + ".");
  // A refused split leaves the previous hand-over in place, so that a
  // "Recalculate" still works on the contour it was opened with.
  const int savedN = blx.n_cont(0);
  const ExchangeData::ContourArray savedS = blx.s_cont;
  const ExchangeData::ContourArray savedV = blx.v_cont;
  for (int i = 0; i < points; ++i) {
    blx.s_cont(i + 1) = s[static_cast<std::size_t>(i)];
    blx.v_cont(i + 1) = v[static_cast<std::size_t>(i)];
  }
  blx.n_cont(0) = n;
  Status st = BLPanel(0);
  if (!st.ok) {
    blx.n_cont(0) = savedN;
    blx.s_cont = savedS;
    blx.v_cont = savedV;
  }
  return st;
}

void set_inverse_start_to_surface_ends() {
  for (int isurf = 0; isurf <= 1; ++isurf) {
    const int slot = 5 * isurf;
    const int last = blx.n_bl(slot);
    blx.xinv_surf(isurf) = last >= 1 ? blx.s_bl(last, slot) : 0.0;
  }
}

Status run_both_surfaces() {
  int ielem = 0;
  for (int isurf = 0; isurf <= 1; ++isurf) {
    Status st = FOIL_BL2D(ielem, isurf);
    if (!st.ok) return st;
  }
  return Status{};
}

Status new_computation() {
  set_inverse_start_to_surface_ends();
  return run_both_surfaces();
}

Status recalculate() {
  Status st = BLPanel(0);
  if (!st.ok) return st;
  return run_both_surfaces();
}

}  // namespace bl
