// Sweeps of the viscous-inviscid interaction: outer flow, split, march with
// the interaction law, new mass defect.
#include "viscous_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "layer_exchange.h"
#include "outer_flow.h"
#include "session_layer.h"
#include "surface_loads.h"
#include "trailing_streamline.h"
#include "viscous_loads.h"

namespace viscous {

namespace {

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
  bl::Status end_with_sweep_before(const bl::Status& failure, int sweep, Result& res);
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
// is taken again where the check's transition differs or the check could
// not be marched, so that the layer holds the settled flow.
bl::Status Sweeps::check_free_transition(int sweep, Result& res) {
  int free_points[2] = {held_[0], held_[1]};
  bl::Status c = split_and_continue(check_, sweep, true);
  if (c.ok) c = march(check_, false);
  if (c.cancelled) return bl::Status::stopped();
  bool differs = !c.ok;  // a check that failed leaves the held flow unchecked, and the layer without it
  if (c.ok) {
    transition_points(check_, free_points);
    for (int i = 0; i < 2; ++i)
      if (std::abs(free_points[i] - held_[i]) > kStationFlip) res.transition_off[i] = free_points[i] - held_[i];
    differs = free_points[0] != held_[0] || free_points[1] != held_[1];
  }
  if (differs && !reports_wanted_) {
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
