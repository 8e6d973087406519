// Computing a polar: every angle on a session of its own worker, restarted
// from the user's settings, the points handed on in table order.
#include "polar.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

#include "continuation.h"
#include "drag_estimate.h"
#include "session/session.h"
#include "surface_position.h"

namespace polar {

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// The folder of one angle's reports: "alpha_+4.000".
std::string angleFolder(const std::string& parent, double alpha) {
  char name[32];
  std::snprintf(name, sizeof name, "alpha_%+.3f", alpha);
  return (std::filesystem::path(parent) / name).string();
}

SurfacePoint surfacePoint(const aerofoil::Joukowski& af, bl::Surface which, const NamedSurface& r) {
  const bool upper = which == bl::Surface::upper;
  SurfacePoint p;
  const bool transition = r.transition_at > 0, inverse = r.inverse_at > 0;
  p.s_tr = transition ? r.xtr : kNone;
  p.xc_tr = transition ? aerofoil::chordPosition(af, upper, r.xtr) : kNone;
  p.s_inv = inverse ? r.xinv : kNone;
  p.xc_inv = inverse ? aerofoil::chordPosition(af, upper, r.xinv) : kNone;
  p.theta_te = r.thetaTe();
  p.h_te = r.hTe();
  p.iteration_limited = r.iteration_limited;
  p.limited_at = r.limited_at;
  p.edge_limited_at = r.edge_limited_at;
  return p;
}

// Stops the hand-out of angles and joins every worker started, however
// compute() leaves the block that holds it: all points delivered, or an
// exception from ready() or from starting a thread.  A thread left unjoined
// would end the program.
struct Joiner {
  std::vector<std::thread>& workers;
  std::atomic<bool>& stop;
  ~Joiner() {
    stop = true;
    for (std::thread& t : workers) t.join();
  }
};

// One angle: the section, then "BL Calculation" and the presses of
// "Recalculate" on a session restarted from the settings; or, viscous, the
// analysis of the displaced flow, starting where `chain` (the angles
// before it) puts it, and recorded there.
std::optional<Point> computePoint(bl::Session& session, const Settings& set, const aerofoil::SectionModel& model,
                                  int index, viscous::Continuation& chain, const bl::CancelFlag* cancel,
                                  bool concurrent) {
  Point p;
  p.index = index;
  p.alpha = set.angles[static_cast<std::size_t>(index)];
  aerofoil::Joukowski af;
  model.solve(p.alpha, af);
  p.clift = af.clift;
  p.cmfocus = af.cmFocus;
  if (!set.boundary_layer) return p;

  bl::Status st = session.restart(set.params);
  bl::ReportFiles& reports = session.reports();
  std::ostringstream out, err;
  reports.set_diagnostics(set.diagnostics);
  reports.set_diagnostic_streams(&out, &err);
  if (!set.report_folder.empty()) {
    p.report_dir = angleFolder(set.report_folder, p.alpha);
    std::error_code ec;
    std::filesystem::create_directories(p.report_dir, ec);
    if (ec && st.ok)
      st = bl::Status::failure("cannot make the report folder \"" + p.report_dir + "\": " + ec.message());
    reports.set_enabled(true);
    reports.set_holding(false);
    reports.set_folder(p.report_dir);
  } else {
    // No report files: with diagnostic lines the reports are formatted and
    // held (then dropped), without them not even formatted.
    reports.set_enabled(set.diagnostics);
    reports.set_holding(set.diagnostics);
  }
  viscous::Result vr;
  if (st.ok && set.viscous) {
    // The analysis marches a layer of its own with the session's
    // parameters, its reports and diagnostic lines where the session's go.
    viscous::Run run;
    run.cancel = cancel;
    run.reports = &reports;
    run.write_reports = !set.report_folder.empty();
    run.concurrent_surfaces = concurrent;
    for (const viscous::State& start : chain.starts(p.alpha)) {
      vr = viscous::analyse(af, session.parameters(), set.coupling, start, run);
      if (vr.status.ok || vr.status.cancelled) break;
    }
    st = vr.status;
    if (st.ok) chain.record(p.alpha, vr);
  } else {
    if (st.ok) st = session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y);
    if (st.ok) st = session.new_computation();
    for (int k = 0; st.ok && k < set.recalc; ++k) st = session.recalculate();
  }
  reports.close_all();
  reports.set_diagnostic_streams(nullptr, nullptr);
  if (st.cancelled) return std::nullopt;  // not computed: no point
  p.diagnostics = out.str();
  p.diagnostics_err = err.str();
  if (!st.ok) {
    p.failure = aerofoil::boundaryLayerFailure(af, st.message);
    return p;
  }
  p.computed = true;
  using Surfaces = std::vector<NamedSurface>;
  const Surfaces surfaces =
      set.viscous ? Surfaces{{"upper", vr.surfaces[0]}, {"lower", vr.surfaces[1]}}
                  : Surfaces{{"upper", session.surface(bl::Surface::upper)}, {"lower", session.surface(bl::Surface::lower)}};
  p.upper = surfacePoint(af, bl::Surface::upper, surfaces[0]);
  p.lower = surfacePoint(af, bl::Surface::lower, surfaces[1]);
  p.cd = squireYoung(surfaces, &p.cd_why);
  if (set.viscous) {
    p.viscous.cl = vr.cl;
    p.viscous.cm = vr.cm;
    p.viscous.cd = vr.cd;
    p.viscous.cd_friction = vr.cd_friction;
    p.viscous.sweeps = vr.sweeps;
    p.viscous.converged = vr.converged;
    p.viscous.transition_off[0] = vr.transition_off[0];
    p.viscous.transition_off[1] = vr.transition_off[1];
  }
  return p;
}

