// Result file: line layouts on their templates, the overwrite rule for
// values wider than their slot, and saving that never destroys a file.
#include <filesystem>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "joukowski.h"
#include "solved_section.h"
#include "result_file.h"

using aerofoil::Joukowski;

namespace {


std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) out.push_back(line);
  return out;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

struct TempDir {
  std::string path;
  TempDir() {
    char tmpl[] = "/tmp/veltaro-result-XXXXXX";
    path = mkdtemp(tmpl);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

TEST(ResultFile, DefaultSectionHeaderLines) {
  const auto l = lines(aerofoil::resultFileText(solved(12.0, 0.131, 0.0)));
  ASSERT_EQ(l.size(), 256u + 9u);
  EXPECT_EQ(l[0], " e/R1= 0.13100   h/R1= 0.00000  ");
  EXPECT_EQ(l[1], "  Alpha     Clift      Cmf        Xf       Yf     Thickness   Camber");
  EXPECT_EQ(l[2], "  12.0000   1.4577    0.0000    0.2563    0.0000    0.0750    0.0000");
  EXPECT_EQ(l[2].size(), 68u);
  EXPECT_EQ(l[3], " N= 256   ");
  EXPECT_EQ(l[4], std::string(53, '-'));
  EXPECT_EQ(l[5], "    x         y         Cp        V         S      i");
  EXPECT_EQ(l[6], std::string(53, '-'));
  EXPECT_EQ(l[7].substr(0, 9), " 1.000000");
  EXPECT_EQ(l[7].substr(51), "0");
  EXPECT_EQ(l[7 + 256].substr(51), "256");
  EXPECT_EQ(l.back(), "");
}

TEST(ResultFile, NegativeValuesTakeOneMoreColumn) {
  const auto l = lines(aerofoil::resultFileText(solved(0.0, 0.131, -0.8, 16)));
  EXPECT_EQ(l[0], " e/R1= 0.13100   h/R1= -0.80000 ");
  EXPECT_EQ(l[0].substr(23, 8), "-0.80000");
  // A lower-surface row: negative y and v start right at their column.
  const std::string& row = l[7 + 12];
  EXPECT_EQ(row[11], '-');
  EXPECT_EQ(row[31], '-');
}

TEST(ResultFile, WideValueLosesItsTailToTheNextValue) {
  // A thin section at high incidence: cp near the leading edge about -328,
  // eleven characters wide, so its last decimal is overwritten by v.
  const Joukowski af = solved(20.0, 0.02, 0.0);
  const auto l = lines(aerofoil::resultFileText(af));
  int iworst = 0;
  for (int i = 0; i <= 256; ++i)
    if (af.cp[i] < af.cp[iworst]) iworst = i;
  ASSERT_LT(af.cp[iworst], -300.0);
  ASSERT_GT(af.cp[iworst], -400.0);
  char cpText[64], vText[64];
  std::snprintf(cpText, sizeof cpText, "%.6f", af.cp[iworst]);
  std::snprintf(vText, sizeof vText, "%.6f", af.v[iworst]);
  const std::string& row = l[7 + iworst];
  EXPECT_EQ(row.substr(21, 10), std::string(cpText).substr(0, 10));
  EXPECT_EQ(row.substr(31, std::string(vText).size()), vText);
}

TEST(ResultFile, SharpLeadingEdgeIsWrittenAsItIs) {
  const auto text = aerofoil::resultFileText(solved(5.0, 0.0, 0.0, 16));
  EXPECT_TRUE(text.find("inf") != std::string::npos || text.find("nan") != std::string::npos);
  EXPECT_EQ(lines(text).size(), 16u + 9u);
}

TEST(ResultFile, SavesNumberOnAndNeverOverwrite) {
  TempDir dir;
  const Joukowski af = solved(12.0, 0.131, 0.0, 32);
  int count = 0;
  auto first = aerofoil::saveResult(af, count, dir.path);
  auto second = aerofoil::saveResult(af, count, dir.path);
  ASSERT_TRUE(first.ok) << first.message;
  ASSERT_TRUE(second.ok) << second.message;
  EXPECT_EQ(first.path, dir.path + "/Airfoil_1.out");
  EXPECT_EQ(second.path, dir.path + "/Airfoil_2.out");
  EXPECT_EQ(readFile(first.path), readFile(second.path));
  EXPECT_EQ(readFile(first.path), aerofoil::resultFileText(af));

  // A new run in the same folder continues after the files already there,
  // leaving an earlier result untouched.
  { std::ofstream(dir.path + "/Airfoil_4.out") << "keep me"; }
  int fresh = 0;
  auto third = aerofoil::saveResult(af, fresh, dir.path);
  ASSERT_TRUE(third.ok);
  EXPECT_EQ(third.path, dir.path + "/Airfoil_3.out");
  auto fourth = aerofoil::saveResult(af, fresh, dir.path);
  EXPECT_EQ(fourth.path, dir.path + "/Airfoil_5.out");
  EXPECT_EQ(fresh, 5);
  EXPECT_EQ(readFile(dir.path + "/Airfoil_4.out"), "keep me");
}

TEST(ResultFile, UnwritableFolderIsReportedAndTheCounterAdvances) {
  TempDir dir;
  const std::string missing = dir.path + "/no-such-folder";
  const Joukowski af = solved(12.0, 0.131, 0.0, 16);
  int count = 0;
  auto out = aerofoil::saveResult(af, count, missing);
  EXPECT_FALSE(out.ok);
  EXPECT_NE(out.message.find("Airfoil_1.out"), std::string::npos);
  EXPECT_NE(out.message.find("No such file"), std::string::npos);
  EXPECT_EQ(count, 1);
  out = aerofoil::saveResult(af, count, missing);
  EXPECT_EQ(count, 2);
  EXPECT_NE(out.message.find("Airfoil_2.out"), std::string::npos);
}
