// The script value base class and the collector's interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CharStream;
class ValueMetaClass;
struct Point3;
struct AColor;
class INode;
class Control;
class Modifier;
class Mtl;
class Texmap;
using TimeValue = int;

// Every script value derives from Value. Values made with `new` belong to
// the collector, which deletes them through collect() once nothing reaches
// them; values defined as static objects are never collected.
class Value {
 public:
  ValueMetaClass* tag;  // the value's class object

  Value();
  // For a leaf value the runtime makes in a slot of its own (leaf_slab.h).
  struct MadeAsLeaf {};
  static constexpr MadeAsLeaf kMadeAsLeaf{};
  explicit Value(MadeAsLeaf) : tag(nullptr), gc_flags(kHeap | kLeaf) {}
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;
  virtual ~Value();

  static void* operator new(std::size_t size);
  static void operator delete(void* memory, std::size_t size);

  // Collector: gc_trace marks every value this one refers to (with gc_mark);
  // collect frees the value.
  virtual void gc_trace() {}
  virtual void collect() { delete this; }
  bool is_collectable() const { return (gc_flags & kHeap) != 0 && (gc_flags & kStatic) == 0; }

  // Class tests and the class queries behind classOf, superClassOf and isKindOf.
  virtual bool is_kind_of(ValueMetaClass* c);
  virtual ValueMetaClass* local_base_class();
  virtual Value* classOf_vf(Value** arg_list, int count);
  virtual Value* superClassOf_vf(Value** arg_list, int count);
  virtual Value* isKindOf_vf(Value** arg_list, int count);

  // Arguments reach functions already evaluated; eval gives the value itself.
  virtual Value* eval() { return this; }
  // Calling the value; plain values raise "Call needs function or class".
  virtual Value* apply(Value** arg_list, int count);

  // Printing: sprin1 is the print form ("abc" with quotes), sprint the plain
  // form used by format (abc without).
  virtual void sprin1(CharStream* s);
  virtual void sprint(CharStream* s) { sprin1(s); }

  // Conversions; each raises the host's conversion error unless overridden.
  virtual int to_int();
  virtual float to_float();
  virtual const char* to_string();
  virtual bool to_bool();
  virtual Point3 to_point3();
  virtual AColor to_acolor();
  virtual TimeValue to_timevalue();
  // Scene values: a deleted one raises the deleted-object error.
  virtual INode* to_node();
  virtual Control* to_controller();
  virtual Modifier* to_modifier();
  virtual Mtl* to_mtl();
  virtual Texmap* to_texmap();

  // Properties (a.b, a.b = v); unknown ones raise "Unknown property". By
  // default they come from the class's property table (host/properties.h).
  virtual Value* get_property(Value* prop);
  virtual Value* set_property(Value* prop, Value* new_value);
  // Appends the names of the properties getPropNames lists, in order.
  virtual void get_prop_names(std::vector<Value*>& names);
  // The controller animating property prop of this value, as a script value
  // (what v.prop.controller gives), or null when it has none.
  virtual Value* get_property_controller(Value* prop) {
    (void)prop;
    return nullptr;
  }

  // Host generic functions. Each takes the arguments after the value and
  // raises NoMethodError unless a class answers it.
  virtual Value* plus_vf(Value** arg_list, int count);
  virtual Value* minus_vf(Value** arg_list, int count);
  virtual Value* times_vf(Value** arg_list, int count);
  virtual Value* div_vf(Value** arg_list, int count);
  virtual Value* pow_vf(Value** arg_list, int count);
  virtual Value* uminus_vf(Value** arg_list, int count);
  virtual Value* eq_vf(Value** arg_list, int count);
  virtual Value* ne_vf(Value** arg_list, int count);
  virtual Value* lt_vf(Value** arg_list, int count);
  virtual Value* gt_vf(Value** arg_list, int count);
  virtual Value* le_vf(Value** arg_list, int count);
  virtual Value* ge_vf(Value** arg_list, int count);
  virtual Value* get_vf(Value** arg_list, int count);  // a[i]
  virtual Value* put_vf(Value** arg_list, int count);  // a[i] = v
  virtual Value* flush_vf(Value** arg_list, int count);
  virtual Value* eof_vf(Value** arg_list, int count);
  virtual Value* seek_vf(Value** arg_list, int count);
  virtual Value* close_vf(Value** arg_list, int count);

  // Host-internal collector state.
  static constexpr std::uint8_t kHeap = 1, kMarked = 2, kStatic = 4, kLeaf = 8;
  std::uint8_t gc_flags = 0;
};

// Marks a value (and through gc_trace what it refers to) as reachable.
void gc_mark(Value* v);
// Keeps a value from the collector for the rest of the run.
Value* make_static(Value* v);
// Runs a full collection now.
void gc_collect();
// Number of values the collector currently owns.
std::size_t gc_heap_count();

// Memory for a value of a class that refers to no other value and frees
// nothing when it dies (Integer, Float): such classes declare
//   static void* operator new(std::size_t size) { return gc_allocate_leaf(size); }
//   static void operator delete(void* p, std::size_t size) { gc_free_leaf(p, size); }
// and the collector keeps them in slabs it sweeps without listing them.
void* gc_allocate_leaf(std::size_t size);
void gc_free_leaf(void* memory, std::size_t size);

// Memory a value holds outside its own object (buffers, blocks, C library
// handles). The collector runs once as many values were made as survived the
// last collection, or once the bytes reported since then exceed what the
// survivors held (at least a few megabytes), so a loop that makes few values
// holding much memory each is still collected in time. A value reports what
// it takes and gives back what it frees, most simply through ExternalBytes.
void gc_add_external_bytes(std::size_t bytes);
void gc_remove_external_bytes(std::size_t bytes);
// Bytes reported by values not yet freed.
std::size_t gc_external_bytes();

// A value's report of its outside memory: set() reports the change to the
// collector, and the destructor gives back what is left.
class ExternalBytes {
 public:
  ExternalBytes() = default;
  ExternalBytes(const ExternalBytes&) = delete;
  ExternalBytes& operator=(const ExternalBytes&) = delete;
  ~ExternalBytes() { set(0); }

  void set(std::size_t bytes) {
    if (bytes > bytes_)
      gc_add_external_bytes(bytes - bytes_);
    else if (bytes < bytes_)
      gc_remove_external_bytes(bytes_ - bytes);
    bytes_ = bytes;
  }
  std::size_t bytes() const { return bytes_; }

 private:
  std::size_t bytes_ = 0;
};

// The global "is this value exactly of class c" test.
inline bool is_exactly(Value* v, ValueMetaClass* c) { return v->tag == c; }
