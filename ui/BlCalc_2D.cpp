// The boundary-layer dialog: parameter fields, computations through the session, plots.
#include "BlCalc_2D.h"

#include <optional>
#include <string>
#include <vector>

#include "caption.h"
#include "clipboard_text.h"
#include "fox_paint.h"
#include "number_text.h"

// clang-format off
FXDEFMAP(BlCalc_2D) BlCalc_2DMap[] = {
  FXMAPFUNC (SEL_COMMAND, BlCalc_2D::ID_ALGO,        BlCalc_2D::onCmdAlgo),
  FXMAPFUNC (SEL_PAINT,   BlCalc_2D::ID_CANVAS_QTY,  BlCalc_2D::onPaintCanvas),
  FXMAPFUNC (SEL_PAINT,   BlCalc_2D::ID_CANVAS_UE,   BlCalc_2D::onPaintCanvas),
  FXMAPFUNCS(SEL_COMMAND, BlCalc_2D::ID_UPPER_CF,    BlCalc_2D::ID_UPPER_RV,  BlCalc_2D::onCmdUpperQuantity),
  FXMAPFUNCS(SEL_COMMAND, BlCalc_2D::ID_LOWER_CF,    BlCalc_2D::ID_LOWER_RV,  BlCalc_2D::onCmdLowerQuantity),
  FXMAPFUNCS(SEL_COMMAND, BlCalc_2D::ID_UPPER_SURF,  BlCalc_2D::ID_LOWER_SURF, BlCalc_2D::onCmdSurface),
  FXMAPFUNCS(SEL_COMMAND, BlCalc_2D::ID_RE,          BlCalc_2D::ID_STR_L,     BlCalc_2D::onCmdField),
  FXMAPFUNC (SEL_COMMAND, BlCalc_2D::ID_RECALC,      BlCalc_2D::onCmdRecalc),
  FXMAPFUNC (SEL_CHORE,   BlCalc_2D::ID_SHOW_OUTCOME, BlCalc_2D::onShowOutcome),
  FXMAPFUNC (SEL_COMMAND, BlCalc_2D::ID_SAVE_PICTURE, BlCalc_2D::onCmdSavePicture),
  FXMAPFUNC (SEL_LEFTBUTTONPRESS, BlCalc_2D::ID_CANVAS_UE,  BlCalc_2D::onClickCanvas),
  FXMAPFUNC (SEL_LEFTBUTTONPRESS, BlCalc_2D::ID_CANVAS_QTY, BlCalc_2D::onClickCanvas),
  FXMAPFUNC (SEL_COMMAND, BlCalc_2D::ID_COPY_VALUES, BlCalc_2D::onCmdCopyValues),
  FXMAPFUNC (SEL_CLIPBOARD_REQUEST, 0,               BlCalc_2D::onClipboardRequest),
  FXMAPFUNC (SEL_COMMAND, BlCalc_2D::ID_CANCEL,      BlCalc_2D::onCmdCancel),
  FXMAPFUNC (SEL_COMMAND, BlCalc_2D::ID_VISCOUS_JOB, BlCalc_2D::onViscousJob),
  FXMAPFUNC (SEL_COMMAND, BlCalc_2D::ID_VISCOUS,     BlCalc_2D::onCmdViscous),
  FXMAPFUNCS(SEL_COMMAND, BlCalc_2D::ID_TURBULENCE, BlCalc_2D::ID_TURBULENCE_SA, BlCalc_2D::onCmdTurbulence),
};
// clang-format on

FXIMPLEMENT(BlCalc_2D, FXDialogBox, BlCalc_2DMap, ARRAYNUMBER(BlCalc_2DMap))

