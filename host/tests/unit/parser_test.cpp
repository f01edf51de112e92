// What the reader accepts, what it refuses and how it reports it.
#include <gtest/gtest.h>

#include "script/lexer.h"
#include "script/parser.h"

namespace {

using host::script::parse;
using host::script::Tok;
using host::script::tokenize;

TEST(Lexer, ReadsNumbersTimesNamesAndStrings) {
  auto t = tokenize("0x1F 12 1.5 .5 1e3 10f 2s 480t #Start \"a\\nb\" @\"c:\\d\"");
  ASSERT_GE(t.size(), 11u);
  EXPECT_EQ(t[0].int_value, 31);
  EXPECT_EQ(t[1].int_value, 12);
  EXPECT_DOUBLE_EQ(t[2].float_value, 1.5);
  EXPECT_DOUBLE_EQ(t[3].float_value, 0.5);
  EXPECT_DOUBLE_EQ(t[4].float_value, 1000.0);
  EXPECT_EQ(t[5].type, Tok::Time);
  EXPECT_EQ(t[5].int_value, 1600);
  EXPECT_EQ(t[6].int_value, 9600);
  EXPECT_EQ(t[7].int_value, 480);
  EXPECT_EQ(t[8].type, Tok::Name);
  EXPECT_EQ(t[8].text, "Start");
  EXPECT_EQ(t[9].text, "a\nb");
  EXPECT_EQ(t[10].text, "c:\\d");
}

TEST(Lexer, MarksWhitespaceAroundMinusForNegativeArguments) {
  auto t = tokenize("f -1 a - b");
  EXPECT_TRUE(t[1].space_before);
  EXPECT_FALSE(t[1].space_after);
  EXPECT_TRUE(t[4].space_after);
}

TEST(Parser, ReportsTheFoundTokenTheExpectationAndTheLine) {
  auto r = parse("a = 1\nb = (2 * )\n");
  EXPECT_FALSE(r.program);
  EXPECT_FALSE(r.incomplete);
  EXPECT_EQ(r.error, "-- Syntax error: at ), expected <factor>\n--  In line: b = (2 * )");
}

TEST(Parser, TellsAnUnfinishedExpressionFromAWrongOne) {
  EXPECT_TRUE(parse("(\n print 1\n").incomplete);
  EXPECT_TRUE(parse("if x then").incomplete);
  EXPECT_TRUE(parse("s = \"open").incomplete);
  EXPECT_FALSE(parse("x = )").incomplete);
  EXPECT_TRUE(parse("for i = 1 to 3 do print i").program != nullptr);
}

TEST(Parser, RefusesAssignmentToAValue) {
  auto r = parse("5 = 3");
  EXPECT_FALSE(r.program);
  EXPECT_NE(r.error.find("expected a variable, property or index before ="), std::string::npos);
}

TEST(Parser, ReadsEachTopLevelExpressionSeparately) {
  auto r = parse("a = 1; b = 2\nprint a\n\n(\n c = 3\n)\n");
  ASSERT_TRUE(r.program);
  EXPECT_EQ(r.program->expressions.size(), 4u);
}

TEST(ScriptReader, GivesTheExpressionsBeforeASyntaxErrorThenTheError) {
  host::script::ScriptReader reader("a = 1\nb = 2; c = \"x\\x00\"\nd = 4\n");
  host::script::TopLevel t;
  EXPECT_TRUE(reader.next(t));
  EXPECT_TRUE(reader.next(t));
  EXPECT_EQ(t.line, 2);
  EXPECT_FALSE(reader.next(t));
  EXPECT_EQ(reader.error(),
            "-- Syntax error: at \\x00, expected a string without NUL characters\n--  In line: b = 2; c = "
            "\"x\\x00\"");
  EXPECT_FALSE(reader.next(t));
}

TEST(Lexer, ReadsPathNamesAsWritten) {
  auto t = tokenize("$box01.pos $'a b'/c $torso...* $ $helpers/d*");
  ASSERT_GE(t.size(), 7u);
  EXPECT_EQ(t[0].type, Tok::Path);
  EXPECT_EQ(t[0].text, "box01");
  EXPECT_EQ(t[1].type, Tok::Dot);
  EXPECT_EQ(t[3].text, "'a b'/c");
  EXPECT_EQ(t[4].text, "torso...*");
  EXPECT_EQ(t[5].text, "");
  EXPECT_EQ(t[6].text, "helpers/d*");
}

}  // namespace
