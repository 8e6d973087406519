// Marching driver of the boundary layer along one surface.
//
// The boundary-layer equations are parabolic in x, so the layer is found
// station by station from the stagnation point to the end of the surface.
// At every station the box-scheme equations across the layer are solved by
// Newton iteration on the current station's profile (level 3), with the two
// previous stations (levels 2 and 1) entering the backward x-differences.
// Laminar up to XTR, turbulent behind it with the algebraic eddy viscosity;
// where separation is forecast the wall shear is prescribed instead of the
// edge velocity (inverse mode), which carries the march through the
// separated region to the end; or, in a coupled computation, the edge
// velocity is tied to the displacement by the interaction law at every
// station.  Behind the trailing edge the march goes on into the wake.
//
// One pass, in four steps:
//   prepare the pass     the input, the stagnation-point profile, the
//                        core arrays
//   start the stations   report header; stations 2 and 3 from the
//                        similarity profile
//   march one station    for P = 3..NXT: difference weights, dpdx, regime,
//                        separation switch, transition test, eddy viscosity,
//                        Newton iterations, edge growth (the station again
//                        if the grid grew), integral quantities, report row,
//                        results, first guess of the next station
//   finish the pass      positions and outcome into the result, the start
//                        dumps, close the dumps after the lower pass, check
//                        every report
#include "march/surface_march.h"

#include <cmath>
#include <string>

#include "march/pass.h"
#include "march/station_march.h"
#include "march/station_profiles.h"
#include "report/dumps.h"
#include "report/station_rows.h"
#include "setup/pass_input.h"
#include "setup/stagnation_profile.h"

