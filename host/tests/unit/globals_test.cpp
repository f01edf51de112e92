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

TEST(Hold, CancelRestoresAndAcceptKeepsOneUndoRecord) {
  struct UndoInt : RestoreObj {
    explicit UndoInt(int* v, int old) : value(v), old_value(old) {}
    void Restore(int) override { *value = old_value; }
    void Redo() override {}
    int* value;
    int old_value;
  };
  int x = 1;
  theHold.Begin();
  theHold.Put(new UndoInt(&x, x));
  x = 2;
  theHold.Cancel();
  EXPECT_EQ(x, 1);
  int before = theHold.UndoCount();
  theHold.Begin();
  theHold.Put(new UndoInt(&x, x));
  x = 3;
  theHold.Accept("change");
  EXPECT_EQ(theHold.UndoCount(), before + 1);
  EXPECT_TRUE(theHold.Undo());
  EXPECT_EQ(x, 1);
  theHold.Put(new UndoInt(&x, 7));  // not holding: dropped
  EXPECT_EQ(theHold.UndoCount(), before);
}

}  // namespace
