// The flow view's picture: both planes at a size the user chooses, PNG or SVG.
#include "FlowWindow.h"
#include "Veltaro.h"
#include "caption.h"
#include "picture_saving.h"

long FlowWindow::onCmdSavePicture(FXObject*, FXSelector, void*) {
  if (af_.currentN == 0) return 1;
  // The planes as they are on the screen, unless another size is asked.
  savePictureAsked(this, "flow.png", sectionCanvas->getWidth() + circleCanvas->getWidth(),
                   sectionCanvas->getHeight(), [this](int w, int h) { return picture(w, h); });
  return 1;
}

std::vector<plot::SvgPanel> FlowWindow::picture(int w, int h) {
  return plot::flowPictureToSave(af_, plot::sectionCaption(af_) + "; flow view", linesSpinner->getValue(), colour(),
                                 body(), w, h);
}
