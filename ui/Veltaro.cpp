#include "Veltaro.h"

#include <cstdlib>
#include <cstring>

#include "BlCalc_2D.h"
#include "FlowWindow.h"
#include "PolarWindow.h"
#include "ResultField.h"
#include "caption.h"
#include "checked_spinner.h"
#include "clipboard_text.h"
#include "contour_file.h"
#include "fitting_points.h"
#include "fox_paint.h"
#include "plot_widgets.h"
#include "result_file.h"
#include "save_file.h"
#include "veltaro_version.h"

// clang-format off
FXDEFMAP(Veltaro) VeltaroMap[] = {
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_DEL_EH,    Veltaro::onCmdDelEH),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_ALGORITHM, Veltaro::onCmdAlgorithm),
  FXMAPFUNC(SEL_PAINT,   Veltaro::ID_CANVAS,    Veltaro::onPaintCanvas),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_SAVE,      Veltaro::onCmdSave),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_ALPHA,     Veltaro::onCmdInput),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_ER1,       Veltaro::onCmdInput),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_HR1,       Veltaro::onCmdInput),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_DEL_ANGLE, Veltaro::onCmdDelAngle),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_ABOUT,     Veltaro::onCmdAbout),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_NPOINTS,   Veltaro::onCmdPoints),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_BL_CALC,   Veltaro::onCmdBlCalc),
  FXMAPFUNC(SEL_CLOSE,   Veltaro::ID_BL_DIALOG, Veltaro::onBlDialogClose),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_EXPORT_CONTOUR, Veltaro::onCmdExportContour),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_SAVE_PICTURE,   Veltaro::onCmdSavePicture),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_POLAR,          Veltaro::onCmdPolar),
  FXMAPFUNCS(SEL_COMMAND, Veltaro::ID_WINDOW_AEROFOIL, Veltaro::ID_WINDOW_POLAR, Veltaro::onCmdWindow),
  FXMAPFUNCS(SEL_UPDATE,  Veltaro::ID_WINDOW_AEROFOIL, Veltaro::ID_WINDOW_POLAR, Veltaro::onUpdWindow),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_WINDOW_FLOW,    Veltaro::onCmdWindow),
  FXMAPFUNC(SEL_UPDATE,  Veltaro::ID_WINDOW_FLOW,    Veltaro::onUpdWindow),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_TILE,           Veltaro::onCmdTile),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_COPY_VALUES,    Veltaro::onCmdCopyValues),
  FXMAPFUNC(SEL_CLIPBOARD_REQUEST, 0,                Veltaro::onClipboardRequest),
  FXMAPFUNC(SEL_LEFTBUTTONPRESS, Veltaro::ID_CANVAS, Veltaro::onClickCanvas),
  FXMAPFUNCS(SEL_COMMAND, Veltaro::ID_SECTION_JOUKOWSKI, Veltaro::ID_OPEN_SECTION, Veltaro::onCmdSectionKind),
  FXMAPFUNCS(SEL_UPDATE,  Veltaro::ID_SECTION_JOUKOWSKI, Veltaro::ID_SECTION_NACA, Veltaro::onUpdSectionKind),
  FXMAPFUNC(SEL_COMMAND, Veltaro::ID_FLOW_VIEW,      Veltaro::onCmdFlowView),
};
// clang-format on

FXIMPLEMENT(Veltaro, FXMainWindow, VeltaroMap, ARRAYNUMBER(VeltaroMap))

namespace {

const char* const kPointsTip = "Contour intervals N, 8..1199";

// The smallest canvas whose plot keeps its labels apart: the axis title,
// the chord labels every 0.2 and every second pressure label or more.  It
// sets the window's minimum size; the window opens at its design size.
constexpr int kCanvasMinWidth = 260;
constexpr int kCanvasMinHeight = 280;

const char* const kReference =
    "I. H. Abbott, A. E. von Doenhoff. Theory of Wing Sections. McGraw-Hill, 1949.";

CheckedSpinner* addSpinner(FXComposite* grid, const char* label, FXObject* tgt, FXSelector id,
                           double lo, double hi, double incr, double value, const char* tip) {
  new FXLabel(grid, label, nullptr, JUSTIFY_RIGHT | LAYOUT_FILL_X | LAYOUT_CENTER_Y);
  const std::string name(label, std::strlen(label) - 1);  // "Alpha=" is Alpha
  auto* s = new CheckedSpinner(grid, 7, tgt, id, REALSPIN_NORMAL | FRAME_SUNKEN | FRAME_THICK, name.c_str());
  s->setRange(lo, hi);
  s->setIncrement(incr);
  s->setGranularity(0.001);
  s->setValue(value);
  if (tip) s->setTipText(tip);
  return s;
}

}  // namespace