// The order the angles are computed in.  Each angle of a plain polar stands
// alone: any worker takes the next.  A viscous polar runs in two chains out
// from the angle nearest zero, up the table and down it, each angle
// starting from the one computed before it in its chain; the chains are
// fixed by the angles alone, so every run gives the same digits.
std::vector<std::vector<int>> chains(const Settings& set) {
  const int n = static_cast<int>(set.angles.size());
  if (!set.viscous) return {};
  int pivot = 0;
  for (int k = 1; k < n; ++k)
    if (std::fabs(set.angles[static_cast<std::size_t>(k)]) < std::fabs(set.angles[static_cast<std::size_t>(pivot)]))
      pivot = k;
  std::vector<std::vector<int>> c(2);
  for (int k = pivot; k < n; ++k) c[0].push_back(k);
  for (int k = pivot - 1; k >= 0; --k) c[1].push_back(k);
  return c;
}

// The angles from `from` towards `to` in steps of |step|, `to` included
// when the steps reach it (a step short of it by round-off still does);
// count says how many.  None when there would be more than `most` (or than
// kMaxAngles).
std::vector<double> anglesUpTo(double from, double to, double step, int most, double& count) {
  std::vector<double> a;
  count = std::floor(std::fabs(to - from) / std::fabs(step) + 1e-9) + 1;
  if (count > std::min(most, kMaxAngles)) return a;
  const double signed_step = to >= from ? std::fabs(step) : -std::fabs(step);
  for (int k = 0; k < static_cast<int>(count); ++k) a.push_back(from + k * signed_step);
  return a;
}

}  // namespace

std::vector<double> steppedAngles(double from, double to, double step, int maxAngles, std::string& why,
                                  const RangeNames* names) {
  char text[200];
  if (!std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step)) {
    why = names ? std::string(names->from) + ", " + names->to + " and " + names->step + " must be finite numbers."
                : "The angles and the step must be finite numbers.";
    return {};
  }
  if (to == from) {
    if (names)
      std::snprintf(text, sizeof text, "%s = %s = %g: the range of angles is empty.", names->from, names->to, from);
    else
      std::snprintf(text, sizeof text, "The range from %g to %g degrees is empty.", from, to);
    why = text;
    return {};
  }
  if (step == 0 || (to - from) * step < 0) {
    const char* const sign = to > from ? "greater than 0" : "less than 0";
    if (names)
      std::snprintf(text, sizeof text, "%s = %g does not lead from %s = %g to %s = %g: it must be %s.", names->step,
                    step, names->from, from, names->to, to, sign);
    else
      std::snprintf(text, sizeof text, "A step of %g degrees does not lead from %g to %g: it must be %s.", step,
                    from, to, sign);
    why = text;
    return {};
  }
  double count = 0;
  const std::vector<double> a = anglesUpTo(from, to, step, maxAngles, count);
  if (a.empty()) {
    const int most = std::min(maxAngles, kMaxAngles);
    if (names)
      std::snprintf(text, sizeof text, "%s = %g to %s = %g in steps of %s = %g is %.7g angles: a polar has at most %d.",
                    names->from, from, names->to, to, names->step, step, count, most);
    else
      std::snprintf(text, sizeof text, "%.7g angles from %g to %g in steps of %g: a polar has at most %d.", count,
                    from, to, step, most);
    why = text;
  }
  return a;
}

