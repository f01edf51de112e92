// Printed forms and error lines that scripts cannot easily reach.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/runtime_internal.h"

namespace {

TEST(Printing, FloatsKeepSixDigitsAndAWholeNumberMark) {
  EXPECT_EQ(host::format_float(7.0f), "7.0");
  EXPECT_EQ(host::format_float(0.70710678f), "0.707107");
  EXPECT_EQ(host::format_float(-1.5f), "-1.5");
  EXPECT_EQ(host::format_float(1234567.0f), "1.23457e+06");
  EXPECT_EQ(host::format_float(INFINITY), "inf");
  EXPECT_EQ(host::format_component(-0.0f), "0");
  EXPECT_EQ(host::format_component(10.0f), "10");
}

TEST(Printing, ValuesShowAsTheListenerShowsThem) {
  EXPECT_EQ(print_form(Integer::intern(-3)), "-3");
  EXPECT_EQ(print_form(new String("a\"b")), "\"a\"b\"");
  EXPECT_EQ(print_form(Name::intern("has space")), "#'has space'");
  EXPECT_EQ(print_form(new Point3Value(1.5f, -0.25f, 0)), "[1.5,-0.25,0]");
  EXPECT_EQ(print_form(ColorValue::intern(1, 0, 0)), "(color 255 0 0)");
  BitArray b;
  b.Set(0);
  b.Set(1);
  b.Set(4);
  b.Set(5);
  b.Set(6);
  EXPECT_EQ(print_form(new BitArrayValue(b)), "#{1, 2, 5..7}");
  EXPECT_EQ(print_form(new MSTime(80)), "0.5f");
}

TEST(Errors, FormatTheirListenerLine) {
  EXPECT_EQ(ArgCountError("setbit", 2, 1).message(), "-- Argument count error: setbit wanted 2, got 1");
  EXPECT_EQ(TypeError("GetRegistrySetting", new String("abc"), &Name_class).message(),
            "-- Type error: GetRegistrySetting requires Name, got: \"abc\"");
  EXPECT_EQ(RuntimeError("Unknown root key: ", Name::intern("foo")).message(),
            "-- Runtime error: Unknown root key: #foo");
  EXPECT_EQ(RuntimeError("Windows Error: ", "Access is denied.").message(),
            "-- Runtime error: Windows Error: Access is denied.");
  EXPECT_EQ(ConversionError(new String("abc"), "Integer").message(),
            "-- Unable to convert: \"abc\" to type: Integer");
  EXPECT_EQ(NoMethodError("+", &undefined).message(), "-- No \"\"+\"\" function for undefined");
}

TEST(Conversions, RefuseWhatTheClassCannotBecome) {
  EXPECT_THROW((new String("5"))->to_int(), ConversionError);
  EXPECT_THROW(Name::intern("x")->to_float(), ConversionError);
  EXPECT_EQ((new Float(-2.9f))->to_int(), -2);
  EXPECT_EQ((new Float(1e20f))->to_int(), 2147483647);
  EXPECT_STREQ(Name::intern("ConversionsTestName")->to_string(), "ConversionsTestName");
}

}  // namespace
