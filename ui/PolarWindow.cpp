// The polar window: fields, the computation on a worker thread, plots and
// the saved table.
#include "PolarWindow.h"

#include <cmath>
#include <exception>
#include <utility>

#include "atomic_file.h"
#include "caption.h"
#include "clipboard_text.h"
#include "fitting_points.h"
#include "fox_paint.h"
#include "number_text.h"
#include "operating_point.h"
#include "polar_plot.h"
#include "save_file.h"
#include "veltaro_version.h"

// clang-format off
FXDEFMAP(PolarWindow) PolarWindowMap[] = {
  FXMAPFUNCS(SEL_COMMAND, PolarWindow::ID_FROM, PolarWindow::ID_XTR_L, PolarWindow::onCmdField),
  FXMAPFUNCS(SEL_COMMAND, PolarWindow::ID_FREE_TRANSITION, PolarWindow::ID_TRIP, PolarWindow::onCmdTransition),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_VISCOUS, PolarWindow::onCmdViscous),
  FXMAPFUNCS(SEL_COMMAND, PolarWindow::ID_TURBULENCE, PolarWindow::ID_TURBULENCE_SA, PolarWindow::onCmdTurbulence),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_COMPUTE, PolarWindow::onCmdCompute),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_STOP,    PolarWindow::onCmdStop),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_SAVE,    PolarWindow::onCmdSave),
  FXMAPFUNC (SEL_PAINT,   PolarWindow::ID_CANVAS,  PolarWindow::onPaintCanvas),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_POINTS,  PolarWindow::onPoints),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_KEEP,       PolarWindow::onCmdKeep),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_CLEAR_KEPT, PolarWindow::onCmdClearKept),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_SAVE_PICTURE, PolarWindow::onCmdSavePicture),
  FXMAPFUNC (SEL_LEFTBUTTONPRESS, PolarWindow::ID_CANVAS, PolarWindow::onClickCanvas),
  FXMAPFUNC (SEL_COMMAND, PolarWindow::ID_COPY_VALUES, PolarWindow::onCmdCopyValues),
  FXMAPFUNC (SEL_CLIPBOARD_REQUEST, 0,                PolarWindow::onClipboardRequest),
};
// clang-format on

FXIMPLEMENT(PolarWindow, FXDialogBox, PolarWindowMap, ARRAYNUMBER(PolarWindowMap))

namespace {

const char* const kTitle = "Polar. Joukowski aerofoil.";

// The smallest canvas whose four plots keep their labels apart (each
// about 250 x 170 pixels) with the legend band of the kept polars; the six
// of a viscous polar are narrower there, and wider as the window grows.
constexpr int kCanvasMinWidth = 500;
constexpr int kCanvasMinHeight = 360;

// The boundary-layer parameter a field edits, for the fields that edit one.
bool parameterOf(int id, bl::Parameter& p) {
  switch (id) {
    case PolarWindow::ID_RE: p = bl::Parameter::ReMill; return true;
    case PolarWindow::ID_STR_U: p = bl::Parameter::StrU; return true;
    case PolarWindow::ID_STR_L: p = bl::Parameter::StrL; return true;
    case PolarWindow::ID_NP: p = bl::Parameter::Np; return true;
    default: return false;
  }
}

}  // namespace

