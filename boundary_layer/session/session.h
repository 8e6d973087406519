// One boundary-layer session: what the boundary-layer window or one run of
// the command line computes with, from the hand-over of a contour to the
// results of both surfaces.
//
//   hand_over_contour   "BL Calculation": contour into the exchange data, split
//   new_computation     opening the window: inverse mode allowed from the
//                       surface ends, then the upper and the lower pass
//   recalculate         "Recalculate": split again, then both passes
//   march_table         one pass over a given table of arc length and
//                       edge velocity (upper-surface settings)
//
// A session owns the exchange data, the solver state that lasts from one
// pass to the next and the report files, and shares nothing with another
// session: two sessions may compute at the same time on two threads.  (The
// solver's diagnostic lines on standard output are the one thing they
// share; a front end that runs sessions side by side switches them off.)
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/status.h"
#include "march/pass.h"
#include "report/report_files.h"
#include "session/exchange_data.h"
#include "session/parameters.h"

namespace bl {

// Results of one surface's last pass, node by node from the stagnation
// point (index 0) to the trailing edge.  Nodes 1 and 2 (indices 0 and 1)
// are not marched: their results are 0.
struct SurfaceResult {
  double xtr = 0;             // transition position the march used (arc length)
  double xinv = 0;            // start of the inverse mode it used
  int iteration_limited = 0;  // stations accepted at the Newton iteration limit
  int limited_at = 0;         // the first of them, or 0
  int edge_limited_at = 0;    // first station whose outer edge hit the grid capacity, or 0
  int transition_at = 0;      // first turbulent station, or 0: laminar to the trailing edge
  int inverse_at = 0;         // first station of the inverse mode, or 0: none
  std::vector<double> s, ue, ue_inv, cf, d1, d2, h12, rv;

  int nodes() const { return static_cast<int>(s.size()); }
};

class Session {
 public:
  Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Back to the state of a new session, keeping the storage: the exchange
  // data and the solver state start afresh, every report is closed (the
  // next use starts it anew), and the parameters are p (refused: the
  // defaults, and the reason).  A polar worker computes each angle on a
  // restarted session exactly as a run of that angle alone.
  Status restart(const ComputationParameters& p);

  // The computation parameters; the transition and inverse-mode positions
  // in them are those the last passes used.
  const ComputationParameters& parameters() const { return data_->blx.params; }

  // Takes the parameters when validate_parameters accepts them; otherwise
  // changes nothing and says why.
  Status set_parameters(const ComputationParameters& p);

  // Where and whether the reports are written.
  ReportFiles& reports() { return data_->reports; }

  // The upper and the lower pass of a computation side by side on two
  // threads (the default), or one after the other.  Either way every
  // result and every report is the same: the lower pass's reports are held
  // until the upper's are written, and what the lower pass would find of
  // the upper one is put in its place.
  void set_concurrent_surfaces(bool on) { concurrent_ = on; }

  // Copies points 0..n of the arc length s and the signed surface speed v
  // into the contour hand-over and splits it at the stagnation point.
  // Refuses a contour the exchange data cannot hold; on any refusal the
  // previous hand-over stays as it was.
  Status hand_over_contour(const std::vector<double>& s, const std::vector<double>& v, int n);

  // The inverse mode allowed from the surface ends, then the upper and the
  // lower pass.  If a pass fails there are no results for this contour:
  // everything else is put back as it was and the results are cleared.
  Status new_computation();

  // Split of the contour last handed over (restoring the inviscid edge
  // velocities), then both passes.  If anything fails, the previous results
  // and positions are put back.
  Status recalculate();

  // One pass over the table (s, ue) of a surface, node 1 the stagnation
  // point, with the upper surface's settings; the inverse mode is allowed
  // from the last node.
  Status march_table(const std::vector<double>& s, const std::vector<double>& ue);

  // Results of the upper (0) or lower (1) surface.
  SurfaceResult surface(int isurf) const;

  // Cautions of the passes of the last computation that succeeded (stations
  // accepted at the iteration limit, an outer edge held at the grid's
  // capacity), one line each.
  const std::vector<std::string>& cautions() const { return cautions_; }

  // The surface (0 upper, 1 lower) whose pass failed in the last
  // computation, or -1 when none did (or the split failed before).
  int failed_surface() const { return failed_surface_; }

 private:
  Status run_both_surfaces();
  Status run_side_by_side();
  Status run_pass(int isurf);
  void note_outcome(int isurf, const Status& st);
  // What a failed computation puts back: the exchange data and what each
  // surface's last pass ran into.
  struct Snapshot {
    ExchangeData blx;
    MarchState::SurfaceOutcome outcome[2];
  };
  void take_snapshot();
  Status keep_previous_on_failure(Status st);

  // The blocks are large (about 1 MB); they live on the heap so that a
  // session is cheap to hold and to move between threads.
  struct Data {
    ExchangeData blx;
    SolverState solver;
    ReportFiles reports;
    PassArrays arrays[2];  // storage for the upper and the lower pass
    Snapshot before;       // taken at the start of every computation
  };
  std::unique_ptr<Data> data_;
  std::vector<std::string> cautions_;
  int failed_surface_ = -1;
  bool concurrent_ = true;
};

}  // namespace bl
