// A library case of the sweep, run in the sweep's own (child) process: a
// section goes through a session as the windows run it; raw contours and
// surfaces go straight into the exchange data and through the split and the
// march, as a front end with no checks of its own would put them there.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "joukowski.h"
#include "march/pass.h"
#include "march/surface_march.h"
#include "session/session.h"
#include "sweep_checks.h"
#include "sweep_library.h"

namespace sweep {

namespace {

// The blocks of a session, held here so that raw data can go into them.
struct Blocks {
  bl::ExchangeData blx;
  bl::SolverState state;
  bl::ReportFiles reports;
  bl::PassArrays arrays;
};

void setParameters(bl::ExchangeData& blx, const LibCase& c) {
  blx.params = bl::ComputationParameters{};
  blx.params.re_mill = c.re_mill;
  blx.params.eta_e = c.eta_e;
  blx.params.kv = c.kv;
  blx.params.np_in = c.np;
  blx.params.cfs_sqrt_re = c.cfs;
  for (int s = 0; s <= 1; ++s) blx.params.xtr_surf[s] = c.str[s];
}

void setInverseStart(bl::ExchangeData& blx, const LibCase& c) {
  for (int s = 0; s <= 1; ++s) blx.params.xinv_surf[s] = c.sinv[s];
}

// A failure must say what failed; a success must either give finite numbers
// at every node of both surfaces or say why it could not.
void checkOutcome(const bl::Status& st, const std::vector<bl::SurfaceResult>& surfaces, const char* step,
                  Problems& problems) {
  if (!st.ok) {
    if (st.message.empty()) problems.push_back(std::string(step) + ": failed without a message");
    return;
  }
  for (std::size_t isurf = 0; isurf < surfaces.size(); ++isurf) {
    const bl::SurfaceResult& r = surfaces[isurf];
    for (int i = 0; i < r.nodes(); ++i)
      for (double q : {r.s[i], r.ue[i], r.cf[i], r.d1[i], r.d2[i], r.h12[i], r.rv[i]})
        if (!std::isfinite(q) && st.message.empty()) {
          problems.push_back(std::string(step) + ": node " + std::to_string(i + 1) + " of surface " +
                             std::to_string(isurf) + " is not finite, and no message says so");
          return;
        }
  }
}

// The same for the results a session gives out.
void checkOutcome(const bl::Session& session, const bl::Status& st, const char* step, Problems& problems) {
  checkOutcome(st, {session.surface(0), session.surface(1)}, step, problems);
}

// A surface slot of exchange data filled by hand, as a session would give it
// out; no more nodes than a slot holds, whatever its count says.
bl::SurfaceResult rawSurface(const bl::ExchangeData& blx, int slot) {
  bl::SurfaceResult r;
  const int n = std::min(blx.n_bl(slot), bl::ExchangeData::kMaxNodes);
  for (int i = 1; i <= n; ++i) {
    r.s.push_back(blx.s_bl(i, slot));
    r.ue.push_back(blx.ue_bl(i, slot));
    r.cf.push_back(blx.cf_bl(i, slot));
    r.d1.push_back(blx.d1_bl(i, slot));
    r.d2.push_back(blx.d2_bl(i, slot));
    r.h12.push_back(blx.h12_bl(i, slot));
    r.rv.push_back(blx.rv_bl(i, slot));
  }
  return r;
}

// A section, or a raw contour, as the windows compute it: through a
// session, which checks the parameters it is given.
void runSession(const LibCase& c, const std::string& folder, Problems& problems) {
  bl::Session session;
  session.reports().set_folder(folder);
  session.reports().set_diagnostics(false);
  Blocks given;
  setParameters(given.blx, c);
  if (c.kind == LibCase::RawContour) setInverseStart(given.blx, c);
  bl::Status st = session.set_parameters(given.blx.params);
  checkOutcome(session, st, "parameters", problems);
  if (!st.ok) return;
  if (c.kind == LibCase::Section) {
    aerofoil::Joukowski af;
    aerofoil::resizePoints(af, aerofoil::clampPoints(c.n));
    aerofoil::solveSection(af, c.alpha, c.e, c.h);
    st = session.hand_over_contour(af.s, af.v, af.currentN);
    checkOutcome(session, st, "hand-over", problems);
    if (!st.ok) return;
    checkOutcome(session, session.new_computation(), "first computation", problems);
  } else {
    st = session.hand_over_contour(c.s, c.v, c.n);
    checkOutcome(session, st, "hand-over", problems);
    if (!st.ok) return;
    // A recalculation splits the same contour again and keeps the given
    // inverse-mode starts.
    checkOutcome(session, session.recalculate(), "both passes", problems);
  }
  for (int k = 0; k < c.recalc; ++k) checkOutcome(session, session.recalculate(), "recalculation", problems);
}

}  // namespace

void runLibraryCase(const LibCase& c, const std::string& folder, Problems& problems) {
  if (c.kind != LibCase::RawSurface) {
    runSession(c, folder, problems);
    checkFolder(folder, problems);
    return;
  }
  const auto b = std::make_unique<Blocks>();
  bl::ExchangeData& blx = b->blx;
  b->reports.set_folder(folder);
  b->reports.set_diagnostics(false);
  setParameters(blx, c);
  blx.n_bl(0) = c.nodes;
  blx.n_bl_max = c.nodes;
  for (std::size_t j = 0; j < c.s.size(); ++j) {
    const int node = static_cast<int>(j) + 1;
    blx.s_bl(node, 0) = c.s[j];
    blx.ue_bl(node, 0) = blx.ue_inv(node, 0) = c.v[j];
  }
  setInverseStart(blx, c);
  const bl::Status st = bl::FOIL_BL2D(blx, blx.params, b->state, b->reports, b->arrays, 0, 0);
  checkOutcome(st, {rawSurface(blx, 0), rawSurface(blx, 5)}, "one pass", problems);
  b->reports.close_all();
  checkFolder(folder, problems);
}

}  // namespace sweep
