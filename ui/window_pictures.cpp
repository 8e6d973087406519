// File > Save picture... of the aerofoil, the boundary-layer and the polar
// window: what each window's picture holds and the size it offers first
// (the canvases' on the screen, the caption above them), through the one
// size box and file choice of picture_saving.h.
#include "BlCalc_2D.h"
#include "PolarWindow.h"
#include "Veltaro.h"
#include "caption.h"
#include "picture_saving.h"
#include "saved_picture.h"

// The pressure plot with the contour under the section's caption, at the
// canvas's size unless the user asks another.
long Veltaro::onCmdSavePicture(FXObject*, FXSelector, void*) {
  const FXint w = canvas->getWidth(), h = canvas->getHeight();
  if (!computed || w <= 0 || h <= 0) {
    FXMessageBox::error(this, MBOX_OK, "Save picture", "There is no picture on the canvas yet");
    return 1;
  }
  savePictureAsked(this, "aerofoil.png", w, pictureHeight(plot::sectionCaption(af), w, h),
                   [this](int pw, int ph) { return plot::aerofoilPictureToSave(af, pw, ph); });
  return 1;
}

// Both plots of the selected surface, the edge velocity above the
// quantity, under the caption; at first each at the size the window draws
// it (the edge-velocity canvas's).
long BlCalc_2D::onCmdSavePicture(FXObject*, FXSelector, void*) {
  const std::string caption = plot::surfaceCaption(handedSection, plotState.surface) +
                              (viscous_ ? "; viscous interaction" : "") + plot::turbulenceNote(shownTurbulence_);
  const FXint w = canvasUe->getWidth(), h = canvasUe->getHeight();
  savePictureAsked(this, "boundary_layer.png", w, pictureHeight(caption, w, 2 * h), [&](int pw, int ph) {
    return plot::boundaryLayerPictureToSave(plotState, caption, pw, ph);
  });
  return 1;
}

// The plots under the polar's caption, at the canvas's size unless the
// user asks another; the click mark stays on the screen.
long PolarWindow::onCmdSavePicture(FXObject*, FXSelector, void*) {
  const FXint w = canvas->getWidth(), h = canvas->getHeight();
  savePictureAsked(this, "polar.png", w, pictureHeight(plot::polarCaption(setup_), w, h), [this](int pw, int ph) {
    return plot::polarPictureToSave(points_, alphaFrom_, alphaTo_, kept_, setup_, pw, ph);
  });
  return 1;
}
