// The argument checkers: what passes, and the exact error line of what does not.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runtime/runtime_internal.h"

namespace {

std::string raised(const std::function<void()>& f) {
  try {
    f();
  } catch (const MAXScriptException& e) {
    return e.message();
  }
  return "nothing raised";
}

TEST(Checks, CountsNameTheBoundThatWasMissed) {
  EXPECT_EQ(raised([] { check_arg_count_range("color", 3, 4, 4); }), "nothing raised");
  EXPECT_EQ(raised([] { check_arg_count_range("color", 3, 4, 2); }),
            "-- Argument count error: color wanted 3, got 2");
  EXPECT_EQ(raised([] { check_arg_count_range("color", 3, 4, 5); }),
            "-- Argument count error: color wanted 4, got 5");
  EXPECT_EQ(raised([] { check_arg_count_at_most("stringStream", 1, 2); }),
            "-- Argument count error: stringStream wanted 1, got 2");
  EXPECT_EQ(raised([] { check_arg_count_at_least("format", 1, 0); }),
            "-- Argument count error: format wanted 1, got 0");
  // A method's count includes the value it runs on.
  EXPECT_EQ(raised([] { check_method_arg_count("isKindOf", 1, 2); }),
            "-- Argument count error: isKindOf wanted 2, got 3");
}

TEST(Checks, ClassesAndIndexes) {
  OneValueLocal a(new Array(0));
  EXPECT_EQ(check_class<Array>(a.value, &Array_class, "join"), a.value);
  EXPECT_EQ(raised([] { check_class<Array>(Integer::intern(5), &Array_class, "join"); }),
            "-- Type error: join requires Array, got: 5");
  EXPECT_EQ(check_index(Integer::intern(3), "Array"), 3);
  EXPECT_EQ(raised([] { check_index(Integer::intern(0), "String"); }),
            "-- Runtime error: String index must be positive number, got: 0");
  EXPECT_EQ(raised([] { check_index(new String("x"), "Array"); }),
            "-- Unable to convert: \"x\" to type: Integer");
  EXPECT_EQ(check_int_in_range(Integer::intern(3), 1, 3, "out: "), 3);
  EXPECT_EQ(raised([] { check_int_in_range(Integer::intern(4), 1, 3, "Point3 index out of range: "); }),
            "-- Runtime error: Point3 index out of range: 4");
  EXPECT_EQ(check_float_in_range(new Float(0.5f), 0.0f, 1.0f, "out: "), 0.5f);
  EXPECT_EQ(raised([] { check_float_in_range(new Float(NAN), 0.0f, 1.0f, "out of range: "); }),
            "-- Runtime error: out of range: nan");
}

}  // namespace
