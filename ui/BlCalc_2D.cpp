// The boundary-layer dialog: parameter fields, computations through the session, plots.
#include "BlCalc_2D.h"

#include <string>

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
};
// clang-format on

FXIMPLEMENT(BlCalc_2D, FXDialogBox, BlCalc_2DMap, ARRAYNUMBER(BlCalc_2DMap))

namespace {

const char* const kTitle = "Boundary Layer. Joukowski aerofoil.";
const char* const kAlgorithm = "The finite-difference method of the boundary layer calculation.";

const char* const kSurfaceName[2] = {"upper", "lower"};

// The parameter a field edits.
bl::Parameter parameterOf(int id) { return static_cast<bl::Parameter>(id - BlCalc_2D::ID_RE); }

}  // namespace

BlCalc_2D::BlCalc_2D(FXWindow* owner, bl::Session& session, FXObject* tgt, FXSelector sel)
    : FXDialogBox(owner, kTitle,
                  DECOR_TITLE | DECOR_BORDER | DECOR_MINIMIZE | DECOR_MAXIMIZE | DECOR_RESIZE |
                      DECOR_MENU,
                  500, 500, 800, 700, 10, 10, 10, 10, 4, 4),
      session_(&session) {
  setTarget(tgt);
  setSelector(sel);
  buildWidgets();

  // Parameters as the session holds them.
  const bl::ComputationParameters& p = session.parameters();
  fields[ID_RE - ID_RE].value = p.re_mill;
  fields[ID_ETAE - ID_RE].value = p.eta_e;
  fields[ID_KV - ID_RE].value = p.kv;
  fields[ID_NP - ID_RE].value = p.np_in;
  fields[ID_CFS - ID_RE].value = p.cfs_sqrt_re;
  for (const Field& f : fields) showField(f);

  // Both surfaces of the contour just split; the inverse mode may start
  // anywhere up to the trailing edge until the march forecasts separation.
  // If a pass fails there are no results for this contour: the window opens
  // on the inviscid edge velocity alone, and says why once it is on the
  // screen.
  const bl::Status st = session.new_computation();
  if (!st.ok) failure = failureText(st);
  notes = cautionText();
  showResults();
  if (!failure.empty() || !notes.empty()) getApp()->addChore(this, ID_SHOW_OUTCOME);
  updateButtons();
}

BlCalc_2D::~BlCalc_2D() {
  getApp()->removeChore(this, ID_SHOW_OUTCOME);
  delete fileMenu;
}

void BlCalc_2D::buildWidgets() {
  auto* menubar = new FXMenuBar(this, LAYOUT_FILL_X);
  fileMenu = new FXMenuPane(this);
  new FXMenuCommand(fileMenu, "&Algorithm", nullptr, this, ID_ALGO);
  new FXMenuCommand(fileMenu, "&Quit\tCtl-Q", nullptr, this, FXTopWindow::ID_CLOSE);
  new FXMenuTitle(menubar, "&File", nullptr, fileMenu);
  auto* blue = new FXLabel(menubar, "                              Blue label - Pos.of transition.");
  blue->setTextColor(FXRGB(0, 0, 255));
  auto* red = new FXLabel(menubar, "      Red  label - Pos.of separation ");
  red->setTextColor(FXRGB(255, 0, 0));

  new FXHorizontalSeparator(this, SEPARATOR_GROOVE | LAYOUT_FILL_X);
  auto* body = new FXHorizontalFrame(this, LAYOUT_FILL_X | LAYOUT_FILL_Y);
  auto* left = new FXVerticalFrame(body);

  auto* grid = new FXMatrix(left, 2, MATRIX_BY_COLUMNS);
  const struct {
    const char* label;
    int id;
  } params[] = {{"Re(mill)", ID_RE}, {"ETAe", ID_ETAE}, {"Kv", ID_KV}, {"Np", ID_NP},
                {"Cfs*sqrt(Re)", ID_CFS}};
  for (const auto& p : params) addField(grid, p.label, 5, p.id);
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
    addField(positions, g.str, 6, g.strId);
    fields[g.strId - ID_RE].decimals = 4;
    sinvField[s] = addField(positions, g.sinv, 6, g.sinvId);
  }

  auto* recalcFrame = new FXVerticalFrame(left, LAYOUT_FILL_X | LAYOUT_FILL_Y);
  new FXButton(recalcFrame, "Recalculate", nullptr, this, ID_RECALC,
               FRAME_RAISED | FRAME_THICK | LAYOUT_CENTER_X | JUSTIFY_BOTTOM, 0, 0, 300, 40);

  auto* right = new FXVerticalFrame(body, FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y);
  canvasUe = new FXCanvas(right, this, ID_CANVAS_UE,
                          FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y);
  canvasQty = new FXCanvas(right, this, ID_CANVAS_QTY,
                           FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y);
}

FXTextField* BlCalc_2D::addField(FXComposite* grid, const char* label, int columns, FXSelector id) {
  new FXLabel(grid, label, nullptr, JUSTIFY_RIGHT | LAYOUT_FILL_X | LAYOUT_CENTER_Y);
  auto* tf = new FXTextField(grid, columns, this, id, TEXTFIELD_REAL | FRAME_SUNKEN | FRAME_THICK);
  if (id >= ID_RE && id <= ID_STR_L) {
    fields[id - ID_RE].widget = tf;
    fields[id - ID_RE].label = label;
  }
  return tf;
}

