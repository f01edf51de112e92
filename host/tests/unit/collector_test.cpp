// The collector frees what nothing reaches, through the value's destructor,
// and keeps what globals, static values and value-local frames hold.
#include <gtest/gtest.h>

#include "runtime/runtime_internal.h"
#include "script/interpreter.h"

namespace {

int g_live = 0;

class Tracked : public Value {
 public:
  explicit Tracked(Value* child = nullptr) : child_(child) { ++g_live; }
  ~Tracked() override { --g_live; }
  void gc_trace() override { gc_mark(child_); }

 private:
  Value* child_;
};

class CollectorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gc_collect();
    g_live = 0;
  }
};

TEST_F(CollectorTest, UnreachableValuesAreFreedThroughTheirDestructor) {
  for (int i = 0; i < 100; ++i) new Tracked();
  EXPECT_EQ(g_live, 100);
  gc_collect();
  EXPECT_EQ(g_live, 0);
}

TEST_F(CollectorTest, FramesStaticsAndGlobalsKeepValuesAndWhatTheyReach) {
  Value* kept_static = make_static(new Tracked());
  {
    OneValueLocal local(new Tracked(new Tracked()));  // a parent and the child it traces
    host::define_global_value("collectorTestGlobal", new Tracked());
    new Tracked();  // reached by nothing
    gc_collect();
    EXPECT_EQ(g_live, 4);
  }
  gc_collect();  // the frame is gone: parent and child go
  EXPECT_EQ(g_live, 2);
  host::define_global_value("collectorTestGlobal", &undefined);
  gc_collect();
  EXPECT_EQ(g_live, 1);
  EXPECT_TRUE(kept_static->gc_flags & Value::kStatic);
}

TEST_F(CollectorTest, StaticObjectsAreNeverCollected) {
  std::size_t listed = gc_heap_count();
  static Tracked on_its_own;  // not made with new
  EXPECT_FALSE(on_its_own.is_collectable());
  EXPECT_EQ(gc_heap_count(), listed);  // the collector never lists it
  gc_collect();
  EXPECT_EQ(g_live, 1);  // and never deletes it
}

TEST_F(CollectorTest, ScriptLoopsKeepTheHeapBounded) {
  StringCharStream out;
  CharStream* previous = set_thread_local_output(&out);
  host::script::RunOptions options;
  ASSERT_TRUE(host::script::run_source("for i = 1 to 600000 do (s = #(i, \"x\"))", "t", options));
  set_thread_local_output(previous);
  // The collector ran during the loop: far fewer values exist than were made.
  EXPECT_GT(host::gc_collections(), 0u);
  EXPECT_LT(gc_heap_count(), 500000u);
}

}  // namespace

namespace {

class Failing : public Value {
 public:
  explicit Failing(Value* inner) : inner_(inner) { throw RuntimeError("constructor failed"); }

 private:
  Value* inner_;
};

TEST_F(CollectorTest, NestedNewAndFailedConstructorsKeepTheHeapConsistent) {
  std::size_t before = gc_heap_count();
  EXPECT_THROW(new Failing(new Tracked()), RuntimeError);
  EXPECT_EQ(gc_heap_count(), before + 1);  // the inner value is listed, the failed one is not
  gc_collect();
  EXPECT_EQ(g_live, 0);
  EXPECT_EQ(gc_heap_count(), before);
}

}  // namespace

// Integers and floats live in reused slots: a slot is handed out again only
// once nothing reaches the number in it.
TEST(LeafValues, ReachedNumbersKeepTheirSlotsThroughCollections) {
  OneValueLocal kept(new Array(0));
  auto* array = static_cast<Array*>(kept.value);
  Value* kept_static = make_static(Integer::intern(-7000000));
  for (int i = 0; i < 50000; ++i) {
    Value* n =
        i % 2 ? static_cast<Value*>(Integer::intern(1000000 + i)) : new Float(0.5f + static_cast<float>(i));
    if (i % 100 == 0) array->append(n);
  }
  std::size_t before = gc_heap_count();
  gc_collect();
  EXPECT_LT(gc_heap_count(), before);  // the dropped numbers are gone
  // New numbers fill the freed slots; none may land on a kept one.
  for (int i = 0; i < 50000; ++i) Integer::intern(-1000000 - i);
  gc_collect();
  for (int i = 0, k = 0; i < 50000; i += 100, ++k)
    EXPECT_EQ(array->data[k]->to_float(), 0.5f + static_cast<float>(i)) << "item " << k;
  EXPECT_EQ(kept_static->to_int(), -7000000);
}

TEST(LeafValues, AFloatWhoseConstructionIsUnderWayIsNotFreedByACollection) {
  // The argument's evaluation collects between the float's allocation and
  // its constructor: the slot must stay reserved for it.
  auto value_after_collecting = [] {
    gc_collect();
    return 2.5f;
  };
  OneValueLocal f(new Float(value_after_collecting()));
  for (int i = 0; i < 10000; ++i) new Float(-1.0f);
  gc_collect();
  EXPECT_EQ(f.value->to_float(), 2.5f);
  EXPECT_TRUE(f.value->is_collectable());
}
