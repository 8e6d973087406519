// Boundary-layer plot arithmetic: the nice maximum of a y range with its
// fallbacks, the ranges of a surface, the grid and label counts, the pixel
// mapping of the curves and the transition and inverse-mode markers,
// checked without a display on surface results built by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <array>
#include <limits>
#include <sstream>

#include "bl_plot.h"
#include "canvas_texts.h"

using plot::Primitive;

namespace {

int count(const plot::Drawing& d, Primitive::Kind kind, const std::string& colour,
          bool dashed = false) {
  return static_cast<int>(std::count_if(d.begin(), d.end(), [&](const Primitive& p) {
    return p.kind == kind && p.colour == colour && (kind != Primitive::Line || p.dashed == dashed);
  }));
}

std::vector<std::string> texts(const plot::Drawing& d) {
  std::vector<std::string> out;
  for (const Primitive& p : d)
    if (p.kind == Primitive::Text) out.push_back(p.text);
  return out;
}

bool hasText(const plot::Drawing& d, const std::string& s) {
  const auto t = texts(d);
  return std::find(t.begin(), t.end(), s) != t.end();
}

// n nodes from the stagnation point (s = 0, ue = 0) to s = length, with an
// accelerating edge velocity that peaks at uePeak and quantities that vary
// along the surface.  Nodes 1 and 2 of the results stay zero, as the march
// leaves them.  Transition and the inverse mode at the stations nearest xtr
// and xinv; an xinv at the end of the surface: no inverse mode.
bl::SurfaceResult surface(int n, double length, double uePeak, double xtr, double xinv) {
  bl::SurfaceResult r;
  r.xtr = xtr;
  r.xinv = xinv;
  r.transition_at = 1 + static_cast<int>(std::lround(xtr / length * (n - 1)));
  r.inverse_at = xinv < length ? 1 + static_cast<int>(std::lround(xinv / length * (n - 1))) : 0;
  r.wall_nodes = n;
  for (int i = 1; i <= n; ++i) {
    const double f = (n > 1) ? double(i - 1) / (n - 1) : 0.0;
    const double ue = uePeak * std::sin(0.8 * M_PI * f);  // peak at f = 0.625
    const bool stored = i >= 3;
    const double values[bl::kColumns] = {length * f,
                                         ue,
                                         ue,
                                         stored ? 0.004 * (1 - 0.5 * f) : 0.0,
                                         stored ? 0.002 * f : 0.0,
                                         stored ? 0.001 * f : 0.0,
                                         stored ? 2.0 + 0.6 * f : 0.0,
                                         stored ? 0.01 * f : 0.0};
    for (std::size_t c = 0; c < bl::kColumns; ++c) r.columns[c].push_back(values[c]);
  }
  return r;
}

// The first n nodes of a surface's results.
bl::SurfaceResult first_nodes(bl::SurfaceResult r, int n) {
  for (std::vector<double>& column : r.columns) column.resize(static_cast<std::size_t>(n));
  return r;
}

class BlPlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = plot::BlPlotState{};
    st.update(bl::Surface::upper, surface(41, 1.05, 1.53, 0.3, 1.05));  // no inverse mode: the end of the surface
    st.update(bl::Surface::lower, surface(31, 0.95, 1.2, 0.5, 0.7));
  }
  plot::BlPlotState st;
  static constexpr int W = 400, H = 300;
};

}  // namespace

TEST(NiceMaximum, RoundsUpToAGridStepOfTheDecade) {
  const struct {
    double d, max, step;
  } cases[] = {
      {0.0045, 0.005, 0.0005}, {1.53, 1.6, 0.2}, {3.2, 3.5, 0.5}, {26, 30, 5}, {10, 11, 1},
      {7.0, 8.0, 1.0},         {2.0, 2.5, 0.5},  {1.999, 2.0, 0.2}, {0.36, 0.4, 0.05},
  };
  for (const auto& c : cases) {
    const plot::NiceMax r = plot::niceMaximum(c.d);
    EXPECT_NEAR(r.max, c.max, 1e-12 * c.max) << "d = " << c.d;
    EXPECT_NEAR(r.step, c.step, 1e-12 * c.step) << "d = " << c.d;
  }
}

