// Every text of a drawing inside the w x h canvas by the plots' own size
// estimate: nothing beyond an edge, no top cut off above the baseline; and
// no two texts (and, when asked, marker circles) on top of each other.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "axis_labels.h"

inline void expectTextsInside(const plot::Drawing& d, int w, int h) {
  for (const plot::Primitive& p : d) {
    if (p.kind != plot::Primitive::Text) continue;
    EXPECT_TRUE(p.x1 >= 0 && p.x1 + plot::textWidth(p.text) <= w && p.y1 >= plot::kTextAscent &&
                p.y1 + plot::kTextDescent <= h)
        << "'" << p.text << "' at " << p.x1 << ", " << p.y1 << " on " << w << " x " << h;
  }
}

inline void expectTextsApart(const plot::Drawing& d, int w, int h, bool withCircles = false) {
  std::vector<std::array<int, 4>> boxes;
  for (const plot::Primitive& p : d) {
    if (p.kind == plot::Primitive::Text)
      boxes.push_back({p.x1, p.y1 - plot::kTextAscent, p.x1 + plot::textWidth(p.text), p.y1 + plot::kTextDescent});
    else if (withCircles && p.kind == plot::Primitive::Ellipse)
      boxes.push_back({p.x1 - 4, p.y1 - 4, p.x1 + 12, p.y1 + 12});
  }
  for (std::size_t a = 0; a < boxes.size(); ++a)
    for (std::size_t b = a + 1; b < boxes.size(); ++b) {
      const auto &p = boxes[a], &q = boxes[b];
      EXPECT_TRUE(p[2] <= q[0] || q[2] <= p[0] || p[3] <= q[1] || q[3] <= p[1])
          << "boxes " << a << " and " << b << " overlap on " << w << " x " << h;
    }
}
