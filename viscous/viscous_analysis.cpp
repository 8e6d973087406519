// Sweeps of the viscous-inviscid interaction: outer flow, split, march with
// the interaction law, new mass defect.
#include "viscous_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "interaction_coefficients.h"
#include "outer_flow.h"
#include "session_layer.h"
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

// Where each held transition lies on the present split: the arc length of
// its contour point (none where none is held, or where the point has left
// the surface: the user's setting then).
std::array<std::optional<double>, 2> held_arc_lengths(const LayerSolver& layer, const int (&held)[2]) {
  std::array<std::optional<double>, 2> at;
  for (Surface side : bl::kBothSurfaces) {
    const int i = bl::index(side);
    if (held[i] < 0) continue;
    const bl::SurfaceValues& v = layer.split_surface(side);
    for (int j = 2; j < v.wall_nodes; ++j)
      if (v.contour_point[static_cast<std::size_t>(j)] == held[i]) at[static_cast<std::size_t>(i)] = v.s[static_cast<std::size_t>(j)];
  }
  return at;
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

// The sweeps of one analysis: the outer flow, the layer that marches with
// it and what one sweep hands the next.
class Sweeps {
 public:
  Sweeps(LayerSolver& layer, const aerofoil::Joukowski& af, const Settings& settings, bool write_reports)
      : layer_(layer),
        af_(af),
        settings_(settings),
        n_(af.currentN),
        // Without the closed-form step at the cusp: fitted from the last few
        // points' defect, it answers every small change of the layer there
        // and kept the sweeps from settling; the step of a converged layer
        // is small.
        flow_(af, 0, aerofoil::kDefaultEdgeSpread, false),
        reports_wanted_(write_reports && layer.writes_reports()) {}

  // The wake lies along the trailing streamline of the bare section, its
  // first step as short as the contour's last panel so that the sources of
  // the wake continue those of the wall without a seam.
  bl::Status lay_wake() {
    aerofoil::StreamlineSpacing spacing;
    spacing.length = settings_.wake_length;
    spacing.firstStep = af_.s[1] - af_.s[0];
    spacing.growth = settings_.wake_growth;
    std::string why = aerofoil::trailingStreamline(flow_, flow_.bareFlow(flow_.bareGamma()), spacing, line_);
    if (why.empty()) why = flow_.setWake(line_.x, line_.y);
    if (!why.empty()) return bl::Status::failure("the wake: " + why);
    panels_ = flow_.wakePanels();
    return bl::Status{};
  }

  // The mass defect to start from: a neighbouring angle's, when it belongs
  // to a contour of as many points, else none.  Each analysis finds its own
  // grid: a start from another angle widens none.
  void start_from(const State& start) {
    st_ = start;
    if (st_.m.size() != static_cast<std::size_t>(n_ + 1)) st_ = State{};
    if (st_.empty()) st_.m.assign(static_cast<std::size_t>(n_ + 1), 0.0);
    st_.grid.clear();
    for (auto& g : st_.wake_grid) g.clear();
  }

  Result run(const std::function<void(const Progress&)>& progress);

 private:
  // A sweep as it was marched: its surface speed and loads, whether the
  // transition was held (or left free, to ask where it falls of itself),
  // the surfaces, laws and wake input.  Past stall the displaced flow of a
  // sweep can leave a layer that cannot be marched; the sweeps then end,
  // not settled, with the last sweep that could be marched, marched again
  // so that the layer holds it.
  struct Marched {
    std::vector<double> v;
    aerofoil::SectionLoads loads;
    bool hold = false;
    bool free = false;
    LayerMarch layers;
  };

  void solve_outer_flow();
  void judge_settling(int sweep, Result& res);
  bl::Status split(Marched& m);
  bl::Status split_and_continue(Marched& m, int sweep, bool free);
  bl::Status march(Marched& m, bool with_reports) { return layer_.march(m.layers, with_reports); }
  void transition_points(const Marched& m, int (&points)[2]) const;
  bl::Status check_free_transition(int sweep, Result& res);
  bl::Status end_with_sweep_before(const bl::Status& failed, int sweep, Result& res);
  void take_new_defect();
  void loads_of_last_march(Result& res);

  LayerSolver& layer_;
  const aerofoil::Joukowski& af_;
  const Settings& settings_;
  const int n_;
  aerofoil::OuterFlow flow_;
  const bool reports_wanted_;  // the last sweep writes the reports
  aerofoil::Streamline line_;
  int panels_ = 0;
  State st_;                   // the mass defect the next outer flow takes
  int held_[2] = {-1, -1};     // contour point of each surface's transition, once held
  double lowest_ = HUGE_VAL;   // the lowest largest change of a sweep so far, and its sweep
  int lowest_at_ = 1;
  std::vector<double> lows_;   // the lowest change so far after each sweep from the second on
  aerofoil::OuterSolution sol_;
  aerofoil::SectionLoads loads_;
  std::vector<double> prev_v_;  // the surface speed and lift of the sweep before
  double prev_cl_ = 0.0;
  Marched good_, attempt_, check_;
};

// The exact outer flow of the section with the mass defect of the last
// sweep as wall transpiration and the growth of the wake's defect as its
// sources; its circulation from the Kutta condition.  The lift and moment
// are the wall pressure, the edge pressure of a thin layer, integrated.
void Sweeps::solve_outer_flow() {
  flow_.solve(st_.m, wake_fluxes(st_, panels_), sol_);
  loads_ = aerofoil::integratePressure(af_.x, af_.y, sol_.v, af_.alphaDeg);
}

// How far this sweep's flow moved from the last one's: settled when
// neither the surface speed nor the lift moved by the tolerance.  The
// lowest change so far, and when it was made, tell whether the sweeps still
// settle.
void Sweeps::judge_settling(int sweep, Result& res) {
  if (sweep > 1) {
    res.change_cl = std::fabs(loads_.cl - prev_cl_);
    res.change_ue = 0;
    for (std::size_t i = 0; i < sol_.v.size(); ++i)
      res.change_ue = std::max(res.change_ue, std::fabs(sol_.v[i] - prev_v_[i]));
    res.converged = res.change_ue < settings_.tolerance && res.change_cl < settings_.tolerance;
    const double change = std::max(res.change_ue, res.change_cl);
    if (change < lowest_) lowest_ = change, lowest_at_ = sweep;
    lows_.push_back(lowest_);
  }
  prev_v_ = sol_.v;
  prev_cl_ = loads_.cl;
}

// The flow of m split at its (moved) stagnation point, each held
// transition put at the arc length its contour point has on this split.
bl::Status Sweeps::split(Marched& m) {
  const bl::Status s = layer_.split(af_.s, m.v, n_, af_.x, af_.y);
  m.layers.held_transition = {};
  if (s.ok && m.hold && !m.free) m.layers.held_transition = held_arc_lengths(layer_, held_);
  return s;
}

// This sweep's flow split into both surfaces, each continued into its half
// of the wake along the trailing streamline with the outer flow's speed
// there, and given its interaction law: the thin-aerofoil law that ties
// every station's edge velocity to its displacement (quasi-simultaneous
// coupling), so that the march goes through separation.  The transition is
// held from the sweep after kHoldTransitionAfter on, unless free.
bl::Status Sweeps::split_and_continue(Marched& m, int sweep, bool free) {
  m.v = sol_.v;
  m.loads = loads_;
  m.hold = sweep > kHoldTransitionAfter;
  m.free = free;
  const bl::Status s = split(m);
  if (!s.ok) return s;
  for (Surface side : bl::kBothSurfaces) {
    const auto i = static_cast<std::size_t>(bl::index(side));
    m.layers.surfaces[i] = with_wake(layer_.split_surface(side), line_, sol_);
    m.layers.laws[i] = law_for(m.layers.surfaces[i], side, st_, m.hold, m.layers.turbulence[i], free);
  }
  return reversed_flow(m.layers.surfaces);
}

void Sweeps::transition_points(const Marched& m, int (&points)[2]) const {
  for (Surface side : bl::kBothSurfaces)
    points[bl::index(side)] =
        transition_point(m.layers.surfaces[static_cast<std::size_t>(bl::index(side))], layer_.result(side));
}

// Settled with the transition held: where does it fall of itself?  (A
// check, not a sweep.)  Unless the reports' march follows, the held march
// is taken again where the check's transition differs, so that the layer
// holds the settled flow.
bl::Status Sweeps::check_free_transition(int sweep, Result& res) {
  int free_points[2];
  bl::Status c = split_and_continue(check_, sweep, true);
  if (c.ok) c = march(check_, false);
  if (c.cancelled) return bl::Status::stopped();
  if (!c.ok) return bl::Status{};  // the held flow stands unchecked
  transition_points(check_, free_points);
  for (int i = 0; i < 2; ++i)
    if (std::abs(free_points[i] - held_[i]) > kStationFlip) res.transition_off[i] = free_points[i] - held_[i];
  if ((free_points[0] != held_[0] || free_points[1] != held_[1]) && !reports_wanted_) {
    bl::Status again = split(good_);
    if (again.ok) again = march(good_, false);
    if (!again.ok) return again.cancelled ? bl::Status::stopped() : again;
  }
  return bl::Status{};
}

// A sweep whose flow could not be marched (past stall, say).  Only a flow
// close to settling (its numbers would be shown) ends with the sweep
// before, marched again so that the layer holds it; one that swings wildly
// fails, saying why.  Not ok: the analysis fails with it.
bl::Status Sweeps::end_with_sweep_before(const bl::Status& failure, int sweep, Result& res) {
  const std::string failed = "sweep " + std::to_string(sweep) + " of the viscous analysis: " + failure.message;
  if (res.sweeps == 0 || !(std::max(res.change_cl, res.change_ue) < settings_.largest_shown_change))
    return bl::Status::failure(failed);
  bl::Status s = split(good_);
  if (s.ok) s = march(good_, reports_wanted_);
  if (!s.ok) return s.cancelled ? bl::Status::stopped() : bl::Status::failure(failed);
  res.unmarchable = failed;
  loads_ = good_.loads;
  res.converged = false;
  return bl::Status{};
}

// The mass defect m = ue d1 the last march leaves on the wall and in the
// wake, and the share settings.relaxation of its change taken into the
// next outer flow (the whole change overshoots where the lift is high).
void Sweeps::take_new_defect() {
  State fresh;
  fresh.m.assign(static_cast<std::size_t>(n_ + 1), 0.0);
  fresh.grid.assign(static_cast<std::size_t>(n_ + 1), 0);
  for (Surface side : bl::kBothSurfaces)
    take_defect(good_.layers.surfaces[static_cast<std::size_t>(bl::index(side))], layer_.result(side), side, fresh);
  relax(st_.m, fresh.m, settings_.relaxation);
  for (int h = 0; h < 2; ++h) relax(st_.wake[h], fresh.wake[h], settings_.relaxation);
  st_.grid = std::move(fresh.grid);
  for (int h = 0; h < 2; ++h) st_.wake_grid[h] = std::move(fresh.wake_grid[h]);
}

// Lift and moment from the wall pressure of the last flow; drag from the
// momentum defect at the end of the wake (Squire and Young), friction from
// the wall shear along both walls, pressure drag the difference.  No
// number where the sweeps still swing.
void Sweeps::loads_of_last_march(Result& res) {
  res.cl = loads_.cl;
  res.cm = loads_.cm;
  const bl::SurfaceResult up = layer_.result(Surface::upper), lo = layer_.result(Surface::lower);
  res.cd = wake_drag(up) + wake_drag(lo);
  res.cd_friction = friction_drag(good_.layers.surfaces[0], up, af_.alphaDeg) +
                    friction_drag(good_.layers.surfaces[1], lo, af_.alphaDeg);
  res.cd_pressure = res.cd - res.cd_friction;
  if (!res.converged && !(std::max(res.change_cl, res.change_ue) < settings_.largest_shown_change))
    res.cl = res.cm = res.cd = res.cd_friction = res.cd_pressure = std::nan("");
  res.state = st_;
  res.body = displacementBody(good_.layers.surfaces, {up, lo});
  res.surfaces = {up, lo};
}

Result Sweeps::run(const std::function<void(const Progress&)>& progress) {
  Result res;
  for (int sweep = 1; sweep <= settings_.max_sweeps + 1; ++sweep) {
    if (layer_.cancel_requested()) {
      res.status = bl::Status::stopped();
      return res;
    }
    solve_outer_flow();
    judge_settling(sweep, res);
    // Stopped settling: given up as out of sweeps.
    const bool stalled = !res.converged && (sweep - lowest_at_ > settings_.give_up_after ||
                                            too_slow(lows_, settings_, sweep));
    if (res.converged && sweep > kHoldTransitionAfter + 1) {
      res.status = check_free_transition(sweep, res);
      if (!res.status.ok) return res;
    }
    // Converged, or out of sweeps: the last march stands, unless the
    // reports want one more, with the settled flow.  That march writes the
    // reports of the sweeps counted; it is not a sweep of its own.
    const bool last = res.converged || stalled || sweep > settings_.max_sweeps;
    if (last && !reports_wanted_) break;

    bl::Status s = split_and_continue(attempt_, sweep, false);
    if (s.ok) s = march(attempt_, reports_wanted_ && last);
    if (s.cancelled) {
      res.status = bl::Status::stopped();
      return res;
    }
    if (!s.ok) {
      res.status = end_with_sweep_before(s, sweep, res);
      if (!res.status.ok) return res;
      break;
    }
    std::swap(good_, attempt_);
    if (!last) res.sweeps = sweep;
    if (!last && progress) progress(Progress{res.sweeps, res.change_cl, res.change_ue});
    if (sweep == kHoldTransitionAfter) transition_points(good_, held_);
    if (last) break;
    take_new_defect();
  }
  loads_of_last_march(res);
  return res;
}

}  // namespace

