// Aerofoil canvas arithmetic: the pressure-scale table, the grid, the pixel
// mapping of both curves and the focus marker, checked without a display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "../aerofoil/solved_section.h"
#include "aerofoil_plot.h"
#include "canvas_texts.h"

using plot::Primitive;

namespace {


int count(const plot::Drawing& d, Primitive::Kind kind, const std::string& colour) {
  return static_cast<int>(std::count_if(d.begin(), d.end(), [&](const Primitive& p) {
    return p.kind == kind && p.colour == colour;
  }));
}

}  // namespace

TEST(AerofoilPlot, PressureScaleThresholdsBelongToTheRowBelow) {
  EXPECT_EQ(plot::cpScaleFor(-0.4).start, -0.8);
  EXPECT_EQ(plot::cpScaleFor(-0.5).start, -1.0);
  EXPECT_EQ(plot::cpScaleFor(-0.5).step, 0.1);
  EXPECT_EQ(plot::cpScaleFor(-1.5).start, -2.5);
  EXPECT_EQ(plot::cpScaleFor(-1.5).step, 0.2);
  EXPECT_EQ(plot::cpScaleFor(-4.0).step, 0.5);
  EXPECT_EQ(plot::cpScaleFor(-5.857).start, -6.5);
  EXPECT_EQ(plot::cpScaleFor(-7.4).start, -8.0);
  EXPECT_EQ(plot::cpScaleFor(-7.5).start, -10.0);
  EXPECT_EQ(plot::cpScaleFor(-328.0).start, -10.0);
  EXPECT_EQ(plot::cpScaleFor(-328.0).step, 1.0);
}

TEST(AerofoilPlot, DefaultSectionGridAndScale) {
  const auto af = solved(12.0, 0.131, 0.0);
  plot::PlotScale ps;
  const int w = 400, h = 500;
  const plot::Drawing d = plot::aerofoilPicture(ps, af, w, h);

  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d.front().kind, Primitive::Fill);
  EXPECT_EQ(d.front().x2, w);
  EXPECT_EQ(d.front().y2, h);

  // cpmin -5.857: scale from -6.5 in steps of 0.5 down past cpmax ~ 1.
  EXPECT_EQ(ps.cpStart, -6.5);
  const double cpmax = aerofoil::findExtremes(af).cpmax;
  const int ny = static_cast<int>((cpmax + 6.5) / 0.5);
  EXPECT_EQ(ny, 14);
  // 11 chordwise lines and ny + 1 pressure lines, all dashed orange.
  EXPECT_EQ(count(d, Primitive::Line, "Orange"), 11 + ny + 1);
  // Scale labels, the two axis titles and the chord labels 0.2..1.0.
  EXPECT_EQ(count(d, Primitive::Text, "Black"), ny + 1 + 2 + 5);
  const auto label = std::find_if(d.begin(), d.end(), [](const Primitive& p) {
    return p.kind == Primitive::Text;
  });
  EXPECT_EQ(label->text, "-6.5");
  EXPECT_EQ(label->x1, 4);  // 1 % of the width
  // Baseline on the top grid line, which lies below the title band.
  const auto topLine = std::find_if(d.begin(), d.end(), [](const Primitive& p) {
    return p.kind == Primitive::Line && p.colour == "Orange" && p.y1 == p.y2;
  });
  ASSERT_NE(topLine, d.end());
  EXPECT_EQ(label->y1, topLine->y1);
  EXPECT_EQ(ps.top, plot::kPressureTitleBand);
  EXPECT_GE(topLine->y1, ps.top);
  EXPECT_EQ((label + 2)->text, "-5.5");
  EXPECT_EQ((label + 13)->text, "0.0");

  // Chord from x = 0 at 10 % of dx to x = 1; the contour at true proportions.
  EXPECT_DOUBLE_EQ(ps.xShift, 0.1);
  EXPECT_DOUBLE_EQ(ps.xScale, w / 1.11);
  EXPECT_DOUBLE_EQ(ps.yScale, -ps.xScale);

  // Both curves have N segments; the pressure curve is drawn over the
  // contour, so that the suction peak, which reaches into the outline at
  // the nose, stays whole.
  EXPECT_EQ(count(d, Primitive::Line, "Black"), 256);
  EXPECT_EQ(count(d, Primitive::Line, "Blue"), 256 + 2);
  const auto isLine = [](const char* colour) {
    return [colour](const Primitive& p) { return p.kind == Primitive::Line && p.colour == colour; };
  };
  EXPECT_LT(std::find_if(d.rbegin(), d.rend(), isLine("Blue")).base(),
            std::find_if(d.begin(), d.end(), isLine("Black")) + 1);
}

