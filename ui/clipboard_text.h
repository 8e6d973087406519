// Text a window puts on the clipboard: the window takes the clipboard, and
// answers the requests that come to it (SEL_CLIPBOARD_REQUEST) with the text
// it keeps, as plain or UTF-8 text, until another program takes it.
#pragma once

#include <fx.h>

#include <string>

// Keeps text in held and makes window the owner of the clipboard; an
// error box says so when the window system refuses.
void putOnClipboard(FXWindow* window, std::string& held, std::string text);

// Answers one request for the clipboard (ptr: the request's FXEvent) with
// text; false for a kind of data it does not give.
bool answerClipboard(FXWindow* window, void* ptr, const std::string& text);
