// Helpers for tests that call ByteHarbor's script functions directly.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "host/maxscript.h"
#include "names.h"

namespace test_support {

// Calls fn with the given arguments and gives its result.
inline Value* call(Value* fn, std::initializer_list<Value*> args) {
  std::vector<Value*> list(args);
  return fn->apply(list.data(), static_cast<int>(list.size()));
}

// The global function of that name.
inline Value* global_fn(const char* name) {
  Value* thunk = globals->get(Name::intern(name));
  return thunk != nullptr ? thunk->eval() : nullptr;
}

// The listener line of the exception the call raises, or "" when none.
template <typename F>
std::string raised(F&& body) {
  try {
    body();
  } catch (const MAXScriptException& e) {
    return e.message();
  }
  return "";
}

// Calls one method of a value the way the dispatch does: the arguments after
// the object and their count.
template <typename T, typename M>
Value* invoke(T* object, M method, std::initializer_list<Value*> args = {}) {
  std::vector<Value*> list(args);
  return (object->*method)(list.data(), static_cast<int>(list.size()));
}

inline std::string printed(Value* v) { return print_form(v); }

inline int as_int(Value* v) { return v->to_int(); }

// Interns the module's names once, as LibInit would.
class ModuleNames : public ::testing::Environment {
 public:
  void SetUp() override { intern_names(); }
};

}  // namespace test_support
