// The refusal of a field's text that is no number, as both windows show it.
#include <gtest/gtest.h>

#include "number_text.h"

TEST(NumberField, TextThatIsNoNumberIsRefusedWithWhatTheFieldTakes) {
  const NumberField np{nullptr, "Np", -1, 41};
  double v = 0;
  EXPECT_FALSE(parseNumber("4.5", true, v));
  EXPECT_EQ(notANumber(np, "4.5", "from 5 to 821"),
            "Np: \"4.5\" is not a whole number.\nNp must be from 5 to 821.");
  const NumberField from{nullptr, "Alpha from", 3, -4};
  EXPECT_EQ(notANumber(from, "1e", "a number from -65 to 65 degrees"),
            "Alpha from: \"1e\" is not a number.\nAlpha from must be a number from -65 to 65 degrees.");
}
