// A library case of the sweep, run in the sweep's own (child) process: the
// inputs go straight into the exchange data, as a front end with no checks
// of its own would put them there.
#include <cmath>

#include "march/surface_march.h"
#include "session/session.h"
#include "session/exchange_data.h"
#include "joukowski.h"
#include "report/report_files.h"
#include "sweep_checks.h"
#include "sweep_library.h"

namespace sweep {

namespace {

using bl::blx;

void setParameters(const LibCase& c) {
  bl::set_default_parameters();
  blx.re_mill = c.re_mill;
  blx.eta_e = c.eta_e;
  blx.kv = c.kv;
  blx.np_in = c.np;
  blx.cfs_sqrt_re = c.cfs;
  for (int s = 0; s <= 1; ++s) blx.xtr_surf(s) = c.str[s];
}

void setInverseStart(const LibCase& c) {
  for (int s = 0; s <= 1; ++s) blx.xinv_surf(s) = c.sinv[s];
}

// A failure must say what failed; a success must either give finite numbers
// at every node of both surfaces or say why it could not.
void checkOutcome(const bl::Status& st, const char* step, Problems& problems) {
  if (!st.ok) {
    if (st.message.empty()) problems.push_back(std::string(step) + ": failed without a message");
    return;
  }
  for (int slot : {0, 5}) {
    const int n = std::min(blx.n_bl(slot), bl::ExchangeData::kMaxNodes);
    for (int i = 1; i <= n; ++i)
      for (double q : {blx.s_bl(i, slot), blx.ue_bl(i, slot), blx.cf_bl(i, slot), blx.d1_bl(i, slot),
                       blx.d2_bl(i, slot), blx.h12_bl(i, slot), blx.rv_bl(i, slot)})
        if (!std::isfinite(q) && st.message.empty()) {
          problems.push_back(std::string(step) + ": node " + std::to_string(i) + " of slot " +
                             std::to_string(slot) + " is not finite, and no message says so");
          return;
        }
  }
}

}  // namespace

void runLibraryCase(const LibCase& c, const std::string& folder, Problems& problems) {
  bl::set_report_folder(folder);
  bl::set_diagnostics_enabled(false);
  setParameters(c);

  bl::Status st;
  switch (c.kind) {
    case LibCase::Section: {
      aerofoil::Joukowski af;
      aerofoil::resizePoints(af, aerofoil::clampPoints(c.n));
      aerofoil::solveSection(af, c.alpha, c.e, c.h);
      st = bl::hand_over_contour(af.s, af.v, af.currentN);
      checkOutcome(st, "hand-over", problems);
      if (!st.ok) break;
      st = bl::new_computation();
      checkOutcome(st, "first computation", problems);
      break;
    }
    case LibCase::RawContour:
      st = bl::hand_over_contour(c.s, c.v, c.n);
      checkOutcome(st, "hand-over", problems);
      if (!st.ok) break;
      setInverseStart(c);
      st = bl::run_both_surfaces();
      checkOutcome(st, "both passes", problems);
      break;
    case LibCase::RawSurface: {
      blx.n_bl(0) = c.nodes;
      blx.n_bl_max = c.nodes;
      for (std::size_t j = 0; j < c.s.size(); ++j) {
        const int node = static_cast<int>(j) + 1;
        blx.s_bl(node, 0) = c.s[j];
        blx.ue_bl(node, 0) = blx.ue_inv(node, 0) = c.v[j];
      }
      setInverseStart(c);
      int ielem = 0, isurf = 0;
      st = bl::FOIL_BL2D(ielem, isurf);
      checkOutcome(st, "one pass", problems);
      break;
    }
  }
  if (c.kind != LibCase::RawSurface) {
    for (int k = 0; k < c.recalc; ++k) {
      setInverseStart(c);
      checkOutcome(bl::recalculate(), "recalculation", problems);
    }
  }
  bl::close_reports();
  checkFolder(folder, problems);
}

}  // namespace sweep
