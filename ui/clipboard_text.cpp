#include "clipboard_text.h"

bool offerClipboard(FXWindow* window) {
  const FXDragType types[] = {FXWindow::stringType, FXWindow::textType, FXWindow::utf8Type};
  return window->acquireClipboard(types, ARRAYNUMBER(types));
}

bool answerClipboard(FXWindow* window, void* ptr, const std::string& text) {
  const FXEvent* ev = static_cast<const FXEvent*>(ptr);
  if (ev->target != FXWindow::stringType && ev->target != FXWindow::textType && ev->target != FXWindow::utf8Type)
    return false;
  // The tables are plain ASCII: the same bytes in every one of the kinds.
  return window->setDNDData(FROM_CLIPBOARD, ev->target, FXString(text.c_str(), static_cast<FXint>(text.size())));
}
