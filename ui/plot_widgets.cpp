#include "plot_widgets.h"

FXIMPLEMENT(SizedCanvas, FXCanvas, nullptr, 0)
// clang-format off
FXDEFMAP(WrappedText) WrappedTextMap[] = {
  FXMAPFUNC(SEL_LEFTBUTTONPRESS, 0, WrappedText::onLeftBtnPress),
};
// clang-format on

FXIMPLEMENT(WrappedText, FXText, WrappedTextMap, ARRAYNUMBER(WrappedTextMap))
FXIMPLEMENT(TextLine, WrappedText, nullptr, 0)
FXIMPLEMENT(ValueLine, WrappedText, nullptr, 0)

WrappedText::WrappedText(FXComposite* p, FXuint opts, int maxRows, int margin)
    : FXText(p, nullptr, 0,
             opts | TEXT_READONLY | TEXT_WORDWRAP | HSCROLLER_NEVER | VSCROLLER_NEVER | LAYOUT_FILL_X, 0, 0, 0, 0,
             2, 2, 1, 1),
      maxRows_(maxRows) {
  setBackColor(p->getBackColor());
  // One row as high as the text field or label it stands for; a text
  // draws no frame, whose width stays blank.
  const int frame = (opts & FRAME_SUNKEN) ? 1 : 0;
  setMarginTop(margin + frame);
  setMarginBottom(margin + frame);
  setMarginLeft(margin - 1);
  setMarginRight(margin - 1);
  setVisibleRows(1);
  setVisibleColumns(1);
}

void WrappedText::say(const FXString& text) {
  setText(text);
  if (id()) {  // the cursor is drawn: only once the window exists
    setCursorPos(0);
    makePositionVisible(0);
  }
  fitRows();
  // The windows' state shown by their update handlers may have moved with
  // the news this line gives (a computation that ended): a round of them.
  getApp()->refresh();
}

long WrappedText::onLeftBtnPress(FXObject* sender, FXSelector sel, void* ptr) {
  const long handled = FXText::onLeftBtnPress(sender, sel, ptr);
  if (static_cast<const FXEvent*>(ptr)->click_count >= 3) handle(this, FXSEL(SEL_COMMAND, ID_SELECT_ALL), nullptr);
  return handled;
}

void WrappedText::layout() {
  FXText::layout();
  fitRows();
}

// The rows the text takes at the width laid out; asking for more makes the
// parent lay out again, at the same width, where they then agree.
void WrappedText::fitRows() {
  if (getWidth() <= 1) return;  // not laid out yet
  if (getWidth() != fittedWidth_) {
    fittedWidth_ = getWidth();
    rows_ = 1;
  }
  int need = FXMAX(1, getNumRows());
  if (maxRows_ > 0) need = FXMIN(need, maxRows_);
  if (need > rows_) rows_ = need;
  if (rows_ != getVisibleRows()) setVisibleRows(rows_);
}