Veltaro::Veltaro(FXApp* app)
    : FXMainWindow(app, "Joukowski Aerofoil", nullptr, nullptr,
                   DECOR_TITLE | DECOR_MINIMIZE | DECOR_MAXIMIZE | DECOR_BORDER | DECOR_STRETCHABLE |
                       DECOR_MENU,
                   0, 0, 600, 550, 0, 0, 0, 0, 0, 0),
      jobs_(app) {
  new FXToolTip(app, TOOLTIP_PERMANENT);

  auto* menubar = new FXMenuBar(this, LAYOUT_FILL_X);
  fileMenu = new FXMenuPane(this);
  new FXMenuCommand(fileMenu, "&About", nullptr, this, ID_ABOUT);
  new FXMenuCommand(fileMenu, "&Algorithm", nullptr, this, ID_ALGORITHM);
  new FXMenuSeparator(fileMenu);
  new FXMenuCommand(fileMenu, "&Export contour...", nullptr, this, ID_EXPORT_CONTOUR);
  new FXMenuCommand(fileMenu, "Save &picture...", nullptr, this, ID_SAVE_PICTURE);
  new FXMenuCommand(fileMenu, "&Polar...\tCtl-P", nullptr, this, ID_POLAR);
  new FXMenuCommand(fileMenu, "&Open section...", nullptr, this, ID_OPEN_SECTION);
  new FXMenuCommand(fileMenu, "&Flow view...\tCtl-F", nullptr, this, ID_FLOW_VIEW);
  new FXMenuSeparator(fileMenu);
  new FXMenuCommand(fileMenu, "&Quit\tCtl-Q", nullptr, app, FXApp::ID_QUIT);
  new FXMenuTitle(menubar, "&File", nullptr, fileMenu);
  sectionMenu = new FXMenuPane(this);
  new FXMenuRadio(sectionMenu, "&Joukowski", this, ID_SECTION_JOUKOWSKI);
  new FXMenuRadio(sectionMenu, "&Karman-Trefftz...", this, ID_SECTION_KT);
  new FXMenuRadio(sectionMenu, "&NACA...", this, ID_SECTION_NACA);
  new FXMenuTitle(menubar, "&Section", nullptr, sectionMenu);
  menus = addWindowMenus(menubar, this, this, ID_COPY_VALUES, this);

  new FXHorizontalSeparator(this, SEPARATOR_GROOVE | LAYOUT_FILL_X);
  // Before the body, which takes all the room left when it is laid out.
  statusLine = new TextLine(this, LAYOUT_SIDE_BOTTOM | FRAME_SUNKEN);
  auto* body = new FXHorizontalFrame(this, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4,
                                     4, 4);
  controls = new FXVerticalFrame(body, 0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
  auto* plotFrame = new FXVerticalFrame(body, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0, 0, 4, 4, 4, 4);

  auto* nGrid = new FXMatrix(controls, 2, MATRIX_BY_COLUMNS | FRAME_RIDGE);
  new FXLabel(nGrid, "N=");
  pointsField = new FXTextField(nGrid, 7, this, ID_NPOINTS,
                                FRAME_SUNKEN | FRAME_THICK);
  const aerofoil::SectionInputs start;
  pointsField->setText(FXStringVal(start.n));
  pointsField->setTipText(kPointsTip);

  // Another section than Joukowski's is named here; hidden for it.
  sectionName = new FXLabel(controls, "", nullptr, JUSTIFY_LEFT | LAYOUT_FILL_X);
  sectionName->hide();
  auto* inputBox = new FXGroupBox(controls, "Input Data:", FRAME_RIDGE | LAYOUT_FILL_X);
  auto* inputGrid = new FXMatrix(inputBox, 2, MATRIX_BY_COLUMNS);
  alphaSpinner = addSpinner(inputGrid, "Alpha=", this, ID_ALPHA, aerofoil::kAlphaMin, aerofoil::kAlphaMax,
                            0.1, start.alphaDeg, "Angle of attack");
  eSpinner = addSpinner(inputGrid, "e/R1=", this, ID_ER1, aerofoil::kEMin, aerofoil::kEMax, 0.02, start.eR1,
                        "This parameter defines value of max.thickness");
  hSpinner = addSpinner(inputGrid, "h/R1=", this, ID_HR1, aerofoil::kHMin, aerofoil::kHMax, 0.02, start.hR1,
                        "This parameter defines value of max.camber");

  auto* incrBox = new FXGroupBox(controls, "Increment:", FRAME_RIDGE | LAYOUT_FILL_X);
  auto* incrGrid = new FXMatrix(incrBox, 2, MATRIX_BY_COLUMNS);
  delEHSpinner = addSpinner(incrGrid, "Del e,h=", this, ID_DEL_EH, 0.001, 0.05, 0.01, 0.01, nullptr);
  delAngleSpinner =
      addSpinner(incrGrid, "Del Angle=", this, ID_DEL_ANGLE, 0.001, 5.0, 0.01, 0.1, nullptr);

  auto* resultBox = new FXGroupBox(controls, "Result:", FRAME_RIDGE | LAYOUT_FILL_X);
  auto* resultGrid = new FXMatrix(resultBox, 2, MATRIX_BY_COLUMNS);
  const struct {
    const char* label;
    FXDataTarget* target;
  } results[] = {{"Clift=", &dtClift},         {"Cmfocus=", &dtCmFocus},
                 {"Xfocus=", &dtXFocus},       {"Yfocus=", &dtYFocus},
                 {"MaxTh(sym)=", &dtMaxThick}, {"Camber=", &dtCamber},
                 {"Alpha(Cl=0)=", &dtAlphaZeroLift}};
  // Twelve columns hold the longest texts six significant digits give
  // ("-0.000247525", "-4.56789E-05").  The fields are read-only: they show
  // the solution, and a typed number would replace the exact result that
  // SAVE RESULT writes.
  for (const auto& r : results) {
    auto* label = new FXLabel(resultGrid, r.label, nullptr, JUSTIFY_RIGHT | LAYOUT_FILL_X | LAYOUT_CENTER_Y);
    if (r.target == &dtMaxThick) thicknessLabel = label;
    new ResultField(resultGrid, 12, r.target, FXDataTarget::ID_VALUE,
                    TEXTFIELD_REAL | JUSTIFY_LEFT | FRAME_SUNKEN | FRAME_THICK);
  }

  new FXButton(controls, "SAVE RESULT", nullptr, this, ID_SAVE,
               FRAME_RAISED | FRAME_THICK | LAYOUT_CENTER_X | JUSTIFY_BOTTOM, 0, 0, 300, 40);
  new FXButton(controls, "BL Calculation", nullptr, this, ID_BL_CALC,
               FRAME_RAISED | FRAME_THICK | LAYOUT_CENTER_X | JUSTIFY_BOTTOM, 0, 0, 300, 40);
  auto* legend = new FXLabel(controls, "Red  label - Pos.of focus ", nullptr, JUSTIFY_RIGHT);
  legend->setTextColor(FXRGB(255, 0, 0));

  canvas = new SizedCanvas(plotFrame, this, ID_CANVAS, FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y,
                           kCanvasMinWidth, kCanvasMinHeight);
  canvas->setDefaultCursor(app->getDefaultCursor(DEF_CROSSHAIR_CURSOR));
  valueLine = new ValueLine(plotFrame);
}

Veltaro::~Veltaro() {
  // The open boundary-layer window goes first: its destructor still
  // reaches this window.
  if (blOpenCount != 0 && blDialog) delete blDialog;
  delete polarWindow;  // stops its computation first
  delete flowWindow;
  delete fileMenu;
  delete sectionMenu;
  delete menus.edit;
  delete menus.window;
}

void Veltaro::create() {
  FXMainWindow::create();
  // The design size, or what the controls need with this toolkit's fonts if
  // that is more (the left column alone is taller than 550 pixels).  It
  // opens at the top left of the screen, so that the other windows have
  // the room beside it.
  frame_ = frameExtents(this);
  const WindowSize size{FXMAX(kDesignWidth, getDefaultWidth()) + frame_.left + frame_.right,
                        FXMAX(kDesignHeight, getDefaultHeight()) + frame_.top + frame_.bottom,
                        getDefaultWidth() + frame_.left + frame_.right, getDefaultHeight() + frame_.top + frame_.bottom};
  const ScreenRect at = innerRect(placeWindow(workArea(getApp()), size, {}), frame_);
  placeAt(this, at);
  show(PLACEMENT_DEFAULT);
  recompute();
}

void Veltaro::recompute() {
  std::string why;
  section_.model(eSpinner->getValue(), hSpinner->getValue(), requestedN, why).solve(alphaSpinner->getValue(), af);
  if (!why.empty()) statusLine->say(why.c_str());
  if (canvas->id()) {
    FXDCWindow dc(canvas);
    draw(dc);
  }
  computed = 1;
  // The marked point keeps its place on the contour and shows its new
  // values; a point beyond the new N goes.
  if (mark_.index > af.currentN) mark_ = {};
  showMarkedValues();
  // An open boundary-layer window says when its results belong to an
  // earlier section.
  if (blOpenCount != 0 && blDialog) blDialog->showMainSection(af);
  if (flowWindow) flowWindow->showSection(af);
  if (polarWindow) polarWindow->showMainSection(*section_.shared());
}

void Veltaro::draw(FXDCWindow& dc) {
  plot::PlotScale ps;
  paintDrawing(dc, getApp(),
               plot::aerofoilPicture(ps, af, canvas->getWidth(), canvas->getHeight(), mark_, &pickPoints_));
}

void Veltaro::showMarkedValues() {
  valueLine->say(mark_.valid() ? plot::aerofoilValueText(af, mark_.index).c_str() : "");
}

// A click on the plot marks the point of the pressure curve or the contour
// nearest to it.
long Veltaro::onClickCanvas(FXObject*, FXSelector, void* ptr) {
  const FXEvent* ev = static_cast<const FXEvent*>(ptr);
  if (!computed) return 1;
  mark_ = plot::nearestPoint(pickPoints_, ev->win_x, ev->win_y);
  showMarkedValues();
  canvas->update();
  canvas->setFocus();  // Ctrl-C copies the plot's values, not a field's text
  return 1;
}

long Veltaro::onCmdCopyValues(FXObject*, FXSelector, void*) {
  if (!computed) return 1;
  putOnClipboard(this, clipboard_, plot::aerofoilTable(af));
  return 1;
}

long Veltaro::onClipboardRequest(FXObject* sender, FXSelector sel, void* ptr) {
  if (answerClipboard(this, ptr, clipboard_)) return 1;
  return FXMainWindow::onClipboardRequest(sender, sel, ptr);
}

long Veltaro::onCmdDelEH(FXObject*, FXSelector, void*) {
  eSpinner->setIncrement(delEHSpinner->getValue());
  hSpinner->setIncrement(delEHSpinner->getValue());
  showNotes();
  return 1;
}

long Veltaro::onCmdDelAngle(FXObject*, FXSelector, void*) {
  alphaSpinner->setIncrement(delAngleSpinner->getValue());
  showNotes();
  return 1;
}

// The status line: what became of a typed N and of typed spinner values
// that were not used as typed, or nothing.
void Veltaro::showNotes() {
  std::string text = pointsNote;
  for (const CheckedSpinner* s : {alphaSpinner, eSpinner, hSpinner, delEHSpinner, delAngleSpinner}) {
    const std::string note = s->note();
    if (!note.empty()) text += (text.empty() ? "" : "; ") + note;
  }
  statusLine->say(text.c_str());
}

long Veltaro::onCmdAlgorithm(FXObject*, FXSelector, void*) {
  FXMessageBox::information(this, MBOX_OK, "Algorithm", "%s", kReference);
  return 1;
}

long Veltaro::onCmdAbout(FXObject*, FXSelector, void*) {
  FXMessageBox::information(this, MBOX_OK, "About", "%s", "Ver. " VELTARO_VERSION ".");
  return 1;
}

long Veltaro::onPaintCanvas(FXObject*, FXSelector, void* ptr) {
  auto* ev = static_cast<FXEvent*>(ptr);
  FXDCWindow dc(canvas, ev);
  dc.setForeground(fxcolorfromname("White"));
  dc.fillRectangle(ev->rect.x, ev->rect.y, ev->rect.w, ev->rect.h);
  if (computed) draw(dc);
  return 1;
}

long Veltaro::onCmdSave(FXObject*, FXSelector, void*) {
  const aerofoil::SaveOutcome out = aerofoil::saveResult(af, saveCount);
  if (!out.ok) {
    FXMessageBox::error(this, MBOX_OK, "SAVE RESULT", "%s", out.message.c_str());
    return 1;
  }
  // The file's name, so that the user knows which of the numbered files
  // holds this section.
  statusLine->say(("Saved " + std::string(FXPath::name(out.path.c_str()).text())).c_str());
  return 1;
}

long Veltaro::onCmdInput(FXObject*, FXSelector, void*) {
  showNotes();
  recompute();
  return 1;
}

long Veltaro::onCmdPoints(FXObject*, FXSelector, void*) {
  // The field keeps what was typed; the status line and the field's tip say
  // when a bound is used instead, or that the text is no whole number (the
  // count in use stays).  A count within the bounds is used as typed.
  double used = requestedN;
  pointsNote = spinnerNote("N", pointsField->getText().text(), aerofoil::kMinPoints, aerofoil::kMaxPoints,
                           requestedN, used, true);
  requestedN = static_cast<int>(used);
  pointsField->setTipText(pointsNote.empty() ? kPointsTip : pointsNote.c_str());
  showNotes();
  recompute();
  return 1;
}

// Hand the surface of the current section to the boundary-layer side:
// arc length and signed surface speed of points 0..N become contour points
// 1..N+1, the split finds the stagnation point, and a new boundary-layer
// window replaces the open one.  A contour that cannot be split is refused
// with a message, and the hand-over and the open window stay as they were.
long Veltaro::onCmdBlCalc(FXObject*, FXSelector, void*) {
  const bl::Status split = blSession.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y);
  if (!split.ok) {
    const std::string text =
        aerofoil::boundaryLayerFailure(af, split.message) + fittingNNote(*section_.shared(), af, split.message);
    FXMessageBox::error(this, MBOX_OK, "BL Calculation", "%s", text.c_str());
    return 1;
  }

  // A window the user has closed has already reset the count.
  // A new window replacing one takes its place; a first one goes where it
  // covers least.
  const bool replacing = blOpenCount != 0 && blDialog && blDialog->shown();
  const ScreenRect was = replacing ? screenRectOf(blDialog) : ScreenRect{};
  if (blDialog) blViscous = blDialog->viscous();
  if (blOpenCount != 0 && blDialog) delete blDialog;
  blDialog = new BlCalc_2D(this, blSession, jobs_, af, this, ID_BL_DIALOG, blViscous);
  blOpenCount = 1;
  blDialog->create();
  if (replacing)
    placeAt(blDialog, was);
  else
    placeNewWindow(blDialog, {BlCalc_2D::kOpenWidth, BlCalc_2D::kOpenHeight, blDialog->getDefaultWidth(),
                              blDialog->getDefaultHeight()});
  blDialog->show(PLACEMENT_DEFAULT);
  return 1;
}