namespace {

const char* const kTitle = "Boundary Layer. Joukowski aerofoil.";
const char* const kAlgorithm = "The finite-difference method of the boundary layer calculation.";


// The smallest plots that keep their labels apart: the title with the
// legend of the edge velocity, the s labels, every second value label.
constexpr int kCanvasMinWidth = 300;
constexpr int kCanvasMinHeight = 180;

// Text columns of the fields: the parameters take "100000.000" (Re of
// 1e11) or a grid of 821 points, the positions arc lengths of a few chords
// in four decimals ("12.3456").
constexpr int kParameterColumns = 10;
constexpr int kPositionColumns = 8;

const FXColor kRed = FXRGB(255, 0, 0);

// "Section: alpha 12, e/R1 0.131, h/R1 0, N 256", the values as the
// aerofoil window's fields show them (six significant digits), so that a
// section counts as changed when what the user sees has changed.
std::string sectionText(const aerofoil::Joukowski& af) {
  return plot::sectionCaption(af);
}

// The window's title: the Joukowski section's, or another section's name.
FXString titleOf(const aerofoil::Joukowski& af) {
  return af.name.empty() ? FXString(kTitle) : FXString(("Boundary Layer. " + af.name + ".").c_str());
}

// The parameter a field edits.
bl::Parameter parameterOf(int id) { return static_cast<bl::Parameter>(id - BlCalc_2D::ID_RE); }

}  // namespace

// The cautions of a computation on one line, for the status line.
std::string BlCalc_2D::cautionLine(const std::vector<std::string>& cautions) {
  std::string line;
  for (const std::string& c : cautions) line += (line.empty() ? "" : "; ") + c;
  return line;
}

// A message of several lines on one.
std::string BlCalc_2D::oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n') c = ' ';
  return text;
}

BlCalc_2D::BlCalc_2D(FXWindow* windows, bl::Session& session, BackgroundJobs& jobs,
                     const aerofoil::Joukowski& handed, FXObject* tgt, FXSelector sel, bool viscous)
    : FXDialogBox(windows->getApp(), titleOf(handed),
                  DECOR_TITLE | DECOR_BORDER | DECOR_MINIMIZE | DECOR_MAXIMIZE | DECOR_STRETCHABLE | DECOR_MENU,
                  0, 0, kOpenWidth, kOpenHeight, 10, 10, 10, 10, 4, 4),
      session_(&session),
      jobs_(&jobs),
      section_(handed),
      handedSection(sectionText(handed)) {
  setTarget(tgt);
  setSelector(sel);
  buildWidgets();
  menus = addWindowMenus(menuBar_, this, this, ID_COPY_VALUES, windows);
  // A menu, as in the polar window: the section line's row keeps its width
  // for the section and the "Viscous interaction" box.
  turbulence_ = std::make_unique<TurbulenceChoice>(menuBar_, this, this, ID_TURBULENCE, session.parameters().turbulence);
  showMainSection(handed);

  // Parameters as the session holds them.
  const bl::ComputationParameters& p = session.parameters();
  fields[ID_RE - ID_RE].value = p.re_mill;
  fields[ID_ETAE - ID_RE].value = p.eta_e;
  fields[ID_KV - ID_RE].value = p.kv;
  fields[ID_NP - ID_RE].value = p.np_in;
  fields[ID_CFS - ID_RE].value = p.cfs_sqrt_re;
  for (const NumberField& f : fields) showNumber(f);

  // Both surfaces of the contour just split; the inverse mode may start
  // anywhere up to the trailing edge until the march forecasts separation.
  // If a pass fails there are no results for this contour: the window opens
  // on the inviscid edge velocity alone, and says why once it is on the
  // screen.  With interaction, the viscous analysis of the section, in the
  // background: the window opens on the split alone and shows the results
  // when the analysis ends.
  for (bl::Surface which : bl::kBothSurfaces) bare_[bl::index(which)] = session.split_surface(which);
  viscousButton->setCheck(viscous);
  turbulence_->follow(viscous);
  if (viscous) {
    showResults(false);
    opening_ = true;
    startViscous();
    updateButtons();
    return;
  }
  const bl::Status st = session.new_computation();
  computed = st.ok;
  if (!st.ok) {
    failure = failureText(st, session.failed_surface());
    showStatus("No results. " + oneLine(failure) +
               " (Str u and Str l show the transition positions it started from.)");
  }
  notes = cautionText();
  if (computed) showStatus(cautionLine(session.cautions()));
  showResults(computed);
  if (!failure.empty() || !notes.empty()) getApp()->addChore(this, ID_SHOW_OUTCOME);
  updateButtons();
}

BlCalc_2D::~BlCalc_2D() {
  jobs_->release(job_);  // it stops on its own; nothing of it reaches this window
  getApp()->removeChore(this, ID_SHOW_OUTCOME);
  delete fileMenu;
  delete menus.edit;
  delete menus.window;
}