TEST(NiceMaximum, MaximumLiesAboveTheValueWithinOneStepAndAboutTenLines) {
  // Over twenty decades: the range always covers the data, wastes at most
  // one step, and the grid has 5 to 11 intervals.
  for (double d = 1.37e-10; d < 1e10; d *= 1.0937) {
    const plot::NiceMax r = plot::niceMaximum(d);
    ASSERT_GT(r.max, d) << d;
    ASSERT_LE(r.max - d, r.step * (1 + 1e-9)) << d;
    const int G = static_cast<int>(r.max / r.step);
    ASSERT_GE(G, 5) << d;
    ASSERT_LE(G, 11) << d;
  }
}

TEST(NiceMaximum, FallbacksForPowersOfTenAndEmptyOrBrokenRanges) {
  // A maximum that scales to exactly 1 takes the fifth-of-a-decade steps,
  // like 10 takes the decade steps: one step of headroom.
  EXPECT_NEAR(plot::niceMaximum(1.0).max, 1.2, 1e-15);
  EXPECT_NEAR(plot::niceMaximum(1.0).step, 0.2, 1e-15);
  EXPECT_NEAR(plot::niceMaximum(0.1).max, 0.12, 1e-15);
  EXPECT_NEAR(plot::niceMaximum(0.1).step, 0.02, 1e-15);
  EXPECT_NEAR(plot::niceMaximum(100.0).max, 110.0, 1e-12);

  // Nothing above zero (a quantity never computed, all zero or negative),
  // or a broken value: the unit range.
  for (double d : {0.0, -0.0, -3.5, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()}) {
    const plot::NiceMax r = plot::niceMaximum(d);
    EXPECT_EQ(r.max, 1.0) << d;
    EXPECT_EQ(r.step, 0.2) << d;
  }

  // Far outside ten decades the grid still has about ten lines.
  for (double d : {3e-40, 4.2e55}) {
    const plot::NiceMax r = plot::niceMaximum(d);
    EXPECT_GT(r.max, d);
    const int G = static_cast<int>(r.max / r.step);
    EXPECT_GE(G, 5);
    EXPECT_LE(G, 11);
  }
}

TEST_F(BlPlotTest, RangesCoverTheNodesOfEachSurface) {
  const plot::SurfaceRanges& up = st.ranges[0];
  EXPECT_EQ(up.s.min, 0.0);
  EXPECT_DOUBLE_EQ(up.s.max, 1.05);
  EXPECT_EQ(up.ue.min, 0.0);
  double ueMax = 0;
  for (double ue : st.surfaces[0][bl::Column::ue]) ueMax = std::max(ueMax, ue);
  EXPECT_EQ(up.ue.max, ueMax);
  // The quantities from node 3 on: the zeros of nodes 1 and 2 were never
  // computed and decide no range.
  EXPECT_DOUBLE_EQ(up.qty[plot::kCf].min, 0.002);
  EXPECT_DOUBLE_EQ(up.qty[plot::kCf].max, 0.004 * (1 - 0.5 * 2.0 / 40));
  EXPECT_DOUBLE_EQ(up.qty[plot::kH12].min, 2.0 + 0.6 * 2.0 / 40);
  EXPECT_DOUBLE_EQ(up.qty[plot::kH12].max, 2.6);
  EXPECT_DOUBLE_EQ(up.qty[plot::kRV].max, 0.01);

  const plot::SurfaceRanges& low = st.ranges[1];
  EXPECT_DOUBLE_EQ(low.s.max, 0.95);
  EXPECT_DOUBLE_EQ(low.qty[plot::kD1].max, 0.002);

  // New results bring new ranges.
  bl::SurfaceResult changed = st.surfaces[1];
  changed[bl::Column::h12][9] = 7.5;
  st.update(bl::Surface::lower, changed);
  EXPECT_EQ(st.ranges[1].qty[plot::kH12].max, 7.5);

  // A surface without nodes keeps the start values.
  const plot::SurfaceRanges none = plot::surfaceRanges(bl::SurfaceResult{});
  EXPECT_EQ(none.s.min, 1000.0);
  EXPECT_EQ(none.s.max, -1000.0);
}