PolarWindow::PolarWindow(FXWindow* windows, BackgroundJobs& jobs, const bl::ComputationParameters& params)
    : FXDialogBox(windows->getApp(), kTitle,
                  DECOR_TITLE | DECOR_BORDER | DECOR_MINIMIZE | DECOR_MAXIMIZE | DECOR_STRETCHABLE | DECOR_CLOSE |
                      DECOR_MENU,
                  0, 0, kOpenWidth, kOpenHeight, 10, 10, 10, 10, 4, 4),
      params_(params),
      jobs_(&jobs) {
  auto* menubar = new FXMenuBar(this, LAYOUT_FILL_X);
  fileMenu = new FXMenuPane(this);
  new FXMenuCommand(fileMenu, "Save p&olar...", nullptr, this, ID_SAVE);
  new FXMenuCommand(fileMenu, "Save &picture...", nullptr, this, ID_SAVE_PICTURE);
  new FXMenuSeparator(fileMenu);
  new FXMenuCommand(fileMenu, "&Close", nullptr, this, FXTopWindow::ID_CLOSE);
  new FXMenuTitle(menubar, "&File", nullptr, fileMenu);
  menus = addWindowMenus(menubar, this, this, ID_COPY_VALUES, windows);
  // A menu: the column of controls has no row to spare at the window's
  // smallest size.
  turbulence_ = std::make_unique<TurbulenceChoice>(menubar, this, this, ID_TURBULENCE, params.turbulence);
  new FXHorizontalSeparator(this, SEPARATOR_GROOVE | LAYOUT_FILL_X);
  buildWidgets();
  // The angles of a first look at a polar; the parameters as given.
  const struct {
    int id, decimals;
    double value;
  } start[] = {{ID_FROM, 3, -4.0},          {ID_TO, 3, 16.0},
               {ID_STEP, 3, 1.0},           {ID_RE, 3, params.re_mill},
               {ID_STR_U, 4, params.xtr_surf[0]}, {ID_STR_L, 4, params.xtr_surf[1]},
               {ID_NP, -1, static_cast<double>(params.np_in)},
               {ID_XTR_U, 4, params.xtr_xc[0].value_or(kTripStart)},
               {ID_XTR_L, 4, params.xtr_xc[1].value_or(kTripStart)}};
  for (const auto& s : start) {
    NumberField& f = field(s.id);
    f.decimals = s.decimals;
    f.value = s.value;
    showNumber(f);
  }
  tripButton->setCheck(params.xtr_xc[0] || params.xtr_xc[1]);
  showTransitionFields();
  updateControls();
}

PolarWindow::~PolarWindow() {
  stop();
  delete fileMenu;
  delete menus.edit;
  delete menus.window;
}

