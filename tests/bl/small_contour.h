// A six-point contour whose stagnation point lies at 0.4 of the panel
// between points 3 and 4; its split (4 nodes per surface, no point dropped)
// is kept byte for byte in tests/data/sxr_ue_small.out.
#pragma once

#include "session/exchange_data.h"

inline void hand_over_small_contour(bl::ExchangeData& blx) {
  blx.n_cont(0) = 5;
  const double s[] = {0.0, 0.3, 0.5, 0.55, 0.7, 1.0};
  const double v[] = {0.9, 0.6, 0.2, -0.3, -0.8, -1.0};
  for (int i = 1; i <= 6; ++i) {
    blx.s_cont(i) = s[i - 1];
    blx.v_cont(i) = v[i - 1];
  }
}
