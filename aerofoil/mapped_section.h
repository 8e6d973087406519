// A section solved through its conformal map: the contour points at equal
// steps of circle angle from the trailing edge (so that they crowd at both
// edges as the map's derivative does), the exact surface speed of the flow
// with the Kutta circulation, and the integral characteristics in closed
// form from the map's far field (see section_map.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "joukowski.h"
#include "section_map.h"
#include "section_measures.h"

namespace aerofoil {

class MappedSection {
 public:
  // The geometry of n contour intervals (the points, their arc length and
  // |dzeta/dz|), computed once; measures: the section's thickness and camber.
  MappedSection(std::shared_ptr<const SectionMap> map, const SectionMeasures& measures, int n);

  // The solution at incidence alphaDeg: point arrays, surface speed and
  // pressure, characteristics; af.map and af.circleAngle name the map.
  void solve(double alphaDeg, Joukowski& af) const;

  int points() const { return n_; }
  const std::shared_ptr<const SectionMap>& map() const { return map_; }

 private:
  std::shared_ptr<const SectionMap> map_;
  SectionMeasures measures_;
  int n_;
  std::vector<double> phi_, x_, y_, s_, modulus_;
};

}  // namespace aerofoil
