// The name table: one Name per case-insensitive text.
#include <strings.h>
#include <cctype>
#include <cstring>
#include <string>
#include <unordered_map>

#include "lower_case.h"
#include "runtime_internal.h"

namespace {

// Names the host interns before anything else can, in the spelling the
// MAXScript reference gives them: a name prints as first interned, so a
// module asking for "START" still prints #start.
// clang-format off
constexpr const char* kPredefinedNames[] = {
    // stream positions
    "start", "end", "current", "seek_set", "seek_cur", "seek_end",
    // keyword arguments and options of the host's functions
    "to", "size", "dontCollect", "staticOnly", "dynamicOnly",
    // properties of the host's values
    "count", "numberSet", "x", "y", "z", "w", "r", "g", "b", "a", "red", "green", "blue", "alpha",
    "frame", "ticks",
    // properties of scene objects
    "name", "pos", "position", "rotation", "scale", "transform", "controller", "value", "parent",
    "children", "wirecolor", "isHidden", "isFrozen", "isSelected",
};
// clang-format on

}  // namespace

class NameTable {
 public:
  static Value* intern(const char* text) {
    static auto* table = predefined();
    return intern_in(*table, text ? text : "");
  }

 private:
  using Table = std::unordered_map<std::string, Name*>;

  static Table* predefined() {
    auto* table = new Table;
    for (const char* text : kPredefinedNames) intern_in(*table, text);
    return table;
  }

  static Name* intern_in(Table& table, const char* text) {
    std::string key = host::lower(text);
    auto found = table.find(key);
    if (found != table.end()) return found->second;
    auto* n = new Name(save_string(text));
    make_static(n);
    table.emplace(std::move(key), n);
    return n;
  }
};

Name::Name(const char* text) : string(text) { tag = &Name_class; }

Value* Name::intern(const char* text) { return NameTable::intern(text); }

static bool needs_quotes(const char* s) {
  if (*s == '\0' || std::isdigit(static_cast<unsigned char>(*s))) return true;
  for (; *s; ++s)
    if (!std::isalnum(static_cast<unsigned char>(*s)) && *s != '_') return true;
  return false;
}

void Name::sprin1(CharStream* s) {
  if (needs_quotes(string))
    s->printf("#'%s'", string);
  else
    s->printf("#%s", string);
}
void Name::sprint(CharStream* s) { s->puts(string); }

Value* Name::lt_vf(Value** a, int) { return bool_result(strcasecmp(string, a[0]->to_string()) < 0); }
Value* Name::gt_vf(Value** a, int) { return bool_result(strcasecmp(string, a[0]->to_string()) > 0); }
