#include "clipboard_text.h"

#include <utility>

void putOnClipboard(FXWindow* window, std::string& held, std::string text) {
  held = std::move(text);
  const FXDragType types[] = {FXWindow::stringType, FXWindow::textType, FXWindow::utf8Type};
  if (!window->acquireClipboard(types, ARRAYNUMBER(types)))
    FXMessageBox::error(window, MBOX_OK, "Copy values", "The clipboard cannot be taken.");
}

bool answerClipboard(FXWindow* window, void* ptr, const std::string& text) {
  const FXEvent* ev = static_cast<const FXEvent*>(ptr);
  if (ev->target != FXWindow::stringType && ev->target != FXWindow::textType && ev->target != FXWindow::utf8Type)
    return false;
  // The tables are plain ASCII: the same bytes in every one of the kinds.
  return window->setDNDData(FROM_CLIPBOARD, ev->target, FXString(text.c_str(), static_cast<FXint>(text.size())));
}