TEST_F(BlPlotTest, EdgeVelocityPlotGridLabelsAndCurves) {
  const plot::Drawing d = plot::edgeVelocityPlot(st, W, H);
  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d.front().kind, Primitive::Fill);
  EXPECT_EQ(d.front().colour, "White");
  EXPECT_EQ(d.front().x2, W);
  EXPECT_EQ(d.front().y2, H);

  // s range 0..1.05: labels 0.0..1.0 (six) and seven vertical lines; ue
  // peak 1.53 -> 0..1.6 every 0.2: nine horizontal lines and labels.
  EXPECT_EQ(count(d, Primitive::Line, "Orange", true), 7 + 9);
  for (const char* s : {"0.0", "0.2", "1.0", "1.6", "Ue(s)", "computed", "inviscid"})
    EXPECT_TRUE(hasText(d, s)) << s;
  EXPECT_FALSE(hasText(d, "1.8"));
  // The labels, the two axis titles and the legend (at this width there is
  // no room for the words after "Ue(s)").
  EXPECT_EQ(texts(d).size(), 6u + 9u + 2u + 2u);

  // The transform maps the s range onto the space between the margins
  // and 0..1.6 onto the height between them.
  const int left = plot::kBlMarginLeft, base = H - plot::kBlMarginBottom;
  const plot::BlTransform t = plot::edgeVelocityTransform(st, W, H);
  EXPECT_EQ(t.X(0.0), left);
  EXPECT_EQ(t.X(1.05), W - plot::kBlMarginRight);
  EXPECT_EQ(t.Y(0.0), base);
  EXPECT_EQ(t.Y(1.6), plot::kBlMarginTop);

  // Curves: the computed velocity in red from node 3 (38 segments; no
  // inverse mode on this surface, so no red marker), the inviscid one over
  // all 40.
  EXPECT_EQ(count(d, Primitive::Line, "Red"), 38);
  EXPECT_EQ(count(d, Primitive::Line, "Black"), 40);
  const auto firstBlack = std::find_if(d.begin(), d.end(), [](const Primitive& p) {
    return p.kind == Primitive::Line && p.colour == "Black";
  });
  ASSERT_NE(firstBlack, d.end());
  EXPECT_EQ(firstBlack->x1, left);
  EXPECT_EQ(firstBlack->y1, base);
  EXPECT_EQ(firstBlack->x2, t.X(st.surfaces[0][bl::Column::s][1]));
  EXPECT_EQ(firstBlack->y2, t.Y(st.surfaces[0][bl::Column::ue_inv][1]));
}

TEST_F(BlPlotTest, MarkersOnlyWhereTheMarchSwitchedAndNothingUncomputedDrawn) {
  // On the quantity plot everything red or blue is a marker: the upper
  // surface stays attached to the trailing edge, so only the blue
  // transition marker, at s = 0.3, no red one at the end of the axis.
  plot::Drawing q = plot::quantityPlot(st, W, H);
  EXPECT_EQ(count(q, Primitive::Line, "Red") + count(q, Primitive::Ellipse, "Red"), 0);
  const auto blue = std::find_if(q.begin(), q.end(), [](const Primitive& p) { return p.colour == "Blue"; });
  ASSERT_LE(blue + 3, q.end());
  EXPECT_TRUE(blue[2].kind == Primitive::Ellipse && blue[2].x1 == plot::quantityTransform(st, W, H).X(0.3) - 4);

  // The lower one: red cross and circle at s = 0.7 on the axis, then blue.
  st.surface = bl::Surface::lower;
  q = plot::quantityPlot(st, W, H);
  const auto m = std::find_if(q.begin(), q.end(), [](const Primitive& p) { return p.colour == "Red"; });
  ASSERT_LE(m + 4, q.end());
  const int X = plot::quantityTransform(st, W, H).X(0.7), base = H - plot::kBlMarginBottom;
  EXPECT_TRUE(m[0].x1 == X - 8 && m[0].x2 == X + 8 && m[0].y1 == base && m[0].y2 == base);
  EXPECT_TRUE(m[1].x1 == X && m[1].y1 == base - 8 && m[1].y2 == base + 8);
  EXPECT_TRUE(m[2].kind == Primitive::Ellipse && m[2].x1 == X - 4 && m[2].y1 == base - 4);
  EXPECT_EQ(m[3].colour, "Blue");

  // Laminar to the trailing edge: no blue marker either.
  st.surfaces[1].transition_at = 0;
  EXPECT_EQ(count(plot::quantityPlot(st, W, H), Primitive::Ellipse, "Blue"), 0);

  // The quantity curve starts at node 3: no drop to the zeros of nodes 1
  // and 2 at s = 0.
  st.quantity[1] = plot::kH12;
  q = plot::quantityPlot(st, W, H);
  const auto first = std::find_if(q.begin(), q.end(), [](const Primitive& p) {
    return p.kind == Primitive::Line && p.colour == "Black";
  });
  ASSERT_NE(first, q.end());
  const plot::BlTransform t = plot::quantityTransform(st, W, H);
  EXPECT_EQ(first->x1, t.X(st.surfaces[1][bl::Column::s][2]));
  EXPECT_EQ(first->y1, t.Y(st.surfaces[1][bl::Column::h12][2]));

  // A failed computation: the split's inviscid velocity alone, no
  // computed curve, no quantity, no marker.
  st.update(bl::Surface::lower, st.surfaces[1], false);
  const plot::Drawing u = plot::edgeVelocityPlot(st, W, H);
  EXPECT_EQ(count(u, Primitive::Line, "Black"), 30);
  EXPECT_EQ(count(u, Primitive::Line, "Red"), 0);
  EXPECT_EQ(count(u, Primitive::Ellipse, "Blue"), 0);
  EXPECT_EQ(count(plot::quantityPlot(st, W, H), Primitive::Line, "Black"), 0);
}

