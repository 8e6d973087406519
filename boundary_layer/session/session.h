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
//   march_given         both passes on surfaces the caller gives (the
//                       split surfaces continued into the wake), each with
//                       an interaction law: a sweep of viscous-inviscid
//                       coupling
//
// A session owns the contour, the surfaces and their results, the solver
// state that lasts from one pass to the next and the report files, and
// shares nothing with another session: two sessions may compute at the same
// time on two threads.  (The solver's diagnostic lines on standard output
// are the one thing they share; a front end that runs sessions side by side
// switches them off.)
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/interaction_law.h"
#include "core/parameters.h"
#include "core/status.h"
#include "core/surface.h"
#include "core/surface_result.h"
#include "core/turbulence_input.h"
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
  // changes nothing and says why.  A transition position given as x/c
  // (xtr_xc) is put on each surface at the start of every computation of a
  // section, at the arc length from that computation's stagnation point.
  Status set_parameters(const ComputationParameters& p);

  // Where and whether the reports are written.
  ReportFiles& reports();
  const ReportFiles& reports() const;

  // The report files this session writes into: the caller's (which must
  // outlive the computations that write them), or null for its own.  A
  // computation the caller runs through a session of its own writes its
  // reports where the caller's go, exactly as if it had run there.
  void write_reports_to(ReportFiles* files);

  // The upper and the lower pass of a computation side by side on two
  // threads (the default), or one after the other.  Either way every
  // result and every report is the same: the lower pass's reports are held
  // until the upper's are written, and what the lower pass prints of the
  // upper one it is handed when the upper pass ends.
  void set_concurrent_surfaces(bool on) { concurrent_ = on; }

  // The flag that stops this session's computations (null: none), raised
  // from any thread.  A pass looks at it before every station: raised, the
  // computation ends within one station, fails with a status that says
  // cancelled, and the session is left as before it, usable.  The flag
  // must outlive the computations that look at it.
  void set_cancel_flag(const CancelFlag* flag) { cancel_ = flag; }
  bool cancel_requested() const { return raised(cancel_); }

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
  // from the last node.  A table has no x/c: a transition given as x/c is
  // refused.
  //
  // With `start`, the table's first node is not the stagnation point but a
  // station (s > 0, ue > 0) where a turbulent layer of that momentum
  // thickness and shape factor is given (in the table's length unit, in
  // which Re is the Reynolds number per unit length): the march starts
  // there from Coles's composite profile and the layer is turbulent
  // throughout (the transition position becomes the start's arc length).
  Status march_table(const std::vector<double>& s, const std::vector<double>& ue,
                     const std::optional<LayerStart>& start = std::nullopt);

  // The surfaces of the last split (none before a hand-over): arc length
  // from the stagnation point (chords), inviscid edge velocity, place on
  // the section and the contour point of each node, from the stagnation
  // point to the trailing edge.
  const SurfaceValues& split_surface(Surface which) const;

  // Both passes at once, as in new_computation, on the surfaces the caller
  // gives (index(Surface): upper, lower), normally those of the last split
  // continued by their half-wakes, each with its interaction law (null or
  // empty: none).  The parameters are taken as they stand, with the inverse
  // mode allowed from the surface ends and a transition given as x/c put on
  // each given surface, and they are not changed: every such computation
  // starts from the same settings, and the results (read back by surface(),
  // wake nodes included) carry the positions they used.  With
  // write_reports false no report is written for these passes (the reports
  // start afresh at their next use).  `turbulence` is what each surface's
  // closure takes from outside its pass (null: nothing; in a coupled wake,
  // the other half-wake).  If a pass fails, the results before are put
  // back.
  Status march_given(const std::array<SurfaceValues, 2>& surfaces,
                     const std::array<const InteractionLaw*, 2>& laws, bool write_reports = true,
                     const std::array<const TurbulenceInput*, 2>& turbulence = {nullptr, nullptr});

  // Results of a surface, with the transition and inverse-mode positions of
  // the parameters (after march_given, those the passes used).
  SurfaceResult surface(Surface which) const;

  // Cautions of the passes of the last computation that succeeded (stations
  // accepted at the iteration limit, an outer edge held at the grid's
  // capacity), one line each.
  const std::vector<std::string>& cautions() const { return cautions_; }

  // The surface whose pass failed in the last computation, if one did (none
  // when the split failed before).
  std::optional<Surface> failed_surface() const { return failed_; }

 private:
  struct Data;    // the contour, surfaces, results, solver state, reports and pass storage
  struct Passes;  // what the two passes of one computation march, and with which settings

  Status run_both_surfaces(const Passes& passes);
  Status run_side_by_side(const Passes& passes);
  Status run_pass(const Passes& passes, Surface which);
  void keep_result(const Passes& passes, Surface which, SurfaceResult r);
  void note_outcome(Surface which, const Status& st);
  void take_snapshot();
  Status keep_previous_on_failure(Status st);

  // On the heap, private to the session's source: the front ends see only
  // this interface.
  std::unique_ptr<Data> data_;
  std::vector<std::string> cautions_;
  std::optional<Surface> failed_;
  bool concurrent_ = true;
  const CancelFlag* cancel_ = nullptr;
};

}  // namespace bl
