// What the windows' File menus write: the save dialog that asks before it
// replaces a file, and drawings written as one PNG picture.
#pragma once

#include <fx.h>

#include <string>
#include <vector>

#include "svg.h"

// The file a save dialog chose, or "" when cancelled or when the user
// would rather not replace an existing file.
FXString chooseSaveFile(FXWindow* owner, const char* caption, const char* name, const char* patterns);

// The panels (a drawing and the canvas size it was computed for) stacked
// top to bottom, each clipped to its canvas, drawn by the toolkit into an
// off-screen image exactly as on the screen and written to path as PNG,
// replaced whole or not at all.  On failure returns false with the reason
// in why.
bool writePngPicture(FXApp* app, const std::vector<plot::SvgPanel>& panels, const std::string& path,
                     std::string& why);