namespace bl {

namespace {

constexpr int kIterMax = 20;   // Newton iterations past the first
constexpr int kStartType = 1;  // starting profile: stagnation point

// Why a pass stopped early, and at which station (0 while it goes on).
struct Stop {
  Status status;
  int station = 0;
  bool ok() const { return status.ok; }
};

// The surface must be one the march can start on and march along: the
// stagnation node first, then at least two stations at strictly increasing
// arc length with positive edge velocity.
Status check_surface(const SurfaceValues& surface, const ComputationParameters& parameters, Surface which) {
  const Status params = validate_parameters(parameters);
  if (!params.ok) return params;

  const int n = surface.nodes();
  const std::string surf = name(which);
  if (n < 3)
    return Status::failure("the " + surf + " has " + std::to_string(n) +
                           " nodes; the boundary layer needs at least 3");
  const int wall = surface.wall_nodes > 0 ? surface.wall_nodes : n;
  if (wall > kMaxSurfaceNodes || n - wall > kMaxWakeNodes)
    return Status::failure("the " + surf + " has " + std::to_string(wall) + " nodes on the wall and " +
                           std::to_string(n - wall) + " in the wake, more than the " +
                           std::to_string(kMaxSurfaceNodes) + " and " + std::to_string(kMaxWakeNodes) +
                           " a surface holds");
  if (surface.ue.size() != surface.s.size())
    return Status::failure("the " + surf + " has " + std::to_string(n) + " arc lengths but " +
                           std::to_string(surface.ue.size()) + " edge velocities");
  const auto s = [&](int i) { return surface.s[static_cast<std::size_t>(i - 1)]; };
  const auto ue = [&](int i) { return surface.ue[static_cast<std::size_t>(i - 1)]; };
  for (int i = 1; i <= n; ++i) {
    const std::string node = "node " + std::to_string(i) + " of the " + surf;
    if (!std::isfinite(s(i)) || !std::isfinite(ue(i))) return Status::failure(node + " is not a finite number");
    if (i == 1 && s(i) < 0) return Status::failure(node + " (the stagnation node) has a negative arc length");
    if (i > 1 && !(s(i) > s(i - 1)))
      return Status::failure(node + ": the arc length does not increase from node " + std::to_string(i - 1));
    if (i > 1 && !(ue(i) > 0)) return Status::failure(node + ": the edge velocity is not positive");
  }
  if (surface.start && !(std::isfinite(surface.start->theta) && surface.start->theta > 0 &&
                         std::isfinite(surface.start->h)))
    return Status::failure("the " + surf + " starts from a turbulent layer without a positive momentum thickness "
                           "and a shape factor");
  if (!(ue(1) >= 0 && ue(1) < ue(2)))
    return Status::failure("the " + surf +
                           " does not start at a stagnation point: the edge velocity of node 1 must lie "
                           "between 0 and that of node 2");
  if (surface.wall_nodes < 0 || surface.wall_nodes > n || (surface.wall_nodes > 0 && surface.wall_nodes < 3))
    return Status::failure("the " + surf + " has " + std::to_string(surface.wall_nodes) + " of its " +
                           std::to_string(n) + " nodes on the wall; a wake starts behind the third node at the "
                           "earliest");
  return Status{};
}

// An interaction law must cover every node of the surface with finite
// numbers.
Status check_law(const InteractionLaw* law, int n, Surface which) {
  if (law == nullptr || law->empty()) return Status{};
  const std::string surf = name(which);
  if (law->coeff.size() != InteractionLaw::coefficients_for(n) || law->m_before.size() != static_cast<std::size_t>(n))
    return Status::failure("the interaction law of the " + surf + " has " + std::to_string(law->coeff.size()) +
                           " coefficients and " + std::to_string(law->m_before.size()) +
                           " mass defects; its " + std::to_string(n) + " nodes need " +
                           std::to_string(InteractionLaw::coefficients_for(n)) + " and " + std::to_string(n));
  if (law->first_node < 3)
    return Status::failure("the interaction law of the " + surf + " starts at node " +
                           std::to_string(law->first_node) + "; the march starts at node 3");
  for (const std::vector<double>* v : {&law->coeff, &law->m_before})
    for (double q : *v)
      if (!std::isfinite(q))
        return Status::failure("the interaction law of the " + surf + " holds a number that is not finite");
  return Status{};
}

// Normal grid for the pass header: the similarity grid scaled with the
// stagnation-point growth rate sqrt(dx/due) of the first interval.
void header_grid(Pass& p) {
  const StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  const double scale = std::sqrt((st.x(2) - st.x(1)) / (st.ue(2) - st.ue(1)));
  lp.eta(1) = 0.0;
  for (int j = 2; j <= kMaxGridPoints; ++j) {
    lp.eta(j) = scale * p.sp.eta_s(j);
    lp.deta(j - 1) = lp.eta(j) - lp.eta(j - 1);
    lp.aa(j) = 0.5 * lp.deta(j - 1);
  }
}

// Prepare the pass: the run-long reports, the input, the dump reports of
// the computation at the upper pass, the driver's flags, the
// stagnation-point profile with the core's arrays.
Stop prepare_pass(Pass& p) {
  ReportFiles& reports = p.reports;
  SolverScalars& sd = p.sd;
  MarchState& ms = p.ms;
  // Reports of the session (opened at the first pass, continued afterwards).
  reports.stream(Report::CalcBl);
  reports.stream(Report::InputBl);

  // The surface and the parameters were checked; a report that could not
  // be written is picked up when the pass ends.
  prepare_pass_input(p.surface, p.which, p.params, p.state.cfsep, sd, p.st, reports);
  p.lp.allocate(sd.NP);
  calc_note(reports, "  Start  of b.l. computation 0");
  if (p.which == Surface::upper) {
    static_cast<void>(reports.open_dumps());  // their state is looked at when the pass ends
    p.state.dumps_open = true;
  }
  calc_surface_line(reports, p.which == Surface::upper);

  ms.kIterMax = kIterMax;
  sd.regime = 0;
  ms.ninv = 0;
  ms.ktbl = 1;
  ms.edge_limited = 0;
  ms.JUmax = p.state.ju_max;
  sd.XINV = p.st.x(sd.NXT);

  calc_note(reports, "  Start  of b.l. computation 1");
  // The core arrays the starting profile acquires are those of the march.
  const Status start = solve_stagnation_profile(p.sp, reports, p.ca, sd.NP, sd.VLBL, sd.ETAE, kStartType);
  calc_note(reports, "  Start  of b.l. computation 2");
  calc_note(reports, "  Start  of b.l. computation 3");

  if (!start.ok) return Stop{start, 2};  // no starting profile, nothing to march from
  return Stop{};
}

// The closure's title for the pass header, when it is not the default one
// (the default path's reports stay as they were).
const char* turbulence_title(const Pass& p) {
  const Turbulence t = p.params.turbulence;
  return t == ComputationParameters{}.turbulence ? nullptr : bl::turbulence_title(t);
}

// Stations 2 and 3 from the similarity profile, or from the turbulent layer
// the surface gives at node 2, with the pass header.  Their
// profiles are dumped with the iteration count of the pass before, once it
// is known (flush_start_dumps).
Stop start_stations(Pass& p, SurfaceResult& result) {
  StationArrays& st = p.st;
  LayerProfiles& lp = p.lp;
  SolverScalars& sd = p.sd;
  if (p.surface.start) {  // a turbulent layer given at node 2
    const Status s = start_turbulent_prof(p);
    if (!s.ok) return Stop{s, 2};
    write_pass_header(p.reports,
                      PassHeader{sd.RE, sd.XTR, sd.XINV, sd.NP, lp.eta(sd.NP), sd.VLBL, turbulence_title(p),
                                 "a turbulent layer at station 2 (given theta and H: Coles's composite profile)"},
                      lp);
    sd.ETAE = lp.eta(sd.NP);
    p.ms.ktbl = 1;
    result[Column::ue][1] = st.ue(2);
    result[Column::cf][1] = st.cfb(2);
    result[Column::d1][1] = st.d1b(2);
    result[Column::d2][1] = st.d2b(2);
    result[Column::h12][1] = st.h12(2);
    result.grid_points[1] = sd.NP;
    return Stop{};
  }
  header_grid(p);
  write_pass_header(p.reports, PassHeader{sd.RE, sd.XTR, sd.XINV, sd.NP, sd.ETAE, sd.VLBL, turbulence_title(p)}, lp);
  write_start_diagnostics(p.reports, st.x(2), p.sp.v_s(1), st.rx(2));
  for (int s = 2; s <= 3; ++s) {
    start_prof(p, s, s);
    if (p.reports.enabled()) {
      StartDumps& held = p.start_dumps;
      const int k = held.count++;
      held.head[k] = DumpHead{0, s, st.x(s), st.ue(s)};
      held.me[k] = st.eme(s);
      held.profile[k] = profile_table(lp, s, sd.NP);
    }
    write_start_station(p.reports, s, st.x(s), lp.v(s, 1), st.ue(s), sd.SQRE, st.rx(s));
  }
  sd.ETAE = lp.eta(sd.NP);
  p.ms.ktbl = 1;
  return Stop{};
}

// Finish the pass: say where it stopped, the positions and the outcome
// into the result, the solver state for the next pass, close the dumps
// after the lower pass and check every report.
void finish_pass(Pass& p, const Stop& stop, bool started, SurfaceResult& result) {
  MarchState& ms = p.ms;
  ReportFiles& reports = p.reports;
  if (!stop.ok()) write_pass_stop(reports, stop.station, stop.status.message);
  if (ms.edge_limited != 0) write_edge_limited(reports, ms.edge_limited);
  result.edge_limited_at = ms.edge_limited;
  result.transition_at = ms.ktbl == 2 ? ms.NTR + 2 : 0;
  result.inverse_at = ms.ninv;
  result.xinv = p.sd.XINV;
  result.xtr = p.sd.XTR;
  calc_note(reports, " The end of b.l. computation");
  flush_start_dumps(p);

  SolverState& state = p.state;
  state.cfsep = p.sd.CFSEP;
  state.iterations = started ? ms.kIter : state.iterations_before();
  state.ju_max = ms.JUmax;
  state.iterations_to_come = {};

  const Status written = close_pass_reports(reports, state, p.which);  // flushes the reports, in every case
  if (!stop.ok()) {
    result.status = Status::failure(std::string(name(p.which)) + ": " + stop.status.message +
                                    "; the results end at station " + std::to_string(stop.station - 1));
    result.status.cancelled = stop.status.cancelled;
  } else
    result.status = reports_failure(p.which, written);
}

}  // namespace

Status close_pass_reports(ReportFiles& reports, SolverState& state, Surface which) {
  Status dumps;
  if (which == Surface::lower && state.dumps_open) {
    dumps = reports.close_dumps();
    state.dumps_open = false;
  } else if (state.dumps_open) {
    dumps = reports.status(Report::NetFunc);
    if (dumps.ok) dumps = reports.status(Report::Debug);
  }
  // The first report problem of the pass, if any.
  for (Report r : {Report::CalcBl, Report::InputBl, Report::Init2d}) {
    const Status s = reports.status(r);
    if (!s.ok) return s;
  }
  return dumps;
}

Status reports_failure(Surface which, const Status& written) {
  if (written.ok) return written;
  return Status::failure(std::string(name(which)) + ": the boundary layer was computed, but " + written.message);
}

SurfaceResult march_surface(const SurfaceValues& surface, Surface which, const ComputationParameters& params,
                            SolverState& state, ReportFiles& reports, PassArrays& arrays, const InteractionLaw* law,
                            const TurbulenceInput* turbulence, const CancelFlag* cancel) {
  SurfaceResult result = SurfaceResult::unmarched(surface);
  result.xtr = params.xtr_surf[index(which)];
  result.xinv = params.xinv_surf[index(which)];
  result.status = check_surface(surface, params, which);
  if (result.status.ok) result.status = check_law(law, surface.nodes(), which);
  if (!result.status.ok) return result;

  Pass p(surface, which, params, state, reports, arrays, law, turbulence);  // its working arrays live until the pass ends
  p.cancel = cancel;
  Stop stop = prepare_pass(p);
  const bool started = stop.ok();
  if (started) stop = start_stations(p, result);
  for (int P = 3; stop.ok() && P <= p.sd.NXT; ++P) {
    const Status s = raised(cancel) ? Status::stopped() : march_station(p, P, result);
    if (!s.ok) stop = Stop{s, P};
  }
  finish_pass(p, stop, started, result);
  return result;
}

}  // namespace bl
