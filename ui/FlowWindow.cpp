// The flow view: its controls, the two planes drawn from one scene, and
// the probe with its linked cursor.
#include "FlowWindow.h"

#include <cmath>

#include "Veltaro.h"
#include "caption.h"
#include "fox_paint.h"
#include "pick.h"
#include "window_menu.h"

// clang-format off
FXDEFMAP(FlowWindow) FlowWindowMap[] = {
  FXMAPFUNC (SEL_PAINT,   FlowWindow::ID_SECTION_CANVAS, FlowWindow::onPaintCanvas),
  FXMAPFUNC (SEL_PAINT,   FlowWindow::ID_CIRCLE_CANVAS,  FlowWindow::onPaintCanvas),
  FXMAPFUNC (SEL_MOTION,  FlowWindow::ID_SECTION_CANVAS, FlowWindow::onMotionCanvas),
  FXMAPFUNC (SEL_MOTION,  FlowWindow::ID_CIRCLE_CANVAS,  FlowWindow::onMotionCanvas),
  FXMAPFUNC (SEL_LEFTBUTTONPRESS, FlowWindow::ID_SECTION_CANVAS, FlowWindow::onMotionCanvas),
  FXMAPFUNC (SEL_LEFTBUTTONPRESS, FlowWindow::ID_CIRCLE_CANVAS,  FlowWindow::onMotionCanvas),
  FXMAPFUNCS(SEL_COMMAND, FlowWindow::ID_COLOUR, FlowWindow::ID_BODY, FlowWindow::onCmdView),
  FXMAPFUNC (SEL_UPDATE,  FlowWindow::ID_BODY,     FlowWindow::onUpdBody),
  FXMAPFUNC (SEL_COMMAND, FlowWindow::ID_ANIMATED, FlowWindow::onCmdAnimated),
  FXMAPFUNCS(SEL_COMMAND, FlowWindow::ID_FROM, FlowWindow::ID_RATE, FlowWindow::onCmdField),
  FXMAPFUNC (SEL_COMMAND, FlowWindow::ID_START,    FlowWindow::onCmdStart),
  FXMAPFUNC (SEL_COMMAND, FlowWindow::ID_STOP,     FlowWindow::onCmdStop),
  FXMAPFUNC (SEL_TIMEOUT, FlowWindow::ID_TICK,     FlowWindow::onTick),
  FXMAPFUNCS(SEL_UPDATE,  FlowWindow::ID_FROM, FlowWindow::ID_STOP, FlowWindow::onUpdAnimation),
  FXMAPFUNC (SEL_COMMAND, FlowWindow::ID_SAVE_PICTURE, FlowWindow::onCmdSavePicture),
};
// clang-format on

FXIMPLEMENT(FlowWindow, FXDialogBox, FlowWindowMap, ARRAYNUMBER(FlowWindowMap))

namespace {

const char* const kTitle = "Flow view";

// The smallest canvases at which the planes keep their labels apart.
constexpr int kSectionMinWidth = 320;
constexpr int kCircleMinWidth = 220;
constexpr int kCanvasMinHeight = 240;

}  // namespace

FlowWindow::FlowWindow(Veltaro* aerofoil)
    : FXDialogBox(aerofoil->getApp(), kTitle,
                  DECOR_TITLE | DECOR_BORDER | DECOR_MINIMIZE | DECOR_MAXIMIZE | DECOR_STRETCHABLE | DECOR_CLOSE |
                      DECOR_MENU,
                  0, 0, kOpenWidth, kOpenHeight, 6, 6, 6, 6, 4, 4),
      aerofoil_(aerofoil) {
  auto* menubar = new FXMenuBar(this, LAYOUT_FILL_X);
  fileMenu = new FXMenuPane(this);
  new FXMenuCommand(fileMenu, "Save &picture...", nullptr, this, ID_SAVE_PICTURE);
  new FXMenuSeparator(fileMenu);
  new FXMenuCommand(fileMenu, "&Close", nullptr, this, FXTopWindow::ID_CLOSE);
  new FXMenuTitle(menubar, "&File", nullptr, fileMenu);
  windowMenu = addWindowMenu(menubar, this, aerofoil);
  new FXHorizontalSeparator(this, SEPARATOR_GROOVE | LAYOUT_FILL_X);
  buildWidgets();
  showAnimationDefaults();
}

FlowWindow::~FlowWindow() {
  getApp()->removeTimeout(this, ID_TICK);
  delete sectionImage_;
  delete circleImage_;
  delete fileMenu;
  delete windowMenu;
}

