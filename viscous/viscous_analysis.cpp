// Sweeps of the viscous-inviscid interaction: outer flow, split, march with
// the interaction law, new mass defect.
#include "viscous_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
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

// The transition of a march is a station: as the stagnation point moves
// from sweep to sweep, a trip or a laminar separation near a station's edge
// can put it one station earlier, then later again, a flip that the sweeps
// cannot settle.  After a few sweeps each surface's transition is held at
// the contour point where it then lay.
constexpr int kHoldTransitionAfter = 4;

// Where the transition lay after those few sweeps depends on where the
// sweeps started: an angle started from nothing holds it where a flow far
// from its own put it (a laminar separation of an early sweep, say), and an
// angle of a polar, started close to its own flow, elsewhere.  Moving the
// hold to where the settled flow puts it was tried: at Re 1 million with
// free transition the point moved on at every check and 37 angles of the
// README's polars stopped settling (7 before).  So the hold stays, and once
// the sweeps have settled one march with the transition free on the
// settled flow says where it belongs; a point more than a station from the
// held one (a station's flip is what the hold stops) is told with the
// result, whose lift and drag then depend on where the sweeps started.
constexpr int kStationFlip = 1;

// Sign of a surface's mass defect in the contour's signed convention (the
// speed's): positive on the upper surface.
double side_sign(Surface s) { return s == Surface::upper ? 1.0 : -1.0; }

