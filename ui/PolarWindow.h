// The polar window: lift, drag and transition of one section over a range
// of angles of attack, with the boundary-layer parameters of the aerofoil
// window's session; with "Viscous" the layer and its wake act back on the
// flow (viscous lift, drag, lift-to-drag ratio and moment about the quarter
// chord), computed as veltaro-cli --sweep ... --bl --viscous computes it.
// The Turbulence menu picks the closure of the turbulent layers, as
// --turbulence does, each kind of polar keeping its own
// (turbulence_choice.h).  A non-modal dialog owned by the aerofoil
// window, which keeps the one window and hands it the current section each
// time the user opens it.
//
// The angles are computed off the window's thread, as a background job:
// its thread runs polar::compute (which spreads the angles over the cores)
// and hands each point, in angle order, to the job's queue; the job's
// wake-up brings the window's thread, which takes the queued points, moves
// the progress bar on and redraws.  "Cancel" raises the job's cancellation
// flag: no further angle starts and the running ones stop at their next
// station, so the window answers within a station's time with every point
// so far drawn (an angle stopped half-way gives none).  Closing the window
// cancels the same way.  A new computation and the window's destruction
// let a running one go without waiting for it: it stops on its own and its
// thread is joined when it has ended, and no point reaches a window that
// has let it go.  A computation that fails while the window is closed says
// so on its status line, not in a box over a window the user has put away.
//
// A click on a plot marks the nearest point and shows its values under the
// plots; Edit > Copy values puts the polar on the clipboard.  "Keep" holds
// the polar shown, drawn on in a muted colour under the next ones (at most
// five), until "Clear kept".
//
// Fields are checked when committed, as in the boundary-layer window: a
// value out of range is refused with a message and the field goes back to
// its last valid value.  The range of angles is checked when a computation
// starts.
#pragma once

#include <fx.h>

#include <atomic>
#include <cmath>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "background_jobs.h"
#include "joukowski.h"
#include "kept_polars.h"
#include "section_model.h"
#include "number_text.h"
#include "pick.h"
#include "plot_widgets.h"
#include "polar.h"
#include "turbulence_choice.h"
#include "window_menu.h"
#include "core/parameters.h"

class PolarWindow : public FXDialogBox {
  FXDECLARE(PolarWindow)

 public:
  enum {
    ID_FROM = FXDialogBox::ID_LAST,
    ID_TO,
    ID_STEP,
    ID_RE,
    ID_STR_U,
    ID_STR_L,
    ID_NP,
    ID_XTR_U,
    ID_XTR_L,
    ID_FREE_TRANSITION,
    ID_TRIP,
    ID_VISCOUS,
    ID_COMPUTE,
    ID_STOP,
    ID_SAVE,
    ID_CANVAS,
    ID_POINTS,  // the job's wake-up: points or the end are waiting
    ID_KEEP,
    ID_CLEAR_KEPT,
    ID_SAVE_PICTURE,
    ID_COPY_VALUES,
    ID_TURBULENCE,     // the algebraic turbulence model picked
    ID_TURBULENCE_SA,  // Spalart-Allmaras picked
    ID_LAST
  };

  // The size the window opens at where the screen has room.
  static constexpr int kOpenWidth = 900;
  static constexpr int kOpenHeight = 660;

  // At most this many angles in one polar of the window.
  static constexpr int kMaxAngles = 1000;

  // Forced transition this far along a surface (arc length in chords) lies
  // beyond the trailing edge of any section of unit chord, so that only the
  // laminar-separation and Michel criteria end the laminar layer.
  static constexpr double kFreeTransition = 10.0;

  // The chord position the fields of a trip at x/c start from: near the
  // nose, where a section is tripped to compare it with a tripped test.
  static constexpr double kTripStart = 0.05;

  // The fields start from params (Re(mill), Str u, Str l, Np, and the trip
  // at x/c where params has one); the rest of
  // the parameters come with each open.  A top-level window of its own,
  // kept above none; its Window menu goes to `windows`, the aerofoil window.
  // Its computations run as jobs of `jobs`, which outlives it.
  PolarWindow(FXWindow* windows, BackgroundJobs& jobs, const bl::ComputationParameters& params);
  ~PolarWindow() override;

  // Shows the window in front for the section (at its N; its angle is not
  // used) and computes its polar with the window's fields and the
  // ETAe, Kv and Cfs*sqrt(Re) of params.
  void open(const std::shared_ptr<const aerofoil::SectionModel>& section, const bl::ComputationParameters& params);

  // Closing cancels a computation and hides the window; the owner keeps it
  // for the next open.
  FXbool close(FXbool notify = FALSE) override;
  void hide() override;

