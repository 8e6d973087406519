// Fixed-point fields of values with more digits than a short conversion
// buffer holds: the full, exact text in a field wide enough for it,
// asterisks in a narrower one.
#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "report_format.h"

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
