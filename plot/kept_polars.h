// Polars kept for comparison: each is drawn in a muted colour of its own
// under the polar computed last, and named in the legend by what sets it
// apart from that one (Reynolds number, transition, normal grid, section).
#pragma once

#include <string>
#include <vector>

#include "polar.h"

namespace plot {

// What a polar was computed with, as the polar window shows it.
struct PolarSetup {
  std::string section;  // a section other than Joukowski's by its name; empty for it
  double eR1 = 0, hR1 = 0;
  int n = 0;
  double re_mill = 0;
  bool free = false;  // free transition; else forced at str_u, str_l (or x/c)
  double str_u = 0, str_l = 0;
  int np = 0;
  bool trip = false;  // forced at the chord positions xtr_u, xtr_l instead of str_u, str_l
  double xtr_u = 0, xtr_l = 0;
  bool viscous = false;  // the layer acting back on the flow
  bl::Turbulence turbulence = bl::Turbulence::algebraic;  // closure of the turbulent layers
};

struct KeptPolar {
  std::vector<polar::Point> points;
  PolarSetup setup;
};

// At most this many polars kept at once.
constexpr int kMaxKept = 5;

// The colour of the k-th kept polar (0 the first kept).
const char* keptColour(int k);

// What tells the kept polar from the current one, in the windows' labels:
// "viscous" (or "not viscous"), the turbulence model ("Spalart-Allmaras"),
// "Re(mill) 5", "free transition", "Str u
// 0.05", "Trip x/c u 0.1", "Np 81", "N 128", joined by ", "; "same
// settings" when nothing does.
std::string keptLabel(const PolarSetup& kept, const PolarSetup& current);

}  // namespace plot
