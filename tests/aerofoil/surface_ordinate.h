// The ordinate of a section's upper or lower surface at a given x/c, read
// off its outline by bisection on the parameter (the surface must be single
// valued in x between the trailing edge and the parameter given).
#pragma once

#include "section_shape.h"

inline double surfaceOrdinate(const aerofoil::SectionShape& shape, double x, bool upper, double tNose) {
  double a = upper ? 0 : 1, b = upper ? tNose : 1 - tNose;
  for (int i = 0; i < 100; ++i) {
    const double m = (a + b) / 2;
    (shape.point(m).real() > x ? a : b) = m;
  }
  return shape.point((a + b) / 2).imag();
}
