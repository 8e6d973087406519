// The Selig contour file read back as another program reads it: the section
// closed, no two neighbours on one point, the chord from 0 to 1, and the
// thickness and camber the window reports.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "contour_file.h"
#include "solved_section.h"

namespace {

struct Selig {
  std::string name;
  std::vector<double> x, y;
};

Selig readSelig(const std::string& path) {
  Selig s;
  std::ifstream in(path);
  std::getline(in, s.name);
  double x, y;
  while (in >> x >> y) {
    s.x.push_back(x);
    s.y.push_back(y);
  }
  return s;
}

std::string folder() {
  char tmpl[] = "/tmp/veltaro_contour_XXXXXX";
  return ::mkdtemp(tmpl);
}

// Half the largest thickness and the largest mean-line height, the lower
// surface interpolated at the abscissae of the upper one.
void measure(const Selig& s, double& halfThickness, double& camber) {
  const std::size_t le = std::min_element(s.x.begin(), s.x.end()) - s.x.begin();
  halfThickness = camber = -1;
  for (std::size_t i = 1; i < le; ++i)
    for (std::size_t j = le; j + 1 <= s.x.size(); ++j) {
      const std::size_t k = (j + 1) % s.x.size();  // the last panel ends at the trailing edge
      if ((s.x[j] - s.x[i]) * (s.x[k] - s.x[i]) > 0) continue;
      const double yl = s.y[j] + (s.y[k] - s.y[j]) * (s.x[i] - s.x[j]) / (s.x[k] - s.x[j]);
      halfThickness = std::max(halfThickness, (s.y[i] - yl) / 2);
      camber = std::max(camber, (s.y[i] + yl) / 2);
      break;
    }
}

}  // namespace

TEST(ContourFile, ReadsBackClosedWithDistinctNeighboursOverTheChord) {
  const std::string dir = folder();
  const std::string path = dir + "/c.dat";
  std::string why;
  ASSERT_TRUE(aerofoil::writeContourFile(solved(12.0, 0.131, 0.0), path, why)) << why;
  EXPECT_EQ(readSelig(path).name, "Joukowski aerofoil alpha=12 e/R1=0.131 h/R1=0 N=256");

  // N = 1199 crowds the points at the cusp; e = 0 at odd N puts two circle
  // points on the arc's leading edge.
  for (const auto& [e, h, n] : {std::tuple{0.131, 0.0, 256}, {0.131, 0.3, 1199}, {0.0, 0.1, 1199},
                                {1.0, -0.8, 8}}) {
    const auto af = solved(5.0, e, h, n);
    ASSERT_TRUE(aerofoil::writeContourFile(af, path, why)) << why;
    const Selig s = readSelig(path);
    EXPECT_EQ(s.name, aerofoil::contourName(af));
    ASSERT_GE(s.x.size(), static_cast<std::size_t>(n - 1));
    // The trailing edge once, at the start; the leading edge at x = 0.
    EXPECT_EQ(s.x[0], 1.0);
    EXPECT_EQ(s.y[0], 0.0);
    EXPECT_EQ(*std::min_element(s.x.begin(), s.x.end()), 0.0);
    EXPECT_EQ(*std::max_element(s.x.begin(), s.x.end()), 1.0);
    double longest = 0;
    for (std::size_t i = 0; i + 1 < s.x.size(); ++i) {
      const double d = std::hypot(s.x[i + 1] - s.x[i], s.y[i + 1] - s.y[i]);
      EXPECT_GT(d, 0.0) << "points " << i << " and " << i + 1 << " coincide, e = " << e;
      longest = std::max(longest, d);
    }
    // Closed: the last point is the first one's neighbour on the lower side.
    const double closing = std::hypot(s.x.back() - 1.0, s.y.back());
    EXPECT_GT(closing, 0.0);
    EXPECT_LE(closing, longest);
    EXPECT_LE(s.y.back(), s.y[1]);
  }
  std::filesystem::remove_all(dir);
}

TEST(ContourFile, ThicknessAndCamberAreTheWindowsFigures) {
  const std::string path = folder() + "/c.dat";
  std::string why;
  double t, c;
  // Symmetric section: half thickness against the fit (good to about 1e-4).
  auto af = solved(12.0, 0.131, 0.0);
  ASSERT_TRUE(aerofoil::writeContourFile(af, path, why)) << why;
  measure(readSelig(path), t, c);
  EXPECT_NEAR(t, af.maxThickSym, 1e-4);
  EXPECT_NEAR(c, af.camber, 1e-9);
  // Circular arc and a cambered section: the mean line rises to h/2.
  for (double e : {0.0, 0.131}) {
    af = solved(3.0, e, 0.1);
    ASSERT_TRUE(aerofoil::writeContourFile(af, path, why)) << why;
    measure(readSelig(path), t, c);
    EXPECT_NEAR(c, af.camber, 1e-4) << "e = " << e;
  }
  EXPECT_NEAR(t, 0.0752, 1e-4);  // thicker than the symmetric fit: camber adds
  std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}

TEST(ContourFile, ReplacesAFileWholeAndReportsAMissingFolder) {
  const std::string dir = folder();
  const std::string path = dir + "/c.dat";
  std::ofstream(path) << std::string(100000, 'x');
  const auto af = solved(12.0, 0.131, 0.0, 64);
  std::string why;
  ASSERT_TRUE(aerofoil::writeContourFile(af, path, why)) << why;
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  EXPECT_EQ(text.str(), aerofoil::contourText(af));

  EXPECT_FALSE(aerofoil::writeContourFile(af, dir + "/none/c.dat", why));
  EXPECT_NE(why.find(dir + "/none/c.dat"), std::string::npos) << why;
  EXPECT_FALSE(aerofoil::writeContourFile(af, dir, why));  // a folder is not replaced
  // Nothing but the written file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  std::filesystem::remove_all(dir);
}
