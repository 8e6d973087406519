// The pictures the windows save, built at the size the user asks for
// rather than at the size of the canvas on the screen: the caption above,
// whole (wrapped to the width, caption.h), the plot in the rest of the
// w x h pixels, and never the click mark, which belongs to the screen.  The
// panels go as they are to an SVG file (svg.h) or to a PNG image.
#pragma once

#include <string>
#include <vector>

#include "bl_plot.h"
#include "joukowski.h"
#include "kept_polars.h"
#include "polar.h"
#include "svg.h"

namespace plot {

// The sizes a saved picture may take, pixels per side: room for every
// label at the smallest, an image of under 150 MB in memory at the
// largest.
constexpr int kMinPictureSide = 200;
constexpr int kMaxPictureSide = 6000;

// The aerofoil window's picture: its section's caption and the pressure
// plot with the contour.
std::vector<SvgPanel> aerofoilPictureToSave(const aerofoil::Joukowski& af, int w, int h);

// The polar window's: the polar's caption and its views (with the kept
// polars and their legend band).
std::vector<SvgPanel> polarPictureToSave(const std::vector<polar::Point>& points, double alphaFrom,
                                         double alphaTo, const std::vector<KeptPolar>& kept,
                                         const PolarSetup& setup, int w, int h);

// The boundary-layer window's: the caption given and the edge-velocity and
// quantity plots of the selected surface, each half of the rest.
std::vector<SvgPanel> boundaryLayerPictureToSave(const BlPlotState& state, const std::string& caption, int w,
                                                 int h);

}  // namespace plot
