#include "turbulence_choice.h"

#include "viscous_analysis.h"

namespace {

// The list's entries in this order.
constexpr bl::Turbulence kModels[] = {bl::Turbulence::algebraic, bl::Turbulence::spalart_allmaras};
const char* const kEntries[] = {"algebraic", "Spalart-Allmaras"};

}  // namespace

TurbulenceChoice::TurbulenceChoice(FXComposite* p, FXuint layout, FXObject* tgt, FXSelector sel,
                                   bl::Turbulence march)
    : models_{march, viscous::Settings{}.turbulence} {
  auto* frame = new FXHorizontalFrame(p, layout, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0);
  new FXLabel(frame, "Turbulence", nullptr, LAYOUT_CENTER_Y);
  list_ = new FXListBox(frame, tgt, sel, FRAME_SUNKEN | FRAME_THICK | LISTBOX_NORMAL | LAYOUT_CENTER_Y);
  for (const char* e : kEntries) list_->appendItem(e);
  list_->setNumVisible(2);
  list_->setTipText("The closure of the turbulent layer: the algebraic eddy viscosity, or the Spalart-Allmaras "
                    "transport equation; the window's own march and its viscous analysis each keep their own");
  show();
}

void TurbulenceChoice::follow(bool viscous) {
  viscous_ = viscous;
  show();
}

void TurbulenceChoice::take() {
  const FXint k = list_->getCurrentItem();
  if (k >= 0 && k < 2) models_[viscous_ ? 1 : 0] = kModels[k];
}

void TurbulenceChoice::show() { list_->setCurrentItem(model(viscous_) == kModels[0] ? 0 : 1); }
