// Arithmetic and comparison between numbers of different classes. The
// result takes the wider of the two classes, in the order Integer,
// Integer64, Float, Double; a time on the right makes the result a time.
#pragma once

#include <cstdint>

#include "host/messages.h"
#include "runtime_internal.h"

namespace host {

enum class NumberKind { None = -1, Integer = 0, Integer64 = 1, Float = 2, Double = 3 };
NumberKind number_kind(Value* v);

enum class ArithOp { Plus, Minus, Times, Div, Pow };
Value* mixed_arith(ArithOp op, Value* a, Value* b);

// -1, 0 or 1; 2 when either is NaN. Raises the conversion error when b is
// neither a number nor a time.
int mixed_compare(Value* a, Value* b);
// a == b for a number a: false for anything that is not a number.
bool mixed_equal(Value* a, Value* b);

// 32- and 64-bit wrapping arithmetic, free of signed overflow.
inline int wrap32(std::int64_t v) { return static_cast<int>(static_cast<std::uint32_t>(v)); }
inline std::int64_t wrap64(std::uint64_t v) { return static_cast<std::int64_t>(v); }

// Floating values to integers: truncated toward zero, saturated at the
// ends of the range, NaN gives 0.
int saturate_to_int(double v);
std::int64_t saturate_to_int64(double v);

// Frames (or a tick count) as a time value; out of the time line's range
// raises "Time out of range".
TimeValue ticks_from_frames(double frames);
TimeValue ticks_from_frames(std::int64_t frames);
TimeValue checked_ticks(std::int64_t ticks);
TimeValue checked_ticks(double ticks);

// Changes the frame rate (frameRate = 25); callers check the range.
void set_frame_rate(int frames_per_second);

// The printed form of a double: 1.5d0, 0.0012d0.
std::string format_double(double d);

}  // namespace host
