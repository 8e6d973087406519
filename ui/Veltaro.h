// The aerofoil window: inputs of the Joukowski solver, its integral results,
// the contour and pressure plot, the result file and the hand-over to the
// boundary-layer window.  Every input command recomputes and redraws at once.
#pragma once

#include <fx.h>

#include <string>
#include <vector>

#include "aerofoil_plot.h"
#include "joukowski.h"
#include "screen_geometry.h"
#include "section_choice.h"
#include "section_input.h"
#include "background_jobs.h"
#include "session/session.h"
#include "window_menu.h"

class BlCalc_2D;
class CheckedSpinner;
class FlowWindow;
class PolarWindow;
class TextLine;
class ValueLine;
namespace viscous {
struct DisplacementBody;
}

class Veltaro : public FXMainWindow {
  FXDECLARE(Veltaro)

 public:
  enum {
    ID_DEL_EH = FXMainWindow::ID_LAST,
    ID_ALGORITHM,
    ID_CANVAS,
    ID_UNUSED,  // keeps the numbering of the ids that follow
    ID_SAVE,
    ID_ALPHA,
    ID_ER1,
    ID_HR1,
    ID_DEL_ANGLE,
    ID_ABOUT,
    ID_NPOINTS,
    ID_BL_CALC,
    ID_BL_DIALOG,  // the boundary-layer dialog: SEL_CLOSE when the user closes it
    ID_EXPORT_CONTOUR,
    ID_SAVE_PICTURE,
    ID_POLAR,
    ID_WINDOW_AEROFOIL,  // Window menu of every window: bring one forward,
    ID_WINDOW_BL,
    ID_WINDOW_POLAR,
    ID_TILE,             // or lay the open ones side by side
    ID_COPY_VALUES,
    ID_SECTION_JOUKOWSKI,  // the Section menu: the kind of section solved
    ID_SECTION_KT,
    ID_SECTION_NACA,
    ID_OPEN_SECTION,       // File > Open section...: a coordinate file
    ID_FLOW_VIEW,          // File > Flow view...
    ID_WINDOW_FLOW,        // Window menu: the flow view brought forward
    ID_LAST
  };

  // The size the window was designed for; it opens larger where its
  // contents need more with the toolkit's fonts.
  static constexpr int kDesignWidth = 600;
  static constexpr int kDesignHeight = 550;

  explicit Veltaro(FXApp* app);
  ~Veltaro() override;
  void create() override;

  // Reads the inputs, sizes the arrays when N changed, solves and redraws.
  void recompute();

  long onCmdDelEH(FXObject*, FXSelector, void*);
  long onCmdAlgorithm(FXObject*, FXSelector, void*);
  long onPaintCanvas(FXObject*, FXSelector, void*);
  long onCmdSave(FXObject*, FXSelector, void*);
  long onCmdInput(FXObject*, FXSelector, void*);
  long onCmdDelAngle(FXObject*, FXSelector, void*);
  long onCmdAbout(FXObject*, FXSelector, void*);
  long onCmdPoints(FXObject*, FXSelector, void*);
  long onCmdBlCalc(FXObject*, FXSelector, void*);
  long onBlDialogClose(FXObject*, FXSelector, void*);
  long onCmdExportContour(FXObject*, FXSelector, void*);
  long onCmdSavePicture(FXObject*, FXSelector, void*);
  long onCmdPolar(FXObject*, FXSelector, void*);
  long onCmdWindow(FXObject*, FXSelector, void*);
  long onUpdWindow(FXObject*, FXSelector, void*);
  long onCmdTile(FXObject*, FXSelector, void*);
  long onCmdCopyValues(FXObject*, FXSelector, void*);
  long onClipboardRequest(FXObject*, FXSelector, void*);
  long onClickCanvas(FXObject*, FXSelector, void*);
  // The Section menu and File > Open section... (aerofoil_section_menu.cpp).
  long onCmdSectionKind(FXObject*, FXSelector, void*);
  long onUpdSectionKind(FXObject*, FXSelector, void*);
  // The flow view and what it asks of this window (aerofoil_flow_hooks.cpp):
  // an input's value, the input moved as if typed (animating: an open
  // polar window marks the operating point), whether e/R1 and h/R1 shape
  // the section, and the displacement body of the boundary-layer window's
  // viscous analysis of the section now solved (null: none).
  long onCmdFlowView(FXObject*, FXSelector, void*);
  double inputValue(SectionInput which) const;
  void setInputValue(SectionInput which, double value, bool animating);
  bool shapeInputs() const { return section_.usesThicknessAndCamber(); }
  const viscous::DisplacementBody* displacementBody() const;

