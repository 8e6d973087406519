// Widgets of the plot windows: a canvas whose default size is the smallest
// at which its plot keeps every label apart (the window's minimum size
// follows from it); a line of text that takes the width it is given rather
// than asking for its text's (a long message does not widen the window;
// its tip holds the whole text); and the line of values under a plot,
// whose text can be selected and copied like a field's.
#pragma once

#include <fx.h>

class SizedCanvas : public FXCanvas {
  FXDECLARE(SizedCanvas)

 public:
  SizedCanvas(FXComposite* p, FXObject* tgt, FXSelector sel, FXuint opts, FXint minW, FXint minH)
      : FXCanvas(p, tgt, sel, opts), minW_(minW), minH_(minH) {}
  FXint getDefaultWidth() override { return minW_; }
  FXint getDefaultHeight() override { return minH_; }

 protected:
  SizedCanvas() {}

 private:
  FXint minW_ = 1, minH_ = 1;
};

class TextLine : public FXLabel {
  FXDECLARE(TextLine)

 public:
  TextLine(FXComposite* p, FXuint opts) : FXLabel(p, " ", nullptr, opts | LAYOUT_FILL_X | JUSTIFY_LEFT) {}
  FXint getDefaultWidth() override { return 1; }
  // The text, and the same as its tip; blank keeps the line one text line
  // high.
  void say(const FXString& text) {
    setText(text.empty() ? FXString(" ") : text);
    setTipText(text);
  }

 protected:
  TextLine() {}
};

class ValueLine : public FXTextField {
  FXDECLARE(ValueLine)

 public:
  explicit ValueLine(FXComposite* p)
      : FXTextField(p, 1, nullptr, 0, TEXTFIELD_READONLY | LAYOUT_FILL_X | JUSTIFY_LEFT, 0, 0, 0, 0, 2, 2, 1, 1) {
    setBackColor(p->getBackColor());
  }
  // The text, its start in view.
  void say(const FXString& text);

 protected:
  ValueLine() {}
};
