// Axis labels: neighbours always differ, small and large values share an
// exponent, zero has no sign, and the pressure plot keeps its texts inside.
#include <gtest/gtest.h>

#include <set>

#include "../aerofoil/solved_section.h"
#include "aerofoil_plot.h"
#include "bl_plot.h"
#include "canvas_texts.h"

namespace {

std::vector<std::string> row(double first, double step, int count) {
  const plot::AxisFormat f = plot::axisFormat(first, first + step * (count - 1), step);
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(plot::axisLabel(first + step * i, f, step));
  return out;
}

}  // namespace

TEST(AxisLabels, NeighboursDifferAndReadBackOverEveryDecade) {
  // The boundary-layer plots' rows for quantities from 1e-9 to 1e9.
  for (double q = 1e-9; q < 1e9; q *= 1.37) {
    const plot::NiceMax y = plot::niceMaximum(q);
    const int count = static_cast<int>(y.max / y.step) + 1;
    const std::vector<std::string> labels = row(0.0, y.step, count);
    EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size()) << q;
    for (int i = 0; i < count; ++i) {
      EXPECT_NEAR(std::stod(labels[i]), y.step * i, 1e-9 * y.max) << labels[i];
      EXPECT_LE(plot::textWidth(labels[i]), plot::kBlMarginLeft - 4) << labels[i];
    }
  }
  // D1 at a high Reynolds number, once "0.0000" or "0.0001" on every line.
  EXPECT_EQ(row(0.0, plot::niceMaximum(1.1e-4).step, 7),
            (std::vector<std::string>{"0", "0.2e-4", "0.4e-4", "0.6e-4", "0.8e-4", "1.0e-4", "1.2e-4"}));
  EXPECT_EQ(row(-6.5, 0.5, 3), (std::vector<std::string>{"-6.5", "-6.0", "-5.5"}));
  EXPECT_EQ(row(-10.0, 1.0, 2), (std::vector<std::string>{"-10", "-9"}));
  // A sum that misses zero by rounding is zero, without a sign.
  EXPECT_EQ(plot::axisLabel(-0.3 + 3 * 0.1, plot::axisFormat(-0.8, 0.8, 0.1), 0.1), "0.0");
}

TEST(AxisLabels, PressurePlotTextsLieInsideTheCanvas) {
  for (const auto& af : {solved(12.0, 0.131, 0.0), solved(-5.0, 0.3, -0.4, 64),
                         solved(40.0, 0.02, 0.5, 1199), solved(5.0, 0.0, 0.0, 64)})
    for (const auto& [w, h] : {std::pair{352, 547}, std::pair{800, 600}, std::pair{1500, 300}}) {
      plot::PlotScale ps;
      expectTextsInside(plot::aerofoilPicture(ps, af, w, h), w, h);
    }
}
