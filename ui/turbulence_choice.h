// The closure of the turbulent layer as the boundary-layer and the polar
// window offer it: algebraic eddy viscosity or Spalart-Allmaras.  The
// window's own march and its viscous analysis each keep a model of their
// own, the march starting from the algebraic eddy viscosity (the
// computation every expected report file was written by), the viscous
// analysis from the coupling's default (Spalart-Allmaras), as veltaro-cli
// without --turbulence has them; the choice shows and edits the one of the
// mode checked ("Viscous interaction", "Viscous").
#pragma once

#include <fx.h>

#include <memory>

#include "core/parameters.h"

class TurbulenceChoice {
 public:
  // As "Turbulence" and a list, in a frame of their own in p (placed by
  // `layout`): a pick sends SEL_COMMAND with sel to tgt, the entry's index
  // in its data.
  TurbulenceChoice(FXComposite* p, FXuint layout, FXObject* tgt, FXSelector sel, bl::Turbulence march);
  // As a "Turbulence" menu of two radio items in bar (for a window with
  // no room for the list): the items send sel and sel + 1.
  TurbulenceChoice(FXMenuBar* bar, FXWindow* owner, FXObject* tgt, FXSelector sel, bl::Turbulence march);
  ~TurbulenceChoice();

  // The mode whose model the choice shows and edits from now on.
  void follow(bool viscous);
  // The entry picked (0 algebraic, 1 Spalart-Allmaras), for the mode shown.
  void pick(int entry);
  // The model of a mode.
  bl::Turbulence model(bool viscous) const { return models_[viscous ? 1 : 0]; }

 private:
  void show();

  FXListBox* list_ = nullptr;
  FXMenuPane* pane_ = nullptr;
  FXMenuRadio* radios_[2] = {nullptr, nullptr};
  bl::Turbulence models_[2];
  bool viscous_ = false;
};
