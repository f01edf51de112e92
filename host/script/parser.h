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

// Reads the whole text; a syntax error anywhere gives no program.
ParseResult parse(const std::string& source);

// Reads a script one top-level expression at a time, so a file runs up to a
// syntax error, as MAXScript runs it.
class ScriptReader {
 public:
  explicit ScriptReader(const std::string& source);
  ~ScriptReader();
  ScriptReader(const ScriptReader&) = delete;
  ScriptReader& operator=(const ScriptReader&) = delete;
  // The next top-level expression; false at the end of the text or at a
  // syntax error, when error() holds its listener lines.
  bool next(TopLevel& out);
  const std::string& error() const { return error_; }
  bool incomplete() const { return incomplete_; }

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
  std::string error_;
  bool incomplete_ = false;
};

}  // namespace host::script
