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
  const plot::Drawing note = {{Primitive::Text, "Red", false, 3, 20, 0, 0, "Cp < 0 & x/c > 0"}};
  std::istringstream in(plot::svgDocument({{d, 800, 600}, {note, 300, 50}}));
  std::string line;
  for (int k = 0; k < 3; ++k) std::getline(in, line);  // declaration, document, first panel
  EXPECT_EQ(line, "<svg x=\"0\" y=\"0\" width=\"800\" height=\"600\">");

  int lines = 0;  // every curve point where the canvas draws it
  for (const Primitive& p : d) {
    ASSERT_TRUE(std::getline(in, line));
    if (p.kind != Primitive::Line) continue;
    int x1, y1, x2, y2;
    char colour[32];
    ASSERT_EQ(std::sscanf(line.c_str(), "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"%31[a-z]\"",
                          &x1, &y1, &x2, &y2, colour), 5) << line;
    EXPECT_TRUE(x1 == p.x1 && y1 == p.y1 && x2 == p.x2 && y2 == p.y2) << line;
    EXPECT_EQ(strcasecmp(colour, p.colour.c_str()), 0) << colour << " for " << p.colour;
    EXPECT_EQ(line.find("stroke-dasharray") != std::string::npos, p.dashed);
    ++lines;
  }
  EXPECT_GT(lines, 2 * 256);  // both curves of N = 256 segments

  // The second panel below the first, its text escaped.
  std::string rest((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(rest, "</svg>\n<svg x=\"0\" y=\"600\" width=\"300\" height=\"50\">\n"
                  "<text x=\"3\" y=\"20\" fill=\"red\">Cp &lt; 0 &amp; x/c &gt; 0</text>\n"
                  "</svg>\n</svg>\n");
}
