// The name table: one Name per case-insensitive text.
#include <cctype>
#include <cstring>
#include <strings.h>
#include <string>
#include <unordered_map>

#include "lower_case.h"
#include "runtime_internal.h"

class NameTable {
 public:
  static Value* intern(const char* text) {
    static auto* table = new std::unordered_map<std::string, Name*>;
    std::string key = host::lower(text ? text : "");
    auto found = table->find(key);
    if (found != table->end()) return found->second;
    auto* n = new Name(save_string(text ? text : ""));
    make_static(n);
    table->emplace(std::move(key), n);
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
