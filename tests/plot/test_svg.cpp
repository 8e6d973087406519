// SVG text of drawings: one element per primitive at the primitive's own
// pixels, panels stacked, texts escaped.
#include <gtest/gtest.h>

#include <strings.h>

#include <cstdio>
#include <sstream>

#include "../aerofoil/solved_section.h"
#include "aerofoil_plot.h"
#include "svg.h"

using plot::Primitive;

TEST(Svg, ElementsFollowThePrimitivesAtTheirPixels) {
  plot::PlotScale ps;
  const plot::Drawing d = plot::aerofoilPicture(ps, solved(12.0, 0.131, 0.0), 800, 600);
  plot::Drawing note;
  note.push_back({Primitive::Text, "Red", false, 3, 20, 0, 0, "Cp < 0 & x/c > 0"});
  note.push_back({Primitive::Ellipse, "Blue", false, 10, 30, 8, 6, {}});
  const std::string svg = plot::svgDocument({{d, 800, 600}, {note, 300, 50}});

  std::istringstream in(svg);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  std::getline(in, line);
  EXPECT_NE(line.find("width=\"800\" height=\"650\""), std::string::npos) << line;
  std::getline(in, line);
  EXPECT_EQ(line, "<svg x=\"0\" y=\"0\" width=\"800\" height=\"600\">");

  // The first panel, element by element: every curve point where the
  // canvas draws it.
  int lines = 0;
  for (const Primitive& p : d) {
    ASSERT_TRUE(std::getline(in, line));
    if (p.kind != Primitive::Line) continue;
    int x1, y1, x2, y2;
    char colour[32];
    ASSERT_EQ(std::sscanf(line.c_str(), "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"%31[a-z]\"",
                          &x1, &y1, &x2, &y2, colour),
              5)
        << line;
    EXPECT_EQ(x1, p.x1);
    EXPECT_EQ(y1, p.y1);
    EXPECT_EQ(x2, p.x2);
    EXPECT_EQ(y2, p.y2);
    EXPECT_TRUE(strcasecmp(colour, p.colour.c_str()) == 0) << colour << " for " << p.colour;
    EXPECT_EQ(line.find("stroke-dasharray") != std::string::npos, p.dashed);
    ++lines;
  }
  EXPECT_GT(lines, 2 * 256);  // both curves of N = 256 segments
  std::getline(in, line);
  EXPECT_EQ(line, "</svg>");

  // The second panel below the first, its text escaped.
  std::getline(in, line);
  EXPECT_EQ(line, "<svg x=\"0\" y=\"600\" width=\"300\" height=\"50\">");
  std::getline(in, line);
  EXPECT_EQ(line, "<text x=\"3\" y=\"20\" fill=\"red\">Cp &lt; 0 &amp; x/c &gt; 0</text>");
  std::getline(in, line);
  EXPECT_EQ(line, "<ellipse cx=\"14\" cy=\"33\" rx=\"4\" ry=\"3\" fill=\"none\" stroke=\"blue\"/>");
  std::getline(in, line);
  EXPECT_EQ(line, "</svg>");
  std::getline(in, line);
  EXPECT_EQ(line, "</svg>");
  EXPECT_FALSE(std::getline(in, line));
}
