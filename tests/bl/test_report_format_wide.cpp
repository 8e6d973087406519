// Fixed-point fields of values with more digits than a short conversion
// buffer holds: the full, exact text in a field wide enough for it,
// asterisks in a narrower one.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "report/fortran_format.h"

TEST(FixedPointField, HugeValuesKeepEveryDigit) {
  // 2^200, exact in binary, 61 digits.
  const double x = 1606938044258990275541962092341162602522202993782792835301376.0;
  const std::string digits = "1606938044258990275541962092341162602522202993782792835301376";
  EXPECT_EQ(fx::F(70, 3, x), "     " + digits + ".000");
  EXPECT_EQ(fx::F(66, 3, -x), "-" + digits + ".000");
  EXPECT_EQ(fx::F(64, 3, x), fx::stars(64));

  // The largest double: 309 digits.
  const std::string max = fx::F(400, 1, DBL_MAX);
  ASSERT_EQ(max.size(), 400u);
  EXPECT_EQ(max.find_first_not_of(' '), 400u - 311u);
  EXPECT_EQ(max.substr(400 - 311, 12), "179769313486");
  EXPECT_EQ(max.substr(400 - 2), ".0");
  EXPECT_EQ(fx::F(20, 1, DBL_MAX), fx::stars(20));
}

// The decimal digits of every field are the C library's correctly rounded
// conversion of the exact binary value, ties included: checked against
// printf on values spread over the whole exponent range, on exact ties
// (k + 0.5) / 2^m, on decimal halfway points and on the doubles either side
// of them, with up to 16 significant digits.
TEST(FieldDigits, SameRoundingAsPrintf) {
  std::mt19937_64 gen(2026);
  std::uniform_real_distribution<double> mant(1.0, 10.0);
  std::uniform_int_distribution<int> expo(-30, 30), dec(0, 15);
  std::vector<double> values = {0.5, 1.5, 2.5, 0.125, 0.375, 1e-5, 0.99996, 9.9999996, 123.4565, 5e-324};
  for (int i = 0; i < 20000; ++i) {
    const double x = mant(gen) * std::pow(10.0, expo(gen));
    values.push_back(x);
    values.push_back(std::nextafter(x, 0.0));
    values.push_back(std::ldexp(static_cast<double>(2 * (i % 4096) + 1), -(1 + i % 12)));
  }
  // Decimals of up to 16 digits ending in 5, the halfway points of a
  // rounding to fewer digits, and the doubles either side of them.
  std::uniform_int_distribution<long long> body(1, 99999999999999LL);
  std::uniform_int_distribution<int> len(1, 15);
  char buf[512];
  for (int i = 0; i < 20000; ++i) {
    const int digits = len(gen);
    long long m = body(gen);
    while (m >= 1) {
      int count = 0;
      for (long long t = m; t > 0; t /= 10) ++count;
      if (count <= digits) break;
      m /= 10;
    }
    std::snprintf(buf, sizeof buf, "%lld5e%d", m, expo(gen));
    const double x = std::strtod(buf, nullptr);
    values.push_back(x);
    values.push_back(std::nextafter(x, 0.0));
    values.push_back(std::nextafter(x, 1e300));
  }
  for (double v : values)
    for (double x : {v, -v}) {
      const int d = dec(gen);
      std::snprintf(buf, sizeof buf, "%#.*f", d, x);
      std::string fixed(buf);
      ASSERT_EQ(fx::F(static_cast<int>(fixed.size()), d, x), fixed) << x << " F d=" << d;

      const int sig = d + 1;
      std::snprintf(buf, sizeof buf, "%.*e", sig - 1, std::fabs(x));
      const std::string e(buf);
      std::string digits;
      for (char c : e.substr(0, e.find('e')))
        if (c != '.') digits += c;
      const int p = std::atoi(e.c_str() + e.find('e') + 1) + 1;
      char exp_text[16];
      std::snprintf(exp_text, sizeof exp_text, std::abs(p) <= 99 ? "E%+03d" : "%+04d", p);
      const std::string want = std::string(x < 0 ? "-" : "") + "0." + digits + exp_text;
      ASSERT_EQ(fx::E(static_cast<int>(want.size()), sig, x), want) << x << " E d=" << sig;
    }
}
