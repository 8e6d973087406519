// The flow view's animation: one of the aerofoil window's inputs swept
// from one value to another and back at a rate a second, a frame every
// 40 ms (25 a second), through the aerofoil window's own input, so that
// every window showing the section follows.  The value of a frame comes
// from the time since the start, not from a count of frames: a slow frame
// does not slow the sweep.
#include <algorithm>
#include <cmath>

#include "FlowWindow.h"
#include "Veltaro.h"

namespace {

constexpr int kFrameMs = 40;

struct InputRange {
  const char* name;
  double lo, hi;             // what the input takes
  double from, to, rate;     // the sweep the fields start from
  int decimals;
};

InputRange rangeOf(SectionInput which) {
  switch (which) {
    case SectionInput::eR1: return {"e/R1", aerofoil::kEMin, aerofoil::kEMax, 0.02, 0.3, 0.05, 3};
    case SectionInput::hR1: return {"h/R1", aerofoil::kHMin, aerofoil::kHMax, 0.0, 0.2, 0.04, 3};
    default: return {"Alpha", aerofoil::kAlphaMin, aerofoil::kAlphaMax, -4.0, 16.0, 4.0, 2};
  }
}

// The largest rate a second: the whole range of any input in a tenth of a
// second is more than the eye follows.
constexpr double kMaxRate = 1000.0;

}  // namespace

void FlowWindow::buildAnimationRow(FXComposite* p) {
  auto* row = new FXHorizontalFrame(p, LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0);
  new FXLabel(row, "Animate:", nullptr, LAYOUT_CENTER_Y);
  for (int k = 0; k < 3; ++k)
    animatedButtons_[k] = new FXRadioButton(row, rangeOf(static_cast<SectionInput>(k)).name, &animatedTarget_,
                                            FXDataTarget::ID_OPTION + k, RADIOBUTTON_NORMAL | LAYOUT_CENTER_Y);
  const struct {
    const char* label;
    NumberField& field;
    FXSelector id;
    const char* tip;
  } fields[] = {{"from", from_, ID_FROM, "Where the sweep starts, and turns back"},
                {"to", to_, ID_TO, "Where the sweep turns back"},
                {"at", rate_, ID_RATE, "How fast the input moves, in its units a second"}};
  for (const auto& f : fields) {
    new FXLabel(row, f.label, nullptr, LAYOUT_CENTER_Y);
    f.field.widget = new FXTextField(row, 7, this, f.id, FRAME_SUNKEN | FRAME_THICK | LAYOUT_CENTER_Y);
    f.field.widget->setTipText(f.tip);
  }
  from_.label = "from";
  to_.label = "to";
  rate_.label = "Rate";
  new FXLabel(row, "a second", nullptr, LAYOUT_CENTER_Y);
  startButton = new FXButton(row, "Start", nullptr, this, ID_START, BUTTON_NORMAL | LAYOUT_CENTER_Y, 0, 0, 0, 0, 12, 12);
  stopButton = new FXButton(row, "Stop", nullptr, this, ID_STOP, BUTTON_NORMAL | LAYOUT_CENTER_Y, 0, 0, 0, 0, 12, 12);
  stopButton->setTipText("Stop, and put the input back where it was");
}

void FlowWindow::showAnimationDefaults() {
  const InputRange r = rangeOf(static_cast<SectionInput>(animatedChoice_));
  from_.value = r.from;
  to_.value = r.to;
  rate_.value = r.rate;
  for (NumberField* f : {&from_, &to_, &rate_}) {
    f->decimals = r.decimals;
    showNumber(*f);
  }
}

long FlowWindow::onCmdAnimated(FXObject*, FXSelector, void*) {
  showAnimationDefaults();
  return 1;
}

