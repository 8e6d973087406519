#include "kept_polars.h"

#include <cstdio>

namespace plot {

const char* keptColour(int k) {
  // Light and greyish beside the black, blue and red of the current polar,
  // apart from one another and from the grey of a point that did not
  // converge.
  static const char* const colours[kMaxKept] = {"Tan", "LightSteelBlue", "Plum", "DarkSeaGreen", "RosyBrown"};
  return colours[((k % kMaxKept) + kMaxKept) % kMaxKept];
}

namespace {
std::string shown(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}
}  // namespace

std::string keptLabel(const PolarSetup& kept, const PolarSetup& current) {
  std::vector<std::string> parts;
  if (kept.viscous != current.viscous) parts.push_back(kept.viscous ? "viscous" : "not viscous");
  if (kept.turbulence != current.turbulence) parts.push_back(bl::turbulence_title(kept.turbulence));
  if (kept.re_mill != current.re_mill) parts.push_back("Re(mill) " + shown(kept.re_mill));
  if (kept.free && !current.free) {
    parts.push_back("free transition");
  } else if (!kept.free) {
    // Against a polar tripped otherwise the forced positions are what differs.
    const bool other = current.free || current.trip != kept.trip;
    if (kept.trip) {
      if (other || kept.xtr_u != current.xtr_u) parts.push_back("Trip x/c u " + shown(kept.xtr_u));
      if (other || kept.xtr_l != current.xtr_l) parts.push_back("Trip x/c l " + shown(kept.xtr_l));
    } else {
      if (other || kept.str_u != current.str_u) parts.push_back("Str u " + shown(kept.str_u));
      if (other || kept.str_l != current.str_l) parts.push_back("Str l " + shown(kept.str_l));
    }
  }
  if (kept.np != current.np) parts.push_back("Np " + std::to_string(kept.np));
  if (kept.section != current.section) {
    parts.push_back(kept.section.empty() ? "Joukowski e/R1 " + shown(kept.eR1) + ", h/R1 " + shown(kept.hR1)
                                         : kept.section);
  } else if (kept.section.empty()) {
    if (kept.eR1 != current.eR1) parts.push_back("e/R1 " + shown(kept.eR1));
    if (kept.hR1 != current.hR1) parts.push_back("h/R1 " + shown(kept.hR1));
  }
  if (kept.n != current.n) parts.push_back("N " + std::to_string(kept.n));
  if (parts.empty()) return "same settings";
  std::string text;
  for (const std::string& p : parts) text += (text.empty() ? "" : ", ") + p;
  return text;
}

}  // namespace plot
