// The property tables of the host's own value classes.
#include "runtime_internal.h"

namespace {

template <typename T>
T* as(Value* v) {
  return static_cast<T*>(v);
}

Value* string_count(Value* s) { return Integer::intern(static_cast<int>(as<String>(s)->length())); }

Value* array_count(Value* a) { return Integer::intern(as<Array>(a)->size); }

template <int Axis>
Value* point_axis(Value* v) {
  return new Float(as<Point3Value>(v)->p[Axis]);
}
template <int Axis>
void set_point_axis(Value* v, Value* n) {
  as<Point3Value>(v)->p[Axis] = n->to_float();
}

// Colours keep channels 0..1; scripts see them 0..255.
template <float AColor::*Channel>
Value* color_channel(Value* v) {
  return new Float(as<ColorValue>(v)->color.*Channel * 255.0f);
}
template <float AColor::*Channel>
void set_color_channel(Value* v, Value* n) {
  as<ColorValue>(v)->color.*Channel = n->to_float() / 255.0f;
}

Value* bits_count(Value* v) { return Integer::intern(as<BitArrayValue>(v)->bits.GetSize()); }
Value* bits_number_set(Value* v) { return Integer::intern(as<BitArrayValue>(v)->bits.NumberSet()); }

Value* time_frame(Value* v) { return new Float(v->to_float()); }
Value* time_ticks(Value* v) { return Integer::intern(as<MSTime>(v)->time); }

}  // namespace

namespace host {

const PropertyTable string_properties{{"count", "integer", string_count}};

const PropertyTable array_properties{{"count", "integer", array_count}};

const PropertyTable point3_properties{
    {"x", "float", point_axis<0>, set_point_axis<0>},
    {"y", "float", point_axis<1>, set_point_axis<1>},
    {"z", "float", point_axis<2>, set_point_axis<2>},
};

const PropertyTable color_properties{
    {"r", "float", color_channel<&AColor::r>, set_color_channel<&AColor::r>},
    {"g", "float", color_channel<&AColor::g>, set_color_channel<&AColor::g>},
    {"b", "float", color_channel<&AColor::b>, set_color_channel<&AColor::b>},
    {"a", "float", color_channel<&AColor::a>, set_color_channel<&AColor::a>},
    {"red", "float", color_channel<&AColor::r>, set_color_channel<&AColor::r>, true},
    {"green", "float", color_channel<&AColor::g>, set_color_channel<&AColor::g>, true},
    {"blue", "float", color_channel<&AColor::b>, set_color_channel<&AColor::b>, true},
    {"alpha", "float", color_channel<&AColor::a>, set_color_channel<&AColor::a>, true},
};

const PropertyTable bitarray_properties{
    {"count", "integer", bits_count},
    {"numberSet", "integer", bits_number_set},
};

const PropertyTable time_properties{
    {"frame", "float", time_frame},
    {"ticks", "integer", time_ticks},
};

}  // namespace host