Result analyse(LayerSolver& layer, const aerofoil::Joukowski& af, const Settings& settings, const State& start,
               bool write_reports, const std::function<void(const Progress&)>& progress) {
  Sweeps sweeps(layer, af, settings, write_reports);
  Result res;
  res.status = sweeps.lay_wake();
  if (res.status.ok) {
    sweeps.start_from(start);
    res = sweeps.run(progress);
  }
  res.cautions = layer.cautions();
  res.failed_surface = layer.failed_surface();
  return res;
}

Result analyse(const aerofoil::Joukowski& af, const bl::ComputationParameters& params, const Settings& settings,
               const State& start, const Run& run) {
  // The sweeps march with the coupling's closure (its own default, not the
  // uncoupled march's).
  bl::ComputationParameters coupled = params;
  coupled.turbulence = settings.turbulence;
  SessionLayer layer(coupled, LayerRun{run.cancel, run.reports, run.concurrent_surfaces});
  if (!layer.status().ok) {
    Result res;
    res.status = layer.status();
    return res;
  }
  return analyse(layer, af, settings, start, run.write_reports, run.progress);
}

std::string heldTransitionNote(bl::Surface which, int off) {
  if (off == 0) return {};
  return std::string(bl::name(which)) + ": the transition is held " + std::to_string(std::abs(off)) +
         " contour points from where the settled flow puts it (held where an early sweep put it): the lift "
         "and drag depend on where the sweeps started, and a polar's angle and the angle alone can differ";
}

}  // namespace viscous
