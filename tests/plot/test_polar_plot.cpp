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

TEST(PolarPlot, KeptPolarsUnderTheCurrentOneNamedByWhatDiffers) {
  const plot::PolarSetup current{"", 0.131, 0.0, 256, 10.0, false, 0.02, 0.03, 41};
  plot::PolarSetup free = current;
  free.re_mill = 5;
  free.free = true;
  EXPECT_EQ(plot::keptLabel(free, current), "Re(mill) 5, free transition");
  EXPECT_EQ(plot::keptLabel(current, free), "Re(mill) 10, Str u 0.02, Str l 0.03");
  plot::PolarSetup finer = current;
  finer.np = 81;
  finer.n = 128;
  EXPECT_EQ(plot::keptLabel(finer, current), "Np 81, N 128");
  EXPECT_EQ(plot::keptLabel(current, current), "same settings");

  // A kept polar with more lift, drawn in its muted colour before the
  // current polar's curves, every one of its points circled; the legend
  // band names it.
  const std::vector<polar::Point> pts = smallPolar();
  std::vector<polar::Point> more = pts;
  for (polar::Point& p : more) p.clift += 0.1;
  const std::vector<plot::KeptPolar> kept{{more, free}};
  const char* const tan = plot::keptColour(0);
  const plot::Drawing lift = plot::polarView(plot::kLiftCurve, pts, 0, 6, 400, 300, kept);
  std::size_t lastKept = 0, firstCurrent = lift.size();
  for (std::size_t i = 0; i < lift.size(); ++i) {
    if (lift[i].colour == tan) lastKept = i;
    if (lift[i].kind == Primitive::Ellipse && lift[i].colour == "Black") firstCurrent = std::min(firstCurrent, i);
  }
  EXPECT_LT(lastKept, firstCurrent);
  EXPECT_EQ(count(lift, Primitive::Ellipse, tan), 4);
  const plot::Drawing all = plot::polarPicture(pts, 0, 6, 900, 640, kept, current);
  bool named = false;
  for (const Primitive& p : all) named = named || (p.kind == Primitive::Text && p.text == "Re(mill) 5, free transition");
  EXPECT_TRUE(named);
  expectTextsInside(all, 900, 640);
  // The smallest canvas of the window keeps its texts apart.
  const plot::Drawing small = plot::polarPicture(pts, 0, 6, 500, 360, kept, current);
  for (int v = 0; v < plot::kPolarViews; ++v)
    expectTextsApart(plot::polarView(static_cast<plot::PolarView>(v), pts, 0, 6, 250, 170, kept), 250, 170);
  expectTextsInside(small, 500, 360);

  // A click picks the nearest point, of the kept polar too, and says whose
  // it is; the lift is the potential flow's, as the title says.
  plot::PickPoints at;
  plot::polarPicture(pts, 0, 6, 900, 640, kept, current, {}, &at);
  const auto keptAt6 = std::find_if(at.begin(), at.end(), [](const plot::PickPoint& p) {
    return plot::polarSeriesOf(p.series).view == plot::kLiftCurve && plot::polarSeriesOf(p.series).kept == 0 &&
           p.index == 3;
  });
  ASSERT_NE(keptAt6, at.end());
  const plot::Mark m = plot::nearestPoint(at, keptAt6->x, keptAt6->y - 1);
  EXPECT_EQ(plot::polarValueText(m, pts, kept, current),
            "alpha 6.0  Clift 1.6200  Cd 0.00900  (kept: Re(mill) 5, free transition)");
  bool titled = false;
  for (const Primitive& p : lift) titled = titled || p.text == "Clift (potential flow)";
  EXPECT_TRUE(titled);

  // The copy of the current polar: the failed angle has no drag and no
  // transition and says it failed; the numbers read back exactly.
  EXPECT_EQ(plot::polarTable(pts).rfind("alpha\tClift\tCd_SquireYoung\tx/c_tr_u\tx/c_tr_l\tconv\n0\t0.2\t", 0), 0u);
  EXPECT_NE(plot::polarTable(pts).find("\n4\t1.08\t\t\t\tfailed\n"), std::string::npos) << plot::polarTable(pts);
}

