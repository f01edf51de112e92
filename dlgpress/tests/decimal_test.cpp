#include "decimal.h"

#include <gtest/gtest.h>

namespace {

using dlgpress::parse_decimal;

TEST(ParseDecimal, ReadsSignAndDigitsAfterWhiteSpace) {
  EXPECT_EQ(parse_decimal("1"), 1);
  EXPECT_EQ(parse_decimal("  42"), 42);
  EXPECT_EQ(parse_decimal("\t-15"), -15);
  EXPECT_EQ(parse_decimal("+7"), 7);
  EXPECT_EQ(parse_decimal("12abc"), 12);
  EXPECT_EQ(parse_decimal("3.9"), 3);
}

TEST(ParseDecimal, WordsWithoutDigitsGiveZero) {
  EXPECT_EQ(parse_decimal(""), 0);
  EXPECT_EQ(parse_decimal("OK"), 0);
  EXPECT_EQ(parse_decimal("-"), 0);
  EXPECT_EQ(parse_decimal("--1"), 0);
  EXPECT_EQ(parse_decimal("+-1"), 0);
  EXPECT_EQ(parse_decimal(" x1"), 0);
  EXPECT_EQ(parse_decimal(nullptr), 0);
}

TEST(ParseDecimal, LargeNumbersWrapAsThirtyTwoBitValues) {
  EXPECT_EQ(parse_decimal("2147483647"), 2147483647);
  EXPECT_EQ(parse_decimal("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(parse_decimal("4294967295"), -1);
  EXPECT_EQ(parse_decimal("4294967297"), 1);
  EXPECT_EQ(parse_decimal("99999999999999999999999"), parse_decimal("99999999999999999999999"));
}

}  // namespace
