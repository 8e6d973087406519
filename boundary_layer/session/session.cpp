// The boundary-layer computation as the windows and the command line run
// it: hand-over, new computation, recalculation, and the results.
//
// A surface flows through a session like this: the contour handed over is
// split at the stagnation point into two surfaces (SurfaceValues); each
// pass marches one of them and returns its SurfaceResult, which the session
// keeps for the front ends, writing the transition and inverse-mode
// positions the pass used into the parameters.
#include "session/session.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <future>
#include <string>
#include <thread>
#include <utility>

#include "march/pass.h"
#include "march/surface_march.h"
#include "setup/chord_trip.h"
#include "setup/surface_split.h"

namespace bl {

struct Session::Data {
  ComputationParameters params;
  Contour contour;            // the hand-over; the split re-bases its arc lengths
  SurfaceValues surfaces[2];  // of the last split, upper and lower
  SurfaceResult results[2];   // of the last passes (before any: the surfaces unmarched)
  SolverState solver;         // what one pass leaves for the next
  ReportFiles own_reports;
  ReportFiles* caller_reports = nullptr;  // written in place of own_reports, when set
  ReportFiles& reports() { return caller_reports ? *caller_reports : own_reports; }
  PassArrays arrays[2];  // storage for the upper and the lower pass
  // The results carry the positions their passes used, which the
  // parameters do not hold (march_given); else those of the parameters.
  bool own_positions = false;

  // What a failed computation puts back, taken at the start of every
  // computation.
  struct Snapshot {
    ComputationParameters params;
    Contour contour;
    SurfaceValues surfaces[2];
    SurfaceResult results[2];
    bool own_positions = false;
  } before;

