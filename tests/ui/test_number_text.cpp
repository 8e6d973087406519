// The refusal of a field's text, as every window shows it: what the text
// is, the field as the window labels it and what it takes.
#include <gtest/gtest.h>

#include "checked_spinner.h"
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

TEST(SpinnerNote, ATypedValueOutsideTheRangeIsSaidWithTheValueUsed) {
  double used = 0;
  EXPECT_EQ(spinnerNote("Alpha", "1e6", -65, 65, 12, used), "Alpha = 1e6 is above 65: Alpha = 65 is used");
  EXPECT_EQ(used, 65);
  EXPECT_EQ(spinnerNote("e/R1", " 5 ", 0, 1, 0.131, used), "e/R1 = 5 is above 1: e/R1 = 1 is used");
  EXPECT_EQ(spinnerNote("h/R1", "-2", -0.8, 0.8, 0, used), "h/R1 = -2 is below -0.8: h/R1 = -0.8 is used");
  EXPECT_EQ(spinnerNote("Alpha", "-1e6", -65, 65, 12, used), "Alpha = -1e6 is below -65: Alpha = -65 is used");
  EXPECT_EQ(spinnerNote("Alpha", "-1e400", -65, 65, 12, used),
            "Alpha = -1e400 is too large (-65..65): Alpha = -65 is used");
  EXPECT_EQ(spinnerNote("Alpha", "abc", -65, 65, 12, used), "Alpha: \"abc\" is not a number (-65..65): Alpha = 12 is kept");
  EXPECT_EQ(used, 12);
  EXPECT_EQ(spinnerNote("Alpha", "7.5", -65, 65, 12, used), "");
  EXPECT_EQ(used, 7.5);
  // N is a whole number: "1e3" is none (it is not read as 1, nor as 13),
  // and a number beyond the integers is too large, not 2147483647.
  EXPECT_EQ(spinnerNote("N", "1e3", 8, 1199, 256, used, true), "N: \"1e3\" is not a whole number (8..1199): N = 256 is kept");
  EXPECT_EQ(used, 256);
  EXPECT_EQ(spinnerNote("N", "1e20", 8, 1199, 256, used, true), "N: \"1e20\" is not a whole number (8..1199): N = 256 is kept");
  EXPECT_EQ(spinnerNote("N", "100000000000000000000", 8, 1199, 256, used, true),
            "N = 100000000000000000000 is too large (8..1199): N = 1199 is used");
  EXPECT_EQ(spinnerNote("N", "5", 8, 1199, 256, used, true), "N = 5 is below 8: N = 8 is used");
  EXPECT_EQ(spinnerNote("N", " 300 ", 8, 1199, 256, used, true), "");
  EXPECT_EQ(used, 300);
}