// A committed field: kept when the input can take it, refused otherwise.
long FlowWindow::onCmdField(FXObject*, FXSelector sel, void*) {
  const InputRange r = rangeOf(static_cast<SectionInput>(animatedChoice_));
  NumberField& f = FXSELID(sel) == ID_FROM ? from_ : FXSELID(sel) == ID_TO ? to_ : rate_;
  const bool rate = &f == &rate_;
  const std::string accepted = rate ? "a number above 0 and at most " + std::string(fixedText(kMaxRate, -1).text())
                                    : "a value of " + std::string(r.name) + " from " + fixedText(r.lo, -1).text() +
                                          " to " + fixedText(r.hi, -1).text();
  commitNumber(this, f, accepted, [&](double v) {
    const bool ok = rate ? (v > 0 && v <= kMaxRate) : (v >= r.lo && v <= r.hi);
    return ok ? std::string() : outOfRange(f.label, v, accepted);
  });
  return 1;
}

// Why the sweep of the fields cannot start, or "".
std::string FlowWindow::animationRefusal() const {
  const auto which = static_cast<SectionInput>(animatedChoice_);
  if (which != SectionInput::alpha && !aerofoil_->shapeInputs())
    return std::string(rangeOf(which).name) + " does not shape this section: animate Alpha";
  if (from_.value == to_.value) return "The sweep needs two different values, from and to";
  return "";
}

long FlowWindow::onCmdStart(FXObject*, FXSelector, void*) {
  const std::string why = animationRefusal();
  if (!why.empty()) {
    statusLine->say(why.c_str());
    return 1;
  }
  stopAnimation();
  input_ = static_cast<SectionInput>(animatedChoice_);
  before_ = aerofoil_->inputValue(input_);
  sweepFrom_ = from_.value;
  sweepTo_ = to_.value;
  sweepRate_ = rate_.value;
  animating_ = true;
  for (FXRadioButton* b : animatedButtons_) b->disable();
  frames_ = 0;
  started_ = std::chrono::steady_clock::now();
  onTick(nullptr, 0, nullptr);
  return 1;
}

long FlowWindow::onCmdStop(FXObject*, FXSelector, void*) {
  stopAnimation();
  return 1;
}

// One frame: the input at the time since the start, on the way there or
// back.
long FlowWindow::onTick(FXObject*, FXSelector, void*) {
  if (!animating_) return 1;
  const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  const double span = std::fabs(sweepTo_ - sweepFrom_);
  const double travel = std::fmod(sweepRate_ * t, 2.0 * span);
  const double along = travel <= span ? travel : 2.0 * span - travel;
  const double value = sweepFrom_ + (sweepTo_ > sweepFrom_ ? along : -along);
  aerofoil_->setInputValue(input_, value, true);
  ++frames_;
  const InputRange r = rangeOf(input_);
  statusLine->say(FXStringFormat("%s %.*f, frame %d, %.0f frames a second", r.name, r.decimals, value, frames_,
                                 t > 0.5 ? frames_ / t : 1000.0 / kFrameMs));
  // The next frame at its time from the start: the work of this one does
  // not lengthen the period.
  const double next = (std::floor(t * 1000.0 / kFrameMs) + 1.0) * kFrameMs / 1000.0;
  const double now = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  getApp()->addTimeout(this, ID_TICK, static_cast<FXuint>(std::max(1.0, std::ceil((next - now) * 1000.0))));
  return 1;
}

// The input back where it was; the polar window's mark goes.
void FlowWindow::stopAnimation() {
  getApp()->removeTimeout(this, ID_TICK);
  if (!animating_) return;
  animating_ = false;
  for (FXRadioButton* b : animatedButtons_) b->enable();
  aerofoil_->setInputValue(input_, before_, false);
  statusLine->say(FXStringFormat("Stopped after %d frames: %s back at %g", frames_, rangeOf(input_).name, before_));
}

// Start while still, Stop while running; the sweep is set while still.
long FlowWindow::onUpdAnimation(FXObject* sender, FXSelector sel, void*) {
  const bool on = FXSELID(sel) == ID_STOP ? animating_ : !animating_;
  sender->handle(this, FXSEL(SEL_COMMAND, on ? ID_ENABLE : ID_DISABLE), nullptr);
  return 1;
}
