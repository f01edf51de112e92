// Root markers and the wrappers of host objects, with a fake host object.
#include <gtest/gtest.h>

#include <vector>

#include "host/host_objects.h"
#include "runtime/runtime_internal.h"

namespace {

// What the host owns: plain C++ objects the collector knows nothing about.
struct FakeNode {
  float height = 10;
};

extern ValueMetaClass FakeNode_class;

class FakeNodeValue : public HostObjectWrapper {
 public:
  FakeNodeValue(WrapperRegistry* registry, void* node) : HostObjectWrapper(registry, node) {
    tag = &FakeNode_class;
  }
  FakeNode* node() { return static_cast<FakeNode*>(object()); }
};

Value* get_height(Value* v) { return new Float(static_cast<FakeNodeValue*>(v)->node()->height); }
void set_height(Value* v, Value* h) { static_cast<FakeNodeValue*>(v)->node()->height = h->to_float(); }
PropertyTable fake_node_properties{{"height", "float", get_height, set_height}};
ValueMetaClass FakeNode_class("FakeNode", &MAXWrapper_class, nullptr, &fake_node_properties);

HostObjectWrapper* make_wrapper(WrapperRegistry* registry, void* node) { return new FakeNodeValue(registry, node); }

TEST(HostObjects, OneWrapperAnObjectAtATimeAndNoneKeptAlive) {
  WrapperRegistry registry;
  FakeNode a, b;
  OneValueLocal first(registry.wrap(&a, make_wrapper));
  EXPECT_EQ(registry.wrap(&a, make_wrapper), first.value);
  EXPECT_NE(registry.wrap(&b, make_wrapper), first.value);
  EXPECT_EQ(registry.size(), 2u);
  gc_collect();  // b's wrapper was reachable from nowhere
  EXPECT_EQ(registry.find(&b), nullptr);
  EXPECT_EQ(registry.find(&a), first.value);
  EXPECT_EQ(registry.size(), 1u);
}

TEST(HostObjects, AWrapperOfADeletedObjectRefusesItsProperties) {
  WrapperRegistry registry;
  auto* node = new FakeNode;
  OneValueLocal w(registry.wrap(node, make_wrapper));
  Value* height = Name::intern("height");
  EXPECT_EQ(w.value->get_property(height)->to_float(), 10.0f);
  registry.object_deleted(node);
  delete node;
  auto* wrapper = static_cast<HostObjectWrapper*>(w.value);
  EXPECT_TRUE(wrapper->is_deleted());
  EXPECT_EQ(wrapper->object(), nullptr);
  EXPECT_EQ(registry.size(), 0u);
  try {
    w.value->get_property(height);
    ADD_FAILURE() << "read a deleted object";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.message(), "-- Runtime error: Attempted to access deleted scene object");
  }
  EXPECT_THROW(w.value->set_property(height, Integer::intern(1)), RuntimeError);
  std::vector<Value*> names;
  EXPECT_THROW(w.value->get_prop_names(names), RuntimeError);
  EXPECT_EQ(print_form(w.value), "<FakeNode>");  // still a value scripts can print and compare
}

TEST(HostObjects, ARegistryThatGoesFirstLeavesItsWrappersUsable) {
  FakeNode a;
  OneValueLocal w;
  {
    WrapperRegistry registry;
    w.value = registry.wrap(&a, make_wrapper);
  }
  EXPECT_EQ(w.value->get_property(Name::intern("height"))->to_float(), 10.0f);
}

// A value that tells when the collector frees it.
class Watched : public Value {
 public:
  explicit Watched(bool* freed) : freed_(freed) {}
  ~Watched() override { *freed_ = true; }

 private:
  bool* freed_;
};

TEST(HostObjects, RootMarkersKeepWhatTheHostHoldsUntilRemoved) {
  bool freed = false;
  std::vector<Value*> held{new Watched(&freed)};
  auto mark = [](void* context) {
    for (Value* v : *static_cast<std::vector<Value*>*>(context)) gc_mark(v);
  };
  {
    ScopedRootMarker marker(mark, &held);
    gc_collect();
    gc_collect();
    EXPECT_FALSE(freed);
  }
  gc_collect();
  EXPECT_TRUE(freed);
}

}  // namespace
