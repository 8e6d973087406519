#include "caption.h"

#include <cstdio>

namespace plot {

std::string sectionCaption(double alphaDeg, double eR1, double hR1, int n) {
  char text[160];
  std::snprintf(text, sizeof text, "Section: alpha %g, e/R1 %g, h/R1 %g, N %d", alphaDeg, eR1, hR1, n);
  return text;
}

std::string sectionCaption(const std::string& name, double alphaDeg, int n) {
  char text[80];
  std::snprintf(text, sizeof text, ", alpha %g, N %d", alphaDeg, n);
  return "Section: " + name + text;
}

std::string surfaceCaption(const std::string& section, bl::Surface which) {
  return section + "; " + bl::name(which);
}

std::string polarCaption(const PolarSetup& p) {
  char text[240];
  char transition[80];
  if (p.free)
    std::snprintf(transition, sizeof transition, "free transition");
  else if (p.trip)
    std::snprintf(transition, sizeof transition, "trip at x/c %g (upper), %g (lower)", p.xtr_u, p.xtr_l);
  else
    std::snprintf(transition, sizeof transition, "Str u %g, Str l %g", p.str_u, p.str_l);
  std::snprintf(text, sizeof text, "Section: e/R1 %g, h/R1 %g, N %d; Re(mill) %g, %s, Np %d%s", p.eR1, p.hR1, p.n,
                p.re_mill, transition, p.np, p.viscous ? "; viscous" : "");
  return text;
}

SvgPanel captionPanel(const std::string& text, int width) {
  SvgPanel panel{{}, width, kCaptionHeight};
  panel.drawing.push_back({Primitive::Fill, "White", false, 0, 0, width, kCaptionHeight, {}});
  placeText(panel.drawing, 6, 4 + kTextAscent, text, width, kCaptionHeight);
  return panel;
}

}  // namespace plot
