// The closure of the turbulent layer as the boundary-layer and the polar
// window offer it: "Turbulence" and a list of the two models.  The window's
// own march and its viscous analysis each keep a model of their own, the
// march starting from the algebraic eddy viscosity (the computation every
// expected report file was written by), the viscous analysis from the
// coupling's default (Spalart-Allmaras), as veltaro-cli without
// --turbulence has them; the list shows and edits the one of the mode
// checked ("Viscous interaction", "Viscous").
#pragma once

#include <fx.h>

#include "core/parameters.h"

class TurbulenceChoice {
 public:
  // The label and the list in a frame of their own in p (placed by
  // `layout`); a choice sends SEL_COMMAND with sel to tgt, which calls
  // take().  The march's model starts from `march`.
  TurbulenceChoice(FXComposite* p, FXuint layout, FXObject* tgt, FXSelector sel, bl::Turbulence march);

  // The mode whose model the list shows and edits from now on.
  void follow(bool viscous);
  // The model picked in the list, for the mode shown.
  void take();
  // The model of a mode.
  bl::Turbulence model(bool viscous) const { return models_[viscous ? 1 : 0]; }

 private:
  void show();

  FXListBox* list_ = nullptr;
  bl::Turbulence models_[2];
  bool viscous_ = false;
};
