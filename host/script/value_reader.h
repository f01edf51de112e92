// readValue: one literal value from a stream, read with the script reader.
#pragma once

#include "text_stream.h"

namespace host::script {

// Reads the literal that starts at the stream's position (a number, string,
// name, array, bit array, point, time, true/false/undefined/ok) and leaves
// the stream just past it. Raises an error for text that is no literal.
// With ignore_escapes, a string's backslashes are kept as they stand.
Value* read_literal(TextStream& s, bool ignore_escapes);

}  // namespace host::script
