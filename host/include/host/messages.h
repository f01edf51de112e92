// The host's message texts, in one place. Each area of the host keeps its
// texts in its own section; a text that several places raise is defined once.
#pragma once

namespace host::msg {

// ---- Language and evaluator ------------------------------------------------

inline constexpr const char* kReadOnlySystemGlobal = "Cannot assign to a read-only system global";

// ---- Numbers, time and maths -----------------------------------------------

inline constexpr const char* kDivideByZero = "Divide by zero";

// ---- Geometry values and colours -------------------------------------------

// Completed by the class and the index: "Point2 index out of range: 3".
inline constexpr const char* kIndexOutOfRange = " index out of range: ";
inline constexpr const char* kMatrixNotInvertible = "Matrix3 has no inverse: ";
inline constexpr const char* kMatrix3Wants = "matrix3 wants 0, 1 or four rows, got: ";
inline constexpr const char* kEulerOrderRange = "Euler angle order must be 1 to 9, got: ";

// ---- Strings, arrays and bit arrays ----------------------------------------

// Completed by the kind of value: "Array index must be positive number, got: 0".
inline constexpr const char* kIndexMustBePositive = " index must be positive number, got: ";


// ---- Files, streams and processes ------------------------------------------


// ---- Object model, properties and undo -------------------------------------


// ---- Collector, loader and listener ----------------------------------------


}  // namespace host::msg