TEST_F(BlPlotTest, SelectedQuantityOfTheSelectedSurface) {
  st.surface = bl::Surface::lower;
  st.quantity[1] = plot::kH12;
  const plot::Drawing q = plot::quantityPlot(st, W, H);
  EXPECT_TRUE(hasText(q, "H12(s)"));
  EXPECT_FALSE(hasText(q, "Cf(s)"));
  // Lower surface 0..0.95: labels 0.0..0.8, six vertical lines; H12 up to
  // 2.6 -> 0..3.0 every 0.5: seven horizontal lines.
  EXPECT_EQ(count(q, Primitive::Line, "Orange", true), 6 + 7);
  EXPECT_TRUE(hasText(q, "3.0"));
  EXPECT_TRUE(hasText(q, "0.8"));
  EXPECT_EQ(count(q, Primitive::Line, "Black"), 28);
  // Markers of the lower surface: inverse mode from 0.7, transition at 0.5.
  const plot::BlTransform t = plot::quantityTransform(st, W, H);
  const auto red = std::find_if(q.begin(), q.end(), [](const Primitive& p) {
    return p.colour == "Red" && p.kind == Primitive::Ellipse;
  });
  ASSERT_NE(red, q.end());
  EXPECT_EQ(red->x1, t.X(0.7) - 4);

  // The upper plot follows the surface too, its y range from ue_bl alone:
  // an inviscid speed above it is cut at the top grid line, not drawn over
  // the title band.
  st.surfaces[1][bl::Column::ue_inv][14] = 3.0;
  const plot::Drawing u = plot::edgeVelocityPlot(st, W, H);
  EXPECT_TRUE(hasText(u, "1.2"));
  EXPECT_FALSE(hasText(u, "1.4"));
  int highest = H;
  for (const Primitive& p : u)
    if (p.kind == Primitive::Line && p.colour == "Black") highest = std::min({highest, p.y1, p.y2});
  EXPECT_EQ(highest, plot::kBlMarginTop);

  // The quantity with no button (RV) is drawn too.
  st.quantity[1] = plot::kRV;
  EXPECT_TRUE(hasText(plot::quantityPlot(st, W, H), "RV(s)"));
}

TEST_F(BlPlotTest, DegenerateSurfacesAndCanvasesDrawWithoutBrokenPixels) {
  // One node: no s range, no quantity; a zero-sized canvas draws nothing.
  st.update(bl::Surface::upper, first_nodes(st.surfaces[0], 1));
  for (const plot::Drawing& d : {plot::edgeVelocityPlot(st, W, H), plot::quantityPlot(st, W, H)}) {
    ASSERT_FALSE(d.empty());
    // Unit ranges: s and y labels 0.0..1.0.
    EXPECT_TRUE(hasText(d, "1.0"));
    EXPECT_EQ(count(d, Primitive::Line, "Orange", true), 7 + 6);
    for (const Primitive& p : d) {
      EXPECT_GE(p.x1, -100);
      EXPECT_LE(p.x1, W + 100);
    }
  }
  EXPECT_TRUE(std::isfinite(plot::edgeVelocityTransform(st, W, H).scaleX));
  EXPECT_TRUE(plot::edgeVelocityPlot(st, 0, H).empty());
  EXPECT_TRUE(plot::quantityPlot(st, W, 0).empty());

  // No surface at all (ranges at their start values).
  st.update(bl::Surface::upper, first_nodes(st.surfaces[0], 0));
  EXPECT_FALSE(plot::quantityPlot(st, W, H).empty());
  EXPECT_TRUE(std::isfinite(plot::quantityTransform(st, W, H).scaleX));
}

