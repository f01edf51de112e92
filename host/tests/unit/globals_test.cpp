// Names, globals, system globals and keyword arguments as modules use them.
#include <gtest/gtest.h>

#include "runtime/runtime_internal.h"

namespace {

Value* g_stored = nullptr;
Value* getter() { return g_stored ? g_stored : &undefined; }
Value* setter(Value* v) {
  g_stored = v;
  return &ok;
}

TEST(Names, AreCaseInsensitiveKeepTheirFirstSpellingAndCompareByIdentity) {
  Value* a = Name::intern("GlobalsTestName");
  EXPECT_EQ(a, Name::intern("globalstestname"));
  EXPECT_EQ(a, Name::intern("GLOBALSTESTNAME"));
  EXPECT_STREQ(a->to_string(), "GlobalsTestName");
  EXPECT_NE(a, Name::intern("GlobalsTestName2"));
}

// The host interns the names it uses itself before anything else runs, so
// they print in the reference's spelling whoever asks for them first.
TEST(Names, TheHostsOwnNamesKeepTheReferenceSpelling) {
  EXPECT_STREQ(Name::intern("START")->to_string(), "start");
  EXPECT_STREQ(Name::intern("Current")->to_string(), "current");
  EXPECT_STREQ(Name::intern("END")->to_string(), "end");
  EXPECT_STREQ(Name::intern("NUMBERSET")->to_string(), "numberSet");
  EXPECT_STREQ(Name::intern("DYNAMICONLY")->to_string(), "dynamicOnly");
}

TEST(Globals, UndefinedGlobalsAreNotInTheTable) {
  EXPECT_EQ(globals->get(Name::intern("neverDefinedAnywhere")), nullptr);
}

TEST(Globals, AssigningASystemGlobalCallsItsSetter) {
  define_system_global("globalsTestSystem", getter, setter);
  Value* thunk = globals->get(Name::intern("globalsTestSystem"));
  ASSERT_NE(thunk, nullptr);
  Value* v = Integer::intern(5);
  EXPECT_EQ(static_cast<GlobalThunk*>(thunk)->assign_vf(&v, 1), &ok);
  EXPECT_EQ(g_stored, v);
  EXPECT_EQ(thunk->eval(), v);
}

TEST(Globals, StructGlobalsHoldPropertiesAndMembers) {
  define_struct_global("prop", "GlobalsTestStruct", getter, setter);
  Value* s = globals->get(Name::intern("GlobalsTestStruct"))->eval();
  Value* v = Integer::intern(9);
  s->set_property(Name::intern("prop"), v);
  EXPECT_EQ(s->get_property(Name::intern("PROP")), v);
  EXPECT_THROW(s->get_property(Name::intern("missing")), AccessorError);
}

TEST(KeywordArguments, FollowTheMarkerAndFallBackToTheDefault) {
  Value* key = Name::intern("size");
  Value* args[] = {Integer::intern(1), &keyarg_marker, Name::intern("other"), Integer::intern(2), key,
                   Integer::intern(3)};
  EXPECT_EQ(positional_count(args, 6), 1);
  EXPECT_EQ(_get_key_arg_or_default(args, 6, key, &undefined), Integer::intern(3));
  EXPECT_EQ(_get_key_arg_or_default(args, 6, Name::intern("absent"), &undefined), &undefined);
  EXPECT_EQ(_get_key_arg_or_default(args, 1, key, &ok), &ok);
  EXPECT_EQ(positional_count(args, 1), 1);
}

}  // namespace
