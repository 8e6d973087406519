// A section solved as the aerofoil window solves it on an input change.
#pragma once

#include "joukowski.h"

inline aerofoil::Joukowski solved(double alpha, double e, double h, int n = 256) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, n);
  aerofoil::solveSection(af, alpha, e, h);
  return af;
}
