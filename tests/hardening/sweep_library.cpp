// A library case of the sweep, run in the sweep's own (child) process: a
// section goes through a session as the windows run it; raw contours go
// into a session and raw surfaces straight into the march, as a front end
// with no checks of its own would hand them over.
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

// The parameters of a case.
bl::ComputationParameters parametersOf(const LibCase& c) {
  bl::ComputationParameters p;
  p.re_mill = c.re_mill;
  p.eta_e = c.eta_e;
  p.kv = c.kv;
  p.np_in = c.np;
  p.cfs_sqrt_re = c.cfs;
  for (int s = 0; s <= 1; ++s) p.xtr_surf[s] = c.str[s];
  return p;
}

// A failure must say what failed; a success must either give finite numbers
// at every node of both surfaces or say why it could not.
void checkOutcome(const bl::Status& st, const std::vector<bl::SurfaceResult>& surfaces, const char* step,
                  Problems& problems) {
  if (!st.ok) {
    if (st.message.empty()) problems.push_back(std::string(step) + ": failed without a message");
    return;
  }
  for (std::size_t k = 0; k < surfaces.size(); ++k) {
    const bl::SurfaceResult& r = surfaces[k];
    for (const std::vector<double>& column : r.columns)
      for (std::size_t i = 0; i < column.size(); ++i)
        if (!std::isfinite(column[i]) && st.message.empty()) {
          problems.push_back(std::string(step) + ": node " + std::to_string(i + 1) + " of surface " +
                             std::to_string(k) + " is not finite, and no message says so");
          return;
        }
  }
}

// The same for the results a session gives out.
void checkOutcome(const bl::Session& session, const bl::Status& st, const char* step, Problems& problems) {
  checkOutcome(st, {session.surface(bl::Surface::upper), session.surface(bl::Surface::lower)}, step, problems);
}

// A section, or a raw contour, as the windows compute it: through a
// session, which checks the parameters it is given.
void runSession(const LibCase& c, const std::string& folder, Problems& problems) {
  bl::Session session;
  session.reports().set_folder(folder);
  session.reports().set_diagnostics(false);
  bl::ComputationParameters given = parametersOf(c);
  if (c.kind == LibCase::RawContour)
    for (int s = 0; s <= 1; ++s) given.xinv_surf[s] = c.sinv[s];
  bl::Status st = session.set_parameters(given);
  checkOutcome(session, st, "parameters", problems);
  if (!st.ok) return;
  if (c.kind == LibCase::Section) {
    aerofoil::Joukowski af;
    aerofoil::resizePoints(af, aerofoil::clampPoints(c.n));
    aerofoil::solveSection(af, c.alpha, c.e, c.h);
    st = session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y);
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
  // The table as given; nodes its count names beyond the table are zero.
  bl::SurfaceValues surface;
  surface.s = c.s;
  surface.ue = c.v;
  const std::size_t n = static_cast<std::size_t>(std::max(c.nodes, 0));
  surface.s.resize(n, 0.0);
  surface.ue.resize(n, 0.0);
  surface.wall_nodes = static_cast<int>(n);
  bl::ComputationParameters params = parametersOf(c);
  for (int s = 0; s <= 1; ++s) params.xinv_surf[s] = c.sinv[s];
  bl::SolverState state;
  bl::ReportFiles reports;
  const auto arrays = std::make_unique<bl::PassArrays>();
  reports.set_folder(folder);
  reports.set_diagnostics(false);
  const bl::SurfaceResult r = bl::march_surface(surface, bl::Surface::upper, params, state, reports, *arrays);
  checkOutcome(r.status, {r}, "one pass", problems);
  reports.close_all();
  checkFolder(folder, problems);
}

}  // namespace sweep