  // Puts a new window (created, not yet shown) on the screen where it
  // covers least of the windows shown and none of this window's inputs and
  // results, at its wanted size or smaller down to its minimum.
  void placeNewWindow(FXTopWindow* window, const WindowSize& size);


  const aerofoil::Joukowski& solution() const { return af; }

 protected:
  Veltaro() {}

 private:
  void draw(FXDCWindow& dc);
  void showNotes();
  // The line under the plot: the values of the marked point.
  void showMarkedValues();
  // The shown windows in the order aerofoil, boundary layer, polar, flow
  // view (aerofoil_windows.cpp, with the Window menu's commands).
  std::vector<FXTopWindow*> openWindows();
  void refreshFrame();
  // Makes the chosen kind of section the one solved, or says why not.
  void chooseSection(const aerofoil::SectionInputs& kind);
  // The inputs that shape no other section than Joukowski's greyed, the
  // section's name shown, the labels of its results.
  void showSectionKind();

  aerofoil::Joukowski af;  // solution state, owned for the window's life
  SectionChoice section_;  // the kind of section solved, and its model
  int requestedN = aerofoil::SectionInputs{}.n;  // the number typed into "N="
  int computed = 0;        // set after the first complete recompute
  int saveCount = 0;       // result files saved in this run

  // The boundary-layer side: the session lives as long as the window (its
  // parameters and reports carry over from one dialog to the next); the
  // current dialog, and whether it is open.
  bl::Session blSession;
  // The computations of the boundary-layer and polar windows, off the
  // windows' thread; ended and joined last, after the windows.
  BackgroundJobs jobs_;
  BlCalc_2D* blDialog = nullptr;
  bool blViscous = false;  // "Viscous interaction" of the last boundary-layer window, for the next
  int blOpenCount = 0;

  // The polar window, once opened: kept (hidden when closed) until this
  // window goes.
  PolarWindow* polarWindow = nullptr;
  FlowWindow* flowWindow = nullptr;  // the flow view, likewise

  FXMenuPane* fileMenu = nullptr;
  FXMenuPane* sectionMenu = nullptr;
  FXLabel* sectionName = nullptr;     // another section's name, above the inputs
  FXLabel* thicknessLabel = nullptr;  // "MaxTh(sym)=", or "Thickness=" of another section
  WindowMenus menus;
  FrameExtents frame_;  // what the window manager puts round a window
  FXVerticalFrame* controls = nullptr;  // inputs and results: kept in sight
  FXTextField* pointsField = nullptr;
  TextLine* statusLine = nullptr;  // says when a typed input is not the one used
  ValueLine* valueLine = nullptr;  // the values of the point marked on the plot
  plot::Mark mark_;                // the point marked, if any
  plot::PickPoints pickPoints_;    // where the plot's points were drawn last
  std::string clipboard_;          // the text this window has put on the clipboard
  CheckedSpinner* alphaSpinner = nullptr;
  CheckedSpinner* eSpinner = nullptr;
  CheckedSpinner* hSpinner = nullptr;
  CheckedSpinner* delEHSpinner = nullptr;
  CheckedSpinner* delAngleSpinner = nullptr;
  std::string pointsNote;  // what became of the typed N, or "" when it is used
  FXCanvas* canvas = nullptr;

  // Result fields read these through their data targets at every GUI update.
  FXDataTarget dtClift{af.clift};
  FXDataTarget dtCmFocus{af.cmFocus};
  FXDataTarget dtXFocus{af.xFocus};
  FXDataTarget dtYFocus{af.yFocus};
  FXDataTarget dtMaxThick{af.maxThickSym};
  FXDataTarget dtCamber{af.camber};
  FXDataTarget dtAlphaZeroLift{af.alphaZeroLift};
};