TEST_F(BlPlotTest, NoTextLeavesTheCanvasOrOverlapsEvenWithSmallQuantities) {
  // D1 of about 1e-4 chords, as at a high Reynolds number; the red marker
  // at the right end of the axis (the inverse mode from the last station).
  bl::SurfaceResult upper = st.surfaces[0];
  for (double& d1 : upper[bl::Column::d1]) d1 *= 0.055;
  upper.inverse_at = upper.nodes();
  st.update(bl::Surface::upper, upper);
  st.quantity[0] = plot::kD1;
  // The smallest canvas of the window (300 x 180) too: there every second
  // label or fewer, and the legend only beside the title.
  for (const auto& [w, h] : {std::pair{W, H}, std::pair{600, 290}, std::pair{1000, 700}, std::pair{300, 180},
                             std::pair{240, 150}})
    for (const plot::Drawing& d : {plot::edgeVelocityPlot(st, w, h), plot::quantityPlot(st, w, h)}) {
      expectTextsInside(d, w, h);
      expectTextsApart(d, w, h, true);
    }
  // The widest texts were among those checked.
  EXPECT_TRUE(hasText(plot::quantityPlot(st, 1000, 700), "1.2e-4"));
  EXPECT_TRUE(hasText(plot::edgeVelocityPlot(st, 1000, 700), "edge velocity / free-stream speed"));
}