void FlowWindow::buildWidgets() {
  // Before the planes, which take all the room left.
  statusLine = new TextLine(this, LAYOUT_SIDE_BOTTOM);
  probeLine = new ValueLine(this);
  probeLine->setLayoutHints(LAYOUT_SIDE_BOTTOM | LAYOUT_FILL_X);

  auto* view = new FXHorizontalFrame(this, LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0);
  new FXLabel(view, "Colour:", nullptr, LAYOUT_CENTER_Y);
  const char* const colours[3] = {"none", "Cp", "speed"};
  for (int k = 0; k < 3; ++k)
    new FXRadioButton(view, colours[k], &colourTarget_, FXDataTarget::ID_OPTION + k, RADIOBUTTON_NORMAL | LAYOUT_CENTER_Y);
  new FXLabel(view, "Streamlines", nullptr, LAYOUT_CENTER_Y);
  linesSpinner = new FXSpinner(view, 3, this, ID_LINES, SPIN_NORMAL | FRAME_SUNKEN | FRAME_THICK);
  linesSpinner->setRange(6, 80);
  linesSpinner->setValue(plot::kDefaultStreamlines);
  linesSpinner->setTipText("Streamlines across the section plane's height, far from the section");
  bodyButton = new FXCheckButton(view, "Displacement body and wake", this, ID_BODY, CHECKBUTTON_NORMAL | LAYOUT_CENTER_Y);
  bodyButton->setCheck(TRUE);
  bodyButton->setTipText("The viscous analysis of the boundary-layer window (\"Viscous interaction\"): the section "
                         "thickened by the displacement thickness, and the wake's centre line");
  buildAnimationRow(this);

  splitter = new FXSplitter(this, SPLITTER_HORIZONTAL | LAYOUT_FILL_X | LAYOUT_FILL_Y);
  sectionCanvas = new SizedCanvas(splitter, this, ID_SECTION_CANVAS, FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X |
                                                                          LAYOUT_FILL_Y,
                                  kSectionMinWidth, kCanvasMinHeight);
  circleCanvas = new SizedCanvas(splitter, this, ID_CIRCLE_CANVAS,
                                 FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y, kCircleMinWidth,
                                 kCanvasMinHeight);
  for (FXCanvas* c : {sectionCanvas, circleCanvas}) c->setDefaultCursor(getApp()->getDefaultCursor(DEF_CROSSHAIR_CURSOR));
}

void FlowWindow::create() {
  FXDialogBox::create();
  splitter->setSplit(0, plot::sectionShare(getWidth()));
}

void FlowWindow::showSection(const aerofoil::Joukowski& af) {
  af_ = af;
  stale_ = true;
  if (!shown()) return;
  rebuild();
  for (FXCanvas* c : {sectionCanvas, circleCanvas}) paint(c);
}

FXbool FlowWindow::close(FXbool) {
  hide();
  return TRUE;
}

void FlowWindow::hide() {
  stopAnimation();
  FXDialogBox::hide();
}

plot::FieldColour FlowWindow::colour() const {
  switch (colourChoice_) {
    case 1: return plot::FieldColour::pressure;
    case 2: return plot::FieldColour::speed;
    default: return plot::FieldColour::none;
  }
}

const viscous::DisplacementBody* FlowWindow::body() const {
  return bodyButton->getCheck() == TRUE ? aerofoil_->displacementBody() : nullptr;
}

// The scene of the section at the canvases' sizes, and both pictures
// drawn into their images; the cursor stays where it was in pixels, the
// probe's line says what lies there now.
void FlowWindow::rebuild() {
  if (!sectionCanvas->id() || af_.currentN == 0) return;
  const int sw = sectionCanvas->getWidth(), sh = sectionCanvas->getHeight();
  const int cw = circleCanvas->getWidth(), ch = circleCanvas->getHeight();
  sectionFrame_ = plot::sectionFrame(sw, sh);
  scene_.reset();
  const aerofoil::FlowField field(af_);
  circleFrame_ = plot::circleFrame(field.radius(), cw, ch);
  scene_ = std::make_unique<plot::FlowScene>(af_, sectionFrame_, circleFrame_, linesSpinner->getValue(),
                                             colour() != plot::FieldColour::none);
  const viscous::DisplacementBody* b = body();
  drawnBody_ = b ? *b : viscous::DisplacementBody{};
  const struct {
    FXImage*& image;
    FXCanvas* canvas;
    plot::Drawing drawing;
  } pictures[] = {{sectionImage_, sectionCanvas, plot::flowView(*scene_, sectionFrame_, colour(), b)},
                  {circleImage_, circleCanvas, plot::circleView(*scene_, circleFrame_)}};
  for (const auto& p : pictures) {
    const int w = FXMAX(1, p.canvas->getWidth()), h = FXMAX(1, p.canvas->getHeight());
    if (!p.image) {
      p.image = new FXImage(getApp(), nullptr, 0, w, h);
      p.image->create();
    } else if (p.image->getWidth() != w || p.image->getHeight() != h) {
      p.image->resize(w, h);
    }
    FXDCWindow dc(p.image);
    paintDrawing(dc, getApp(), p.drawing);
  }
  stale_ = false;
  if (cursor_) {
    if (sectionMark_)
      probeSection(sectionFrame_.plane(sectionX_, sectionY_));
    else
      probeCircle(circleFrame_.plane(circleX_, circleY_));
  }
}

