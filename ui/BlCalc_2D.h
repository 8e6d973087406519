// The boundary-layer window: a non-modal dialog owned by the aerofoil
// window.  It edits the computation parameters, runs the march on the upper
// and the lower surface when it opens and on "Recalculate", shows the
// transition and inverse-mode positions the march used, and plots the edge
// velocity and one chosen quantity of the selected surface.
//
// It computes only through the boundary-layer session it is given, which
// outlives it.  A field is checked when its text is committed: a value the
// solver cannot take is refused with a message and the field shows the last
// valid value again.  A split or pass that fails leaves the previous results
// in place and says why, in a box and on the window's red status line
// (which also names a station accepted at the iteration limit); a
// computation that fails on opening leaves no result to show, and the
// window shows none.  A line at the bottom names the section whose contour
// it was handed, and turns red when the aerofoil window's section has
// changed since.  A click on a plot marks the nearest point and shows its
// values under the plot; Edit > Copy values puts the plotted data on the
// clipboard.  When the user closes it, it tells its target (SEL_CLOSE with
// its selector) before it goes.
//
// "Turbulence" beside it picks the closure of the turbulent layer for the
// next computation: the window's own march keeps the algebraic eddy
// viscosity unless another is picked, the viscous analysis the coupling's
// default (turbulence_choice.h); reports and pictures name a model other
// than the algebraic one.
//
// With "Viscous interaction" checked, its computations are the viscous
// analysis of the section (the layer and its wake acting back on the flow,
// as veltaro-cli --bl --viscous computes it): the plots show the
// interacted edge velocity over the bare section's inviscid one and the
// surfaces continued into the wake, and a line under the plots the viscous
// lift, moment and drag.  Sweeps that did not settle, or an analysis that
// failed, say so on the status line.  The analysis runs in the background
// on a layer of its own (the window's session, which marches the uncoupled
// layer, is left as it is); its reports are held and handed to the
// window's session's report files when it succeeds, and what it hands back
// (the surfaces with their half-wakes, the loads) is what the window
// shows.  The window opens and
// answers at once, its status line counts the sweeps with their last
// change, and "Cancel" stops it at its next station, the results before
// staying on the screen.
#pragma once

#include <fx.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "background_jobs.h"
#include "bl_plot.h"
#include "joukowski.h"
#include "number_text.h"
#include "plot_widgets.h"
#include "session/session.h"
#include "turbulence_choice.h"
#include "viscous_analysis.h"
#include "window_menu.h"

class BlCalc_2D : public FXDialogBox {
  FXDECLARE(BlCalc_2D)

 public:
  enum {
    ID_ALGO = FXDialogBox::ID_LAST,
    ID_CANVAS_QTY,
    ID_CANVAS_UE,
    ID_UPPER_CF,
    ID_UPPER_D1,
    ID_UPPER_D2,
    ID_UPPER_H12,
    ID_UPPER_RV,  // no button sends it
    ID_LOWER_CF,
    ID_LOWER_D1,
    ID_LOWER_D2,
    ID_LOWER_H12,
    ID_LOWER_RV,  // no button sends it
    ID_UPPER_SURF,
    ID_LOWER_SURF,
    ID_RE,
    ID_ETAE,
    ID_KV,
    ID_NP,
    ID_CFS,
    ID_STR_U,
    ID_STR_L,
    ID_SINV_U,  // output only
    ID_SINV_L,  // output only
    ID_RECALC,
    ID_SHOW_OUTCOME,  // deferred message about the computation run at opening
    ID_SAVE_PICTURE,
    ID_COPY_VALUES,
    ID_CANCEL,        // stops the viscous analysis running
    ID_VISCOUS_JOB,   // the viscous analysis's wake-up: progress, or its end
    ID_VISCOUS,       // "Viscous interaction" checked or cleared
    ID_TURBULENCE,    // the algebraic turbulence model picked
    ID_TURBULENCE_SA, // Spalart-Allmaras picked
    ID_LAST
  };

  // The size the window opens at where the screen has room.
  static constexpr int kOpenWidth = 800;
  static constexpr int kOpenHeight = 700;

  // Builds the window and computes both surfaces of the contour the session
  // last split, that of the section `handed` (with viscous: its viscous
  // analysis, the box checked); tgt and sel receive SEL_CLOSE when the user
  // closes it.  A top-level window of its own, kept above none; its Window
  // menu goes to `windows`, the aerofoil window.
  // The viscous analyses run as jobs of `jobs`, which outlives the window.
  BlCalc_2D(FXWindow* windows, bl::Session& session, BackgroundJobs& jobs, const aerofoil::Joukowski& handed,
            FXObject* tgt, FXSelector sel, bool viscous = false);
  ~BlCalc_2D() override;

  // The aerofoil window's section now: the section line says whether the
  // results still belong to it.
  void showMainSection(const aerofoil::Joukowski& current);

  // The displacement body and wake of the viscous analysis shown, when the
  // results shown are one and belong to the section `current`; else null.
  const viscous::DisplacementBody* displacementBody(const aerofoil::Joukowski& current) const;

  // Whether "Viscous interaction" is checked.
  bool viscous() const { return viscousButton->getCheck() == TRUE; }