TEST(AerofoilPlot, FocusMarkerFollowsTheCanvasProportions) {
  const auto af = solved(5.0, 0.1, 0.1);
  for (auto [w, h] : {std::pair{400, 500}, std::pair{800, 300}}) {
    plot::PlotScale ps;
    const plot::Drawing d = plot::aerofoilPicture(ps, af, w, h);
    EXPECT_EQ(count(d, Primitive::Line, "Red"), 4);  // the cross drawn twice
    const auto ell = std::find_if(d.begin(), d.end(), [](const Primitive& p) {
      return p.kind == Primitive::Ellipse;
    });
    ASSERT_NE(ell, d.end());
    const double r = 8.0 * w / h;
    EXPECT_EQ(ell->x2, 8);
    EXPECT_EQ(ell->y2, static_cast<int>(r));
    const auto arm = std::find_if(d.begin(), d.end(), [](const Primitive& p) {
      return p.kind == Primitive::Line && p.colour == "Red";
    });
    EXPECT_EQ(arm->x2 - arm->x1, 16);
    // Centred on the focus: between the chordwise grid lines of x = 0 and
    // x = 1 as xFocus is between 0 and 1.
    std::vector<int> chordLines;
    for (const Primitive& p : d)
      if (p.kind == Primitive::Line && p.colour == "Orange" && p.x1 == p.x2) chordLines.push_back(p.x1);
    ASSERT_EQ(chordLines.size(), 11u);
    const double x0 = chordLines.front(), x1 = chordLines.back();
    EXPECT_NEAR(ell->x1 + ell->x2 / 2, x0 + af.xFocus * (x1 - x0), 1.5);
    EXPECT_EQ(ell->x1 + ell->x2 / 2, (arm->x1 + arm->x2) / 2);
  }
}

TEST(AerofoilPlot, SharpLeadingEdgeIsLeftOutOfTheCurves) {
  const auto af = solved(5.0, 0.0, 0.0, 64);  // e = 0: the point at theta = pi is singular
  plot::PlotScale ps;
  const plot::Drawing d = plot::aerofoilPicture(ps, af, 400, 500);
  int finiteSegments = 0;
  for (int i = 0; i < 64; ++i)
    if (std::isfinite(af.cp[i]) && std::isfinite(af.cp[i + 1])) ++finiteSegments;
  EXPECT_LT(finiteSegments, 64);
  EXPECT_EQ(count(d, Primitive::Line, "Black"), finiteSegments);
  for (const Primitive& p : d) {
    EXPECT_LE(std::abs(p.y1), 30000);
    EXPECT_LE(std::abs(p.y2), 30000);
  }
}

TEST(AerofoilPlot, PixelsTruncateTowardZeroAndStayAddressable) {
  EXPECT_EQ(plot::pixel(12.9), 12);
  EXPECT_EQ(plot::pixel(-12.9), -12);
  EXPECT_EQ(plot::pixel(1e300), 30000);
  EXPECT_EQ(plot::pixel(-1e300), -30000);
  EXPECT_EQ(plot::pixel(std::nan("")), 0);
  plot::PlotScale ps;
  EXPECT_TRUE(plot::aerofoilPicture(ps, solved(0, 0.1, 0), 0, 300).empty());
}

TEST(AerofoilPlot, AClickMarksTheNearestPointTheCopyHoldsEveryPoint) {
  const auto af = solved(12.0, 0.131, 0.0);
  plot::PlotScale ps;
  plot::PickPoints at;
  plot::aerofoilPicture(ps, af, 600, 550, {}, &at);
  ASSERT_EQ(at.size(), 2u * 257);  // every point on the pressure curve and the contour
  // The trailing edge of the pressure curve, a pixel off: point 0, which
  // the last point repeats.
  const auto te = std::find_if(at.begin(), at.end(), [](const plot::PickPoint& p) {
    return p.series == plot::kPressureSeries && p.index == 0;
  });
  const plot::Mark m = plot::nearestPoint(at, te->x + 1, te->y);
  EXPECT_EQ(m.index, 0);
  const plot::Drawing marked = plot::aerofoilPicture(ps, af, 600, 550, m);
  EXPECT_EQ(count(marked, Primitive::Ellipse, plot::kMarkColour), 1);
  EXPECT_EQ(plot::aerofoilValueText(af, 0), "x/c 1.0000  y/c 0.0000  Cp 0.2520  V 0.8649  (trailing edge, point 0)");
  EXPECT_NE(plot::aerofoilValueText(af, 10).find("(upper surface, point 10)"), std::string::npos);
  EXPECT_NE(plot::aerofoilValueText(af, 200).find("(lower surface, point 200)"), std::string::npos);

  // The copy: header and 257 rows whose numbers read back as the solution.
  const std::string table = plot::aerofoilTable(af);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 258);
  const std::string row = "\n100\t" + plot::cellText(af.x[100]) + "\t" + plot::cellText(af.y[100]) + "\t";
  ASSERT_NE(table.find(row), std::string::npos);
  EXPECT_EQ(std::stod(plot::cellText(af.cp[100])), af.cp[100]);
}

TEST(AerofoilPlot, CurvesEndAtTheGridAndTextsStayApartOnTheSmallestCanvas) {
  // A thin section at high incidence: a suction peak near -328, far beyond
  // the pressure scale, is cut at the top of the grid.
  const auto thin = solved(20.0, 0.02, 0.0);
  plot::PlotScale ps;
  const plot::Drawing d = plot::aerofoilPicture(ps, thin, 600, 550);
  for (const Primitive& p : d) {
    if (p.kind == Primitive::Line && p.colour == "Black") {
      EXPECT_GE(std::min(p.y1, p.y2), plot::kPressureTitleBand);
    }
  }
  for (const auto& af : {solved(12.0, 0.131, 0.0), solved(2.0, 0.3, 0.1)}) {
    const plot::Drawing small = plot::aerofoilPicture(ps, af, 260, 280);
    expectTextsInside(small, 260, 280);
    expectTextsApart(small, 260, 280);
  }
}
