// Text a window puts on the clipboard: the window takes the clipboard, and
// answers the requests that come to it (SEL_CLIPBOARD_REQUEST) with the text
// it keeps, as plain or UTF-8 text, until another program takes it.
#pragma once

#include <fx.h>

#include <string>

// Makes window the owner of the clipboard; false when the window system
// refuses.
bool offerClipboard(FXWindow* window);

// Answers one request for the clipboard (ptr: the request's FXEvent) with
// text; false for a kind of data it does not give.
bool answerClipboard(FXWindow* window, void* ptr, const std::string& text);
