#include "saved_picture.h"

#include <algorithm>

#include "aerofoil_plot.h"
#include "caption.h"
#include "polar_plot.h"

namespace plot {

namespace {

// The caption panel, and the height left under it for the plots.
SvgPanel caption(const std::string& text, int w, int h, int& rest) {
  SvgPanel panel = captionPanel(text, w);
  rest = std::max(0, h - panel.height);
  return panel;
}

}  // namespace

std::vector<SvgPanel> aerofoilPictureToSave(const aerofoil::Joukowski& af, int w, int h) {
  int rest = 0;
  SvgPanel top = caption(sectionCaption(af), w, h, rest);
  PlotScale ps;
  return {std::move(top), {aerofoilPicture(ps, af, w, rest), w, rest}};
}

std::vector<SvgPanel> polarPictureToSave(const std::vector<polar::Point>& points, double alphaFrom,
                                         double alphaTo, const std::vector<KeptPolar>& kept,
                                         const PolarSetup& setup, int w, int h) {
  int rest = 0;
  SvgPanel top = caption(polarCaption(setup), w, h, rest);
  return {std::move(top), {polarPicture(points, alphaFrom, alphaTo, w, rest, kept, setup), w, rest}};
}

std::vector<SvgPanel> boundaryLayerPictureToSave(const BlPlotState& state, const std::string& text, int w,
                                                 int h) {
  int rest = 0;
  SvgPanel top = caption(text, w, h, rest);
  const int upper = rest / 2, lower = rest - upper;
  return {std::move(top), {edgeVelocityPlot(state, w, upper), w, upper}, {quantityPlot(state, w, lower), w, lower}};
}

}  // namespace plot
