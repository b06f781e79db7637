#include "app/seconds_field.h"

#include <gtest/gtest.h>

namespace k32 {

TEST(ParseSecondsField, DecimalWithOptionalSign) {
  EXPECT_EQ(ParseSecondsField("20"), 20);
  EXPECT_EQ(ParseSecondsField("0"), 0);
  EXPECT_EQ(ParseSecondsField("+5"), 5);
  EXPECT_EQ(ParseSecondsField("-3"), -3);
  EXPECT_EQ(ParseSecondsField("-0"), 0);
  EXPECT_EQ(ParseSecondsField("007"), 7);
  EXPECT_EQ(ParseSecondsField("999"), 999);
  EXPECT_EQ(ParseSecondsField("-99"), -99);
}

TEST(ParseSecondsField, HexadecimalAfterEachPrefix) {
  EXPECT_EQ(ParseSecondsField("$1F"), 31);
  EXPECT_EQ(ParseSecondsField("$1f"), 31);
  EXPECT_EQ(ParseSecondsField("x1F"), 31);
  EXPECT_EQ(ParseSecondsField("X10"), 16);
  EXPECT_EQ(ParseSecondsField("0x10"), 16);
  EXPECT_EQ(ParseSecondsField("0XaB"), 0xAB);
  EXPECT_EQ(ParseSecondsField("$0"), 0);
  // "0" followed by digits is decimal, not octal or hex.
  EXPECT_EQ(ParseSecondsField("010"), 10);
}

TEST(ParseSecondsField, MinusOneIsRejectedInEveryForm) {
  EXPECT_EQ(ParseSecondsField("-1"), std::nullopt);
  EXPECT_EQ(ParseSecondsField("-001"), std::nullopt);
  EXPECT_EQ(ParseSecondsField("$FFFFFFFF"), std::nullopt);
  // Its neighbours are ordinary values.
  EXPECT_EQ(ParseSecondsField("-2"), -2);
  EXPECT_EQ(ParseSecondsField("1"), 1);
}

TEST(ParseSecondsField, NotANumber) {
  for (const char* text :
       {"",  " ",  "abc", "12abc", "1 2",  "+",     "-",   "--1",  "+-1",   "1.5", "1e3", "$",
        "x", "0x", "0X",  "$-1",   "-$1F", "+0x10", "$1G", "0x1 ", "00x10", "\t7", "7\n", "\xB6\xFE"}) {
    EXPECT_EQ(ParseSecondsField(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(ParseSecondsField, LeadingSpacesOnlyAreSkipped) {
  EXPECT_EQ(ParseSecondsField(" 7"), 7);
  EXPECT_EQ(ParseSecondsField("   -7"), -7);
  EXPECT_EQ(ParseSecondsField("  $1F"), 31);
  EXPECT_EQ(ParseSecondsField("7 "), std::nullopt);
  EXPECT_EQ(ParseSecondsField("- 7"), std::nullopt);
  EXPECT_EQ(ParseSecondsField("$ 1F"), std::nullopt);
}

TEST(ParseSecondsField, ThirtyTwoBitLimits) {
  EXPECT_EQ(ParseSecondsField("2147483647"), 2147483647);
  EXPECT_EQ(ParseSecondsField("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseSecondsField("2147483648"), std::nullopt);
  EXPECT_EQ(ParseSecondsField("-2147483649"), std::nullopt);
  // Values that wrap to a small number modulo 2^32 must not slip through.
  EXPECT_EQ(ParseSecondsField("4294967316"), std::nullopt);
  EXPECT_EQ(ParseSecondsField("99999999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseSecondsField("0000000000000000000020"), 20);
  // Hex gives the 32-bit pattern; a ninth significant digit is too many.
  EXPECT_EQ(ParseSecondsField("$7FFFFFFF"), 2147483647);
  EXPECT_EQ(ParseSecondsField("$80000000"), INT32_MIN);
  EXPECT_EQ(ParseSecondsField("$FFFFFFFE"), -2);
  EXPECT_EQ(ParseSecondsField("$100000014"), std::nullopt);
  EXPECT_EQ(ParseSecondsField("$000000001F"), 31);
}

}  // namespace k32
