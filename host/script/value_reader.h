// readValue: one literal value from a stream, read with the script reader.
#pragma once

#include "text_stream.h"

namespace host::script {

// Reads the literal that starts at the stream's position (a number, string,
// name, array, bit array, point, time, true/false/undefined/ok) and leaves
// the stream just past it. Raises an error for text that is no literal.
Value* read_literal(TextStream& s);

}  // namespace host::script
