// Sweeps of the viscous-inviscid interaction: outer flow, split, march with
// the interaction law, new mass defect.
#include "viscous_analysis.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "interaction_coefficients.h"
#include "outer_flow.h"
#include "surface_loads.h"
#include "trailing_streamline.h"
#include "viscous_loads.h"

namespace viscous {

namespace {

using bl::Column;
using bl::Surface;

// Sign of a surface's mass defect in the contour's signed convention (the
// speed's): positive on the upper surface.
double side_sign(Surface s) { return s == Surface::upper ? 1.0 : -1.0; }

// The surface of the split continued along the trailing streamline: node q
// of the line (q >= 1) at the arc length of the trailing edge plus its
// distance along the line, with the outer flow's speed there.
bl::SurfaceValues with_wake(const bl::SurfaceValues& wall, const aerofoil::Streamline& line,
                            const aerofoil::OuterSolution& flow) {
  bl::SurfaceValues v = wall;
  const double s_te = wall.s.back();
  for (std::size_t q = 1; q < line.s.size(); ++q) {
    v.s.push_back(s_te + line.s[q]);
    v.ue.push_back(flow.wakeQ[q]);
    v.x.push_back(line.x[q]);
    v.y.push_back(line.y[q]);
    v.contour_point.push_back(-1);
  }
  return v;
}

// The law of one surface: its coefficients along the arc length and the
// mass defect every node had in the sweep before.
bl::InteractionLaw law_for(const bl::SurfaceValues& v, Surface side, const State& before) {
  bl::InteractionLaw law;
  law.first_node = 3;
  law.coeff = interaction_coefficients(v.s);
  law.m_before.assign(v.s.size(), 0.0);
  const std::vector<double>& wake = before.wake[bl::index(side)];
  for (int j = 0; j < v.nodes(); ++j) {
    if (j < v.wall_nodes) {
      const int p = v.contour_point[static_cast<std::size_t>(j)];
      if (p >= 0) law.m_before[static_cast<std::size_t>(j)] = side_sign(side) * before.m[static_cast<std::size_t>(p)];
    } else {
      const std::size_t q = static_cast<std::size_t>(j - v.wall_nodes + 1);
      if (q < wake.size()) law.m_before[static_cast<std::size_t>(j)] = wake[q];
    }
  }
  return law;
}

// The mass defect a march leaves, into the contour points and the
// half-wake of its surface.  Node 2 carries the starting profile, which the
// march does not integrate: near the stagnation point ue grows with s and d1
// stays about constant, so m there is that of node 3 scaled by s.
void take_defect(const bl::SurfaceValues& v, const bl::SurfaceResult& r, Surface side, State& out) {
  const std::vector<double>& ue = r[Column::ue];
  const std::vector<double>& d1 = r[Column::d1];
  const std::vector<double>& s = r[Column::s];
  const int n = r.nodes();
  std::vector<double> m(static_cast<std::size_t>(n), 0.0);
  for (int j = 2; j < n; ++j) m[static_cast<std::size_t>(j)] = ue[static_cast<std::size_t>(j)] * d1[static_cast<std::size_t>(j)];
  if (n > 2 && s[2] > 0) m[1] = m[2] * s[1] / s[2];
  std::vector<double>& wake = out.wake[bl::index(side)];
  wake.assign(static_cast<std::size_t>(n - v.wall_nodes + 1), 0.0);
  for (int j = 0; j < n; ++j) {
    if (j < v.wall_nodes) {
      const int p = v.contour_point[static_cast<std::size_t>(j)];
      if (p >= 0) out.m[static_cast<std::size_t>(p)] = side_sign(side) * m[static_cast<std::size_t>(j)];
    }
    if (j >= v.wall_nodes - 1) wake[static_cast<std::size_t>(j - v.wall_nodes + 1)] = m[static_cast<std::size_t>(j)];
  }
}

// Source flux of each wake panel: the growth of the two halves' defect.
std::vector<double> wake_fluxes(const State& st, int panels) {
  std::vector<double> q(static_cast<std::size_t>(panels), 0.0);
  auto total = [&st](std::size_t k) {
    double t = 0;
    for (const auto& half : st.wake) t += k < half.size() ? half[k] : 0.0;
    return t;
  };
  for (int k = 0; k < panels; ++k) q[static_cast<std::size_t>(k)] = total(static_cast<std::size_t>(k) + 1) - total(static_cast<std::size_t>(k));
  return q;
}

void relax(std::vector<double>& x, const std::vector<double>& target, double omega) {
  if (x.size() != target.size()) {
    x = target;
    return;
  }
  for (std::size_t i = 0; i < x.size(); ++i) x[i] += omega * (target[i] - x[i]);
}

}  // namespace

Result analyse(bl::Session& session, const aerofoil::Joukowski& af, const Settings& settings, const State& start,
               bool reports) {
  Result res;
  const int n = af.currentN;
  aerofoil::OuterFlow flow(af);

  // The wake lies along the trailing streamline of the bare section, its
  // first step as short as the contour's last panel so that the sources of
  // the wake continue those of the wall without a seam.
  aerofoil::Streamline line;
  aerofoil::StreamlineSpacing spacing;
  spacing.length = settings.wake_length;
  spacing.firstStep = af.s[1] - af.s[0];
  spacing.growth = settings.wake_growth;
  std::string why = aerofoil::trailingStreamline(flow, flow.bareFlow(flow.bareGamma()), spacing, line);
  if (why.empty()) why = flow.setWake(line.x, line.y);
  if (!why.empty()) {
    res.status = bl::Status::failure("the wake: " + why);
    return res;
  }
  const int panels = flow.wakePanels();

  State st = start;
  if (st.m.size() != static_cast<std::size_t>(n + 1)) st = State{};
  if (st.empty()) st.m.assign(static_cast<std::size_t>(n + 1), 0.0);

  const bool reports_wanted = reports && session.reports().enabled();
  aerofoil::OuterSolution sol, prev;
  bl::SurfaceValues values[2];
  for (int sweep = 1; sweep <= settings.max_sweeps + 1; ++sweep) {
    flow.solve(st.m, wake_fluxes(st, panels), sol);
    if (sweep > 1) {
      res.change_cl = std::fabs(sol.cl - prev.cl);
      res.change_ue = 0;
      for (int i = 0; i <= n; ++i)
        res.change_ue = std::max(res.change_ue, std::fabs(sol.v[static_cast<std::size_t>(i)] - prev.v[static_cast<std::size_t>(i)]));
      res.converged = res.change_ue < settings.tolerance && res.change_cl < settings.tolerance;
    }
    prev = sol;
    const bool last = res.converged || sweep > settings.max_sweeps;
    if (last && !reports_wanted) break;

    session.reports().set_enabled(reports_wanted && last);
    bl::Status s = session.hand_over_contour(af.s, sol.v, n, af.x, af.y);
    bl::InteractionLaw laws[2];
    if (s.ok) {
      for (Surface side : bl::kBothSurfaces) {
        bl::SurfaceValues& v = values[bl::index(side)];
        v = with_wake(session.split_surface(side), line, sol);
        laws[bl::index(side)] = law_for(v, side, st);
      }
      s = session.coupled_computation(values[0], values[1], laws[0], laws[1]);
    }
    session.reports().set_enabled(reports_wanted);
    if (!s.ok) {
      res.status = s;
      return res;
    }
    res.sweeps = sweep;
    if (last) break;

    State fresh;
    fresh.m.assign(static_cast<std::size_t>(n + 1), 0.0);
    for (Surface side : bl::kBothSurfaces) take_defect(values[bl::index(side)], session.surface(side), side, fresh);
    relax(st.m, fresh.m, settings.relaxation);
    for (int h = 0; h < 2; ++h) relax(st.wake[h], fresh.wake[h], settings.relaxation);
  }

  res.cl = sol.cl;
  res.v = sol.v;
  res.cm = aerofoil::integratePressure(af.x, af.y, sol.v, af.alphaDeg).cm;
  const bl::SurfaceResult up = session.surface(Surface::upper), lo = session.surface(Surface::lower);
  res.cd = wake_drag(up) + wake_drag(lo);
  res.cd_friction = friction_drag(values[0], up, af.alphaDeg) + friction_drag(values[1], lo, af.alphaDeg);
  res.cd_pressure = res.cd - res.cd_friction;
  res.state = st;
  return res;
}

}  // namespace viscous
