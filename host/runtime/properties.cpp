// Property tables and the default property access of every value.
#include "runtime_internal.h"

PropertyTable::PropertyTable(std::initializer_list<PropertyDef> defs) {
  entries_.reserve(defs.size());
  for (const PropertyDef& d : defs)
    entries_.push_back({Name::intern(d.name), d.type_name, d.get, d.set, d.alias});
}

const PropertyTable::Entry* find_property(ValueMetaClass* c, Value* prop) {
  for (; c != nullptr; c = c->superclass)
    if (c->properties != nullptr)
      if (const PropertyTable::Entry* e = c->properties->find(prop)) return e;
  return nullptr;
}

Value* Value::get_property(Value* prop) {
  if (const PropertyTable::Entry* e = find_property(tag, prop)) return e->get(this);
  throw AccessorError(this, prop);
}

Value* Value::set_property(Value* prop, Value* new_value) {
  const PropertyTable::Entry* e = find_property(tag, prop);
  if (e == nullptr || e->set == nullptr) throw AccessorError(this, prop);
  e->set(this, new_value);
  return new_value;
}

// A subclass's entries come first; one that a superclass also lists shows once.
void Value::get_prop_names(std::vector<Value*>& names) {
  for (ValueMetaClass* c = tag; c != nullptr; c = c->superclass) {
    if (c->properties == nullptr) continue;
    for (const PropertyTable::Entry& e : c->properties->entries())
      if (!e.alias && find_property(tag, e.name) == &e) names.push_back(e.name);
  }
}

PropertyRef::PropertyRef(Value* owner, Value* property) : owner_(owner), property_(property) {
  tag = &PropertyRef_class;
}
