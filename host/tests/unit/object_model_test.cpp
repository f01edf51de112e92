// Property tables, property paths that write back through their owners, and
// sub-values that act on their owner.
#include <gtest/gtest.h>

#include <string>

#include "runtime/runtime_internal.h"
#include "script/interpreter.h"

namespace {

// A stand-in for a scene object: its position is read as a copy, as a
// node's is, so changing the copy changes nothing until it is set back.
struct Box {
  Point3 pos{1, 2, 3};
  int sets = 0;  // how often pos was set
  Value* items = nullptr;
};

extern ValueMetaClass TestBox_class;
extern ValueMetaClass TestPosRef_class;

class BoxValue : public Value {
 public:
  explicit BoxValue(Box* b) : box(b) { tag = &TestBox_class; }
  void gc_trace() override { gc_mark(box->items); }
  Box* box;
};

// box.posRef: stands for box.pos; its value property reads and sets it.
class PosRef : public PropertyRef {
 public:
  explicit PosRef(Value* owner) : PropertyRef(owner, Name::intern("pos")) { tag = &TestPosRef_class; }
};

Box* box_of(Value* v) { return static_cast<BoxValue*>(v)->box; }
Value* get_pos(Value* v) { return new Point3Value(box_of(v)->pos); }
void set_pos(Value* v, Value* p) {
  box_of(v)->pos = p->to_point3();
  ++box_of(v)->sets;
}
Value* get_pos_ref(Value* v) { return new PosRef(v); }
Value* get_items(Value* v) { return box_of(v)->items; }
void set_items(Value* v, Value* a) { box_of(v)->items = a; }
Value* get_ref_value(Value* v) { return static_cast<PropertyRef*>(v)->get(); }
void set_ref_value(Value* v, Value* n) { static_cast<PropertyRef*>(v)->set(n); }
Value* get_label(Value*) { return new String("box"); }

PropertyTable box_properties{
    {"pos", "point3", get_pos, set_pos},
    {"posRef", "controller", get_pos_ref},
    {"items", "array", get_items, set_items},
    {"position", "point3", get_pos, set_pos, true},
};
// A subclass adds one property and lists the base class's after its own.
PropertyTable labelled_box_properties{{"label", "string", get_label}};
PropertyTable pos_ref_properties{{"value", "point3", get_ref_value, set_ref_value}};

ValueMetaClass TestBox_class("TestBox", nullptr, nullptr, &box_properties);
ValueMetaClass TestLabelledBox_class("TestLabelledBox", &TestBox_class, nullptr, &labelled_box_properties);
ValueMetaClass TestPosRef_class("TestPosRef", &PropertyRef_class, nullptr, &pos_ref_properties);

// Runs script text with the box as the global testBox; returns its output.
class ObjectModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box = Box{};
    value = new BoxValue(&box);
    host::define_global_value("testBox", value);
  }
  std::string run(const std::string& source) {
    StringCharStream out;
    CharStream* previous = set_thread_local_output(&out);
    host::script::run_source(source, "test", {});
    set_thread_local_output(previous);
    return out.text();
  }
  static inline Box box;  // outlives the test: the global keeps its value until replaced
  Value* value = nullptr;
};

TEST_F(ObjectModelTest, TablesAnswerByInternedNameAndThroughSuperclasses) {
  EXPECT_EQ(find_property(&TestBox_class, Name::intern("POS"))->get, get_pos);
  EXPECT_EQ(find_property(&TestLabelledBox_class, Name::intern("pos"))->get, get_pos);
  EXPECT_EQ(find_property(&TestBox_class, Name::intern("label")), nullptr);
  EXPECT_EQ(find_property(&TestBox_class, new String("pos")), nullptr);  // names only

  BoxValue labelled(&box);
  labelled.tag = &TestLabelledBox_class;
  std::vector<Value*> names;
  labelled.get_prop_names(names);
  ASSERT_EQ(names.size(), 4u);  // the alias "position" is not listed
  EXPECT_STREQ(names[0]->to_string(), "label");
  EXPECT_STREQ(names[1]->to_string(), "pos");
  EXPECT_STREQ(names[3]->to_string(), "items");

  EXPECT_EQ(print_form(labelled.get_property(Name::intern("label"))), "\"box\"");
  EXPECT_THROW(labelled.set_property(Name::intern("label"), &undefined), AccessorError);
  EXPECT_THROW(labelled.get_property(Name::intern("size")), AccessorError);
  labelled.set_property(Name::intern("position"), new Point3Value(7, 8, 9));
  EXPECT_EQ(box.pos, Point3(7, 8, 9));
}

TEST_F(ObjectModelTest, APropertyOfACopiedPropertyIsSetBackIntoItsOwner) {
  EXPECT_EQ(run("testBox.pos.x = 5\nprint testBox.pos"), "[5,2,3]\n");
  EXPECT_EQ(box.sets, 1);
  EXPECT_EQ(run("testBox.pos.y += 10\nprint testBox.pos"), "[5,12,3]\n");
  // A copy taken first is only a copy.
  EXPECT_EQ(run("p = testBox.pos\np.z = 99\nprint testBox.pos"), "[5,12,3]\n");
  EXPECT_EQ(box.sets, 2);
}

TEST_F(ObjectModelTest, ChangesAlongLongerChainsReachTheOwnerOnce) {
  box.items = make_static(new Array(0));
  EXPECT_EQ(run("testBox.items[1] = testBox\n"
                "testBox.items[1].pos.z *= 2\n"
                "print testBox.pos"),
            "[1,2,6]\n");
  EXPECT_EQ(box.sets, 1);
  EXPECT_EQ(run("n = 0\nfn theBox = (n += 1; testBox)\n(theBox()).pos.x -= 1\nprint n\nprint testBox.pos"),
            "1\n[0,2,6]\n");
}

TEST_F(ObjectModelTest, ASubValueThatKnowsItsOwnerReadsAndWritesThroughIt) {
  EXPECT_EQ(run("c = testBox.posRef\nc.value = [4,5,6]\nprint testBox.pos\nprint c.value"),
            "[4,5,6]\n[4,5,6]\n");
  // The reference acts on the box itself; it is not set back (posRef is read-only).
  EXPECT_EQ(run("testBox.posRef.value.x = 40\nprint testBox.pos"), "[40,5,6]\n");
  EXPECT_EQ(run("print (classOf testBox.posRef)\nprint (getPropNames testBox.posRef)"),
            "TestPosRef\n#(#value)\n");

  // The reference keeps its owner alive.
  Box other;
  OneValueLocal ref(new PosRef(new BoxValue(&other)));
  gc_collect();
  EXPECT_EQ(static_cast<PropertyRef*>(ref.value)->get()->to_point3(), Point3(1, 2, 3));
}

TEST_F(ObjectModelTest, ReadOnlyPlacesInAChainStillRaiseTheAccessorError) {
  EXPECT_EQ(run("try (testBox.posRef = 1) catch (print (getCurrentException()))"),
            "\"-- Unknown property: \"posRef\" in <TestBox>\"\n");
}

}  // namespace
