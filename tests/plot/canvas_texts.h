// Texts of a drawing measured with the plots' own size estimate.
#pragma once

#include <gtest/gtest.h>

#include "axis_labels.h"

// Every text lies inside the w x h canvas: nothing left of or beyond the
// edges, no baseline so high that the top of the text is cut.
inline void expectTextsInside(const plot::Drawing& d, int w, int h) {
  for (const plot::Primitive& p : d) {
    if (p.kind != plot::Primitive::Text) continue;
    EXPECT_GE(p.x1, 0) << p.text;
    EXPECT_LE(p.x1 + plot::textWidth(p.text), w) << p.text << " on a canvas " << w << " wide";
    EXPECT_GE(p.y1, plot::kTextAscent) << p.text;
    EXPECT_LE(p.y1 + plot::kTextDescent, h) << p.text << " on a canvas " << h << " high";
  }
}
