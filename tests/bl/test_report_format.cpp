// Edit descriptors of the report notation and the report files' lifecycles.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "report_folder_fixture.h"
#include "report/fortran_format.h"

TEST(ReportFormat, IntegersRightAlignedOrStars) {
  EXPECT_EQ(fx::I(5, 42), "   42");
  EXPECT_EQ(fx::I(3, -5), " -5");
  EXPECT_EQ(fx::I(2, 99), "99");
  EXPECT_EQ(fx::I(2, 256), "**");   // node counts of a fine contour in an I2 field
  EXPECT_EQ(fx::I(2, -10), "**");   // the sign needs a column too
  EXPECT_EQ(fx::I(1, 0), "0");
}

TEST(ReportFormat, FixedPoint) {
  EXPECT_EQ(fx::F(10, 3, 0.0), "     0.000");
  EXPECT_EQ(fx::F(10, 3, 0.15), "     0.150");
  EXPECT_EQ(fx::F(10, 5, 1.0), "   1.00000");
  EXPECT_EQ(fx::F(15, 6, -3.1415926535), "      -3.141593");
  EXPECT_EQ(fx::F(15, 3, 10000000.0), "   10000000.000");
  EXPECT_EQ(fx::F(5, 0, 3.0), "   3.");          // the point stays with no decimals
  EXPECT_EQ(fx::F(10, 3, 0.9996), "     1.000");  // rounding carries into the units
  EXPECT_EQ(fx::F(10, 3, -0.0001), "    -0.000"); // a negative that rounds to zero
}

TEST(ReportFormat, FixedPointNarrowFields) {
  EXPECT_EQ(fx::F(5, 3, 0.5), "0.500");
  EXPECT_EQ(fx::F(4, 3, 0.5), ".500");    // leading zero only when there is room
  EXPECT_EQ(fx::F(5, 3, -0.5), "-.500");
  EXPECT_EQ(fx::F(3, 3, 0.5), "***");
  EXPECT_EQ(fx::F(10, 3, 1.0e7), "**********");
  EXPECT_EQ(fx::F(11, 3, 9999999.9994), "9999999.999");
}

TEST(ReportFormat, ExponentForm) {
  EXPECT_EQ(fx::E(12, 4, 347.27603149414062), "  0.3473E+03");
  EXPECT_EQ(fx::E(12, 4, 1.8878e-6), "  0.1888E-05");
  EXPECT_EQ(fx::E(12, 4, -1234.56), " -0.1235E+04");
  EXPECT_EQ(fx::E(12, 4, 0.0), "  0.0000E+00");
  EXPECT_EQ(fx::E(15, 6, 0.1), "   0.100000E+00");
  EXPECT_EQ(fx::E(12, 5, 1.0), " 0.10000E+01");
  EXPECT_EQ(fx::E(12, 4, 1.0e-10), "  0.1000E-09");
}

TEST(ReportFormat, ExponentRoundingCrossesAPowerOfTen) {
  EXPECT_EQ(fx::E(10, 4, 0.99996), "0.1000E+01");
  EXPECT_EQ(fx::E(11, 4, -0.99996), "-0.1000E+01");
  EXPECT_EQ(fx::E(10, 4, 0.99994), "0.9999E+00");
  EXPECT_EQ(fx::E(12, 4, 9.99996e-6), "  0.1000E-04");
  EXPECT_EQ(fx::E(12, 4, 99.996), "  0.1000E+03");
}

TEST(ReportFormat, ExponentEdgesOfTheField) {
  EXPECT_EQ(fx::E(10, 4, -0.5), "-.5000E+00");  // zero dropped to make room for the sign
  EXPECT_EQ(fx::E(9, 4, 1.0), ".1000E+01");
  EXPECT_EQ(fx::E(8, 4, 1.0), "********");
  EXPECT_EQ(fx::E(12, 4, -0.0), " -0.0000E+00");
  // Two-digit exponents up to 99; beyond, three digits replace the letter E.
  EXPECT_EQ(fx::E(12, 4, 0.99e99), "  0.9900E+99");
  EXPECT_EQ(fx::E(12, 4, 1.0e99), "  0.1000+100");
  EXPECT_EQ(fx::E(12, 4, 1.0e-100), "  0.1000E-99");
  EXPECT_EQ(fx::E(12, 4, 1.5e-101), "  0.1500-100");
  EXPECT_EQ(fx::E(12, 4, 1.0e308), "  0.1000+309");
  EXPECT_EQ(fx::E(12, 4, 5e-324), "  0.4941-323");  // smallest subnormal
}

