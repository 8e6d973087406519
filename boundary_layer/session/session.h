// One boundary-layer session: what the boundary-layer window or one run of
// the command line computes with, from the hand-over of a contour to the
// results of both surfaces.
//
//   hand_over_contour   "BL Calculation": the contour, split at the
//                       stagnation point into the two surfaces
//   new_computation     opening the window: inverse mode allowed from the
//                       surface ends, then the upper and the lower pass
//   recalculate         "Recalculate": split again, then both passes
//   march_table         one pass over a given table of arc length and
//                       edge velocity (upper-surface settings)
//
// A session owns the contour, the surfaces and their results, the solver
// state that lasts from one pass to the next and the report files, and
// shares nothing with another session: two sessions may compute at the same
// time on two threads.  (The solver's diagnostic lines on standard output
// are the one thing they share; a front end that runs sessions side by side
// switches them off.)
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/parameters.h"
#include "core/status.h"
#include "core/surface.h"
#include "core/surface_result.h"
#include "report/report_files.h"

namespace bl {

class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Back to the state of a new session, keeping the storage: no contour,
  // no results, the solver state afresh, every report closed (the next use
  // starts it anew), and the parameters p (refused: the defaults, and the
  // reason).  A polar worker computes each angle on a restarted session
  // exactly as a run of that angle alone.
  Status restart(const ComputationParameters& p);

  // The computation parameters; the transition and inverse-mode positions
  // in them are those the last passes used.
  const ComputationParameters& parameters() const;

  // Takes the parameters when validate_parameters accepts them; otherwise
  // changes nothing and says why.
  Status set_parameters(const ComputationParameters& p);

  // Where and whether the reports are written.
  ReportFiles& reports();

  // The upper and the lower pass of a computation side by side on two
  // threads (the default), or one after the other.  Either way every
  // result and every report is the same: the lower pass's reports are held
  // until the upper's are written, and what the lower pass prints of the
  // upper one it is handed when the upper pass ends.
  void set_concurrent_surfaces(bool on) { concurrent_ = on; }

  // Takes points 0..n of the contour: arc length s, signed surface speed v
  // and, when given, the chord-axis coordinates x and y; splits it at the
  // stagnation point.  The surfaces then hold no results yet.  Refuses a
  // contour the split cannot take; on any refusal the previous hand-over
  // stays as it was.
  Status hand_over_contour(const std::vector<double>& s, const std::vector<double>& v, int n,
                           const std::vector<double>& x = {}, const std::vector<double>& y = {});

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

  // Results of a surface, with the transition and inverse-mode positions of
  // the parameters.
  SurfaceResult surface(Surface which) const;

  // Cautions of the passes of the last computation that succeeded (stations
  // accepted at the iteration limit, an outer edge held at the grid's
  // capacity), one line each.
  const std::vector<std::string>& cautions() const { return cautions_; }

  // The surface whose pass failed in the last computation, if one did (none
  // when the split failed before).
  std::optional<Surface> failed_surface() const { return failed_; }

 private:
  struct Data;  // the contour, surfaces, results, solver state, reports and pass storage

  Status run_both_surfaces();
  Status run_side_by_side();
  Status run_pass(Surface which);
  void note_outcome(Surface which, const Status& st);
  void take_snapshot();
  Status keep_previous_on_failure(Status st);

  // On the heap, private to the session's source: the front ends see only
  // this interface.
  std::unique_ptr<Data> data_;
  std::vector<std::string> cautions_;
  std::optional<Surface> failed_;
  bool concurrent_ = true;
};

}  // namespace bl
