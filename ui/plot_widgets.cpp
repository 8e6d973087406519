#include "plot_widgets.h"

#include "number_text.h"

FXIMPLEMENT(SizedCanvas, FXCanvas, nullptr, 0)
FXIMPLEMENT(TextLine, FXLabel, nullptr, 0)
FXIMPLEMENT(ValueLine, FXTextField, nullptr, 0)

void ValueLine::say(const FXString& text) {
  setText(text);
  showTextStart(this);
}
