// The boundary-layer computation as the windows and the command line run
// it: hand-over, new computation, recalculation, and the results.
#include "session/session.h"

#include <new>
#include <string>
#include <thread>
#include <type_traits>

#include "march/surface_march.h"
#include "report/fortran_format.h"
#include "setup/surface_split.h"

namespace bl {

namespace {

constexpr int kElement = 0;  // the one element there is

// The iteration count the upper pass leaves: the lower pass's dumps of its
// first two stations print it.  A lower pass running beside the upper one
// prints this stand-in, replaced once the upper pass is done.
constexpr int kIterOfUpperPass = -9999;

// Builds a block anew where it stands; for blocks that own nothing and
// whose construction cannot fail.
template <class Block>
void rebuild_in_place(Block& b) {
  static_assert(std::is_trivially_destructible_v<Block> && std::is_nothrow_default_constructible_v<Block>);
  b.~Block();
  new (&b) Block();
}

}  // namespace

Session::Session() : data_(std::make_unique<Data>()) {}

// The blocks are put back to their initial state where they stand: a polar
// restarts a session at every angle, and building them anew aside and
// copying them in would cost more than the small computations it runs.
Status Session::restart(const ComputationParameters& p) {
  rebuild_in_place(data_->blx);
  rebuild_in_place(data_->solver);
  data_->reports.close_all();
  cautions_.clear();
  failed_surface_ = -1;
  return set_parameters(p);
}

void Session::take_snapshot() {
  Snapshot& s = data_->before;
  s.blx = data_->blx;
  for (int isurf = 0; isurf <= 1; ++isurf) s.outcome[isurf] = data_->solver.ms.outcome[isurf];
}

Status Session::set_parameters(const ComputationParameters& p) {
  const Status st = validate_parameters(p);
  if (st.ok) data_->blx.params = p;
  return st;
}

Status Session::hand_over_contour(const std::vector<double>& s, const std::vector<double>& v, int n) {
  ExchangeData& blx = data_->blx;
  const int points = n + 1;
  if (n < 1 || points > ExchangeData::kMaxContour || static_cast<int>(s.size()) < points ||
      static_cast<int>(v.size()) < points)
    return Status::failure("The contour has " + std::to_string(points) +
                           " points; the boundary-layer side takes 2 to " +
                           std::to_string(ExchangeData::kMaxContour) + ".");
  // A refused split leaves the previous hand-over in place, so that a
  // "Recalculate" still works on the contour it was opened with.
  const int savedN = blx.n_cont(kElement);
  const ExchangeData::ContourArray savedS = blx.s_cont;
  const ExchangeData::ContourArray savedV = blx.v_cont;
  for (int i = 0; i < points; ++i) {
    blx.s_cont(i + 1) = s[static_cast<std::size_t>(i)];
    blx.v_cont(i + 1) = v[static_cast<std::size_t>(i)];
  }
  blx.n_cont(kElement) = n;
  Status st = BLPanel(blx, data_->reports, kElement);
  if (!st.ok) {
    blx.n_cont(kElement) = savedN;
    blx.s_cont = savedS;
    blx.v_cont = savedV;
  }
  return st;
}

void Session::note_outcome(int isurf, const Status& st) {
  const MarchState::SurfaceOutcome& out = data_->solver.ms.outcome[isurf];
  if (st.ok && out.iteration_limited != 0)
    cautions_.push_back(iteration_limit_note(isurf, out.limited_at, out.iteration_limited));
  if (st.ok && out.edge_limited_at != 0) cautions_.push_back(edge_limit_note(isurf, out.edge_limited_at));
  if (!st.ok) failed_surface_ = isurf;
}

Status Session::run_pass(int isurf) {
  const ComputationParameters params = data_->blx.params;
  Status st = FOIL_BL2D(data_->blx, params, data_->solver, data_->reports, data_->arrays[isurf], kElement, isurf);
  note_outcome(isurf, st);
  return st;
}

// Upper pass, then lower pass; stops at the first that fails.
Status Session::run_both_surfaces() {
  cautions_.clear();
  failed_surface_ = -1;
  if (concurrent_) return run_side_by_side();
  for (int isurf = 0; isurf <= 1; ++isurf) {
    Status st = run_pass(isurf);
    if (!st.ok) return st;
  }
  return Status{};
}

// The two passes at once.  They share the exchange data, each writing only
// its own surface slot and positions, and read the parameters from one
// copy taken before either starts.  The lower pass reads three things the
// upper pass leaves in the solver state: the inverse-mode skin friction it
// prints before setting it (the upper pass sets it from the parameters, so
// it is known), the dump reports the upper pass opens, and the iteration
// count its first dumps print (put in afterwards).  The grid point of the
// largest correction is carried over too, but only a station whose every
// correction is exactly zero would print it, and it is a convergence
// residual, not a result.
Status Session::run_side_by_side() {
  Data& d = *data_;
  const ComputationParameters params = d.blx.params;
  SolverState lower_state = d.solver;
  lower_state.sd.CFSEP = params.cfs_sqrt_re;
  lower_state.ms.dumps_open = true;
  lower_state.ms.kIter = kIterOfUpperPass;
  ReportFiles held = ReportFiles::holding_for(d.reports);
  d.arrays[1].reserve(d.blx.n_bl_max);

  Status lower;
  std::thread beside([&] { lower = FOIL_BL2D(d.blx, params, lower_state, held, d.arrays[1], kElement, 1); });
  const Status upper = FOIL_BL2D(d.blx, params, d.solver, d.reports, d.arrays[0], kElement, 0);
  beside.join();
  note_outcome(0, upper);
  if (!upper.ok) return upper;  // one after the other, the lower pass would not have run

  std::string& dumps = held.held_text(Report::NetFunc);
  const std::string stand_in = " IT=" + fx::I(5, kIterOfUpperPass);
  const std::string upper_count = " IT=" + fx::I(5, d.solver.ms.kIter);
  for (std::size_t at = dumps.find(stand_in); at != std::string::npos; at = dumps.find(stand_in, at))
    dumps.replace(at, stand_in.size(), upper_count);
  d.reports.append(held);

  // The lower pass's state is what both passes leave, but for the upper
  // surface's own outcome.
  lower_state.ms.outcome[0] = d.solver.ms.outcome[0];
  lower_state.ms.dumps_open = true;
  d.solver = lower_state;
  const Status written = close_pass_reports(d.reports, d.solver.ms, 1);
  if (lower.ok) lower = reports_failure(1, written);
  note_outcome(1, lower);
  return lower;
}

// A failed computation leaves the exchange data as they were before it;
// passes that never finished leave the dump reports open.
Status Session::keep_previous_on_failure(Status st) {
  if (st.ok) return st;
  const Snapshot& before = data_->before;
  data_->blx = before.blx;
  for (int isurf = 0; isurf <= 1; ++isurf) data_->solver.ms.outcome[isurf] = before.outcome[isurf];
  static_cast<void>(data_->reports.close_dumps());  // what they hold is moot now
  data_->solver.ms.dumps_open = false;
  cautions_.clear();
  return st;
}

Status Session::new_computation() {
  ExchangeData& blx = data_->blx;
  for (int isurf = 0; isurf <= 1; ++isurf) {
    const int slot = ExchangeData::slot(kElement, isurf);
    const int last = blx.n_bl(slot);
    blx.params.xinv_surf[isurf] = last >= 1 ? blx.s_bl(last, slot) : 0.0;
  }
  take_snapshot();
  const Status st = keep_previous_on_failure(run_both_surfaces());
  if (!st.ok) {
    for (auto& outcome : data_->solver.ms.outcome) outcome = MarchState::SurfaceOutcome{};
    // The results held are those of an earlier contour: none belongs to this one.
    for (int isurf = 0; isurf <= 1; ++isurf) {
      const int m = ExchangeData::slot(kElement, isurf);
      for (int i = 1; i <= blx.n_bl(m); ++i)
        blx.cf_bl(i, m) = blx.d1_bl(i, m) = blx.d2_bl(i, m) = blx.h12_bl(i, m) = blx.rv_bl(i, m) = 0;
    }
  }
  return st;
}

Status Session::recalculate() {
  take_snapshot();
  failed_surface_ = -1;
  Status st = BLPanel(data_->blx, data_->reports, kElement);
  if (st.ok) st = run_both_surfaces();
  return keep_previous_on_failure(st);
}

Status Session::march_table(const std::vector<double>& s, const std::vector<double>& ue) {
  ExchangeData& blx = data_->blx;
  const int n = static_cast<int>(s.size());
  if (n < 1 || n > ExchangeData::kMaxNodes || ue.size() != s.size())
    return Status::failure("the surface table has " + std::to_string(n) + " nodes; a surface holds 1 to " +
                           std::to_string(ExchangeData::kMaxNodes));
  const int slot = ExchangeData::slot(kElement, 0);
  blx.n_bl(slot) = n;
  for (int j = 1; j <= n; ++j) {
    blx.s_bl(j, slot) = s[static_cast<std::size_t>(j - 1)];
    blx.ue_bl(j, slot) = blx.ue_inv(j, slot) = ue[static_cast<std::size_t>(j - 1)];
  }
  blx.n_bl_max = n;
  blx.params.xinv_surf[0] = s.back();
  cautions_.clear();
  failed_surface_ = -1;
  return run_pass(0);
}

SurfaceResult Session::surface(int isurf) const {
  const ExchangeData& blx = data_->blx;
  const MarchState& ms = data_->solver.ms;
  SurfaceResult r;
  r.xtr = blx.params.xtr_surf[isurf];
  r.xinv = blx.params.xinv_surf[isurf];
  r.iteration_limited = ms.outcome[isurf].iteration_limited;
  r.limited_at = ms.outcome[isurf].limited_at;
  r.edge_limited_at = ms.outcome[isurf].edge_limited_at;
  r.transition_at = ms.outcome[isurf].transition_at;
  r.inverse_at = ms.outcome[isurf].inverse_at;
  const int slot = ExchangeData::slot(kElement, isurf);
  const int n = blx.n_bl(slot);
  for (auto* v : {&r.s, &r.ue, &r.ue_inv, &r.cf, &r.d1, &r.d2, &r.h12, &r.rv}) v->reserve(static_cast<std::size_t>(n));
  for (int j = 1; j <= n; ++j) {
    r.s.push_back(blx.s_bl(j, slot));
    r.ue.push_back(blx.ue_bl(j, slot));
    r.ue_inv.push_back(blx.ue_inv(j, slot));
    r.cf.push_back(blx.cf_bl(j, slot));
    r.d1.push_back(blx.d1_bl(j, slot));
    r.d2.push_back(blx.d2_bl(j, slot));
    r.h12.push_back(blx.h12_bl(j, slot));
    r.rv.push_back(blx.rv_bl(j, slot));
  }
  return r;
}

}  // namespace bl