  long onCmdField(FXObject*, FXSelector, void*);
  long onCmdTransition(FXObject*, FXSelector, void*);
  long onCmdViscous(FXObject*, FXSelector, void*);
  long onCmdTurbulence(FXObject*, FXSelector, void*);
  long onCmdCompute(FXObject*, FXSelector, void*);
  long onCmdStop(FXObject*, FXSelector, void*);
  long onCmdSave(FXObject*, FXSelector, void*);
  long onPaintCanvas(FXObject*, FXSelector, void*);
  long onPoints(FXObject*, FXSelector, void*);
  long onCmdKeep(FXObject*, FXSelector, void*);
  long onCmdClearKept(FXObject*, FXSelector, void*);
  long onCmdSavePicture(FXObject*, FXSelector, void*);
  long onClickCanvas(FXObject*, FXSelector, void*);
  long onCmdCopyValues(FXObject*, FXSelector, void*);
  long onClipboardRequest(FXObject*, FXSelector, void*);

  // The aerofoil window's section now: the section line says when the
  // polar's section is an earlier one.
  void showMainSection(const aerofoil::SectionModel& current);

  // The operating point of the section `section` at alphaDeg marked on the
  // lift curve, while the polar shown is that section's (NaN: no mark).
  void showOperatingPoint(const aerofoil::SectionModel* section, double alphaDeg);

 protected:
  PolarWindow() {}

 private:
  static constexpr int kFields = ID_XTR_L - ID_FROM + 1;
  NumberField& field(int id) { return fields[id - ID_FROM]; }
  const NumberField& field(int id) const { return fields[id - ID_FROM]; }

  void buildWidgets();
  // Why v cannot go into the field id, or "" when it can.
  std::string refusal(int id, double v) const;
  // What a field accepts, in words.
  std::string accepted(int id) const;
  bl::ComputationParameters parametersOfFields() const;
  // The fields of the forced transition as the check boxes leave them.
  void showTransitionFields();

  // Starts a computation of the fields' polar (after stopping a running
  // one); a range that gives no angles is refused with a message.
  void start();
  // Lets a running computation go: it is asked to stop, and nothing of it
  // reaches the window any more.  Does not wait.
  void stop();

  void showStatus();
  static std::string sectionText(const aerofoil::SectionModel& section);
  void showSectionLine();
  void updateControls();
  void redraw();
  void showMarkedValues();

  aerofoil::SectionInputs section_;
  std::shared_ptr<const aerofoil::SectionModel> model_;  // the section the polar is computed on
  bl::ComputationParameters params_;  // ETAe, Kv, Cfs*sqrt(Re) of the session
  polar::Settings shown_;             // what computed the points shown
  std::string mainSection_;           // the aerofoil window's section, as the section line names it
  NumberField fields[kFields];
  FXCheckButton* freeButton = nullptr;
  FXCheckButton* tripButton = nullptr;     // transition forced at x/c
  FXCheckButton* viscousButton = nullptr;  // the layer acting back on the flow
  std::unique_ptr<TurbulenceChoice> turbulence_;  // the models of the polars with and without it
  FXButton* computeButton = nullptr;
  FXButton* stopButton = nullptr;
  FXButton* saveButton = nullptr;
  FXLabel* sectionLabel = nullptr;
  TextLine* statusLabel = nullptr;
  FXProgressBar* progress = nullptr;
  FXButton* keepButton = nullptr;
  FXButton* clearKeptButton = nullptr;
  FXCanvas* canvas = nullptr;
  ValueLine* valueLine = nullptr;  // the values of the point marked on the plots
  FXText* gapsText = nullptr;
  FXMenuPane* fileMenu = nullptr;
  WindowMenus menus;

  // The computation shown: its angle range, how many angles, the points
  // received so far in angle order.
  double alphaFrom_ = -4, alphaTo_ = 16;
  int total_ = 0;
  std::vector<polar::Point> points_;
  plot::PolarSetup setup_;              // what the polar shown was computed with
  std::vector<plot::KeptPolar> kept_;   // polars kept for comparison, oldest first
  bool keptShown_ = false;              // the polar shown is among them
  plot::Mark mark_;
  plot::PickPoints pickPoints_;
  double operatingAlpha_ = NAN;  // the operating point's angle, or NaN
  std::string clipboard_;
  bool running_ = false;
  bool cancelled_ = false;
  std::chrono::steady_clock::time_point started_;
  double seconds_ = 0;
  std::string gaps_;
  std::string failures_;  // what the failed angles of a finished polar say

  // What the computation hands back, shared with its thread.
  struct PolarJob : BackgroundJobs::Job {
    std::mutex mutex;
    std::vector<polar::Point> inbox;  // points not yet taken by the window
    std::string error;                // why the computation gave up, if it did
  };
  BackgroundJobs* jobs_ = nullptr;
  std::shared_ptr<PolarJob> job_;  // the computation running, if one is
};