TEST(PolarPlot, ViscousPolarMarksItsMaximumLiftAndBestLiftToDragRatio) {
  // Viscous lift below the potential flow's, the drag rising with the lift
  // to 4 degrees; at 6 the sweeps did not settle, their last lift and drag
  // the highest of all.  Among the converged angles the maximum lift lies at
  // 4, the last of them (it may lie beyond), the best Cl/Cd at 2.
  std::vector<polar::Point> pts = smallPolar();
  const double cl[] = {0.18, 0.55, 0.75, 0.8}, cd[] = {0.0060, 0.0065, 0.0095, 0.004};
  for (int k = 0; k < 4; ++k) {
    polar::Point& p = pts[static_cast<std::size_t>(k)];
    p.computed = true;
    p.cd = cd[k];
    p.viscous = {cl[k], -0.01 * k, cd[k], 0.005, 12, k != 3};
  }
  const plot::PolarOptima o = plot::polarOptima(pts);
  EXPECT_EQ(o.maxLift, 2);
  EXPECT_EQ(o.bestLiftToDrag, 1);
  EXPECT_TRUE(o.maxLiftBeyond);
  EXPECT_FALSE(o.bestLiftToDragBeyond);
  // The saved table's last line names the same point, and the status line
  // the angle left out; after a Cancel at 2 degrees only 0 and 2 count.
  EXPECT_EQ(polar::tableFooter(pts, true),
            "# Maximum lift: Cl_visc 0.75000 at alpha 4.000 (at an end of the converged angles: the maximum may "
            "lie beyond it); 1 angle that did not converge left out\n");
  EXPECT_EQ(polar::unconvergedNote(pts), "1 of 4 angles did not converge (grey circles)");
  const std::vector<polar::Point> cancelled(pts.begin(), pts.begin() + 2);
  EXPECT_EQ(polar::maximumLift(cancelled), &cancelled[1]);
  EXPECT_TRUE(polar::mayLieBeyond(cancelled, polar::bestLiftToDrag(cancelled)));

  const int W = 400, H = 300;
  const plot::Drawing lift = plot::polarView(plot::kLiftCurve, pts, 0, 6, W, H, {}, {}, nullptr, true);
  EXPECT_EQ(count(lift, Primitive::Ellipse, plot::kOptimumColour), 2);
  std::set<std::string> labels;
  for (std::size_t i = 0; i < lift.size(); ++i) {
    const Primitive& p = lift[i];
    if (p.kind != Primitive::Text || p.colour != plot::kOptimumColour) continue;
    labels.insert(p.text);
    // On a white ground that no curve drawn before it shows through.
    const Primitive& ground = lift[i - 1];
    EXPECT_TRUE(ground.kind == Primitive::Fill && ground.colour == "White" && ground.x1 < p.x1 &&
                ground.x1 + ground.x2 > p.x1 + plot::textWidth(p.text) && ground.y1 < p.y1 - plot::kTextAscent &&
                ground.y1 + ground.y2 > p.y1 + plot::kTextDescent)
        << p.text;
  }
  EXPECT_EQ(labels, (std::set<std::string>{"max Cl >= 0.7500", "max L/D 84.6"}));
  expectTextsInside(lift, W, H);
  // The viscous lift in black over the potential flow's dashed; the point
  // that did not settle grey and apart.
  EXPECT_EQ(count(lift, Primitive::Ellipse, "Black"), 3);
  EXPECT_EQ(count(lift, Primitive::Ellipse, plot::kUnconvergedColour), 1);
  EXPECT_EQ(count(lift, Primitive::Line, "Black"), 2);
  EXPECT_EQ(std::count_if(lift.begin(), lift.end(),
                          [](const Primitive& p) { return p.kind == Primitive::Line && p.dashed && p.colour == "Black"; }),
            3);
  EXPECT_EQ(count(plot::polarView(plot::kLiftToDrag, pts, 0, 6, W, H, {}, {}, nullptr, true), Primitive::Ellipse,
                  plot::kOptimumColour),
            1);

  // Six views, five of them with the three settled points in black;
  // without the interaction no marks.
  plot::PolarSetup setup{"", 0.131, 0.0, 256, 10.0, false, 0.02, 0.03, 41, true, 0.05, 0.05, true};
  EXPECT_EQ(count(plot::polarPicture(pts, 0, 6, 900, 640, {}, setup), Primitive::Ellipse, "Black"), 5 * 3);
  EXPECT_EQ(count(plot::polarView(plot::kLiftCurve, pts, 0, 6, W, H), Primitive::Ellipse, plot::kOptimumColour), 0);
  for (int v = 0; v < plot::kPolarViews; ++v)
    expectTextsInside(plot::polarView(static_cast<plot::PolarView>(v), pts, 0, 6, 166, 180, {}, {}, nullptr, true),
                      166, 180);

  // A kept polar named by what differs, its values read as its own.
  plot::PolarSetup plain = setup;
  plain.viscous = false;
  plain.trip = false;
  EXPECT_EQ(plot::keptLabel(plain, setup), "not viscous, Str u 0.02, Str l 0.03");
  EXPECT_EQ(plot::keptLabel(setup, plain), "viscous, Trip x/c u 0.05, Trip x/c l 0.05");
  EXPECT_EQ(plot::polarValueText({plot::polarSeries(plot::kLiftCurve, -1, 0), 1}, pts, {}, setup),
            "alpha 2.0  Cl 0.5500  Cd 0.00650  L/D 84.6  Cm c/4 -0.0100  (potential flow: Clift 0.6400)");

  // The copy holds the viscous columns.
  const std::string table = plot::polarTable(pts, true);
  EXPECT_EQ(table.substr(0, table.find('\n')),
            "alpha\tClift\tCd_SquireYoung\tx/c_tr_u\tx/c_tr_l\tCl_visc\tCm_c/4\tCd_visc\tCd_fric\tL/D\tconv");
  EXPECT_NE(table.find("\t0.8\t-0.03\t0.004\t0.005\t200\t"), std::string::npos) << table;
  EXPECT_NE(table.find("\tsweeps\n"), std::string::npos);
}

// The transition plot keeps its legend however narrow its view: bars and
// words, then the words in their curves' colours, then their letters.
TEST(PolarPlot, TransitionLegendKeptAtSmallWidths) {
  const std::vector<polar::Point> pts = smallPolar();
  for (int w : {400, 220, 180, 150}) {
    const plot::Drawing d = plot::polarView(plot::kTransitionCurve, pts, 0, 6, w, 200);
    for (const std::string colour : {"Blue", "Red"})
      EXPECT_EQ(std::count_if(d.begin(), d.end(),
                              [&](const Primitive& p) {
                                return p.colour == colour && p.y1 < plot::kPolarMarginTop &&
                                       (p.kind == Primitive::Fill || p.kind == Primitive::Text);
                              }),
                1)
          << colour << " at " << w;
    expectTextsInside(d, w, 200);
    expectTextsApart(d, w, 200);
  }
}
