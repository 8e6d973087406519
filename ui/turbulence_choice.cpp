#include "turbulence_choice.h"

#include "viscous_analysis.h"

namespace {

// The entries in this order.
constexpr bl::Turbulence kModels[] = {bl::Turbulence::algebraic, bl::Turbulence::spalart_allmaras};
const char* const kEntries[] = {"algebraic", "Spalart-Allmaras"};
const char* const kTip =
    "The closure of the turbulent layer: the algebraic eddy viscosity, or the Spalart-Allmaras transport "
    "equation; the computations with and without the interaction each keep their own";

}  // namespace

TurbulenceChoice::TurbulenceChoice(FXComposite* p, FXuint layout, FXObject* tgt, FXSelector sel,
                                   bl::Turbulence march)
    : models_{march, viscous::Settings{}.turbulence} {
  auto* frame = new FXHorizontalFrame(p, layout, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0);
  new FXLabel(frame, "Turbulence", nullptr, LAYOUT_CENTER_Y);
  list_ = new FXListBox(frame, tgt, sel, FRAME_SUNKEN | FRAME_THICK | LISTBOX_NORMAL | LAYOUT_CENTER_Y);
  for (const char* e : kEntries) list_->appendItem(e);
  list_->setNumVisible(2);
  list_->setTipText(kTip);
  show();
}

TurbulenceChoice::TurbulenceChoice(FXMenuBar* bar, FXWindow* owner, FXObject* tgt, FXSelector sel,
                                   bl::Turbulence march)
    : models_{march, viscous::Settings{}.turbulence} {
  pane_ = new FXMenuPane(owner);
  const char* const items[] = {"&Algebraic eddy viscosity", "&Spalart-Allmaras"};
  for (int k = 0; k < 2; ++k) radios_[k] = new FXMenuRadio(pane_, items[k], tgt, sel + k);
  new FXMenuTitle(bar, "&Turbulence", nullptr, pane_);
  show();
}

TurbulenceChoice::~TurbulenceChoice() { delete pane_; }

void TurbulenceChoice::follow(bool viscous) {
  viscous_ = viscous;
  show();
}

void TurbulenceChoice::pick(int entry) {
  if (entry >= 0 && entry < 2) models_[viscous_ ? 1 : 0] = kModels[entry];
  show();
}

void TurbulenceChoice::show() {
  const int shown = model(viscous_) == kModels[0] ? 0 : 1;
  if (list_) list_->setCurrentItem(shown);
  for (int k = 0; k < 2; ++k)
    if (radios_[k]) radios_[k]->setCheck(k == shown);
}