// The user closed the boundary-layer window; it deletes itself once this
// returns 0.
long Veltaro::onBlDialogClose(FXObject*, FXSelector, void*) {
  if (blDialog) blViscous = blDialog->viscous();
  blOpenCount = 0;
  blDialog = nullptr;
  return 0;
}

// The polar of the current section (e/R1, h/R1, N) with the boundary-layer
// parameters of the session: one window, brought forward with the section
// of the moment each time.
long Veltaro::onCmdPolar(FXObject*, FXSelector, void*) {
  if (!polarWindow) {
    polarWindow = new PolarWindow(this, jobs_, blSession.parameters());
    polarWindow->create();
    placeNewWindow(polarWindow, {PolarWindow::kOpenWidth, PolarWindow::kOpenHeight, polarWindow->getDefaultWidth(),
                                 polarWindow->getDefaultHeight()});
  }
  polarWindow->open(section_.shared(), blSession.parameters());
  return 1;
}

long Veltaro::onCmdExportContour(FXObject*, FXSelector, void*) {
  const FXString path =
      chooseSaveFile(this, "Export contour", "contour.dat", "Selig contour (*.dat)\nAll files (*)");
  if (path.empty()) return 1;
  std::string why;
  if (!aerofoil::writeContourFile(af, path.text(), why))
    FXMessageBox::error(this, MBOX_OK, "Export contour", "%s", why.c_str());
  return 1;
}
