// The property tables of the host's collections, texts and times.
#include "collections.h"
#include "host/time_interval.h"
#include "property_helpers.h"

namespace {

using host::as;

Value* string_count(Value* s) { return Integer::intern(static_cast<int>(as<String>(s)->length())); }

Value* array_count(Value* a) { return Integer::intern(as<Array>(a)->size); }
// a.count = n grows the array with undefined or drops its tail.
void set_array_count(Value* a, Value* n) {
  as<Array>(a)->resize(host::checked_count(n, "Array", host::kMaxArraySize));
}

Value* bits_count(Value* v) { return Integer::intern(as<BitArrayValue>(v)->bits.GetSize()); }
// b.count = n sets how many bits the array holds, keeping those below n.
void set_bits_count(Value* v, Value* n) {
  as<BitArrayValue>(v)->bits.SetSize(host::checked_count(n, "BitArray", host::kMaxBitArraySize));
}
Value* bits_number_set(Value* v) { return Integer::intern(as<BitArrayValue>(v)->bits.NumberSet()); }
Value* bits_is_empty(Value* v) { return bool_result(as<BitArrayValue>(v)->bits.NumberSet() == 0); }

Value* time_ticks(Value* v) { return Integer::intern(as<MSTime>(v)->time); }
Value* time_frame(Value* v) { return new Float(v->to_float()); }
// The fraction of the animation range the time lies at (0 for an empty range).
Value* time_normalized(Value* v) {
  double start = animation_range_start();
  double length = animation_range_end() - start;
  if (length == 0) return new Float(0.0f);
  return new Float(static_cast<float>((as<MSTime>(v)->time - start) / length));
}

Value* interval_start(Value* v) { return new MSTime(as<MSInterval>(v)->start); }
void set_interval_start(Value* v, Value* t) { as<MSInterval>(v)->start = t->to_timevalue(); }
Value* interval_end(Value* v) { return new MSTime(as<MSInterval>(v)->end); }
void set_interval_end(Value* v, Value* t) { as<MSInterval>(v)->end = t->to_timevalue(); }

}  // namespace

namespace host {

const PropertyTable string_properties{{"count", "integer", string_count}};

const PropertyTable array_properties{{"count", "integer", array_count, set_array_count}};

const PropertyTable bitarray_properties{
    {"count", "integer", bits_count, set_bits_count},
    {"numberSet", "integer", bits_number_set},
    {"isEmpty", "boolean", bits_is_empty},
};

const PropertyTable time_properties{
    {"ticks", "integer", time_ticks},
    {"frame", "float", time_frame},
    {"normalized", "float", time_normalized},
};

const PropertyTable interval_properties{
    {"start", "time", interval_start, set_interval_start},
    {"end", "time", interval_end, set_interval_end},
};

}  // namespace host
