#include "binary_io.h"

#include <gtest/gtest.h>

#include "binary_stream.h"
#include "value_test_support.h"

using namespace test_support;

namespace {

const char* const kMethods[] = {"tell",          "size",          "readBinChar",  "readBinByte",
                                "readBinWord",   "readBinInt",    "readBinFloat", "readBinString",
                                "writeBinChar",  "writeBinByte",  "writeBinWord", "writeBinInt",
                                "writeBinFloat", "writeBinString"};

TEST(Dispatch, WrongFirstArgumentsAreRefused) {
  Value* tell = global_fn("tell");
  EXPECT_EQ(raised([&] { call(tell, {}); }), "-- Argument count error: Generic apply wanted 1, got 0");
  EXPECT_EQ(raised([&] { call(tell, {Integer::intern(5)}); }), "-- No \"\"tell\"\" function for 5");
  EXPECT_EQ(raised([&] {
              call(global_fn("writeBinInt"), {new String("f"), Integer::intern(1)});
            }),
            "-- No \"\"writeBinInt\"\" function for \"f\"");
}

// A value that stands for another one until it is evaluated, as a global's
// thunk does.
class Deferred : public Value {
 public:
  explicit Deferred(Value* v) : target(v) {}
  Value* eval() override { return target; }
  void gc_trace() override { gc_mark(target); }
  Value* target;
};

TEST(Dispatch, EvaluatesEveryArgumentBeforeDispatching) {
  ValueLocals<3> keep;
  keep[0] = call(&BinaryStream_class, {});
  keep[1] = new Deferred(keep[0]);
  keep[2] = new Deferred(Integer::intern(70000));
  EXPECT_EQ(call(global_fn("writeBinInt"), {keep[1], keep[2]}), &true_value);
  EXPECT_EQ(as_int(call(global_fn("size"), {keep[1]})), 4);
  EXPECT_EQ(raised([&] { call(global_fn("tell"), {new Deferred(Integer::intern(5))}); }),
            "-- No \"\"tell\"\" function for 5");
  // more arguments than the dispatch keeps on its own stack
  EXPECT_EQ(raised([&] {
              call(global_fn("writeBinInt"), {keep[1], keep[2], keep[2], keep[2], keep[2]});
            }),
            "-- Runtime error: BinaryStream::writeBinInt needs 2 arguments");
}

// A binary I/O value that answers none of the methods itself.
class BareBinaryValue : public BinaryFileBase {
 public:
  BareBinaryValue() { tag = &Value_class; }
  void collect() override { delete this; }
  ValueMetaClass* local_base_class() override { return &BinaryFile_class; }
  void sprin1(CharStream* s) override { s->puts("<bare>"); }
};

// The base names the method in double quotes, as the host's own defaults do.
TEST(Dispatch, BaseMethodsRaiseNoMethodErrorNamingTheMethod) {
  OneValueLocal bare(new BareBinaryValue);
  for (const char* name : kMethods) {
    std::string expected = std::string("-- No \"\"") + name + "\"\" function for <bare>";
    EXPECT_EQ(raised([&] { call(global_fn(name), {bare.value, Integer::intern(1)}); }), expected);
  }
}

}  // namespace
