// Number and time literals the reader refuses: a script cannot catch its own
// syntax errors, so these are checked on the reader directly.
#include <gtest/gtest.h>

#include "script/lexer.h"
#include "script/parser.h"

namespace {

using host::script::parse;
using host::script::Tok;
using host::script::tokenize;

TEST(NumberLiterals, TellsIntegerWidthsAndDoublesApart) {
  auto t = tokenize("5L 2147483648 0xFFFFFFFF 0x100000000 1.5d0 1d5 1e5 99999999999999999999");
  ASSERT_GE(t.size(), 8u);
  EXPECT_EQ(t[0].type, Tok::Integer64);
  EXPECT_EQ(t[0].int_value, 5);
  EXPECT_EQ(t[1].type, Tok::Integer);  // the parser makes it a 64-bit integer
  EXPECT_EQ(t[1].int_value, 2147483648LL);
  EXPECT_EQ(t[2].type, Tok::Integer);
  EXPECT_EQ(t[2].int_value, -1);
  EXPECT_EQ(t[3].type, Tok::Integer64);
  EXPECT_EQ(t[3].int_value, 4294967296LL);
  EXPECT_EQ(t[4].type, Tok::Double);
  EXPECT_DOUBLE_EQ(t[4].float_value, 1.5);
  EXPECT_EQ(t[5].type, Tok::Double);
  EXPECT_DOUBLE_EQ(t[5].float_value, 100000.0);
  EXPECT_EQ(t[6].type, Tok::Float);
  EXPECT_EQ(t[7].type, Tok::Double);
}

TEST(NumberLiterals, ReadsCombinedAndNormalizedTimes) {
  auto t = tokenize("2m30s5f2t 2:10.0 0.45n 1e3f");
  ASSERT_GE(t.size(), 4u);
  EXPECT_EQ(t[0].type, Tok::Time);
  EXPECT_EQ(t[0].int_value, (150 * 30 + 5) * 160 + 2);
  EXPECT_EQ(t[1].int_value, 130 * 4800);
  EXPECT_TRUE(t[2].normalized);
  EXPECT_DOUBLE_EQ(t[2].float_value, 0.45);
  EXPECT_EQ(t[3].int_value, 1000 * 160);
}

TEST(NumberLiterals, RefusesTimesBeyondTheTimeLineAndUnitsOutOfOrder) {
  auto r = parse("print 99999999999f");
  EXPECT_FALSE(r.program);
  EXPECT_EQ(r.error,
            "-- Syntax error: at 99999999999f, expected a time of at most 2147483647 ticks either side of 0\n"
            "--  In line: print 99999999999f");
  r = parse("x = 1s1m");
  EXPECT_FALSE(r.program);
  EXPECT_NE(r.error.find("at 1s1m, expected minutes, seconds, frames and ticks in that order"),
            std::string::npos);
  EXPECT_FALSE(parse("x = 1f1f").program);
  EXPECT_TRUE(parse("x = 2147483647t").program);
  EXPECT_FALSE(parse("x = 2147483648t").program);
}

TEST(NumberLiterals, RefusesHexAndLongIntegersTooWide) {
  auto r = parse("x = 0x12345678901234567");
  EXPECT_FALSE(r.program);
  EXPECT_NE(r.error.find("expected a hexadecimal number of at most 16 digits"), std::string::npos);
  EXPECT_TRUE(parse("x = 0x00000000000000000001").program);  // leading zeros do not count
  r = parse("x = 99999999999999999999L");
  EXPECT_FALSE(r.program);
  EXPECT_NE(r.error.find("expected a 64-bit integer"), std::string::npos);
}

}  // namespace