void BlCalc_2D::showMainSection(const aerofoil::Joukowski& current) {
  if (sectionText(current) == handedSection) {
    sectionLine->say(handedSection.c_str());
    sectionLine->setTextColor(getApp()->getForeColor());
  } else {
    sectionLine->say((handedSection +
                      "\n(earlier section: press BL Calculation in the main window to compute "
                      "the current one)")
                         .c_str());
    sectionLine->setTextColor(kRed);
  }
}

void BlCalc_2D::showStatus(const std::string& text) { statusLine->say(text.c_str()); }

void BlCalc_2D::buildWidgets() {
  auto* menubar = new FXMenuBar(this, LAYOUT_FILL_X);
  menuBar_ = menubar;
  fileMenu = new FXMenuPane(this);
  new FXMenuCommand(fileMenu, "&Algorithm", nullptr, this, ID_ALGO);
  new FXMenuCommand(fileMenu, "Save &picture...", nullptr, this, ID_SAVE_PICTURE);
  new FXMenuSeparator(fileMenu);
  new FXMenuCommand(fileMenu, "&Quit\tCtl-Q", nullptr, this, FXTopWindow::ID_CLOSE);
  new FXMenuTitle(menubar, "&File", nullptr, fileMenu);
  // The marker legend at the right of the menu bar, after the Edit and
  // Window menus (packed from the right edge: the last label first).
  auto* red = new FXLabel(menubar, "      Red  label - Pos.of separation ", nullptr, LAYOUT_RIGHT);
  red->setTextColor(FXRGB(255, 0, 0));
  auto* blue = new FXLabel(menubar, "Blue label - Pos.of transition.", nullptr, LAYOUT_RIGHT);
  blue->setTextColor(FXRGB(0, 0, 255));

  new FXHorizontalSeparator(this, SEPARATOR_GROOVE | LAYOUT_FILL_X);
  // At the bottom, before the body takes the room that is left: the status
  // line (one blank text line high while all is well), the section line
  // above it.
  statusLine = new TextLine(this, LAYOUT_SIDE_BOTTOM | FRAME_SUNKEN);
  statusLine->setTextColor(kRed);
  // The section line shares its row with "Viscous interaction", at the
  // right, which thus takes no height from the plots and the fields.
  auto* sectionRow = new FXHorizontalFrame(this, LAYOUT_SIDE_BOTTOM | LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  viscousButton = new FXCheckButton(sectionRow, "Viscous interaction", this, ID_VISCOUS,
                                    CHECKBUTTON_NORMAL | LAYOUT_RIGHT | LAYOUT_CENTER_Y);
  viscousButton->setTipText("Recalculate with the boundary layer and its wake acting back on the flow: "
                            "viscous lift, moment and drag");
  sectionLine = new TextLine(sectionRow, 0);
  auto* body = new FXHorizontalFrame(this, LAYOUT_FILL_X | LAYOUT_FILL_Y);
  auto* left = new FXVerticalFrame(body);

  auto* grid = new FXMatrix(left, 2, MATRIX_BY_COLUMNS);
  const struct {
    const char* label;
    int id;
  } params[] = {{"Re(mill)", ID_RE}, {"ETAe", ID_ETAE}, {"Kv", ID_KV}, {"Np", ID_NP},
                {"Cfs*sqrt(Re)", ID_CFS}};
  for (const auto& p : params) addField(grid, p.label, kParameterColumns, p.id);
  fields[ID_NP - ID_RE].decimals = -1;

  const struct {
    const char* surface;
    int surfaceId, firstQuantity, strId, sinvId;
    const char *str, *sinv;
  } groups[2] = {{"Upper surf.", ID_UPPER_SURF, ID_UPPER_CF, ID_STR_U, ID_SINV_U, "Str u", "Sinv u"},
                 {"Lower surf.", ID_LOWER_SURF, ID_LOWER_CF, ID_STR_L, ID_SINV_L, "Str l", "Sinv l"}};
  const char* const quantityLabels[4] = {"Cf(s)", "D1(s)", "D2(s)", "H12(s)"};
  for (int s = 0; s <= 1; ++s) {
    const auto& g = groups[s];
    auto* box = new FXGroupBox(left, "", FRAME_RIDGE | LAYOUT_FILL_X);
    surfaceButton[s] = new FXRadioButton(box, g.surface, this, g.surfaceId);
    auto* inner = new FXGroupBox(box, "", FRAME_GROOVE | LAYOUT_FILL_X);
    for (int q = 0; q < 4; ++q)
      quantityButton[s][q] = new FXRadioButton(inner, quantityLabels[q], this, g.firstQuantity + q);
    auto* positions = new FXMatrix(box, 2, MATRIX_BY_COLUMNS);
    addField(positions, g.str, kPositionColumns, g.strId);
    fields[g.strId - ID_RE].decimals = 4;
    sinvField[s] = addField(positions, g.sinv, kPositionColumns, g.sinvId);
  }

  auto* recalcFrame = new FXVerticalFrame(left, LAYOUT_FILL_X | LAYOUT_FILL_Y);
  // Cancel beside Recalculate, in the row's height: the window is no taller.
  auto* recalcRow = new FXHorizontalFrame(recalcFrame, LAYOUT_CENTER_X | LAYOUT_BOTTOM, 0, 0, 0, 0, 0, 0, 0, 0);
  new FXButton(recalcRow, "Recalculate", nullptr, this, ID_RECALC, FRAME_RAISED | FRAME_THICK | JUSTIFY_BOTTOM);
  cancelButton = new FXButton(recalcRow, "Cancel", nullptr, this, ID_CANCEL, FRAME_RAISED | FRAME_THICK | JUSTIFY_BOTTOM);
  cancelButton->setTipText("Stop the viscous analysis that is running; the results before stay");

  auto* right = new FXVerticalFrame(body, FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y);
  const FXuint canvasOpts = FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y;
  canvasUe = new SizedCanvas(right, this, ID_CANVAS_UE, canvasOpts, kCanvasMinWidth, kCanvasMinHeight);
  valueLine[0] = new ValueLine(right);
  canvasQty = new SizedCanvas(right, this, ID_CANVAS_QTY, canvasOpts, kCanvasMinWidth, kCanvasMinHeight);
  valueLine[1] = new ValueLine(right);
  // Under the plots, while the results shown are a viscous analysis's, its
  // lift, moment and drag (selectable, to copy).
  resultFrame = new FXHorizontalFrame(right, LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0);
  resultLine = new ValueLine(resultFrame);
  resultFrame->hide();
  for (FXCanvas* c : {canvasUe, canvasQty}) c->setDefaultCursor(getApp()->getDefaultCursor(DEF_CROSSHAIR_CURSOR));
}

FXTextField* BlCalc_2D::addField(FXComposite* grid, const char* label, int columns, FXSelector id) {
  new FXLabel(grid, label, nullptr, JUSTIFY_RIGHT | LAYOUT_FILL_X | LAYOUT_CENTER_Y);
  // Sinv u and Sinv l are results: they show where the inverse mode
  // started and take no typing.
  const bool output = id == ID_SINV_U || id == ID_SINV_L;
  auto* tf = new FXTextField(grid, columns, this, id,
                             FRAME_SUNKEN | FRAME_THICK | (output ? TEXTFIELD_READONLY : 0));
  if (output) tf->setTipText("Computed: where the march switched to the inverse mode");
  if (id >= ID_RE && id <= ID_STR_L) {
    fields[id - ID_RE].widget = tf;
    fields[id - ID_RE].label = label;
  }
  return tf;
}

// "Str" and "Sinv" of a surface: the positions the last pass used.  With no
// computed results Sinv is empty (it is only ever a result) and Str, in
// grey, the position the computation started from.
void BlCalc_2D::showPositions(bl::Surface which) {
  const int s = bl::index(which);
  const bl::ComputationParameters& p = session_->parameters();
  NumberField& str = fields[(s == 0 ? ID_STR_U : ID_STR_L) - ID_RE];
  str.value = p.xtr_surf[s];
  showNumber(str);
  str.widget->setTextColor(computed ? getApp()->getForeColor() : getApp()->getShadowColor());
  str.widget->setTipText(
      computed ? "" : "Not computed: the transition position the computation started from");
  // With interaction the parameters keep the positions given; the march's
  // own start of the inverse mode is the result's.
  const double sinv = viscous_ ? shownSurface(which).xinv : p.xinv_surf[s];
  sinvField[s]->setText(computed ? fixedText(sinv, 4) : FXString());
  showTextStart(sinvField[s]);
}

void BlCalc_2D::showResults(bool wasComputed) {
  computed = wasComputed;
  for (bl::Surface which : bl::kBothSurfaces) {
    showPositions(which);
    plotState.update(which, shownSurface(which), computed);
    plotState.bare[bl::index(which)] = viscous_ ? bare_[bl::index(which)] : bl::SurfaceValues{};
  }
  if (!viscous_) resultFrame->hide();
  shownTurbulence_ = viscous_ ? viscousTurbulence_ : session_->parameters().turbulence;
}

const viscous::DisplacementBody* BlCalc_2D::displacementBody(const aerofoil::Joukowski& current) const {
  return viscous_ && sectionText(current) == handedSection ? &viscous_->body : nullptr;
}

std::string BlCalc_2D::failureText(const bl::Status& st, std::optional<bl::Surface> failed) const {
  const std::string why = aerofoil::boundaryLayerFailure(section_, st.message);
  if (!failed) return why;
  return std::string("Boundary-layer pass over the ") + bl::name(*failed) + ":\n" + why;
}

std::string BlCalc_2D::cautionText() const {
  std::string text;
  for (const std::string& c : shownCautions()) text += c + "\n";
  return text;
}

long BlCalc_2D::onShowOutcome(FXObject*, FXSelector, void*) {
  if (!failure.empty())
    FXMessageBox::error(this, MBOX_OK, "Boundary layer", "%s", failure.c_str());
  else if (!notes.empty())
    FXMessageBox::information(this, MBOX_OK, "Boundary layer", "%s", notes.c_str());
  failure.clear();
  notes.clear();
  return 1;
}

long BlCalc_2D::onCmdAlgo(FXObject*, FXSelector, void*) {
  FXMessageBox::information(this, MBOX_OK, "Algorithm", "%s", kAlgorithm);
  return 1;
}

void BlCalc_2D::drawEdgeVelocity() {
  if (!canvasUe->id()) return;
  FXDCWindow dc(canvasUe);
  paintDrawing(dc, getApp(),
               plot::edgeVelocityPlot(plotState, canvasUe->getWidth(), canvasUe->getHeight(), mark_[0],
                                      &pickPoints_[0]));
}

// The quantity plot takes its size from the edge-velocity canvas; the two
// are laid out alike.
void BlCalc_2D::drawQuantity() {
  if (!canvasQty->id()) return;
  FXDCWindow dc(canvasQty);
  paintDrawing(dc, getApp(),
               plot::quantityPlot(plotState, canvasUe->getWidth(), canvasUe->getHeight(), mark_[1],
                                  &pickPoints_[1]));
}

void BlCalc_2D::clearMarks() {
  for (int k = 0; k < 2; ++k) {
    mark_[k] = {};
    valueLine[k]->say("");
  }
}

// A click on a plot marks its node nearest to the click and shows the
// node's values under the plot.
long BlCalc_2D::onClickCanvas(FXObject*, FXSelector sel, void* ptr) {
  const FXEvent* ev = static_cast<const FXEvent*>(ptr);
  const int k = FXSELID(sel) == ID_CANVAS_UE ? 0 : 1;
  mark_[k] = plot::nearestPoint(pickPoints_[k], ev->win_x, ev->win_y);
  valueLine[k]->say(
      mark_[k].valid() ? plot::blValueText(plotState, k == 0, mark_[k].index, mark_[k].series).c_str() : "");
  if (k == 0)
    drawEdgeVelocity();
  else
    drawQuantity();
  (k == 0 ? canvasUe : canvasQty)->setFocus();  // Ctrl-C copies the plot's values, not a field's text
  return 1;
}

long BlCalc_2D::onCmdCopyValues(FXObject*, FXSelector, void*) {
  putOnClipboard(this, clipboard_, plot::blTable(plotState));
  return 1;
}

long BlCalc_2D::onClipboardRequest(FXObject* sender, FXSelector sel, void* ptr) {
  if (answerClipboard(this, ptr, clipboard_)) return 1;
  return FXDialogBox::onClipboardRequest(sender, sel, ptr);
}

// Only the canvas that was exposed is drawn again.
long BlCalc_2D::onPaintCanvas(FXObject*, FXSelector sel, void*) {
  if (FXSELID(sel) == ID_CANVAS_UE)
    drawEdgeVelocity();
  else
    drawQuantity();
  return 1;
}

void BlCalc_2D::updateButtons() {
  const int sel = bl::index(plotState.surface);
  for (int s = 0; s <= 1; ++s) {
    surfaceButton[s]->enable();
    surfaceButton[s]->setCheck(s == sel);
    const int q = plotState.quantity[s];
    for (int b = 0; b < 4; ++b) {
      if (s == sel)
        quantityButton[s][b]->enable();
      else
        quantityButton[s][b]->disable();
      quantityButton[s][b]->setCheck(b == q);
    }
  }
  if (computing())
    cancelButton->enable();
  else
    cancelButton->disable();
}

long BlCalc_2D::onCmdUpperQuantity(FXObject*, FXSelector sel, void*) {
  plotState.quantity[0] = FXSELID(sel) - ID_UPPER_CF;
  mark_[1] = {};
  valueLine[1]->say("");
  drawQuantity();
  updateButtons();
  return 1;
}

long BlCalc_2D::onCmdLowerQuantity(FXObject*, FXSelector sel, void*) {
  plotState.quantity[1] = FXSELID(sel) - ID_LOWER_CF;
  mark_[1] = {};
  valueLine[1]->say("");
  drawQuantity();
  updateButtons();
  return 1;
}

long BlCalc_2D::onCmdSurface(FXObject*, FXSelector sel, void*) {
  plotState.surface = (FXSELID(sel) == ID_UPPER_SURF) ? bl::Surface::upper : bl::Surface::lower;
  clearMarks();
  updateButtons();
  drawEdgeVelocity();
  drawQuantity();
  return 1;
}

// A committed field: taken into the session's parameters when the solver
// can use it (it takes effect at the next computation), otherwise refused.
long BlCalc_2D::onCmdField(FXObject*, FXSelector sel, void*) {
  const int id = FXSELID(sel);
  NumberField& f = fields[id - ID_RE];
  const std::string accepted = bl::accepted_range(parameterOf(id));
  commitNumber(this, f, accepted, [&](double v) {
    bl::ComputationParameters p = session_->parameters();
    bl::assign(p, parameterOf(id), v);
    // The other parameters were accepted before: only this one can be out
    // of range, or make a grid the march cannot use with them, and the
    // refusal names it as the window labels it.
    const bl::Status s = session_->set_parameters(p);
    if (s.ok) return std::string();
    return s.message.rfind("the normal grid", 0) == 0 ? refusedWith(f.label, v, s.message)
                                                       : outOfRange(f.label, v, accepted);
  });
  return 1;
}

long BlCalc_2D::onCmdViscous(FXObject*, FXSelector, void*) {
  turbulence_->follow(viscous());
  return 1;
}

// Taken at the next computation, as the fields are.
long BlCalc_2D::onCmdTurbulence(FXObject*, FXSelector sel, void*) {
  turbulence_->pick(static_cast<int>(FXSELID(sel) - ID_TURBULENCE));
  return 1;
}

// Split the contour again (which also restores the inviscid edge velocity
// the last march overwrote), then march the upper and the lower surface.  A
// failure anywhere puts everything back.  With "Viscous interaction", the
// viscous analysis instead (which leaves the window's session as it is).
long BlCalc_2D::onCmdRecalc(FXObject*, FXSelector, void*) {
  if (viscous()) {
    opening_ = false;
    startViscous();
    return 1;
  }
  jobs_->release(job_);  // a viscous analysis running gives way
  job_.reset();
  bl::ComputationParameters p = session_->parameters();
  p.turbulence = turbulence_->model(false);
  static_cast<void>(session_->set_parameters(p));  // the others accepted there already, the model any
  const bl::Status st = session_->recalculate();
  if (!st.ok) {
    // The session has put back what it held before: the window keeps
    // showing it as it is.
    const std::string why = failureText(st, session_->failed_surface());
    showStatus("Recalculate failed. " + oneLine(why) +
               (computed ? " The results shown are those of the computation before."
                         : " No results."));
    updateButtons();
    FXMessageBox::error(this, MBOX_OK, "Recalculate", "%s\n%s", why.c_str(),
                        computed ? "The previous results are kept." : "There are no results yet.");
    return 1;
  }
  viscous_.reset();
  showStatus(cautionLine(session_->cautions()));
  showResults(true);
  clearMarks();
  drawEdgeVelocity();
  drawQuantity();
  updateButtons();
  if (!session_->cautions().empty()) {
    FXMessageBox::information(this, MBOX_OK, "Recalculate", "%s", cautionText().c_str());
  }
  return 1;
}
