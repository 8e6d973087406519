#include "ResultField.h"

#include "number_text.h"
#include "result_display.h"

// clang-format off
FXDEFMAP(ResultField) ResultFieldMap[] = {
  FXMAPFUNC(SEL_COMMAND, FXWindow::ID_SETREALVALUE, ResultField::onCmdSetRealValue),
};
// clang-format on

FXIMPLEMENT(ResultField, FXTextField, ResultFieldMap, ARRAYNUMBER(ResultFieldMap))

ResultField::ResultField(FXComposite* p, FXint ncols, FXObject* tgt, FXSelector sel, FXuint opts)
    : FXTextField(p, ncols, tgt, sel, opts | TEXTFIELD_READONLY) {}

long ResultField::onCmdSetRealValue(FXObject* sender, FXSelector sel, void* ptr) {
  FXdouble shown = aerofoil::shownResult(*static_cast<FXdouble*>(ptr));
  const FXString before = getText();
  const long handled = FXTextField::onCmdSetRealValue(sender, sel, &shown);
  if (getText() != before) showTextStart(this);
  return handled;
}
