// The refusal of a field's text, as every window shows it: what the text
// is, the field as the window labels it and what it takes.
#include <gtest/gtest.h>

#include "number_text.h"

TEST(NumberField, RefusalsNameTheFieldAndWhatItTakes) {
  const NumberField np{nullptr, "Np", -1, 41};
  double v = 0;
  EXPECT_EQ(readNumber("4.5", true, v), NumberRead::NotANumber);
  EXPECT_EQ(unreadable(np, "4.5", NumberRead::NotANumber, "a whole number from 2 to 821"),
            "Np: \"4.5\" is not a whole number.\nNp must be a whole number from 2 to 821.");
  EXPECT_EQ(readNumber("99999999999", true, v), NumberRead::TooLarge);

  const NumberField re{nullptr, "Re(mill)", 3, 10};
  EXPECT_EQ(readNumber("1e400", false, v), NumberRead::TooLarge);
  EXPECT_EQ(readNumber("-1e400", false, v), NumberRead::TooLarge);
  EXPECT_EQ(unreadable(re, "1e400", NumberRead::TooLarge, "a number greater than 0"),
            "Re(mill): \"1e400\" is too large.\nRe(mill) must be a number greater than 0.");
  // A number below the smallest double is the 0 it rounds to, for the
  // range to judge; blanks around a number are no fault.
  ASSERT_EQ(readNumber(" 1e-400 ", false, v), NumberRead::Number);
  EXPECT_EQ(v, 0.0);
  EXPECT_EQ(readNumber("1e", false, v), NumberRead::NotANumber);
  EXPECT_EQ(readNumber("nan", false, v), NumberRead::NotANumber);
  EXPECT_EQ(outOfRange("Re(mill)", 0, "a number greater than 0"),
            "Re(mill) = 0 is out of range: it must be a number greater than 0.");
}