void PolarWindow::buildWidgets() {
  auto* body = new FXHorizontalFrame(this, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0, 0, 0, 0, 0, 0);
  // Rows 5 pixels apart: the controls of a viscous polar fit in the height
  // the plots take.
  auto* left = new FXVerticalFrame(body, LAYOUT_FILL_Y, 0, 0, 0, 0, 0, 4, 0, 0, 4, 5);

  sectionLabel = new FXLabel(left, " ", nullptr, JUSTIFY_LEFT | LAYOUT_FILL_X);
  auto* grid = new FXMatrix(left, 2, MATRIX_BY_COLUMNS | FRAME_RIDGE | LAYOUT_FILL_X);
  const char* const labels[kFields] = {"Alpha from", "Alpha to", "Alpha step", "Re(mill)",  "Str u",
                                       "Str l",      "Np",       "Trip x/c u", "Trip x/c l"};
  for (int id = ID_FROM; id <= ID_XTR_L; ++id) {
    field(id).label = labels[id - ID_FROM];
    new FXLabel(grid, field(id).label, nullptr, JUSTIFY_RIGHT | LAYOUT_FILL_X | LAYOUT_CENTER_Y);
    field(id).widget =
        new FXTextField(grid, 8, this, id, FRAME_SUNKEN | FRAME_THICK);
  }
  field(ID_NP).widget->setTipText("Normal grid points");
  for (int id : {ID_XTR_U, ID_XTR_L})
    field(id).widget->setTipText("With Trip at x/c: the chord position of the forced transition on the surface's side");
  freeButton = new FXCheckButton(left, "Free transition", this, ID_FREE_TRANSITION);
  freeButton->setTipText("Transition where the laminar layer separates or by Michel's criterion");
  // The trip under free transition, "Viscous" at the right of its row: the
  // column no wider than its buttons.
  auto* row = new FXHorizontalFrame(left, LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0);
  tripButton = new FXCheckButton(row, "Trip at x/c", this, ID_TRIP);
  tripButton->setTipText("Transition forced at the chord positions Trip x/c u and Trip x/c l at every angle, "
                         "unless laminar separation or Michel's criterion comes first");
  viscousButton = new FXCheckButton(row, "Viscous", this, ID_VISCOUS, CHECKBUTTON_NORMAL | LAYOUT_RIGHT);
  viscousButton->setTipText("The boundary layer and its wake acting back on the flow: viscous lift, drag, "
                            "lift-to-drag ratio and moment about the quarter chord");

  auto* buttons = new FXHorizontalFrame(left, LAYOUT_FILL_X | PACK_UNIFORM_WIDTH, 0, 0, 0, 0, 0, 0, 0, 0);
  computeButton = new FXButton(buttons, "Compute", nullptr, this, ID_COMPUTE,
                               FRAME_RAISED | FRAME_THICK | LAYOUT_FILL_X, 0, 0, 0, 0, 10, 10, 6, 6);
  stopButton = new FXButton(buttons, "Cancel", nullptr, this, ID_STOP,
                            FRAME_RAISED | FRAME_THICK | LAYOUT_FILL_X, 0, 0, 0, 0, 10, 10, 6, 6);
  progress = new FXProgressBar(left, nullptr, 0,
                               PROGRESSBAR_HORIZONTAL | FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X);
  // Two rows in the narrow column at most: the failures are listed in
  // full under the plots.
  statusLabel = new TextLine(left, 0, 2);
  saveButton = new FXButton(left, "Save polar...", nullptr, this, ID_SAVE,
                            FRAME_RAISED | FRAME_THICK | LAYOUT_FILL_X, 0, 0, 0, 0, 10, 10, 6, 6);
  auto* keeping = new FXHorizontalFrame(left, LAYOUT_FILL_X | PACK_UNIFORM_WIDTH, 0, 0, 0, 0, 0, 0, 0, 0);
  keepButton = new FXButton(keeping, "Keep", nullptr, this, ID_KEEP,
                            FRAME_RAISED | FRAME_THICK | LAYOUT_FILL_X, 0, 0, 0, 0, 10, 10, 6, 6);
  keepButton->setTipText("Keep this polar on the plots, in a muted colour, to compare the next ones with");
  clearKeptButton = new FXButton(keeping, "Clear kept", nullptr, this, ID_CLEAR_KEPT,
                                 FRAME_RAISED | FRAME_THICK | LAYOUT_FILL_X, 0, 0, 0, 0, 10, 10, 6, 6);

  auto* right = new FXVerticalFrame(body, LAYOUT_FILL_X | LAYOUT_FILL_Y, 0, 0, 0, 0, 0, 0, 0, 0);
  canvas = new SizedCanvas(right, this, ID_CANVAS, FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y,
                           kCanvasMinWidth, kCanvasMinHeight);
  canvas->setDefaultCursor(getApp()->getDefaultCursor(DEF_CROSSHAIR_CURSOR));
  valueLine = new ValueLine(right);
  new FXLabel(right, "Angles without a drag estimate or not converged:", nullptr, JUSTIFY_LEFT | LAYOUT_FILL_X);
  gapsText = new FXText(right, nullptr, 0,
                        TEXT_READONLY | TEXT_WORDWRAP | FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X |
                            LAYOUT_FIX_HEIGHT,
                        0, 0, 0, 70);
}

void PolarWindow::open(const std::shared_ptr<const aerofoil::SectionModel>& section,
                       const bl::ComputationParameters& params) {
  section_ = section->inputs();
  model_ = section;
  mainSection_ = sectionText(*section);
  setTitle(model_->name().empty() ? FXString(kTitle) : FXString(("Polar. " + model_->name() + ".").c_str()));
  params_ = params;
  if (!shown()) show(PLACEMENT_DEFAULT);
  raise();
  start();
}

FXbool PolarWindow::close(FXbool) {
  hide();
  return TRUE;
}

// A running computation is told to stop; its thread is joined when it has
// ended (onPoints), so the window goes at once.
void PolarWindow::hide() {
  if (running_) {
    job_->cancel = true;
    cancelled_ = true;
  }
  FXDialogBox::hide();
}

std::string PolarWindow::accepted(int id) const {
  bl::Parameter p;
  if (parameterOf(id, p)) return bl::accepted_range(p);
  if (id == ID_STEP) return "a number other than 0";
  if (id == ID_XTR_U || id == ID_XTR_L) return "a number with " + bl::trip_range_in_short();
  return "a number from " + std::string(fixedText(aerofoil::kAlphaMin, -1).text()) + " to " +
         fixedText(aerofoil::kAlphaMax, -1).text() + " degrees";
}

