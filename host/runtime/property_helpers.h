// Getters and setters that several property tables share.
#pragma once

#include "runtime_internal.h"

namespace host {

template <typename T>
T* as(Value* v) {
  return static_cast<T*>(v);
}

// Component I of the member Field of a V, read and written as a float: the
// axes of a point, the terms of a quat, the angles of an eulerAngles.
template <typename V, auto Field, int I>
Value* get_float_component(Value* self) {
  return new Float((as<V>(self)->*Field)[I]);
}
template <typename V, auto Field, int I>
void set_float_component(Value* self, Value* v) {
  (as<V>(self)->*Field)[I] = v->to_float();
}
template <typename V, auto Field, int I>
constexpr PropertyDef float_component(const char* name) {
  return {name, "float", get_float_component<V, Field, I>, set_float_component<V, Field, I>};
}

}  // namespace host
