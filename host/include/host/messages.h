// The host's message texts, in one place. Each area of the host keeps its
// texts in its own section; a text that several places raise is defined once.
#pragma once

namespace host::msg {

// ---- Language and evaluator ------------------------------------------------


// ---- Numbers, time and maths -----------------------------------------------


// ---- Geometry values and colours -------------------------------------------


// ---- Strings, arrays and bit arrays ----------------------------------------

// Completed by the kind of value: "Array index must be positive number, got: 0".
inline constexpr const char* kIndexMustBePositive = " index must be positive number, got: ";


// ---- Files, streams and processes ------------------------------------------


// ---- Object model, properties and undo -------------------------------------


// ---- Collector, loader and listener ----------------------------------------


}  // namespace host::msg
