// Reads script text into an evaluable program.
#pragma once

#include <memory>
#include <string>

#include "ast.h"

namespace host::script {

struct ParseResult {
  std::unique_ptr<Program> program;  // null on error
  std::string error;                  // the listener lines of a syntax error
  bool incomplete = false;            // the text ended in the middle of an expression
};

ParseResult parse(const std::string& source);

}  // namespace host::script