TEST_F(BlPlotTest, AClickMarksTheNearestNodeTheCopyHoldsThePlottedValues) {
  // A separated last station (Cf -0.0124) is cut at the base line, not
  // drawn down through the s labels.
  bl::SurfaceResult upper = st.surfaces[0];
  upper[bl::Column::cf].back() = -0.0124;
  st.update(bl::Surface::upper, upper);
  plot::PickPoints at;
  const plot::Drawing q = plot::quantityPlot(st, W, H, {}, &at);
  const plot::BlTransform t = plot::quantityTransform(st, W, H);
  for (const Primitive& p : q) {
    if (p.kind == Primitive::Line && p.colour == "Black" && !p.dashed) {
      EXPECT_TRUE(std::max(p.y1, p.y2) <= t.Y(0) && std::min(p.y1, p.y2) >= plot::kBlMarginTop);
    }
  }

  // A click a pixel off node 20 marks node 20 (station 21), drawn there.
  const int X = t.X(upper[bl::Column::s][20]), Y = t.Y(upper[bl::Column::cf][20]);
  const plot::Mark m = plot::nearestPoint(at, X + 1, Y - 1);
  ASSERT_EQ(m.index, 20);
  const plot::Drawing marked = plot::quantityPlot(st, W, H, m);
  const auto mark = std::find_if(marked.begin(), marked.end(), [](const Primitive& p) {
    return p.kind == Primitive::Ellipse && p.colour == plot::kMarkColour;
  });
  ASSERT_NE(mark, marked.end());
  EXPECT_EQ(mark->x1 + mark->x2 / 2, X);
  EXPECT_EQ(mark->y1 + mark->y2 / 2, Y);
  EXPECT_EQ(plot::blValueText(st, false, 20), "s/c 0.5250  Cf 0.003  (upper surface, station 21)");
  EXPECT_EQ(plot::blValueText(st, true, 1), "s/c 0.0263  Ue inviscid 0.0961  (upper surface, station 2)");

  // The copy: a header, a row per node, no value where the march computed
  // none, and every number reading back as the double plotted.
  std::vector<std::string> rows;
  std::istringstream in(plot::blTable(st));
  for (std::string line; std::getline(in, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 42u);
  EXPECT_EQ(rows[0], "station\ts/c\tUe\tUe inviscid\tCf");
  EXPECT_EQ(rows[1], "1\t0\t\t0\t");
  std::istringstream row(rows[41]);
  std::vector<std::string> cells;
  for (std::string c; std::getline(row, c, '\t');) cells.push_back(c);
  ASSERT_EQ(cells.size(), 5u);
  EXPECT_EQ(std::stod(cells[1]), upper[bl::Column::s][40]);
  EXPECT_EQ(std::stod(cells[2]), upper[bl::Column::ue][40]);
  EXPECT_EQ(std::stod(cells[4]), -0.0124);

  // The computed edge velocity is drawn over the inviscid one.
  const plot::Drawing u = plot::edgeVelocityPlot(st, W, H);
  std::size_t lastBlack = 0, firstRed = u.size();
  for (std::size_t i = 0; i < u.size(); ++i) {
    if (u[i].kind != Primitive::Line || u[i].dashed) continue;
    if (u[i].colour == "Black") lastBlack = i;
    if (u[i].colour == "Red") firstRed = std::min(firstRed, i);
  }
  EXPECT_LT(lastBlack, firstRed);
}

TEST_F(BlPlotTest, InteractedSurfaceGoesOnIntoTheWakeOverTheBareSectionsInviscidSpeed) {
  // The upper surface with its last 11 of 41 nodes behind the trailing
  // edge (at s = 0.7875); the bare section's split of 35 nodes beside it.
  bl::SurfaceResult upper = st.surfaces[0];
  upper.wall_nodes = 30;
  st.update(bl::Surface::upper, upper);
  bl::SurfaceValues bare;
  for (int i = 0; i < 35; ++i) {
    bare.s.push_back(0.03 * i);
    bare.ue.push_back(1.7 * std::sin(0.09 * i));
  }
  st.bare[0] = bare;
  ASSERT_TRUE(st.interacted(bl::Surface::upper));

  // The skin friction ends at the trailing edge, the displacement
  // thickness goes on to the end of the wake; a grey line marks the edge.
  const plot::BlTransform t = plot::quantityTransform(st, W, H);
  for (const auto& [code, segments] : {std::pair{plot::kCf, 27}, std::pair{plot::kD1, 38}}) {
    st.quantity[0] = code;
    const plot::Drawing q = plot::quantityPlot(st, W, H);
    EXPECT_EQ(count(q, Primitive::Line, "Black"), segments);
    EXPECT_EQ(count(q, Primitive::Line, plot::kTrailingEdgeColour, true), 1);
    EXPECT_TRUE(hasText(q, "TE"));
    const auto edge = std::find_if(q.begin(), q.end(), [](const Primitive& p) {
      return p.kind == Primitive::Line && p.colour == plot::kTrailingEdgeColour;
    });
    EXPECT_EQ(edge->x1, t.X(upper[bl::Column::s][29]));
  }

  // The edge velocity: the interacted one in red over every node, the
  // bare section's in black over its own nodes, the axes up to its peak.
  const plot::Drawing u = plot::edgeVelocityPlot(st, W, H);
  EXPECT_EQ(count(u, Primitive::Line, "Red"), 38);
  EXPECT_EQ(count(u, Primitive::Line, "Black"), 34);
  EXPECT_TRUE(hasText(u, "1.8"));
  EXPECT_EQ(plot::blValueText(st, true, 4, plot::kInviscidSeries),
            "s/c 0.1200  Ue inviscid 0.5989  (upper surface, bare section, node 5)");
  EXPECT_EQ(plot::blValueText(st, false, 35), "s/c 0.9188  D1 0.00175  (upper surface, wake station 36)");

  // The copy lists both sets of nodes side by side, no skin friction in
  // the wake.
  st.quantity[0] = plot::kCf;
  std::vector<std::string> rows;
  std::istringstream in(plot::blTable(st));
  for (std::string line; std::getline(in, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 42u);
  EXPECT_EQ(rows[0], "station\ts/c\tUe\tCf\ts/c inviscid\tUe inviscid");
  EXPECT_EQ(rows[36].substr(rows[36].size() - 3), "\t\t\t");  // station 36: in the wake, beyond the bare nodes
}

TEST(ViscousResult, TheLineUnderThePlotsAndTheUnsettledSweeps) {
  viscous::Result r;
  r.cl = 0.46632;
  r.cm = -0.00081;
  r.cd = 0.009186;
  r.cd_friction = 0.007344;
  r.sweeps = 15;
  r.converged = true;
  EXPECT_EQ(plot::viscousResultText(r), "Viscous: Cl 0.4663  Cm c/4 -0.0008  Cd 0.00919 (friction 0.00734), 15 sweeps");
  r.converged = false;
  r.change_cl = 2.1e-5;
  r.change_ue = 3.4e-5;
  const std::string unsettled = plot::viscousResultText(r);
  EXPECT_EQ(unsettled.substr(unsettled.find("), ")), "), 15 sweeps, not settled");
  EXPECT_EQ(plot::unsettledText(r),
            "The viscous flow did not settle in 15 sweeps (last change: lift 2.1e-05, surface speed 3.4e-05): its lift "
            "and drag are those of the last sweep.");
}
