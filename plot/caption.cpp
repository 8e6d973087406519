#include "caption.h"

#include <cstdio>

namespace plot {

std::string sectionCaption(double alphaDeg, double eR1, double hR1, int n) {
  char text[160];
  std::snprintf(text, sizeof text, "Section: alpha %g, e/R1 %g, h/R1 %g, N %d", alphaDeg, eR1, hR1, n);
  return text;
}

std::string surfaceCaption(const std::string& section, bl::Surface which) {
  return section + "; " + bl::name(which);
}

std::string polarCaption(const PolarSetup& p) {
  char text[200];
  if (p.free)
    std::snprintf(text, sizeof text, "Section: e/R1 %g, h/R1 %g, N %d; Re(mill) %g, free transition, Np %d", p.eR1,
                  p.hR1, p.n, p.re_mill, p.np);
  else
    std::snprintf(text, sizeof text, "Section: e/R1 %g, h/R1 %g, N %d; Re(mill) %g, Str u %g, Str l %g, Np %d",
                  p.eR1, p.hR1, p.n, p.re_mill, p.str_u, p.str_l, p.np);
  return text;
}

SvgPanel captionPanel(const std::string& text, int width) {
  SvgPanel panel{{}, width, kCaptionHeight};
  panel.drawing.push_back({Primitive::Fill, "White", false, 0, 0, width, kCaptionHeight, {}});
  placeText(panel.drawing, 6, 4 + kTextAscent, text, width, kCaptionHeight);
  return panel;
}

}  // namespace plot