void FlowWindow::paint(FXCanvas* canvas) {
  if (!canvas->id()) return;
  FXImage* image = canvas == sectionCanvas ? sectionImage_ : circleImage_;
  const bool sized = image && image->getWidth() == canvas->getWidth() && image->getHeight() == canvas->getHeight();
  if ((stale_ || !sized) && shown()) rebuild();
  image = canvas == sectionCanvas ? sectionImage_ : circleImage_;
  FXDCWindow dc(canvas);
  if (!image) {
    dc.setForeground(fxcolorfromname("White"));
    dc.fillRectangle(0, 0, canvas->getWidth(), canvas->getHeight());
    return;
  }
  dc.drawImage(image, 0, 0);
  if (!cursor_) return;
  plot::Drawing marks;
  if (canvas == sectionCanvas && sectionMark_) plot::drawMark(marks, sectionX_, sectionY_);
  if (canvas == circleCanvas && circleMark_) plot::drawMark(marks, circleX_, circleY_);
  paintDrawing(dc, getApp(), marks);
}

long FlowWindow::onPaintCanvas(FXObject* sender, FXSelector, void*) {
  paint(static_cast<FXCanvas*>(sender));
  return 1;
}

// The mouse over a plane probes the flow at its point.
long FlowWindow::onMotionCanvas(FXObject* sender, FXSelector, void* ptr) {
  const FXEvent* ev = static_cast<const FXEvent*>(ptr);
  if (!scene_) return 1;
  if (sender == sectionCanvas)
    probeSection(sectionFrame_.plane(ev->win_x, ev->win_y));
  else
    probeCircle(circleFrame_.plane(ev->win_x, ev->win_y));
  for (FXCanvas* c : {sectionCanvas, circleCanvas}) paint(c);
  return 1;
}

void FlowWindow::probeSection(aerofoil::Complex p) {
  const aerofoil::FieldValue v = scene_->field.at(p);
  cursor_ = true;
  sectionMark_ = true;
  sectionX_ = plot::pixel(sectionFrame_.px(p.real()) + 0.5);
  sectionY_ = plot::pixel(sectionFrame_.py(p.imag()) + 0.5);
  circleMark_ = !v.inside;
  if (circleMark_) {
    const aerofoil::Complex c = scene_->field.toCircle(p);
    circleX_ = plot::pixel(circleFrame_.px(c.real()));
    circleY_ = plot::pixel(circleFrame_.py(c.imag()));
  }
  probeLine->say(plot::probeText(p, v).c_str());
}

void FlowWindow::probeCircle(aerofoil::Complex c) {
  cursor_ = true;
  circleMark_ = true;
  circleX_ = plot::pixel(circleFrame_.px(c.real()) + 0.5);
  circleY_ = plot::pixel(circleFrame_.py(c.imag()) + 0.5);
  if (std::abs(c) < scene_->field.radius()) {
    sectionMark_ = false;
    probeLine->say(("circle (" + plot::valueText("%.4f", c.real()) + ", " + plot::valueText("%.4f", c.imag()) +
                    ")  inside the circle: the inside of the section")
                       .c_str());
    return;
  }
  const aerofoil::Complex p = scene_->field.toChord(c);
  sectionMark_ = true;
  sectionX_ = plot::pixel(sectionFrame_.px(p.real()));
  sectionY_ = plot::pixel(sectionFrame_.py(p.imag()));
  probeLine->say(plot::probeText(c, p, scene_->field.atCircle(c)).c_str());
}

// Colour, streamlines and the body: the pictures anew.
long FlowWindow::onCmdView(FXObject*, FXSelector, void*) {
  stale_ = true;
  for (FXCanvas* c : {sectionCanvas, circleCanvas}) paint(c);
  return 1;
}

// The body can be shown while the boundary-layer window shows a viscous
// analysis of this section; when that analysis changes, the pictures
// follow.
long FlowWindow::onUpdBody(FXObject* sender, FXSelector, void*) {
  const viscous::DisplacementBody* available = aerofoil_->displacementBody();
  sender->handle(this, FXSEL(SEL_COMMAND, available ? ID_ENABLE : ID_DISABLE), nullptr);
  const viscous::DisplacementBody* b = body();
  const bool same = b ? (b->x == drawnBody_.x && b->y == drawnBody_.y && b->wakeX == drawnBody_.wakeX)
                      : drawnBody_.empty();
  if (!same && shown() && scene_) {
    stale_ = true;
    for (FXCanvas* c : {sectionCanvas, circleCanvas}) paint(c);
  }
  return 1;
}
