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

// Each is completed by the stream's printed form, e.g. "... <File:a.txt>".
inline constexpr const char* kStreamClosed = "Attempted to access a closed file: ";
inline constexpr const char* kStreamNotReadable = "FileStream not open for reading: ";
inline constexpr const char* kStreamNotWritable = "FileStream not open for writing: ";
inline constexpr const char* kReadPastEnd = "Read past end of file: ";
inline constexpr const char* kWriteFailed = "Error writing to file: ";
// Completed by the offset asked for.
inline constexpr const char* kSeekOutOfRange = "Seek position out of range: ";
// Completed by the text found where readValue wanted a value.
inline constexpr const char* kNotALiteral = "readValue expected a literal value, got: ";
// Completed by the name given.
inline constexpr const char* kUnknownDirName = "Unknown directory name: ";
// Completed by the path given.
inline constexpr const char* kCannotChangeDir = "Cannot change the current directory to: ";

// ---- Object model, properties and undo -------------------------------------

// getPropNames's second argument, when it is neither #staticOnly nor #dynamicOnly.
inline constexpr const char* kBadPropNamesFilter = "getPropNames wants #staticOnly or #dynamicOnly, got: ";
// A script wrapper whose host object was deleted.
inline constexpr const char* kDeletedObject = "Attempted to access deleted scene object";

// ---- Collector, loader and listener ----------------------------------------

}  // namespace host::msg