TEST(ReportFormat, NonFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(fx::E(12, 4, std::nan("")), "         NaN");
  EXPECT_EQ(fx::F(10, 3, inf), "  Infinity");
  EXPECT_EQ(fx::F(10, 3, -inf), " -Infinity");
  EXPECT_EQ(fx::E(5, 1, -inf), " -Inf");
  EXPECT_EQ(fx::F(2, 0, std::nan("")), "**");
}

TEST(ReportFormat, SpacesRulesAndFreeFormLines) {
  EXPECT_EQ(fx::X(3), "   ");
  EXPECT_EQ(fx::X(0), "");
  EXPECT_EQ(fx::rule(5, '='), "=====");
  EXPECT_EQ(fx::ff("  Start  of b.l. computation 0"), "   Start  of b.l. computation 0");
  EXPECT_EQ(fx::ff("Upper surface,  Element=", 0), " Upper surface,  Element=           0");
  EXPECT_EQ(fx::ff("a", -12, "b"), " a         -12b");
  EXPECT_EQ(fx::ff(std::numeric_limits<int>::min()), "  -2147483648");
}

// --- Report files ------------------------------------------------------

using ReportFiles = ReportFolderTest;

TEST_F(ReportFiles, RunLongReportsStartEmptyAndThenContinue) {
  { std::ofstream old(dir / "InputBl.out"); old << "left over from an earlier run\n"; }
  reports.stream(bl::Report::InputBl) << "pass 1\n";
  ASSERT_TRUE(reports.status(bl::Report::InputBl).ok);
  reports.stream(bl::Report::InputBl) << "pass 2\n";
  ASSERT_TRUE(reports.status(bl::Report::InputBl).ok);
  EXPECT_EQ(read("InputBl.out"), "pass 1\npass 2\n");

  // A reset (as at a new program run) starts the file afresh.
  reports.close_all();
  reports.stream(bl::Report::InputBl) << "new run\n";
  ASSERT_TRUE(reports.status(bl::Report::InputBl).ok);
  EXPECT_EQ(read("InputBl.out"), "new run\n");
}

TEST_F(ReportFiles, DumpReportsLiveFromUpperToLowerPass) {
  reports.stream(bl::Report::NetFunc) << "before opening\n";
  EXPECT_FALSE(reports.status(bl::Report::NetFunc).ok);

  ASSERT_TRUE(reports.open_dumps().ok);
  reports.stream(bl::Report::NetFunc) << "net\n";
  reports.stream(bl::Report::Debug) << "sys\n";
  ASSERT_TRUE(reports.close_dumps().ok);
  EXPECT_EQ(read("NetFunc.out"), "net\n");
  EXPECT_EQ(read("Debug.out"), "sys\n");

  ASSERT_TRUE(reports.open_dumps().ok);  // next computation: emptied
  ASSERT_TRUE(reports.close_dumps().ok);
  EXPECT_EQ(read("NetFunc.out"), "");
}

TEST_F(ReportFiles, ChangingTheFolderMovesTheReports) {
  reports.stream(bl::Report::CalcBl) << "here\n";
  ASSERT_TRUE(reports.status(bl::Report::CalcBl).ok);
  const auto other = dir / "other";
  std::filesystem::create_directories(other);
  reports.set_folder(other.string());
  reports.stream(bl::Report::CalcBl) << "there\n";
  ASSERT_TRUE(reports.status(bl::Report::CalcBl).ok);
  EXPECT_EQ(read("CalcBl.out"), "here\n");
  EXPECT_EQ(slurp(other / "CalcBl.out"), "there\n");
}

TEST_F(ReportFiles, UnwritableFolderIsReportedNotHidden) {
  reports.set_folder((dir / "missing").string());
  reports.stream(bl::Report::Init2d) << "lost\n";
  const bl::Status s = reports.status(bl::Report::Init2d);
  EXPECT_FALSE(s.ok);
  EXPECT_NE(s.message.find("init2d.OUT"), std::string::npos);
  EXPECT_FALSE(reports.open_dumps().ok);
  EXPECT_FALSE(reports.write_whole("sxr_ue.out", "x").ok);
}

// A user's file whose name a fixed temporary would take survives, and no
// temporary is left.
TEST_F(ReportFiles, WholeReportReplacedAtOnce) {
  std::ofstream(dir / "sxr_ue.out.tmp") << "keep\n";
  ASSERT_TRUE(reports.write_whole("sxr_ue.out", "first\n").ok);
  ASSERT_TRUE(reports.write_whole("sxr_ue.out", "second\n").ok);
  EXPECT_EQ(read("sxr_ue.out"), "second\n");
  EXPECT_EQ(read("sxr_ue.out.tmp"), "keep\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);
}
