// Script exceptions. Each formats its listener line when it is made, so it
// holds no values that the collector could free while it is in flight.
#pragma once

#include <string>

class Value;
class ValueMetaClass;

class MAXScriptException {
 public:
  virtual ~MAXScriptException() = default;
  // The whole listener line, e.g. "-- Runtime error: Bit index out of range."
  const std::string& message() const { return text_; }

 protected:
  explicit MAXScriptException(std::string text) : text_(std::move(text)) {}

 private:
  std::string text_;
};

// "-- Argument count error: setbit wanted 2, got 1"
class ArgCountError : public MAXScriptException {
 public:
  ArgCountError(const char* fn_name, int wanted, int got);
};

// "-- Type error: Call needs function or class, got: 5"
// "-- Type error: GetRegistrySetting requires Name, got: "abc""
class TypeError : public MAXScriptException {
 public:
  TypeError(const char* reason, Value* value, ValueMetaClass* target_class = nullptr);
};

// "-- Runtime error: <text>", "<text><printed value>" or "<text1><text2>"
class RuntimeError : public MAXScriptException {
 public:
  explicit RuntimeError(const char* text);
  RuntimeError(const char* text, Value* value);
  RuntimeError(const char* text1, const char* text2);
};

// "-- Unable to convert: "abc" to type: Integer"
class ConversionError : public MAXScriptException {
 public:
  ConversionError(Value* value, const char* type_name);
};

// "-- No ""tell"" function for 5": give the bare name; the error quotes it.
class NoMethodError : public MAXScriptException {
 public:
  NoMethodError(const char* fn_name, Value* value);
};

// "-- Unknown property: "foo" in 5"
class AccessorError : public MAXScriptException {
 public:
  AccessorError(Value* target, Value* prop);
};

// Raised by the script reader: "-- Syntax error: at <found>, expected <what>"
// with the source line as a second line.
class SyntaxError : public MAXScriptException {
 public:
  SyntaxError(const std::string& found, const std::string& expected, const std::string& source_line,
              int line_number);
  int line_number;
};

// A script's own throw.
class UserThrow : public MAXScriptException {
 public:
  explicit UserThrow(const std::string& text);
};

// Printed form of a value, as print shows it.
std::string print_form(Value* v);