  // A split's surfaces, without results yet.
  void take_split(SplitSurfaces& split) {
    surfaces[0] = std::move(split.upper);
    surfaces[1] = std::move(split.lower);
    for (int i = 0; i < 2; ++i) results[i] = SurfaceResult::unmarched(surfaces[i]);
    own_positions = false;
  }
};

struct Session::Passes {
  const SurfaceValues* surfaces[2];       // upper, lower
  const InteractionLaw* laws[2];          // or null
  const TurbulenceInput* turbulence[2];   // what the closure takes from outside each pass, or null
  ComputationParameters params;           // one copy, taken before either pass starts
  bool positions_into_parameters = true;  // the next computation starts from the positions used
};

namespace {

// A transition given as x/c, put on the surfaces at their arc lengths;
// refused (params unchanged) for a surface without its place on the section.
Status put_chord_trips(ComputationParameters& params, const SurfaceValues* const (&surfaces)[2]) {
  double xtr[2] = {params.xtr_surf[0], params.xtr_surf[1]};
  for (Surface which : kBothSurfaces) {
    const int i = index(which);
    if (!params.xtr_xc[i]) continue;
    xtr[i] = trip_arc_length(*surfaces[i], *params.xtr_xc[i]);
    if (!std::isfinite(xtr[i]))
      return Status::failure(std::string("a transition given as x/c needs the section: the ") + name(which) +
                             " has no place on it");
  }
  params.xtr_surf[0] = xtr[0];
  params.xtr_surf[1] = xtr[1];
  return Status{};
}

// The result without its first node (the mark before a turbulent start),
// its stations numbered as the table's nodes.
void drop_first_node(SurfaceResult& r) {
  if (r.nodes() < 1) return;
  for (std::vector<double>& c : r.columns) c.erase(c.begin());
  if (!r.grid_points.empty()) r.grid_points.erase(r.grid_points.begin());
  for (int* station : {&r.limited_at, &r.edge_limited_at, &r.transition_at, &r.inverse_at, &r.wall_nodes})
    if (*station > 0) --*station;
}

// Report writing switched off while it lives, if asked and it was on.
struct ReportsOff {
  ReportFiles& reports;
  const bool switched;
  ReportsOff(ReportFiles& r, bool off) : reports(r), switched(off && r.enabled()) {
    if (switched) reports.set_enabled(false);
  }
  ~ReportsOff() {
    if (switched) reports.set_enabled(true);
  }
  ReportsOff(const ReportsOff&) = delete;
  ReportsOff& operator=(const ReportsOff&) = delete;
};

}  // namespace

Session::Session() : data_(std::make_unique<Data>()) {}
Session::~Session() = default;

const ComputationParameters& Session::parameters() const { return data_->params; }
ReportFiles& Session::reports() { return data_->reports(); }
const ReportFiles& Session::reports() const { return data_->reports(); }
void Session::write_reports_to(ReportFiles* files) { data_->caller_reports = files; }

Status Session::restart(const ComputationParameters& p) {
  Data& d = *data_;
  d.params = ComputationParameters{};
  d.contour = Contour{};
  for (int i = 0; i < 2; ++i) {
    d.surfaces[i] = SurfaceValues{};
    d.results[i] = SurfaceResult{};
  }
  d.solver = SolverState{};
  d.reports().close_all();
  d.own_positions = false;
  cautions_.clear();
  failed_.reset();
  return set_parameters(p);
}

void Session::take_snapshot() {
  Data& d = *data_;
  d.before.params = d.params;
  d.before.contour = d.contour;
  for (int i = 0; i < 2; ++i) {
    d.before.surfaces[i] = d.surfaces[i];
    d.before.results[i] = d.results[i];
  }
  d.before.own_positions = d.own_positions;
}

Status Session::set_parameters(const ComputationParameters& p) {
  const Status st = validate_parameters(p);
  if (st.ok) data_->params = p;
  return st;
}

Status Session::hand_over_contour(const std::vector<double>& s, const std::vector<double>& v, int n,
                                  const std::vector<double>& x, const std::vector<double>& y) {
  const int points = n + 1;
  if (n < 1 || points > kMaxContourPoints || static_cast<int>(s.size()) < points ||
      static_cast<int>(v.size()) < points)
    return Status::failure("The contour has " + std::to_string(points) +
                           " points; the boundary-layer side takes 2 to " + std::to_string(kMaxContourPoints) +
                           ".");
  // A refused split leaves the previous hand-over in place, so that a
  // "Recalculate" still works on the contour it was opened with.
  Contour c;
  c.n = n;
  c.s.assign(s.begin(), s.begin() + points);
  c.v.assign(v.begin(), v.begin() + points);
  if (static_cast<int>(x.size()) >= points && static_cast<int>(y.size()) >= points) {
    c.x.assign(x.begin(), x.begin() + points);
    c.y.assign(y.begin(), y.begin() + points);
  }
  SplitSurfaces split;
  const Status st = split_at_stagnation(c, data_->reports(), split);
  if (!st.ok) return st;
  data_->contour = std::move(c);
  data_->take_split(split);
  return st;
}

void Session::note_outcome(Surface which, const Status& st) {
  const SurfaceResult& r = data_->results[index(which)];
  if (st.ok && r.iteration_limited != 0)
    cautions_.push_back(iteration_limit_note(which, r.limited_at, r.iteration_limited));
  if (st.ok && r.edge_limited_at != 0) cautions_.push_back(edge_limit_note(which, r.edge_limited_at));
  if (!st.ok) failed_ = which;
}

// A pass's result into the session: kept for the front ends, its positions
// into the parameters (the next computation starts from them) unless the
// computation keeps its parameters.
void Session::keep_result(const Passes& passes, Surface which, SurfaceResult r) {
  Data& d = *data_;
  const int i = index(which);
  if (passes.positions_into_parameters) {
    d.params.xtr_surf[i] = r.xtr;
    d.params.xinv_surf[i] = r.xinv;
  }
  d.results[i] = std::move(r);
}

Status Session::run_pass(const Passes& passes, Surface which) {
  Data& d = *data_;
  const int i = index(which);
  keep_result(passes, which,
              march_surface(*passes.surfaces[i], which, passes.params, d.solver, d.reports(), d.arrays[i],
                            passes.laws[i], passes.turbulence[i], cancel_));
  const Status st = d.results[i].status;
  note_outcome(which, st);
  return st;
}

// Upper pass, then lower pass; stops at the first that fails.
Status Session::run_both_surfaces(const Passes& passes) {
  cautions_.clear();
  failed_.reset();
  if (concurrent_) return run_side_by_side(passes);
  for (Surface which : kBothSurfaces) {
    Status st = run_pass(passes, which);
    if (!st.ok) return st;
  }
  return Status{};
}

// The two passes at once, each on its own surface with one copy of the
// parameters taken before either starts.  The lower pass starts from the
// solver state the upper one will leave: the inverse-mode skin friction it
// takes (from the parameters, so known now), the dump reports it opens,
// and its iteration count, handed over when it ends (the lower pass waits
// for it where its reports print it).  The grid point of the last largest
// correction is the one before both passes: only a station whose every
// correction is exactly zero would print it, and it is a convergence
// residual, not a result.  The lower pass's reports are held and appended
// after the upper's.
Status Session::run_side_by_side(const Passes& passes) {
  Data& d = *data_;
  const ComputationParameters& params = passes.params;
  std::promise<int> upper_iterations;
  SolverState lower_state = d.solver;
  lower_state.cfsep = params.cfs_sqrt_re;
  lower_state.dumps_open = true;
  lower_state.iterations_to_come = upper_iterations.get_future().share();
  ReportFiles held = ReportFiles::holding_for(d.reports());
  d.arrays[1].reserve(passes.surfaces[1]->nodes(), params.np_in);

  SurfaceResult lower;
  std::exception_ptr lower_threw;
  std::thread beside([&] {
    try {
      lower = march_surface(*passes.surfaces[1], Surface::lower, params, lower_state, held, d.arrays[1],
                            passes.laws[1], passes.turbulence[1], cancel_);
    } catch (...) {
      lower_threw = std::current_exception();
    }
  });
  SurfaceResult upper;
  try {
    upper = march_surface(*passes.surfaces[0], Surface::upper, params, d.solver, d.reports(), d.arrays[0],
                          passes.laws[0], passes.turbulence[0], cancel_);
  } catch (...) {
    upper_iterations.set_exception(std::current_exception());
    beside.join();
    throw;
  }
  upper_iterations.set_value(d.solver.iterations);
  beside.join();
  if (lower_threw) std::rethrow_exception(lower_threw);

  keep_result(passes, Surface::upper, std::move(upper));
  const Status upper_status = d.results[0].status;
  note_outcome(Surface::upper, upper_status);
  if (!upper_status.ok) return upper_status;  // one after the other, the lower pass would not have run

  d.reports().append(held);
  // The lower pass's state is what both passes leave; the dumps it would
  // have closed are the real ones.
  d.solver = std::move(lower_state);
  d.solver.dumps_open = true;
  const Status written = close_pass_reports(d.reports(), d.solver, Surface::lower);
  if (lower.status.ok) lower.status = reports_failure(Surface::lower, written);
  keep_result(passes, Surface::lower, std::move(lower));
  const Status lower_status = d.results[1].status;
  note_outcome(Surface::lower, lower_status);
  return lower_status;
}

// A failed computation leaves the session as it was before it; passes that
// never finished leave the dump reports open.
Status Session::keep_previous_on_failure(Status st) {
  if (st.ok) return st;
  Data& d = *data_;
  d.params = d.before.params;
  d.contour = d.before.contour;
  for (int i = 0; i < 2; ++i) {
    d.surfaces[i] = d.before.surfaces[i];
    d.results[i] = d.before.results[i];
  }
  d.own_positions = d.before.own_positions;
  static_cast<void>(d.reports().close_dumps());  // what they hold is moot now
  d.solver.dumps_open = false;
  cautions_.clear();
  return st;
}

Status Session::new_computation() {
  Data& d = *data_;
  Passes passes{{&d.surfaces[0], &d.surfaces[1]}, {nullptr, nullptr}, {nullptr, nullptr}, d.params};
  const Status trips = put_chord_trips(passes.params, passes.surfaces);
  if (!trips.ok) return trips;
  d.params.xtr_surf[0] = passes.params.xtr_surf[0];
  d.params.xtr_surf[1] = passes.params.xtr_surf[1];
  for (int i = 0; i < 2; ++i) {
    const std::vector<double>& s = d.surfaces[i].s;
    d.params.xinv_surf[i] = s.empty() ? 0.0 : s.back();
  }
  passes.params = d.params;
  take_snapshot();
  d.own_positions = false;
  const Status st = keep_previous_on_failure(run_both_surfaces(passes));
  // The results held are those of an earlier contour: none belongs to this one.
  if (!st.ok) {
    for (int i = 0; i < 2; ++i) d.results[i] = SurfaceResult::unmarched(d.surfaces[i]);
    d.own_positions = false;
  }
  return st;
}

Status Session::recalculate() {
  Data& d = *data_;
  take_snapshot();
  failed_.reset();
  SplitSurfaces split;
  Status st = split_at_stagnation(d.contour, d.reports(), split);
  if (st.ok) {
    d.take_split(split);
    Passes passes{{&d.surfaces[0], &d.surfaces[1]}, {nullptr, nullptr}, {nullptr, nullptr}, d.params};
    st = put_chord_trips(passes.params, passes.surfaces);
    if (st.ok) {
      d.params = passes.params;
      st = run_both_surfaces(passes);
    }
  }
  return keep_previous_on_failure(st);
}

Status Session::march_table(const std::vector<double>& s, const std::vector<double>& ue,
                            const std::optional<LayerStart>& start) {
  Data& d = *data_;
  const int n = static_cast<int>(s.size()) + (start ? 1 : 0);
  if (s.empty() || n > kMaxSurfaceNodes || ue.size() != s.size())
    return Status::failure("the surface table has " + std::to_string(s.size()) + " nodes; a surface holds 1 to " +
                           std::to_string(kMaxSurfaceNodes - (start ? 1 : 0)));
  if (d.params.xtr_xc[0])
    return Status::failure("a transition given as x/c needs the section: a table of s and ue has no x/c");
  if (start && !(s.size() >= 2 && s[0] > 0 && ue[0] > 0))
    return Status::failure("a table that starts from a turbulent layer needs two nodes at least, the first at "
                           "s > 0 with ue > 0");
  SurfaceValues& upper = d.surfaces[0];
  upper = SurfaceValues{};
  if (start) {
    // A node before the start marks where the surface begins: half an
    // interval back, or the origin.
    upper.s.push_back(std::max(0.0, s[0] - 0.5 * (s[1] - s[0])));
    upper.ue.push_back(0.0);
    upper.start = start;
    d.params.xtr_surf[0] = s[0];
  }
  upper.s.insert(upper.s.end(), s.begin(), s.end());
  upper.ue.insert(upper.ue.end(), ue.begin(), ue.end());
  upper.wall_nodes = n;
  d.results[0] = SurfaceResult::unmarched(upper);
  d.own_positions = false;
  d.params.xinv_surf[0] = s.back();
  cautions_.clear();
  failed_.reset();
  const Status st =
      run_pass(Passes{{&d.surfaces[0], &d.surfaces[1]}, {nullptr, nullptr}, {nullptr, nullptr}, d.params},
               Surface::upper);
  if (start) drop_first_node(d.results[0]);
  return st;
}

const SurfaceValues& Session::split_surface(Surface which) const { return data_->surfaces[index(which)]; }

Status Session::march_given(const std::array<SurfaceValues, 2>& surfaces,
                            const std::array<const InteractionLaw*, 2>& laws, bool write_reports,
                            const std::array<const TurbulenceInput*, 2>& turbulence) {
  Data& d = *data_;
  Passes passes{{&surfaces[0], &surfaces[1]}, {laws[0], laws[1]}, {turbulence[0], turbulence[1]}, d.params, false};
  const Status trips = put_chord_trips(passes.params, passes.surfaces);
  if (!trips.ok) return trips;
  for (int i = 0; i < 2; ++i) passes.params.xinv_surf[i] = surfaces[i].s.empty() ? 0.0 : surfaces[i].s.back();

  take_snapshot();
  failed_.reset();
  Status st;
  {
    const ReportsOff off(d.reports(), !write_reports);  // for these passes alone
    st = run_both_surfaces(passes);
  }
  if (st.ok) d.own_positions = true;
  return keep_previous_on_failure(st);
}

SurfaceResult Session::surface(Surface which) const {
  const Data& d = *data_;
  SurfaceResult r = d.results[index(which)];
  if (!d.own_positions) {
    r.xtr = d.params.xtr_surf[index(which)];
    r.xinv = d.params.xinv_surf[index(which)];
  }
  return r;
}

}  // namespace bl