// The surface of the split continued along the trailing streamline: node q
// of the line (q >= 1) at the arc length of the trailing edge plus its
// distance along the line, with the outer flow's speed there.
bl::SurfaceValues with_wake(const bl::SurfaceValues& wall, const aerofoil::Streamline& line,
                            const aerofoil::OuterSolution& flow) {
  bl::SurfaceValues v = wall;
  // The arc length of the trailing edge: the last node's, or where the wall
  // ends before a wedge's edge (see the split), the last node's and the
  // distance on to the edge.
  const double s_te =
      wall.s.back() + std::hypot(wall.x.back() - line.x.front(), wall.y.back() - line.y.front());
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
// mass defect every node had in the sweep before; with the transition
// held, also the normal grid every node had.  The other half-wake's
// displacement thickness goes to the turbulence model, into `turbulence`.
bl::InteractionLaw law_for(const bl::SurfaceValues& v, Surface side, const State& before, bool hold,
                           bl::TurbulenceInput& turbulence, bool transition_free = false) {
  bl::InteractionLaw law;
  law.first_node = 3;
  law.transition_held = hold && !transition_free;
  law.coeff = interaction_coefficients(v.s);
  law.m_before.assign(v.s.size(), 0.0);
  law.grid_points_before.assign(v.s.size(), 0);
  turbulence.partner_d1_before.assign(v.s.size(), 0.0);
  const std::vector<double>& wake = before.wake[bl::index(side)];
  const std::vector<int>& wake_grid = before.wake_grid[bl::index(side)];
  for (int j = 0; j < v.nodes(); ++j) {
    const auto k = static_cast<std::size_t>(j);
    if (j < v.wall_nodes) {
      const int p = v.contour_point[k];
      if (p < 0) continue;
      const auto pp = static_cast<std::size_t>(p);
      law.m_before[k] = side_sign(side) * before.m[pp];
      if (hold && pp < before.grid.size()) law.grid_points_before[k] = before.grid[pp];
    } else {
      const auto q = static_cast<std::size_t>(j - v.wall_nodes + 1);
      if (q < wake.size()) law.m_before[k] = wake[q];
      if (hold && q < wake_grid.size()) law.grid_points_before[k] = wake_grid[q];
      const std::vector<double>& partner = before.wake[1 - bl::index(side)];
      if (q < partner.size() && v.ue[k] != 0.0) turbulence.partner_d1_before[k] = std::fabs(partner[q] / v.ue[k]);
    }
  }
  return law;
}

// The mass defect a march leaves, and the normal grid of each node, into
// the contour points and the half-wake of its surface (wake node 0 is the
// trailing edge).  Node 2
// carries the starting profile, which the march does not integrate: near
// the stagnation point ue grows with s and d1 stays about constant, so m
// there is that of node 3 scaled by s.
void take_defect(const bl::SurfaceValues& v, const bl::SurfaceResult& r, Surface side, State& out) {
  // A wedge's trailing edge, where the march ends one node before it,
  // takes the defect of the last node: the two lie a contour interval apart.
  const std::size_t te = side == Surface::upper ? 0 : out.m.size() - 1;
  const bool edge_marched = v.contour_point[static_cast<std::size_t>(v.wall_nodes - 1)] == static_cast<int>(te);
  const std::vector<double>& ue = r[Column::ue];
  const std::vector<double>& d1 = r[Column::d1];
  const std::vector<double>& s = r[Column::s];
  const int n = r.nodes();
  std::vector<double> m(static_cast<std::size_t>(n), 0.0);
  for (std::size_t j = 2; j < m.size(); ++j) m[j] = ue[j] * d1[j];
  if (n > 2 && s[2] > 0) m[1] = m[2] * s[1] / s[2];
  std::vector<double>& wake = out.wake[bl::index(side)];
  std::vector<int>& wake_grid = out.wake_grid[bl::index(side)];
  const auto wake_nodes = static_cast<std::size_t>(n - v.wall_nodes + 1);
  wake.assign(wake_nodes, 0.0);
  wake_grid.assign(wake_nodes, 0);
  const auto grid = [&r](std::size_t k) { return k < r.grid_points.size() ? r.grid_points[k] : 0; };
  for (int j = 0; j < n; ++j) {
    const auto k = static_cast<std::size_t>(j);
    if (j < v.wall_nodes) {
      const int p = v.contour_point[k];
      if (p >= 0) {
        out.m[static_cast<std::size_t>(p)] = side_sign(side) * m[k];
        out.grid[static_cast<std::size_t>(p)] = grid(k);
      }
    }
    if (j >= v.wall_nodes - 1) {
      wake[static_cast<std::size_t>(j - v.wall_nodes + 1)] = m[k];
      wake_grid[static_cast<std::size_t>(j - v.wall_nodes + 1)] = grid(k);
    }
  }
  if (!edge_marched && v.wall_nodes >= 1) {
    const auto last = static_cast<std::size_t>(v.wall_nodes - 1);
    out.m[te] = side_sign(side) * m[last];
    out.grid[te] = grid(last);
  }
}

// Source flux of each wake panel: the growth of the two halves' defect.
std::vector<double> wake_fluxes(const State& st, int panels) {
  std::vector<double> q(static_cast<std::size_t>(panels), 0.0);
  const auto total = [&st](std::size_t k) {
    double t = 0;
    for (const auto& half : st.wake) t += k < half.size() ? half[k] : 0.0;
    return t;
  };
  for (std::size_t k = 0; k < q.size(); ++k) q[k] = total(k + 1) - total(k);
  return q;
}

// x moves the share omega of the way to target; an x of another length (the
// first sweep's, or a wake cut anew) starts from no defect.
void relax(std::vector<double>& x, const std::vector<double>& target, double omega) {
  if (x.size() != target.size()) x.assign(target.size(), 0.0);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] += omega * (target[i] - x[i]);
}

// The contour point of a surface's first turbulent station, or -1 (laminar
// to the end of the wall).
int transition_point(const bl::SurfaceValues& v, const bl::SurfaceResult& r) {
  const int node = r.transition_at;
  if (node < 1 || node > v.wall_nodes) return -1;
  return v.contour_point[static_cast<std::size_t>(node - 1)];
}

// The user's parameters with each held transition at the arc length its
// contour point has on the present split (the user's setting where none is
// held, or where the point has left the surface).
bl::ComputationParameters held_transition(const bl::Session& session, const bl::ComputationParameters& user,
                                          const int (&held)[2]) {
  bl::ComputationParameters p = user;
  for (Surface side : bl::kBothSurfaces) {
    const int i = bl::index(side);
    if (held[i] < 0) continue;
    const bl::SurfaceValues& v = session.split_surface(side);
    for (int j = 2; j < v.wall_nodes; ++j)
      if (v.contour_point[static_cast<std::size_t>(j)] == held[i]) {
        p.xtr_surf[i] = v.s[static_cast<std::size_t>(j)];
        p.xtr_xc[i].reset();
      }
  }
  return p;
}

