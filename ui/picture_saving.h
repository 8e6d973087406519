// File > Save picture... of every window: the size asked in one box, then
// the file; the picture drawn anew at that size (not the canvas copied, so
// neither the canvas's size nor its click mark goes into it) and written as
// PNG, or as SVG when the file's name ends in ".svg".
#pragma once

#include <fx.h>

#include <functional>
#include <string>
#include <vector>

#include "svg.h"

// The panels of a picture w x h pixels, caption included.
using PictureBuilder = std::function<std::vector<plot::SvgPanel>(int w, int h)>;

// Asks the size (from w x h, the picture as the window shows it), then
// the file (offering defaultName), and writes the picture built at that
// size; a failure is said in a box.  Cancel in either box writes nothing.
void savePictureAsked(FXWindow* owner, const char* defaultName, int w, int h, const PictureBuilder& build);

// The panels written to path: SVG when its name ends in ".svg" (in any
// case), else PNG; replaced whole or not at all.
bool writePicture(FXApp* app, const std::vector<plot::SvgPanel>& panels, const std::string& path, std::string& why);

// The height of a picture whose caption, `caption` wrapped to w pixels,
// stands above plots `plotsHeight` pixels high: the size at which the
// saved plots are the ones on the screen.
int pictureHeight(const std::string& caption, int w, int plotsHeight);
