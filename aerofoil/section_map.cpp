#include "section_map.h"

namespace aerofoil {

bool SectionMap::sourcePartner(Complex, Complex&, Complex&) const { return false; }

Complex SectionMap::sourceRemainder(Complex z, Complex zq) const {
  // The two terms as they are: the wake points lie a panel's length or more
  // from the quadrature points, where the difference keeps its digits.
  const Complex zeta = len * toChord(z), zetaQ = len * toChord(zq);
  return derivative(z) / (zeta - zetaQ) - 1.0 / (z - zq);
}

}  // namespace aerofoil
