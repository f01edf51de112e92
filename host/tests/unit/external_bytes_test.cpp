// Values that hold memory outside themselves report it, and the collector
// runs once enough such bytes pile up, however few values were made.
#include <gtest/gtest.h>

#include "runtime/runtime_internal.h"

namespace {

int g_live = 0;

class Holder : public Value {
 public:
  explicit Holder(std::size_t bytes) {
    held_.set(bytes);
    ++g_live;
  }
  ~Holder() override { --g_live; }
  void resize(std::size_t bytes) { held_.set(bytes); }

 private:
  ExternalBytes held_;
};

class ExternalBytesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gc_collect();
    g_live = 0;
  }
};

TEST_F(ExternalBytesTest, ReportedBytesComeBackWhenTheValueIsFreed) {
  std::size_t before = gc_external_bytes();
  {
    OneValueLocal keep(new Holder(1000));
    EXPECT_EQ(gc_external_bytes(), before + 1000);
    static_cast<Holder*>(keep.value)->resize(5000);
    EXPECT_EQ(gc_external_bytes(), before + 5000);
    static_cast<Holder*>(keep.value)->resize(200);
    EXPECT_EQ(gc_external_bytes(), before + 200);
    gc_collect();
    EXPECT_EQ(gc_external_bytes(), before + 200);
  }
  gc_collect();
  EXPECT_EQ(gc_external_bytes(), before);
  EXPECT_EQ(g_live, 0);
}

// Each holder stands for a megabyte; without the byte count a thousand of
// them are far too few values to bring a collection.
TEST_F(ExternalBytesTest, BytesPilingUpBringACollection) {
  std::size_t collections = host::gc_collections();
  int most_live = 0;
  for (int i = 0; i < 1000; ++i) {
    new Holder(std::size_t{1} << 20);
    most_live = std::max(most_live, g_live);
    host::gc_safe_point();
  }
  EXPECT_GT(host::gc_collections(), collections);
  EXPECT_LT(most_live, 100);
}

// What the survivors hold sets the next allowance: a program that keeps
// much memory alive is not collected again for every few bytes more.
TEST_F(ExternalBytesTest, SurvivorsRaiseTheAllowance) {
  ValueLocals<40> keep;
  for (int i = 0; i < 40; ++i) keep[i] = new Holder(std::size_t{1} << 20);
  gc_collect();
  std::size_t collections = host::gc_collections();
  for (int i = 0; i < 30; ++i) {
    new Holder(std::size_t{1} << 20);
    host::gc_safe_point();
  }
  EXPECT_EQ(host::gc_collections(), collections);
}

}  // namespace
