// Every text of a drawing inside the w x h canvas by the plots' own size
// estimate: nothing beyond an edge, no top cut off above the baseline.
#pragma once

#include <gtest/gtest.h>

#include "axis_labels.h"

inline void expectTextsInside(const plot::Drawing& d, int w, int h) {
  for (const plot::Primitive& p : d) {
    if (p.kind != plot::Primitive::Text) continue;
    EXPECT_TRUE(p.x1 >= 0 && p.x1 + plot::textWidth(p.text) <= w && p.y1 >= plot::kTextAscent &&
                p.y1 + plot::kTextDescent <= h)
        << "'" << p.text << "' at " << p.x1 << ", " << p.y1 << " on " << w << " x " << h;
  }
}
