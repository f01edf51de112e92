// Listener lines of the script exceptions.
#include <string>

#include "host/messages.h"
#include "runtime_internal.h"

namespace msg = host::msg;

std::string print_form(Value* v) {
  StringCharStream s;
  v->sprin1(&s);
  return s.text();
}

ArgCountError::ArgCountError(const char* fn_name, int wanted, int got)
    : MAXScriptException(msg::kArgCountErrorPrefix + std::string(fn_name) + " wanted " +
                         std::to_string(wanted) + ", got " + std::to_string(got)) {}

static std::string type_error_text(const char* reason, Value* value, ValueMetaClass* target) {
  std::string text = msg::kTypeErrorPrefix;
  text += reason;
  if (target != nullptr) {
    text += " requires ";
    text += target->name;
  }
  return text + ", got: " + print_form(value);
}

TypeError::TypeError(const char* reason, Value* value, ValueMetaClass* target)
    : MAXScriptException(type_error_text(reason, value, target)) {}

RuntimeError::RuntimeError(const char* text)
    : MAXScriptException(msg::kRuntimeErrorPrefix + std::string(text)) {}
RuntimeError::RuntimeError(const char* text, Value* value)
    : MAXScriptException(msg::kRuntimeErrorPrefix + std::string(text) + print_form(value)) {}
RuntimeError::RuntimeError(const char* text1, const char* text2)
    : MAXScriptException(msg::kRuntimeErrorPrefix + std::string(text1) + text2) {}

ConversionError::ConversionError(Value* value, const char* type_name)
    : MAXScriptException(msg::kConversionErrorPrefix + print_form(value) + " to type: " + type_name) {}

NoMethodError::NoMethodError(const char* fn_name, Value* value)
    : MAXScriptException(msg::kNoMethodPrefix + std::string(fn_name) + msg::kNoMethodFor +
                         print_form(value)) {}

static std::string property_text(Value* prop) {
  StringCharStream s;
  prop->sprint(&s);
  return s.text();
}

AccessorError::AccessorError(Value* target, Value* prop)
    : MAXScriptException(msg::kUnknownPropertyPrefix + std::string("\"") + property_text(prop) + "\" in " +
                         print_form(target)) {}

SyntaxError::SyntaxError(const std::string& found, const std::string& expected,
                         const std::string& source_line, int line)
    : MAXScriptException(msg::kSyntaxErrorPrefix + found + ", expected " + expected +
                         "\n--  In line: " + source_line),
      line_number(line) {}

UserThrow::UserThrow(const std::string& text) : MAXScriptException(msg::kRuntimeErrorPrefix + text) {}

namespace host {

namespace {
thread_local std::vector<std::string> t_exceptions;
}

void push_current_exception(const std::string& text) { t_exceptions.push_back(text); }
void pop_current_exception() { t_exceptions.pop_back(); }
const std::string* current_exception() { return t_exceptions.empty() ? nullptr : &t_exceptions.back(); }

}  // namespace host
