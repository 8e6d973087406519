// A read-only text field for one of the aerofoil window's results, bound to
// the exact double through an FXDataTarget.  It shows a value that is zero
// at its precision as 0 (result_display.h) and the start of its text.
#pragma once

#include <fx.h>

class ResultField : public FXTextField {
  FXDECLARE(ResultField)

 public:
  ResultField(FXComposite* p, FXint ncols, FXObject* tgt, FXSelector sel, FXuint opts);

  // The data target's refresh: formats the shown value as the toolkit does
  // and, when the text changed, brings its first character into view (a
  // text field otherwise follows its cursor to the end of the text).
  long onCmdSetRealValue(FXObject*, FXSelector, void*);

 protected:
  ResultField() {}
};
