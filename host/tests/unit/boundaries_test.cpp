// C++ exceptions that host or module code lets out of a property or an
// operator become runtime errors wherever scripts are evaluated: a try
// catches them, and a top-level expression reports them and the run goes on.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>

#include "runtime/runtime_internal.h"
#include "script/interpreter.h"

namespace {

class Throwing : public Value {
 public:
  Value* get_property(Value*) override { throw std::length_error("vector too long"); }
  Value* plus_vf(Value**, int) override { throw std::bad_alloc(); }
  Value* minus_vf(Value**, int) override { throw 42; }
  void sprin1(CharStream* s) override { s->puts("<throwing>"); }
};

class CppExceptionBoundaries : public ::testing::Test {
 protected:
  void SetUp() override {
    static Throwing thrower;
    host::define_global_value("cppThrower", &thrower);
    previous_ = set_thread_local_output(&out_);
  }
  void TearDown() override { set_thread_local_output(previous_); }

  bool run(const std::string& source, bool keep_going = false) {
    host::script::RunOptions options;
    options.keep_going = keep_going;
    return host::script::run_source(source, "boundaries", options);
  }

  StringCharStream out_;
  CharStream* previous_ = nullptr;
};

TEST_F(CppExceptionBoundaries, TryCatchesThemAsRuntimeErrors) {
  EXPECT_TRUE(
      run("try (cppThrower.size) catch (print (getCurrentException()))\n"
          "try (cppThrower + 1) catch (print (getCurrentException()))\n"
          "try (cppThrower - 1) catch (print (getCurrentException()))\n"));
  EXPECT_EQ(out_.text(),
            "\"-- Runtime error: C++ exception: vector too long\"\n"
            "\"-- Runtime error: Out of memory\"\n"
            "\"-- Runtime error: Unknown C++ exception\"\n");
}

TEST_F(CppExceptionBoundaries, TopLevelReportsThemAndGoesOn) {
  EXPECT_FALSE(run("cppThrower.size\nprint 2\n", true));
  EXPECT_EQ(out_.text(), "-- Runtime error: C++ exception: vector too long\n2\n");
}

TEST_F(CppExceptionBoundaries, FileInPassesThemOnAsRuntimeErrors) {
  std::string path = ::testing::TempDir() + "boundaries_inner.ms";
  std::ofstream(path) << "cppThrower + 1\n";
  EXPECT_TRUE(run("try (fileIn \"" + path + "\") catch (print (getCurrentException()))\n"));
  std::remove(path.c_str());
  EXPECT_EQ(out_.text(), "\"-- Runtime error: Out of memory in fileIn\"\n");
}

}  // namespace