std::string PolarWindow::refusal(int id, double v) const {
  bl::Parameter p;
  bool ok;
  if (parameterOf(id, p)) {
    bl::ComputationParameters params = parametersOfFields();
    bl::assign(params, p, v);
    const bl::Status s = bl::validate_parameters(params);
    if (!s.ok && s.message.rfind("the normal grid", 0) == 0) return refusedWith(field(id).label, v, s.message);
    ok = s.ok;
  } else {
    const bool trip = id == ID_XTR_U || id == ID_XTR_L;
    ok = id == ID_STEP ? v != 0
         : trip        ? (v > 0 && v <= bl::kTripXcMax)
                       : (v >= aerofoil::kAlphaMin && v <= aerofoil::kAlphaMax);
  }
  return ok ? std::string() : outOfRange(field(id).label, v, accepted(id));
}

bl::ComputationParameters PolarWindow::parametersOfFields() const {
  bl::ComputationParameters p = params_;
  p.re_mill = field(ID_RE).value;
  p.np_in = static_cast<int>(field(ID_NP).value);
  const bool free = freeButton->getCheck() == TRUE;
  p.xtr_surf[0] = free ? kFreeTransition : field(ID_STR_U).value;
  p.xtr_surf[1] = free ? kFreeTransition : field(ID_STR_L).value;
  const bool trip = !free && tripButton->getCheck() == TRUE;
  p.turbulence = turbulence_->model(viscousButton->getCheck() == TRUE);
  for (int i = 0; i < 2; ++i) {
    p.xtr_xc[i].reset();
    if (trip) p.xtr_xc[i] = field(i == 0 ? ID_XTR_U : ID_XTR_L).value;
  }
  return p;
}

// A committed field: kept when it is a number the polar can use (it takes
// effect at the next computation), otherwise refused.
long PolarWindow::onCmdField(FXObject*, FXSelector sel, void*) {
  const int id = FXSELID(sel);
  commitNumber(this, field(id), accepted(id), [&](double v) { return refusal(id, v); });
  return 1;
}

// Free transition and the trip at x/c exclude each other: checking one
// clears the other.
long PolarWindow::onCmdTransition(FXObject*, FXSelector sel, void*) {
  FXCheckButton* other = FXSELID(sel) == ID_TRIP ? freeButton : tripButton;
  if (FXSELID(sel) == ID_TRIP ? tripButton->getCheck() == TRUE : freeButton->getCheck() == TRUE)
    other->setCheck(FALSE);
  showTransitionFields();
  return 1;
}

// Free transition: the fields of the forced arc lengths show where the
// forced transition now lies and cannot be edited.  Tripped at x/c: the
// chord positions are edited, the arc lengths rest.  Neither: the arc
// lengths show their own values again and are edited.
void PolarWindow::showTransitionFields() {
  const bool free = freeButton->getCheck() == TRUE, trip = tripButton->getCheck() == TRUE;
  for (int id : {ID_STR_U, ID_STR_L}) {
    NumberField& f = field(id);
    f.widget->setText(fixedText(free ? kFreeTransition : f.value, f.decimals));
    if (free || trip)
      f.widget->disable();
    else
      f.widget->enable();
  }
  for (int id : {ID_XTR_U, ID_XTR_L}) {
    if (trip)
      field(id).widget->enable();
    else
      field(id).widget->disable();
  }
}

long PolarWindow::onCmdViscous(FXObject*, FXSelector, void*) {
  turbulence_->follow(viscousButton->getCheck() == TRUE);
  return 1;
}

// Taken at the next Compute, as the fields are.
long PolarWindow::onCmdTurbulence(FXObject*, FXSelector sel, void*) {
  turbulence_->pick(static_cast<int>(FXSELID(sel) - ID_TURBULENCE));
  return 1;
}

long PolarWindow::onCmdCompute(FXObject*, FXSelector, void*) {
  start();
  return 1;
}

