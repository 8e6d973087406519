// The aerofoil window's side of the flow view: opening it, and what its
// animation and its drawing ask of this window.
#include <cmath>
#include <limits>

#include "BlCalc_2D.h"
#include "FlowWindow.h"
#include "PolarWindow.h"
#include "Veltaro.h"
#include "checked_spinner.h"

// One flow view, kept (hidden when closed) until this window goes; it
// follows the section from here on.
long Veltaro::onCmdFlowView(FXObject*, FXSelector, void*) {
  if (!flowWindow) {
    flowWindow = new FlowWindow(this);
    flowWindow->create();
    placeNewWindow(flowWindow, {FlowWindow::kOpenWidth, FlowWindow::kOpenHeight, flowWindow->getDefaultWidth(),
                                flowWindow->getDefaultHeight()});
  }
  if (!flowWindow->shown()) flowWindow->show(PLACEMENT_DEFAULT);
  flowWindow->raise();
  flowWindow->showSection(af);
  return 1;
}

double Veltaro::inputValue(SectionInput which) const {
  switch (which) {
    case SectionInput::eR1: return eSpinner->getValue();
    case SectionInput::hR1: return hSpinner->getValue();
    default: return alphaSpinner->getValue();
  }
}

// As if the value were typed into the input: the spinner holds it to its
// range, and everything recomputes.
void Veltaro::setInputValue(SectionInput which, double value, bool animating) {
  CheckedSpinner* spinner = which == SectionInput::eR1   ? eSpinner
                            : which == SectionInput::hR1 ? hSpinner
                                                         : alphaSpinner;
  spinner->setValue(value);
  recompute();
  if (polarWindow)
    polarWindow->showOperatingPoint(section_.shared().get(),
                                    animating ? af.alphaDeg : std::numeric_limits<double>::quiet_NaN());
}

const viscous::DisplacementBody* Veltaro::displacementBody() const {
  return blOpenCount != 0 && blDialog ? blDialog->displacementBody(af) : nullptr;
}
