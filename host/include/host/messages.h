// The host's message texts, in one place. Each area of the host keeps its
// texts in its own section; a text that several places raise is defined once.
#pragma once

namespace host::msg {

// ---- Language and evaluator ------------------------------------------------

// Script text the reader refuses.
inline constexpr const char* kNulCharacter = "NUL character";
inline constexpr const char* kStringWithoutNul = "a string without NUL characters";
// Script files: each is completed by the path.
inline constexpr const char* kCannotOpenScript = "Cannot open script file: ";
inline constexpr const char* kFileInCannotOpen = "fileIn: cannot open file: ";
inline constexpr const char* kFileInSyntaxError = "fileIn: syntax error in ";
// Structs: "Attempting to access private member: "c" in: #Struct:S(...)".
inline constexpr const char* kPrivateMember = "Attempting to access private member: ";
inline constexpr const char* kUnknownStructMember = "Unknown struct member: ";
// max <command words>, completed by the words.
inline constexpr const char* kUnknownMaxCommand = "Unknown max command: ";

// ---- Numbers, time and maths -----------------------------------------------


// ---- Geometry values and colours -------------------------------------------


// ---- Strings, arrays and bit arrays ----------------------------------------

// Completed by the kind of value: "Array index must be positive number, got: 0".
inline constexpr const char* kIndexMustBePositive = " index must be positive number, got: ";


// ---- Files, streams and processes ------------------------------------------


// ---- Object model, properties and undo -------------------------------------


// ---- Collector, loader and listener ----------------------------------------


}  // namespace host::msg
