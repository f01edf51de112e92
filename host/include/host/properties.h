// Script-visible properties (a.b, a.b = v) declared as one table per class.
//
// A class lists its properties once, with the functions that read and write
// them, and hands the table to its class object:
//
//   Value* get_radius(Value* self) { return new Float(static_cast<Ball*>(self)->radius); }
//   void set_radius(Value* self, Value* v) { static_cast<Ball*>(self)->radius = v->to_float(); }
//   PropertyTable ball_properties{{"radius", "float", get_radius, set_radius}};
//   ValueMetaClass Ball_class("Ball", nullptr, nullptr, &ball_properties);
//
// Value::get_property and set_property then answer from the table (and from
// the tables of the superclasses); getPropNames, hasProperty, isProperty,
// getProperty, setProperty and showProperties list and use the same entries.
// Names are interned when the table is made, so a lookup compares pointers.
#pragma once

#include <initializer_list>
#include <vector>

#include "host/value.h"

using property_getter = Value* (*)(Value* self);
using property_setter = void (*)(Value* self, Value* new_value);

struct PropertyDef {
  const char* name;       // the spelling getPropNames and showProperties give
  const char* type_name;  // what showProperties prints after the name: "float"
  property_getter get;
  property_setter set = nullptr;  // none: the property is read-only
  bool alias = false;             // another name of a listed property: usable, not listed
};

class PropertyTable {
 public:
  struct Entry {
    Value* name;  // interned
    const char* type_name;
    property_getter get;
    property_setter set;
    bool alias;
  };

  PropertyTable(std::initializer_list<PropertyDef> defs);
  PropertyTable(const PropertyTable&) = delete;
  PropertyTable& operator=(const PropertyTable&) = delete;

  // The entry of an interned name, or null.
  const Entry* find(Value* name) const {
    for (const Entry& e : entries_)
      if (e.name == name) return &e;
    return nullptr;
  }
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

// The entry for prop in the tables of class c and its superclasses, or null.
const PropertyTable::Entry* find_property(ValueMetaClass* c, Value* prop);

// A value that stands for one property of another value: reading it reads
// owner.property, setting it sets owner.property. A property may answer with
// one (or a subclass) when what it returns must act on its owner later, as a
// controller acts on the node it animates. The owner stays alive as long as
// the reference does.
class PropertyRef : public Value {
 public:
  PropertyRef(Value* owner, Value* property);
  Value* owner() const { return owner_; }
  Value* property() const { return property_; }
  Value* get() { return owner_->get_property(property_); }
  void set(Value* v) { owner_->set_property(property_, v); }
  void gc_trace() override { gc_mark(owner_); }

 private:
  Value* owner_;
  Value* property_;  // an interned name: never collected
};
