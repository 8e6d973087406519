// Widgets of the plot windows: a canvas whose default size is the smallest
// at which its plot keeps every label apart (the window's minimum size
// follows from it); lines of text that take the width they are given
// rather than asking for their text's (a long message does not widen the
// window) and wrap to it: status lines, and the line of values under a
// plot, whose text can be selected and copied like a field's.
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

// Text that wraps at word breaks to the width it is given and asks for
// the rows it needs there (at most maxRows; 0 for any number), never for
// a width of its own.  The rows grow with the texts shown at one width and
// are worked out anew when the width changes, so that a readout following
// the mouse does not make the plots above it jump.  Its text can be
// selected and copied like a field's (a triple click takes all of it).
class WrappedText : public FXText {
  FXDECLARE(WrappedText)

 public:
  // margin: the blank above and below the text (1 as a text field's, 2 as
  // a label's).
  WrappedText(FXComposite* p, FXuint opts, int maxRows, int margin);
  FXint getDefaultWidth() override { return 1; }
  void layout() override;
  // A triple click selects the whole text, not its row.
  long onLeftBtnPress(FXObject*, FXSelector, void*);
  // The text, from its start.
  void say(const FXString& text);

 protected:
  WrappedText() {}

 private:
  void fitRows();
  int maxRows_ = 0;
  int rows_ = 1;          // the rows asked for at fittedWidth_
  FXint fittedWidth_ = -1;
};

// A status line: wrapped text whose tip holds the text too.
class TextLine : public WrappedText {
  FXDECLARE(TextLine)

 public:
  TextLine(FXComposite* p, FXuint opts, int maxRows = 0) : WrappedText(p, opts, maxRows, 2) {}
  void say(const FXString& text) {
    WrappedText::say(text);
    setTipText(text);
  }

 protected:
  TextLine() {}
};

// The line of values under a plot.
class ValueLine : public WrappedText {
  FXDECLARE(ValueLine)

 public:
  explicit ValueLine(FXComposite* p) : WrappedText(p, 0, 0, 1) {}

 protected:
  ValueLine() {}
};