void compute(const Settings& set, const std::function<void(const Point&)>& ready, const bl::CancelFlag* cancel) {
  const int n = static_cast<int>(set.angles.size());
  if (n == 0) return;
  // The section once for every angle (a numerical map is found here).
  std::string why;
  const std::shared_ptr<const aerofoil::SectionModel> model =
      set.model ? set.model : aerofoil::makeSection(set.section, why);
  if (!model) {
    for (int i = 0; i < n; ++i) {
      Point p;
      p.index = i;
      p.alpha = set.angles[static_cast<std::size_t>(i)];
      p.clift = p.cmfocus = std::numeric_limits<double>::quiet_NaN();
      p.failure = why;
      ready(p);
    }
    return;
  }
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const std::vector<std::vector<int>> chain = chains(set);
  const int most = chain.empty() ? n : (chain[1].empty() ? 1 : 2);  // angles that can run at once
  const int jobs = std::min({most, set.jobs > 0 ? set.jobs : cores, kMaxJobs});

  std::mutex m;
  std::condition_variable cv;
  std::vector<std::optional<Point>> done(static_cast<std::size_t>(n));
  int next = 0, running = jobs;  // next: the angle, or with chains the chain, to hand out
  std::atomic<bool> stop{false};  // no further angle is handed out
  std::exception_ptr failure;     // the first exception of a worker

  const auto work = [&] {
    try {
      auto session = std::make_unique<bl::Session>();
      // With every core busy on angles of their own, the two surfaces of an
      // angle take turns; alone, they run side by side.
      session->set_concurrent_surfaces(jobs == 1);
      session->set_cancel_flag(cancel);
      const auto run = [&](int i, viscous::Continuation& state) {
        std::optional<Point> p = computePoint(*session, set, *model, i, state, cancel, jobs == 1);
        if (!p) return;  // cancelled while it ran
        {
          std::lock_guard<std::mutex> lock(m);
          done[static_cast<std::size_t>(i)] = std::move(*p);
        }
        cv.notify_all();
      };
      const auto more = [&] { return !stop && !bl::raised(cancel); };
      for (;;) {
        int i;
        {
          std::lock_guard<std::mutex> lock(m);
          if (!more() || next >= (chain.empty() ? n : static_cast<int>(chain.size()))) break;
          i = next++;
        }
        viscous::Continuation state;
        if (chain.empty()) {
          run(i, state);
          continue;
        }
        for (int k : chain[static_cast<std::size_t>(i)]) {
          {
            std::lock_guard<std::mutex> lock(m);
            if (!more()) break;
          }
          run(k, state);
        }
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(m);
      if (!failure) failure = std::current_exception();
      stop = true;
    }
    {
      std::lock_guard<std::mutex> lock(m);
      --running;
    }
    cv.notify_all();
  };

  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(jobs));
  {
    const Joiner joiner{workers, stop};  // on every way out of this block
    for (int w = 0; w < jobs; ++w) workers.emplace_back(work);
    for (int k = 0; k < n; ++k) {
      std::unique_lock<std::mutex> lock(m);
      cv.wait(lock, [&] { return done[static_cast<std::size_t>(k)].has_value() || running == 0 || failure; });
      if (failure || !done[static_cast<std::size_t>(k)]) break;  // failed, or cancelled before this angle started
      const Point p = std::move(*done[static_cast<std::size_t>(k)]);
      lock.unlock();
      ready(p);
    }
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace polar
