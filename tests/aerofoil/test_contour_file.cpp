// The Selig contour file read back as another program reads it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "contour_file.h"
#include "solved_section.h"

namespace {

struct Selig {
  std::string name;
  std::vector<double> x, y;
};

// One file per test process: the tests run in parallel, and other builds
// share the temporary folder.
const std::string kPath =
    ::testing::TempDir() + "veltaro_contour_" + std::to_string(::getpid()) + ".dat";

Selig roundTrip(const aerofoil::Joukowski& af) {
  std::string why;
  EXPECT_TRUE(aerofoil::writeContourFile(af, kPath, why)) << why;
  Selig s;
  std::ifstream in(kPath);
  std::getline(in, s.name);
  for (double x, y; in >> x >> y;) s.x.push_back(x), s.y.push_back(y);
  return s;
}

}  // namespace

TEST(ContourFile, ClosedWithDistinctNeighboursOverTheChordAndReplacedWhole) {
  EXPECT_EQ(roundTrip(solved(12.0, 0.131, 0.0)).name,
            "Joukowski aerofoil alpha=12 e/R1=0.131 h/R1=0 N=256");
  // N = 1199 crowds the points at the cusp; e = 0 at odd N puts two circle
  // points on the arc's leading edge.
  for (const auto& [e, h, n] : {std::tuple{0.131, 0.0, 256}, {0.131, 0.3, 1199}, {0.0, 0.1, 1199},
                                {1.0, -0.8, 8}}) {
    const Selig s = roundTrip(solved(5.0, e, h, n));
    ASSERT_GE(s.x.size(), static_cast<std::size_t>(n - 1));
    EXPECT_EQ(s.x[0], 1.0);  // the trailing edge, first and last
    EXPECT_EQ(s.y[0], 0.0);
    EXPECT_EQ(*std::min_element(s.x.begin(), s.x.end()), 0.0);
    EXPECT_EQ(*std::max_element(s.x.begin(), s.x.end()), 1.0);
    EXPECT_EQ(s.x.back(), 1.0);
    EXPECT_EQ(s.y.back(), 0.0);
    for (std::size_t i = 0; i + 2 < s.x.size(); ++i) {
      const double d = std::hypot(s.x[i + 1] - s.x[i], s.y[i + 1] - s.y[i]);
      EXPECT_GT(d, 0.0) << "points " << i << " and " << i + 1 << " coincide, e = " << e;
    }
  }
  // A longer file is replaced whole; a missing folder is named.
  std::ofstream(kPath) << std::string(100000, 'x');
  const auto af = solved(12.0, 0.131, 0.0, 64);
  roundTrip(af);
  std::stringstream text;
  text << std::ifstream(kPath).rdbuf();
  EXPECT_EQ(text.str(), aerofoil::contourText(af));
  std::string why;
  EXPECT_FALSE(aerofoil::writeContourFile(af, "/no/such/folder/c.dat", why));
  EXPECT_NE(why.find("/no/such/folder/c.dat"), std::string::npos) << why;
}

TEST(ContourFile, ThicknessAndCamberAreTheWindowsFigures) {
  // Half the largest thickness and the largest mean-line height, the lower
  // surface interpolated at the upper points' abscissae.
  auto measure = [](const Selig& s, double& t, double& c) {
    const std::size_t le = std::min_element(s.x.begin(), s.x.end()) - s.x.begin();
    t = c = -1;
    for (std::size_t i = 1; i < le; ++i)
      for (std::size_t j = le, k = j + 1; j < s.x.size(); ++j, k = (j + 1) % s.x.size())
        if ((s.x[j] - s.x[i]) * (s.x[k] - s.x[i]) <= 0) {
          const double yl = s.y[j] + (s.y[k] - s.y[j]) * (s.x[i] - s.x[j]) / (s.x[k] - s.x[j]);
          t = std::max(t, (s.y[i] - yl) / 2), c = std::max(c, (s.y[i] + yl) / 2);
          break;
        }
  };
  double t, c;
  auto af = solved(12.0, 0.131, 0.0);
  measure(roundTrip(af), t, c);
  EXPECT_NEAR(t, af.maxThickSym, 1e-4);  // the fit is good to about 1e-4
  for (double e : {0.0, 0.131}) {  // the circular arc and a cambered section
    af = solved(3.0, e, 0.1);
    measure(roundTrip(af), t, c);
    EXPECT_NEAR(c, af.camber, 1e-4) << "e = " << e;
  }
}
