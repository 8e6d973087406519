#include "section_map.h"

#include "constants.h"

namespace aerofoil {

bool SectionMap::sourcePartner(Complex, Complex&, Complex&) const { return false; }

Complex SectionMap::sourceRemainder(Complex z, Complex zq) const {
  // The two terms as they are: the wake points lie a panel's length or more
  // from the quadrature points, where the difference keeps its digits.
  const Complex zeta = len * toChord(z), zetaQ = len * toChord(zq);
  return derivative(z) / (zeta - zetaQ) - 1.0 / (z - zq);
}

void SectionMap::mapRings(const std::vector<double>& rho, int m, std::vector<Complex>& chord,
                          std::vector<Complex>* derivative) const {
  using constants::kTwoPi;
  const std::size_t mm = static_cast<std::size_t>(m);
  chord.resize(rho.size() * mm);
  if (derivative) derivative->resize(rho.size() * mm);
  for (std::size_t k = 0; k < rho.size(); ++k)
    for (std::size_t j = 0; j < mm; ++j) {
      const Complex z = centre + std::polar(rho[k], kTwoPi * static_cast<double>(j) / m);
      chord[k * mm + j] = toChord(z);
      if (derivative) (*derivative)[k * mm + j] = this->derivative(z);
    }
}

}  // namespace aerofoil
