// Drawings as SVG, for pictures that other programs read and scale.
//
// Each primitive becomes one element at the same pixel coordinates: Fill a
// filled rect, Line a line (dashed as the canvas dashes, 4 pixels on and 4 off),
// Ellipse an outlined ellipse in the same box, Text a text element with its
// baseline at y.  Colours keep the toolkit's names, which for the ones the
// plots use ("White", "Orange", "Black", "Blue", "Red") are SVG colour
// keywords of the same value once written in lower case.
#pragma once

#include <string>
#include <vector>

#include "plot_primitives.h"

namespace plot {

// One drawing and the canvas size it was computed for.
struct SvgPanel {
  Drawing drawing;
  int width = 0, height = 0;
};

// An SVG document of the panels stacked top to bottom, each clipped to its
// own canvas as the window clips it; as wide as the widest panel.
std::string svgDocument(const std::vector<SvgPanel>& panels);

// Writes svgDocument(panels) to path, replacing the file only once the
// whole text is written.  On failure returns false with the reason in why.
bool writeSvgFile(const std::string& path, const std::vector<SvgPanel>& panels, std::string& why);

}  // namespace plot
