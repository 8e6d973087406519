// The polar window's plots on a small table built by hand: the angle axis
// and its labels, a circle on every point with a value, lines only between
// neighbours that both have one (gaps at the failed angle and where a
// surface has no transition), the list of gaps, texts inside the canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "canvas_texts.h"
#include "polar_plot.h"

using plot::Primitive;

namespace {

int count(const plot::Drawing& d, Primitive::Kind kind, const std::string& colour) {
  return static_cast<int>(std::count_if(d.begin(), d.end(), [&](const Primitive& p) {
    return p.kind == kind && p.colour == colour && !p.dashed;
  }));
}

// Angles 0, 2, 4, 6; the boundary layer failed at 4; no transition on the
// upper surface at 6.
std::vector<polar::Point> smallPolar() {
  std::vector<polar::Point> pts;
  const double nan = std::nan("");
  for (int k = 0; k < 4; ++k) {
    polar::Point p;
    p.index = k;
    p.alpha = 2.0 * k;
    p.clift = 0.2 + 0.22 * p.alpha;
    p.computed = k != 2;
    p.failure = p.computed ? "" : "Newton iterations did not converge";
    p.cd = p.computed ? 0.006 + 0.001 * k : nan;
    p.upper.xc_tr = k == 3 ? nan : 0.4 - 0.05 * k;
    p.lower.xc_tr = 0.5 + 0.05 * k;
    pts.push_back(p);
  }
  return pts;
}

}  // namespace

TEST(PolarPlot, PointsMarkedAndFailedAnglesLeaveGaps) {
  const std::vector<polar::Point> pts = smallPolar();
  const int W = 400, H = 300;
  const struct {
    plot::PolarView view;
    const char* colour;
    int circles, lines;
  } expected[] = {{plot::kLiftCurve, "Black", 4, 3},  // the potential-flow lift at every angle
                  {plot::kDragCurve, "Black", 3, 1},
                  {plot::kDragPolar, "Black", 3, 1},
                  {plot::kTransitionCurve, "Blue", 2, 1},
                  {plot::kTransitionCurve, "Red", 3, 1}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.view);
    const plot::Drawing d = plot::polarView(e.view, pts, 0, 6, W, H);
    EXPECT_EQ(count(d, Primitive::Ellipse, e.colour), e.circles);
    EXPECT_EQ(count(d, Primitive::Line, e.colour), e.lines);
    expectTextsInside(d, W, H);
    if (e.view == plot::kDragPolar) continue;

    // The angle axis: a dashed line and a label every degree, each circle
    // centred on the line of its angle.
    std::set<int> gridX, labels;
    for (const Primitive& p : d) {
      if (p.kind == Primitive::Line && p.dashed && p.x1 == p.x2) gridX.insert(p.x1);
      if (p.kind == Primitive::Text && (p.text == "0" || p.text == "2" || p.text == "4" || p.text == "6"))
        labels.insert(std::stoi(p.text));
    }
    EXPECT_EQ(gridX.size(), 7u);
    EXPECT_EQ(labels, (std::set<int>{0, 2, 4, 6}));
    for (const Primitive& p : d) {
      if (p.kind != Primitive::Ellipse) continue;
      EXPECT_EQ(gridX.count(p.x1 + plot::kPolarMarker / 2), 1u);
    }
  }

  // The picture holds the four views; the list names the one failed angle.
  const plot::Drawing all = plot::polarPicture(pts, 0, 6, 900, 640);
  EXPECT_EQ(count(all, Primitive::Ellipse, "Black"), 10);
  expectTextsInside(all, 900, 640);
  expectTextsInside(plot::polarPicture(pts, 0, 6, 250, 180), 250, 180);
  EXPECT_EQ(plot::polarGaps(pts), "alpha = 4.000: Newton iterations did not converge\n");
}

TEST(PolarPlot, RoundAxes) {
  const plot::PolarAxis a = plot::roundAxis(-4, 16, 6);
  EXPECT_DOUBLE_EQ(a.lo, -5);
  EXPECT_DOUBLE_EQ(a.hi, 20);
  EXPECT_DOUBLE_EQ(a.step, 5);
  // One drag value so far: a small range around it, not a zero-width one.
  const plot::PolarAxis one = plot::roundAxis(0.008, 0.008, 4);
  EXPECT_TRUE(one.lo < 0.008 && one.hi > 0.008 && one.step > 0 && std::lround((one.hi - one.lo) / one.step) <= 4);
  const plot::PolarAxis bad = plot::roundAxis(std::nan(""), 1, 4);
  EXPECT_TRUE(bad.hi > bad.lo && bad.step > 0);
}
