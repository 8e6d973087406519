// The flow view's pictures, colours, readout and the polar's operating
// point.
#include <gtest/gtest.h>

#include "../aerofoil/solved_section.h"
#include "canvas_texts.h"
#include "field_colours.h"
#include "flow_view.h"
#include "operating_point.h"
#include "pick.h"
#include "polar_plot.h"

TEST(FlowView, PictureTakesTheSizeAskedWithBothPlanesAndTheColourBar) {
  const aerofoil::Joukowski af = solved(8.0, 0.131, 0.05);
  const std::vector<plot::SvgPanel> p =
      plot::flowPictureToSave(af, "Section: alpha 8; flow view", 24, plot::FieldColour::pressure, nullptr, 900, 500);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].height + p[1].height, 500);
  EXPECT_EQ(p[1].width, 900);
  int coloured = 0;
  std::vector<std::string> texts;
  for (const plot::Primitive& q : p[1].drawing) {
    if (q.kind == plot::Primitive::Fill && q.colour[0] == '#' && q.colour != "#ffffff") ++coloured;
    if (q.kind == plot::Primitive::Text) texts.push_back(q.text);
  }
  EXPECT_GT(coloured, 100);
  // The lift vector names the section's lift; the circle plane its circulation, half of it.
  for (const std::string& t : {std::string("Cp"), "Cl " + plot::valueText("%.4f", af.clift), std::string("TE, Kutta"),
                               "Circle plane, Gamma " + plot::valueText("%.4f", af.clift / 2) + " U c"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
  expectTextsInside(p[1].drawing, 900, p[1].height);
}

TEST(FlowView, ColoursDivergeFromWhiteAtTheFreeStream) {
  // Cp from -3 to 1: the free stream's 0 white, pressure red, suction blue,
  // the ends the deepest.
  const plot::ColourScale s = plot::colourScale(-3.0, 1.0, 0.0);
  EXPECT_EQ(s.colour(0.0), "#ffffff");
  EXPECT_EQ(s.colour(s.band * 0.4), "#ffffff");
  EXPECT_EQ(s.colour(1.0), "#d21e1e");
  EXPECT_EQ(s.colour(-3.0), "#1e46d2");
  EXPECT_NE(s.colour(-1.5), s.colour(-1.5 - s.band));
}

TEST(FlowView, ProbeLineReadsTheFieldValue) {
  aerofoil::FieldValue v;
  v.u = 1.30714;
  v.v = -0.128051;
  v.speed = 1.31340;
  v.cp = -0.725014;
  v.psi = 0.019023;
  EXPECT_EQ(plot::probeText({0.479, 0.0752}, v),
            "x/c 0.4790  y/c 0.0752  u 1.3071  v -0.1281  |V| 1.3134  Cp -0.7250  psi 0.01902");
  v.inside = true;
  EXPECT_EQ(plot::probeText({0.3, 0.02}, v), "x/c 0.3000  y/c 0.0200  inside the section");
}

TEST(FlowView, OperatingPointLiesOnTheLiftCurveDrawn) {
  // Angles 0, 2, 4 drawn at x 100, 140, 180: alpha 3 lies halfway
  // between the second and third points; alpha 5 beyond the curve.
  std::vector<polar::Point> points(3);
  for (int k = 0; k < 3; ++k) points[static_cast<std::size_t>(k)].alpha = 2.0 * k;
  const int lift = plot::polarSeries(plot::kLiftCurve, -1, 0);
  const plot::PickPoints drawn{{100, 300, lift, 0}, {140, 260, lift, 1}, {180, 240, lift, 2}, {140, 50, lift + 1, 1}};
  int x = 0, y = 0;
  ASSERT_TRUE(plot::operatingPointPixel(drawn, points, 3.0, x, y));
  EXPECT_EQ(x, 160);
  EXPECT_EQ(y, 250);
  EXPECT_FALSE(plot::operatingPointPixel(drawn, points, 5.0, x, y));
}
