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

// getPropNames's second argument, when it is neither #staticOnly nor #dynamicOnly.
inline constexpr const char* kBadPropNamesFilter = "getPropNames wants #staticOnly or #dynamicOnly, got: ";
// A script wrapper whose host object was deleted.
inline constexpr const char* kDeletedObject = "Attempted to access deleted scene object";


// ---- Collector, loader and listener ----------------------------------------


}  // namespace host::msg
