// The host's message texts, in one place. Each area of the host keeps its
// texts in its own section; a text that several places raise is defined once.
#pragma once

namespace host::msg {

// ---- Language and evaluator ------------------------------------------------


// ---- Numbers, time and maths -----------------------------------------------

inline constexpr const char* kIntegerDivideByZero = "Integer divide by zero";
inline constexpr const char* kDivideByZero = "Divide by zero";
inline constexpr const char* kReadOnlySystemGlobal = "Cannot assign to a read-only system global";
// Completed by the time in frames: "Time out of range: 1.6e+10f".
inline constexpr const char* kTimeOutOfRange = "Time out of range: ";
inline constexpr const char* kTimeLiteralRange = "a time of at most 2147483647 ticks either side of 0";
inline constexpr const char* kFrameRateRange = "frameRate must be between 1 and 4800, got: ";
// Completed by the bit index: "Bit index out of range: 33".
inline constexpr const char* kBitIndexOutOfRange = "Bit index out of range: ";
inline constexpr const char* kByteIndexOutOfRange = "Byte index out of range: ";
inline constexpr const char* kCharacterCodeOutOfRange = "Character code out of range: ";
inline constexpr const char* kNotAHexNumber = "Not a hexadecimal number: ";

// ---- Geometry values and colours -------------------------------------------


// ---- Strings, arrays and bit arrays ----------------------------------------

// Completed by the kind of value: "Array index must be positive number, got: 0".
inline constexpr const char* kIndexMustBePositive = " index must be positive number, got: ";


// ---- Files, streams and processes ------------------------------------------


// ---- Object model, properties and undo -------------------------------------


// ---- Collector, loader and listener ----------------------------------------


}  // namespace host::msg
