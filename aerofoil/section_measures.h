// Thickness and camber of a mapped section, measured on its outline in the
// chord axes: the thickness is the largest vertical distance between the
// upper and the lower surface at one x/c, the camber the largest height of
// the mean line (the points halfway between them), with its sign.
#pragma once

#include "section_map.h"

namespace aerofoil {

struct SectionMeasures {
  double thickness = 0.0;   // largest y_upper - y_lower at one x, per chord
  double xThickness = 0.0;  // where, x/c
  double camber = 0.0;      // (y_upper + y_lower)/2 of largest magnitude, per chord
  double xCamber = 0.0;     // where, x/c
};

SectionMeasures measureSection(const SectionMap& map);

}  // namespace aerofoil