// Where the displaced flow runs backwards along a surface behind its
// stagnation point, the layer ahead has separated so far that its
// displacement turns the outer flow round: no march can follow a layer
// against the flow, and no interaction law carries a separation that
// large.  Said in words the user can act on.
bl::Status reversed_flow(const std::array<bl::SurfaceValues, 2>& values) {
  for (Surface side : bl::kBothSurfaces) {
    const bl::SurfaceValues& v = values[static_cast<std::size_t>(bl::index(side))];
    for (int j = 1; j < v.nodes(); ++j) {
      const auto k = static_cast<std::size_t>(j);
      if (!(v.ue[k] <= 0)) continue;  // a number that is not finite is the march's to name
      char at[160];
      if (j < v.wall_nodes && k < v.x.size())
        std::snprintf(at, sizeof at, "on the %s at x/c %.3g (node %d)", bl::name(side), v.x[k], j + 1);
      else if (j < v.wall_nodes)
        std::snprintf(at, sizeof at, "on the %s at node %d", bl::name(side), j + 1);
      else
        std::snprintf(at, sizeof at, "in the wake of the %s, %.3g chords behind the trailing edge", bl::name(side),
                      v.s[k] - v.s[static_cast<std::size_t>(v.wall_nodes - 1)]);
      return bl::Status::failure(std::string("the flow displaced by the boundary layer runs backwards ") + at +
                                 ": the layer has separated further than the interaction can carry.  A higher "
                                 "Reynolds number, or transition further forward on that surface (Str or a "
                                 "trip at x/c), keeps it attached longer");
    }
  }
  return bl::Status{};
}

// Whether the lowest changes so far (lows, one a sweep from the second on)
// fall too slowly to reach the tolerance in the sweeps left: at the rate of
// the last give_up_after sweeps, in more than slow_margin times them.
bool too_slow(const std::vector<double>& lows, const Settings& settings, int sweep) {
  const int k = settings.give_up_after;
  if (sweep < 20 || sweep >= settings.max_sweeps || static_cast<int>(lows.size()) <= k) return false;
  const double now = lows.back(), before = lows[lows.size() - 1 - static_cast<std::size_t>(k)];
  if (!(now > settings.tolerance) || !(now < before)) return false;  // settled, or for the other rule
  const double rate = std::log(now / before) / k;                   // per sweep, negative
  const double needed = std::log(settings.tolerance / now) / rate;
  return needed > settings.slow_margin * (settings.max_sweeps - sweep);
}

// The session's parameters back as the user gave them, however the sweeps end.
struct RestoreParameters {
  bl::Session& session;
  const bl::ComputationParameters user;
  ~RestoreParameters() { static_cast<void>(session.set_parameters(user)); }
};

}  // namespace

