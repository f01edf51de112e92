// Limits and helpers shared by arrays, bit arrays and the functions on them.
#pragma once

#include "host/messages.h"
#include "runtime_internal.h"

namespace host {

// The most elements an array (512 MB of slots) and the most bits a bit array
// may hold. An index or count past this is refused before memory is asked for.
inline constexpr int kMaxArraySize = 1 << 26;
inline constexpr int kMaxBitArraySize = 1 << 26;
// How deep comparing or copying follows arrays inside arrays.
inline constexpr int kMaxNesting = 1000;

// A 1-based index, or a count, that a script gave, checked to lie in
// 1..limit (0..limit); kind ("Array", "BitArray") names it in errors.
int checked_index(Value* v, const char* kind, int limit);
int checked_count(Value* v, const char* kind, int limit);

// The 1-based indexes of the set bits, as a new array.
Array* set_bits_as_array(const BitArray& bits);

// == as findItem, makeUniqueArray and appendIfUnique see it: strings and
// points by content, arrays element by element (also when they hold themselves).
bool values_equal(Value* a, Value* b);

}  // namespace host