void PolarWindow::updateControls() {
  if (running_ && !cancelled_)
    stopButton->enable();
  else
    stopButton->disable();
  if (!running_ && !points_.empty())
    saveButton->enable();
  else
    saveButton->disable();
  // A finished polar can be kept, once, while fewer than five are.
  if (!running_ && !points_.empty() && !keptShown_ && static_cast<int>(kept_.size()) < plot::kMaxKept)
    keepButton->enable();
  else
    keepButton->disable();
  if (kept_.empty())
    clearKeptButton->disable();
  else
    clearKeptButton->enable();
}

void PolarWindow::redraw() {
  if (!canvas->id()) return;
  FXDCWindow dc(canvas);
  plot::Drawing d = plot::polarPicture(points_, alphaFrom_, alphaTo_, canvas->getWidth(), canvas->getHeight(), kept_,
                                       setup_, mark_, &pickPoints_);
  int x, y;
  if (plot::operatingPointPixel(pickPoints_, points_, operatingAlpha_, x, y)) plot::drawOperatingPoint(d, x, y);
  paintDrawing(dc, getApp(), d);
}

void PolarWindow::showOperatingPoint(const aerofoil::SectionModel* section, double alphaDeg) {
  const double shown = section == model_.get() ? alphaDeg : NAN;
  if (shown == operatingAlpha_ || (std::isnan(shown) && std::isnan(operatingAlpha_))) return;
  operatingAlpha_ = shown;
  if (this->shown()) redraw();
}

void PolarWindow::showMarkedValues() {
  valueLine->say(plot::polarValueText(mark_, points_, kept_, setup_).c_str());
}

long PolarWindow::onClickCanvas(FXObject*, FXSelector, void* ptr) {
  const FXEvent* ev = static_cast<const FXEvent*>(ptr);
  mark_ = plot::nearestPoint(pickPoints_, ev->win_x, ev->win_y);
  showMarkedValues();
  redraw();
  canvas->setFocus();  // Ctrl-C copies the plot's values, not a field's text
  return 1;
}

long PolarWindow::onCmdKeep(FXObject*, FXSelector, void*) {
  if (running_ || points_.empty() || keptShown_ || static_cast<int>(kept_.size()) >= plot::kMaxKept) return 1;
  kept_.push_back({points_, setup_});
  keptShown_ = true;
  updateControls();
  redraw();
  return 1;
}

long PolarWindow::onCmdClearKept(FXObject*, FXSelector, void*) {
  kept_.clear();
  keptShown_ = false;
  if (plot::polarSeriesOf(mark_.series).kept >= 0) mark_ = {};
  showMarkedValues();
  updateControls();
  redraw();
  return 1;
}

long PolarWindow::onCmdCopyValues(FXObject*, FXSelector, void*) {
  if (points_.empty()) return 1;
  putOnClipboard(this, clipboard_, plot::polarTable(points_, shown_.viscous));
  return 1;
}

long PolarWindow::onClipboardRequest(FXObject* sender, FXSelector sel, void* ptr) {
  if (answerClipboard(this, ptr, clipboard_)) return 1;
  return FXDialogBox::onClipboardRequest(sender, sel, ptr);
}

long PolarWindow::onPaintCanvas(FXObject*, FXSelector, void*) {
  redraw();
  return 1;
}

// The table of the points shown, as veltaro-cli --sweep ... --bl (with
// --viscous for a viscous polar) prints it;
// an existing file is replaced only when the user says so, and whole.
long PolarWindow::onCmdSave(FXObject*, FXSelector, void*) {
  if (running_ || points_.empty()) return 1;
  const char* const caption = "Save polar";
  const FXString path = chooseSaveFile(this, caption, "polar.txt", "Polar table (*.txt)\nAll files (*)");
  if (path.empty()) return 1;
  std::string why;
  const std::string text =
      polar::settingsHeader(shown_, "Veltaro " VELTARO_VERSION) + polar::tableText(points_, true, shown_.viscous);
  if (!files::writeAtomically(path.text(), text, why))
    FXMessageBox::error(this, MBOX_OK, caption, "%s", why.c_str());
  return 1;
}