Result analyse(bl::Session& session, const aerofoil::Joukowski& af, const Settings& settings, const State& start,
               bool reports, const std::function<void(const Progress&)>& progress) {
  Result res;
  const int n = af.currentN;
  // Without the closed-form step at the cusp: fitted from the last few
  // points' defect, it answers every small change of the layer there and
  // kept the sweeps from settling; the step of a converged layer is small.
  aerofoil::OuterFlow flow(af, 0, aerofoil::kDefaultEdgeSpread, false);

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
  // Each analysis finds its own grid: a start from another angle widens none.
  st.grid.clear();
  for (auto& g : st.wake_grid) g.clear();

  const bool reports_wanted = reports && session.reports().enabled();
  const RestoreParameters restore{session, session.parameters()};
  // The sweeps march with the coupling's closure (its own default, not the
  // uncoupled march's).
  bl::ComputationParameters coupled = restore.user;
  coupled.turbulence = settings.turbulence;
  if (coupled.turbulence != restore.user.turbulence) {
    res.status = session.set_parameters(coupled);
    if (!res.status.ok) return res;
  }
  int held[2] = {-1, -1};  // contour point of each surface's transition, once held
  double lowest = HUGE_VAL;  // the lowest largest change of a sweep so far, and its sweep
  int lowest_at = 1;
  std::vector<double> lows;  // the lowest change so far after each sweep from the second on
  aerofoil::OuterSolution sol;
  aerofoil::SectionLoads loads;
  std::vector<double> prev_v;  // the surface speed and lift of the sweep before
  double prev_cl = 0.0;
  // A sweep as it was marched: its surface speed and loads, whether the
  // transition was held (or left free, to ask where it falls of itself),
  // the surfaces, laws and wake input.  Past stall the displaced flow of a
  // sweep can leave a layer that cannot be marched; the sweeps then end,
  // not settled, with the last sweep that could be marched, marched again
  // so that the session holds it.
  struct Marched {
    std::vector<double> v;
    aerofoil::SectionLoads loads;
    bool hold = false;
    bool free = false;
    std::array<bl::SurfaceValues, 2> values;
    std::array<bl::InteractionLaw, 2> laws;
    std::array<bl::TurbulenceInput, 2> turbulence;
  } good, attempt, check;
  const auto hand_over = [&](const Marched& m, bool again) {
    bl::Status s = session.hand_over_contour(af.s, m.v, n, af.x, af.y);
    if (s.ok && (m.hold || again))
      s = session.set_parameters(m.hold && !m.free ? held_transition(session, coupled, held) : coupled);
    return s;
  };
  // The flow sol of this sweep split into both surfaces, each continued
  // into its half of the wake with its interaction law, the transition held
  // from the sweep after kHoldTransitionAfter on unless free.
  const auto prepare = [&](Marched& m, int sweep, bool free) {
    m.v = sol.v;
    m.loads = loads;
    m.hold = sweep > kHoldTransitionAfter;
    m.free = free;
    const bl::Status s = hand_over(m, free);
    if (!s.ok) return s;
    for (Surface side : bl::kBothSurfaces) {
      const auto i = static_cast<std::size_t>(bl::index(side));
      m.values[i] = with_wake(session.split_surface(side), line, sol);
      m.laws[i] = law_for(m.values[i], side, st, m.hold, m.turbulence[i], free);
    }
    return reversed_flow(m.values);
  };
  const auto march = [&](Marched& m, bool with_reports) {
    return session.march_given(m.values, {&m.laws[0], &m.laws[1]}, with_reports,
                               {&m.turbulence[0], &m.turbulence[1]});
  };
  const auto transition_points = [&](const Marched& m, int (&points)[2]) {
    for (Surface side : bl::kBothSurfaces)
      points[bl::index(side)] =
          transition_point(m.values[static_cast<std::size_t>(bl::index(side))], session.surface(side));
  };
  for (int sweep = 1; sweep <= settings.max_sweeps + 1; ++sweep) {
    if (session.cancel_requested()) {
      res.status = bl::Status::stopped();
      return res;
    }
    flow.solve(st.m, wake_fluxes(st, panels), sol);
    loads = aerofoil::integratePressure(af.x, af.y, sol.v, af.alphaDeg);
    if (sweep > 1) {
      res.change_cl = std::fabs(loads.cl - prev_cl);
      res.change_ue = 0;
      for (std::size_t i = 0; i < sol.v.size(); ++i)
        res.change_ue = std::max(res.change_ue, std::fabs(sol.v[i] - prev_v[i]));
      res.converged = res.change_ue < settings.tolerance && res.change_cl < settings.tolerance;
      const double change = std::max(res.change_ue, res.change_cl);
      if (change < lowest) lowest = change, lowest_at = sweep;
      lows.push_back(lowest);
    }
    // Stopped settling: given up as out of sweeps.
    const bool stalled = !res.converged && (sweep - lowest_at > settings.give_up_after ||
                                            too_slow(lows, settings, sweep));
    prev_v = sol.v;
    prev_cl = loads.cl;
    if (res.converged && sweep > kHoldTransitionAfter + 1) {
      // Settled with the transition held: where does it fall of itself?
      // (A check, not a sweep.)  Unless the reports' march follows, the
      // held march is taken again where the check's transition differs.
      int free_points[2];
      bl::Status c = prepare(check, sweep, true);
      if (c.ok) c = march(check, false);
      if (c.cancelled) {
        res.status = bl::Status::stopped();
        return res;
      }
      if (c.ok) {
        transition_points(check, free_points);
        for (int i = 0; i < 2; ++i)
          if (std::abs(free_points[i] - held[i]) > kStationFlip) res.transition_off[i] = free_points[i] - held[i];
        if ((free_points[0] != held[0] || free_points[1] != held[1]) && !reports_wanted) {
          bl::Status again = hand_over(good, true);
          if (again.ok) again = march(good, false);
          if (!again.ok) {
            res.status = again.cancelled ? bl::Status::stopped() : again;
            return res;
          }
        }
      }
    }
    // Converged, or out of sweeps: the last march stands, unless the
    // reports want one more, with the settled flow.  That march writes the
    // reports of the sweeps counted; it is not a sweep of its own.
    const bool last = res.converged || stalled || sweep > settings.max_sweeps;
    if (last && !reports_wanted) break;

    bl::Status s = prepare(attempt, sweep, false);
    if (s.ok) s = march(attempt, reports_wanted && last);
    if (s.cancelled) {
      res.status = bl::Status::stopped();
      return res;
    }
    if (!s.ok) {
      const std::string failed = "sweep " + std::to_string(sweep) + " of the viscous analysis: " + s.message;
      // Only a flow close to settling (its numbers would be shown) ends
      // with the sweep before; one that swings wildly fails, saying why.
      if (res.sweeps == 0 || !(std::max(res.change_cl, res.change_ue) < settings.largest_shown_change)) {
        res.status = bl::Status::failure(failed);
        return res;
      }
      s = hand_over(good, true);
      if (s.ok) s = march(good, reports_wanted);
      if (!s.ok) {
        res.status = s.cancelled ? bl::Status::stopped() : bl::Status::failure(failed);
        return res;
      }
      res.unmarchable = failed;
      loads = good.loads;
      res.converged = false;
      break;
    }
    std::swap(good, attempt);
    if (!last) res.sweeps = sweep;
    if (!last && progress) progress(Progress{res.sweeps, res.change_cl, res.change_ue});
    if (sweep == kHoldTransitionAfter) transition_points(good, held);
    if (last) break;

    State fresh;
    fresh.m.assign(static_cast<std::size_t>(n + 1), 0.0);
    fresh.grid.assign(static_cast<std::size_t>(n + 1), 0);
    for (Surface side : bl::kBothSurfaces)
      take_defect(good.values[static_cast<std::size_t>(bl::index(side))], session.surface(side), side, fresh);
    relax(st.m, fresh.m, settings.relaxation);
    for (int h = 0; h < 2; ++h) relax(st.wake[h], fresh.wake[h], settings.relaxation);
    st.grid = std::move(fresh.grid);
    for (int h = 0; h < 2; ++h) st.wake_grid[h] = std::move(fresh.wake_grid[h]);
  }

  res.cl = loads.cl;
  res.cm = loads.cm;
  const bl::SurfaceResult up = session.surface(Surface::upper), lo = session.surface(Surface::lower);
  res.cd = wake_drag(up) + wake_drag(lo);
  res.cd_friction = friction_drag(good.values[0], up, af.alphaDeg) + friction_drag(good.values[1], lo, af.alphaDeg);
  res.cd_pressure = res.cd - res.cd_friction;
  if (!res.converged && !(std::max(res.change_cl, res.change_ue) < settings.largest_shown_change))
    res.cl = res.cm = res.cd = res.cd_friction = res.cd_pressure = std::nan("");
  res.state = st;
  res.body = displacementBody(good.values, {up, lo});
  return res;
}

std::string heldTransitionNote(bl::Surface which, int off) {
  if (off == 0) return {};
  return std::string(bl::name(which)) + ": the transition is held " + std::to_string(std::abs(off)) +
         " contour points from where the settled flow puts it (held where an early sweep put it): the lift "
         "and drag depend on where the sweeps started, and a polar's angle and the angle alone can differ";
}

}  // namespace viscous