void BlCalc_2D::showField(const Field& f) { f.widget->setText(fixedText(f.value, f.decimals)); }

// "Str" and "Sinv" of a surface: the positions the last pass used, or the
// ones it will start from.
void BlCalc_2D::showPositions(int s) {
  const bl::ComputationParameters& p = session_->parameters();
  Field& str = fields[(s == 0 ? ID_STR_U : ID_STR_L) - ID_RE];
  str.value = p.xtr_surf[s];
  showField(str);
  sinvField[s]->setText(fixedText(p.xinv_surf[s], 4));
}

void BlCalc_2D::showResults() {
  for (int s = 0; s <= 1; ++s) {
    showPositions(s);
    plotState.update(s, session_->surface(s));
  }
}

std::string BlCalc_2D::failureText(const bl::Status& st) const {
  const int s = session_->failed_surface();
  if (s < 0) return st.message;
  return std::string("Boundary-layer pass over the ") + kSurfaceName[s] + " surface:\n" + st.message;
}

std::string BlCalc_2D::cautionText() const {
  std::string text;
  for (const std::string& c : session_->cautions()) text += c + "\n";
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
               plot::edgeVelocityPlot(plotState, canvasUe->getWidth(), canvasUe->getHeight()));
}

// The quantity plot takes its size from the edge-velocity canvas; the two
// are laid out alike.
void BlCalc_2D::drawQuantity() {
  if (!canvasQty->id()) return;
  FXDCWindow dc(canvasQty);
  paintDrawing(dc, getApp(),
               plot::quantityPlot(plotState, canvasUe->getWidth(), canvasUe->getHeight()));
}

long BlCalc_2D::onPaintCanvas(FXObject*, FXSelector, void*) {
  drawEdgeVelocity();
  drawQuantity();
  return 1;
}

void BlCalc_2D::updateButtons() {
  const int sel = plotState.selectedSurface();
  for (int s = 0; s <= 1; ++s) {
    surfaceButton[s]->enable();
    surfaceButton[s]->setCheck(s == sel);
    const int q = plotState.quantity[plotState.element][s];
    for (int b = 0; b < 4; ++b) {
      if (s == sel)
        quantityButton[s][b]->enable();
      else
        quantityButton[s][b]->disable();
      quantityButton[s][b]->setCheck(b == q);
    }
  }
}

long BlCalc_2D::onCmdUpperQuantity(FXObject*, FXSelector sel, void*) {
  plotState.quantity[plotState.element][0] = FXSELID(sel) - ID_UPPER_CF;
  drawQuantity();
  updateButtons();
  return 1;
}

long BlCalc_2D::onCmdLowerQuantity(FXObject*, FXSelector sel, void*) {
  plotState.quantity[plotState.element][1] = FXSELID(sel) - ID_LOWER_CF;
  drawQuantity();
  updateButtons();
  return 1;
}

long BlCalc_2D::onCmdSurface(FXObject*, FXSelector sel, void*) {
  plotState.surface[plotState.element] = (FXSELID(sel) == ID_UPPER_SURF) ? 0 : 1;
  updateButtons();
  drawEdgeVelocity();
  drawQuantity();
  return 1;
}

// A committed field: taken into the exchange data when the solver can use
// it (it takes effect at the next computation), otherwise refused.
long BlCalc_2D::onCmdField(FXObject*, FXSelector sel, void*) {
  const int id = FXSELID(sel);
  Field& f = fields[id - ID_RE];
  const FXString text = f.widget->getText();

  std::string why;
  double v = 0;
  if (!parseNumber(text, f.decimals < 0, v)) {
    why = std::string(f.label) + ": \"" + text.text() + "\" is not " +
          (f.decimals < 0 ? "a whole number" : "a number") + ".\n" + f.label + " must be " +
          bl::accepted_range(parameterOf(id)) + ".";
  } else {
    bl::ComputationParameters p = session_->parameters();
    bl::assign(p, parameterOf(id), v);
    const bl::Status st = session_->set_parameters(p);
    if (st.ok) {
      f.value = v;
      return 1;
    }
    why = st.message;
  }
  showField(f);
  FXMessageBox::error(this, MBOX_OK, "Invalid value", "%s\n%s keeps its value %s.", why.c_str(),
                      f.label, fixedText(f.value, f.decimals).text());
  return 1;
}

// Split the contour again (which also restores the inviscid edge velocity
// the last march overwrote), then march the upper and the lower surface.  A
// failure anywhere puts everything back.
long BlCalc_2D::onCmdRecalc(FXObject*, FXSelector, void*) {
  const bl::Status st = session_->recalculate();
  showResults();
  drawEdgeVelocity();
  drawQuantity();
  if (!st.ok) {
    FXMessageBox::error(this, MBOX_OK, "Recalculate", "%s\nThe previous results are kept.",
                        failureText(st).c_str());
  } else if (!session_->cautions().empty()) {
    FXMessageBox::information(this, MBOX_OK, "Recalculate", "%s", cautionText().c_str());
  }
  return 1;
}