  long onCmdAlgo(FXObject*, FXSelector, void*);
  long onPaintCanvas(FXObject*, FXSelector, void*);
  long onCmdUpperQuantity(FXObject*, FXSelector, void*);
  long onCmdLowerQuantity(FXObject*, FXSelector, void*);
  long onCmdSurface(FXObject*, FXSelector, void*);
  long onCmdField(FXObject*, FXSelector, void*);
  long onCmdRecalc(FXObject*, FXSelector, void*);
  long onShowOutcome(FXObject*, FXSelector, void*);
  long onCmdSavePicture(FXObject*, FXSelector, void*);
  long onClickCanvas(FXObject*, FXSelector, void*);
  long onCmdCopyValues(FXObject*, FXSelector, void*);
  long onClipboardRequest(FXObject*, FXSelector, void*);
  long onCmdCancel(FXObject*, FXSelector, void*);
  long onViscousJob(FXObject*, FXSelector, void*);
  long onCmdViscous(FXObject*, FXSelector, void*);
  long onCmdTurbulence(FXObject*, FXSelector, void*);

  // Whether a viscous analysis is running.
  bool computing() const { return job_ != nullptr; }

 protected:
  BlCalc_2D() {}

 private:
  void buildWidgets();
  FXTextField* addField(FXComposite* grid, const char* label, int columns, FXSelector id);
  void showPositions(bl::Surface which);

  // The positions and plotted results of both surfaces from the session,
  // as results when `computed`, else as the split alone.
  void showResults(bool computed);
  // Starts the viscous analysis of the handed section with the session's
  // parameters in the background (letting one that runs go).
  void startViscous();
  // The end of the viscous analysis: its results shown, or why there are none.
  void finishViscous();
  // The results shown of a surface, and the cautions of their computation:
  // the viscous analysis's, when its results are shown, or the session's.
  bl::SurfaceResult shownSurface(bl::Surface which) const;
  const std::vector<std::string>& shownCautions() const;
  // The result line and the status line of an analysis that succeeded.
  void showViscous(const viscous::Result& r);
  // The red status line: text, or nothing.
  void showStatus(const std::string& text);
  // What a failed computation says, naming the surface whose pass failed.
  std::string failureText(const bl::Status& st, std::optional<bl::Surface> failed) const;
  // The cautions of the last computation, one line each.
  std::string cautionText() const;
  // Cautions on one line, for the status line; a message of several lines on one.
  static std::string cautionLine(const std::vector<std::string>& cautions);
  static std::string oneLine(std::string text);

  void updateButtons();
  void drawEdgeVelocity();
  void drawQuantity();
  // The marks go (the plots show other data); the lines under them empty.
  void clearMarks();

  // A viscous analysis: the parameters and section it computes with, its
  // reports (held), and what it hands back, shared with its thread.
  struct ViscousJob : BackgroundJobs::Job {
    bl::ComputationParameters params;
    viscous::Settings coupling;  // the coupling's settings, its turbulence model the window's choice
    bl::ReportFiles reports;
    aerofoil::Joukowski section;
    std::mutex mutex;
    viscous::Progress progress;  // after its last sweep
    viscous::Result result;      // once finished
  };

  bl::Session* session_ = nullptr;
  BackgroundJobs* jobs_ = nullptr;
  std::shared_ptr<ViscousJob> job_;    // the viscous analysis running, if one is
  bool opening_ = false;               // the analysis running is the one the window opened with
  aerofoil::Joukowski section_;      // the section handed over
  bl::SurfaceValues bare_[2];        // its split: the inviscid edge velocity drawn beside interacted results
  // The viscous analysis whose results are shown (its surfaces with their
  // half-wakes, its loads and displacement body), when they are one's.
  std::optional<viscous::Result> viscous_;
  FXMenuPane* fileMenu = nullptr;
  FXMenuBar* menuBar_ = nullptr;
  WindowMenus menus;

  // Editable fields, indexed by id - ID_RE (Re(mill) .. Str l).
  static constexpr int kFields = ID_STR_L - ID_RE + 1;
  NumberField fields[kFields];
  FXTextField* sinvField[2] = {nullptr, nullptr};
  TextLine* sectionLine = nullptr;  // the section the results belong to
  TextLine* statusLine = nullptr;   // what failed, in red; blank otherwise
  FXCheckButton* viscousButton = nullptr;
  std::unique_ptr<TurbulenceChoice> turbulence_;  // the models of the march and of the viscous analysis
  bl::Turbulence shownTurbulence_ = bl::Turbulence::algebraic;  // the model of the results shown
  bl::Turbulence viscousTurbulence_ = bl::Turbulence::algebraic;  // the model of the viscous results kept
  FXHorizontalFrame* resultFrame = nullptr;  // holds the result line; shown with interacted results
  FXButton* cancelButton = nullptr;          // enabled while a viscous analysis runs
  ValueLine* resultLine = nullptr;           // the viscous lift, moment and drag
  std::string handedSection;       // its text, as the section line shows it

  FXRadioButton* surfaceButton[2] = {nullptr, nullptr};
  FXRadioButton* quantityButton[2][4] = {};
  FXCanvas* canvasUe = nullptr;
  FXCanvas* canvasQty = nullptr;
  ValueLine* valueLine[2] = {nullptr, nullptr};  // under the edge-velocity and the quantity plot
  plot::Mark mark_[2];                          // the point marked on each
  plot::PickPoints pickPoints_[2];              // where each plot's points were drawn last
  std::string clipboard_;

  plot::BlPlotState plotState;
  bool computed = false;  // whether the results shown were computed
  std::string failure;  // why the computation at opening failed, until shown
  std::string notes;    // cautions of the passes of the last computation
};
