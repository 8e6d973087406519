// Coordinate files: both formats give the section they were written from,
// a gap is closed by the stated shear, a file in other axes is brought to
// chord axes, the program's own contour reads back, and every bad file is
// refused with the line where its fault lies.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "contour_file.h"
#include "coordinate_text.h"
#include "joukowski.h"
#include "naca_section.h"
#include "section_file.h"
#include "spline_shape.h"
#include "surface_ordinate.h"

namespace {

using aerofoil::SectionOutline;
using Point = std::complex<double>;

const std::string kData = VELTARO_TEST_DATA;

std::string fileText(const std::string& name) {
  std::ifstream in(kData + "/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

SectionOutline read(const std::string& text) {
  SectionOutline outline;
  std::string why;
  EXPECT_TRUE(aerofoil::sectionFromCoordinates(text, outline, why)) << why;
  return outline;
}

std::string refusal(const std::string& text) {
  SectionOutline outline;
  std::string why;
  EXPECT_FALSE(aerofoil::sectionFromCoordinates(text, outline, why));
  return why;
}

// The file's lines, and the text they make.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
std::string textOf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

aerofoil::NacaShape naca(const char* designation, double a4) {
  aerofoil::NacaDesignation d;
  std::string why;
  EXPECT_TRUE(aerofoil::parseNacaDesignation(designation, d, why));
  return aerofoil::NacaShape(d, a4);
}

// The Lednicer file of NACA 0012 and the same points in the Selig order
// (each surface from the nose; the nose once) give the same outline, which
// is the section's: 21 points per surface, ordinates within 1e-4 aft of
// x/c 0.025 (3e-4 nearer the nose, where the nearest points are 0.006 apart).
TEST(SectionFile, LednicerAndSeligGiveTheSectionTheyWereWrittenFrom) {
  const std::vector<std::string> lednicer = linesOf(fileText("naca0012_lednicer.dat"));
  SectionOutline outline;
  std::string why;
  ASSERT_TRUE(aerofoil::readSectionFile(kData + "/naca0012_lednicer.dat", outline, why)) << why;
  EXPECT_EQ(outline.name, "NACA 0012");
  EXPECT_TRUE(outline.notes.empty());
  std::vector<std::string> selig = {"NACA 0012"};
  for (int i = 23; i >= 3; --i) selig.push_back(lednicer[i]);  // lines 4..24: upper, nose first
  for (int i = 26; i <= 45; ++i) selig.push_back(lednicer[i]);  // lines 26..46: lower, nose first
  const SectionOutline fromSelig = read(textOf(selig));
  const aerofoil::NacaShape exact = naca("0012", aerofoil::kNacaClosedEdgeA4);
  for (double t = 0; t <= 1; t += 0.01) EXPECT_EQ(outline.shape->point(t), fromSelig.shape->point(t)) << t;
  for (double x = 0.025; x < 1; x += 0.002)
    EXPECT_NEAR(surfaceOrdinate(*outline.shape, x, true, outline.shape->leadingEdge()),
                surfaceOrdinate(exact, x, true, 0.5), 1e-4) << x;
}

// The printed formula's open trailing edge (0.252 % of the chord for a 12 %
// section): each surface sheared by x/c times its end's offset.
TEST(SectionFile, TrailingEdgeGapClosedBySheared) {
  const SectionOutline outline = read(fileText("naca2412_open_selig.dat"));
  ASSERT_EQ(outline.notes.size(), 1u);
  EXPECT_NE(outline.notes[0].find("open by 0.252 % of the chord (lines 2 and 50)"), std::string::npos)
      << outline.notes[0];
  EXPECT_EQ(outline.shape->point(0), Point(1, 0));
  EXPECT_EQ(outline.shape->point(1), Point(1, 0));
  const aerofoil::NacaShape open = naca("2412", aerofoil::kNacaOpenEdgeA4);
  const Point upperEnd = open.point(0), lowerEnd = open.point(1);
  for (double x : {0.1, 0.3, 0.6, 0.9}) {
    EXPECT_NEAR(surfaceOrdinate(*outline.shape, x, true, outline.shape->leadingEdge()),
                surfaceOrdinate(open, x, true, 0.5) - x * upperEnd.imag() / upperEnd.real(), 2e-5) << x;
    EXPECT_NEAR(surfaceOrdinate(*outline.shape, x, false, outline.shape->leadingEdge()),
                surfaceOrdinate(open, x, false, 0.5) - x * lowerEnd.imag() / lowerEnd.real(), 2e-5) << x;
  }
}

// Moved, turned by 5 degrees, scaled to a chord of 150, the points clockwise
// and two of them repeated: the same outline, and each step in a note.
TEST(SectionFile, OtherAxesOrderAndRepeatsGiveTheSameOutline) {
  const std::string original = fileText("naca0012_lednicer.dat");
  const SectionOutline reference = read(original);
  std::vector<std::string> lines = linesOf(original);
  const Point turn = 150.0 * std::polar(1.0, 5 * M_PI / 180);
  for (std::size_t i = 3; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    std::istringstream in(lines[i]);
    double x, y;
    in >> x >> y;
    const Point z = Point(x, y) * turn + Point(-40, 12);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%.17g %.17g", z.real(), z.imag());
    lines[i] = buf;
  }
  // Selig's layout, but clockwise: the lower surface from the trailing edge
  // (lines 46 back to 26 of the file), then the upper from the nose on.
  std::vector<std::string> clockwise = {lines[0]};
  for (int i = 45; i >= 25; --i) clockwise.push_back(lines[i]);
  for (int i = 4; i <= 23; ++i) clockwise.push_back(lines[i]);
  clockwise.insert(clockwise.begin() + 14, clockwise[13]);
  clockwise.insert(clockwise.begin() + 30, clockwise[29]);
  const SectionOutline moved = read(textOf(clockwise));
  for (double t = 0; t <= 1; t += 0.01)
    EXPECT_NEAR(std::abs(moved.shape->point(t) - reference.shape->point(t)), 0, 1e-13) << t;
  ASSERT_EQ(moved.notes.size(), 3u);
  EXPECT_EQ(moved.notes[0], "2 repeated points dropped (lines 15, 31).");
  EXPECT_NE(moved.notes[1].find("clockwise"), std::string::npos);
  EXPECT_NE(moved.notes[2].find("the chord of 150, at 5 degrees"), std::string::npos) << moved.notes[2];
}

// Export contour writes the trailing edge once, at the start, in the axes
// from which the solver measures alpha (a cambered section's leftmost point
// at x = 0, above the x axis): read back, the points keep those axes, both
// surfaces end at the trailing edge and the outline passes through every
// point as written.
TEST(SectionFile, ExportedJoukowskiContourReadsBackInItsOwnAxes) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 256);
  aerofoil::solveSection(af, 4, 0.131, 0.06);
  const std::string text = aerofoil::contourText(af);
  const SectionOutline outline = read(text);
  EXPECT_EQ(outline.name, aerofoil::contourName(af));
  EXPECT_TRUE(outline.notes.empty());  // the trailing edge at both ends, as Selig files have it
  // The same with the trailing edge given once, at the start, as some
  // programs write it: the same outline, and a note.
  const SectionOutline once = read(text.substr(0, text.rfind("1.000000000000 0.000000000000")));
  ASSERT_EQ(once.notes.size(), 1u);
  EXPECT_EQ(once.notes[0], "The trailing edge is given once (line 2): both surfaces end there.");
  for (const SectionOutline* o : {&outline, &once}) {
    const auto& spline = dynamic_cast<const aerofoil::SplineShape&>(*o->shape);
    ASSERT_EQ(spline.knots().size(), 257u);
    for (int i = 0; i <= 256; ++i)
      EXPECT_NEAR(std::abs(spline.point(spline.knots()[i]) - Point(af.x[i % 256], af.y[i % 256])), 0, 1e-12) << i;
    EXPECT_EQ(spline.point(spline.leadingEdge()).real(), 0);
  }
}

TEST(SectionFile, BadFilesRefusedWithTheirLine) {
  const std::vector<std::string> good = linesOf(fileText("naca2412_open_selig.dat"));
  auto with = [&](int line, const std::string& text) {
    std::vector<std::string> lines = good;
    lines[line - 1] = text;
    return textOf(lines);
  };
  auto first = [&](int count) { return textOf(std::vector<std::string>(good.begin(), good.begin() + count + 1)); };
  std::string tooMany = "many\n";
  for (int i = 0; i <= aerofoil::kMaxCoordinatePoints; ++i) tooMany += "0.5 " + std::to_string(i) + "\n";
  std::string tiny = "tiny\n";
  for (int i = 0; i < 12; ++i) tiny += std::to_string(i % 6) + "e-12 " + std::to_string(i / 6) + "e-12\n";
  std::vector<std::string> counted = linesOf(fileText("naca0012_lednicer.dat"));
  counted.erase(counted.begin() + 10);

  const struct {
    std::string text;
    const char* saying;
  } refused[] = {
      {"", "the file is empty"},
      {" \n\t\n", "the file is empty"},
      {first(5), "only 5 points (lines 2 to 6); a section needs at least 10"},
      {with(7, "0.5 abc"), "line 7: \"0.5 abc\" is not a pair of numbers x y"},
      {with(7, "0.5 0.1 0.2"), "line 7: \"0.5 0.1 0.2\" holds 3 numbers; a point is two"},
      {with(9, "nan 0.1"), "line 9: \"nan 0.1\" is not a finite point"},
      {with(9, "0.3 -inf"), "line 9: \"0.3 -inf\" is not a finite point"},
      {with(9, "2e7 0"), "line 9: 2e+07 lies beyond 1e6"},
      {tooMany, "line 10002: more than 10000 points"},
      {tiny, "the points span a chord of"},
      {with(2, "1 0.1"), "lines 2 and 50: the trailing edge is open by 10.1 % of the chord, more than the 5 %"},
      {with(20, good[30]), "the contour crosses or touches itself"},
      {with(39, "0.45 -0.0302"), "line 39: the lower surface turns back towards the nose"},
      {textOf(counted), "line 2: the point counts 21 and 21 (Lednicer format) do not match the 20 and 21 points"},
      {std::string(aerofoil::kMaxCoordinateBytes + 1, ' '), "over 4 MiB"},
  };
  for (const auto& r : refused) EXPECT_NE(refusal(r.text).find(r.saying), std::string::npos) << refusal(r.text);

  SectionOutline outline;
  std::string why;
  EXPECT_FALSE(aerofoil::readSectionFile(kData, outline, why));
  EXPECT_EQ(why, kData + ": is a folder, not a coordinate file");
  EXPECT_FALSE(aerofoil::readSectionFile(kData + "/no such file.dat", outline, why));
  EXPECT_NE(why.find("no such file.dat: cannot be read (No such file or directory)"), std::string::npos);
}

}  // namespace
