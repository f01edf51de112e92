// A plug-in built only for the tests: it registers one of each kind of
// script-visible thing and reports the order in which the loader constructs,
// starts and destroys it.
#include <cstdio>
#include <stdexcept>

#include <richedit.h>

#include "host/maxscript.h"

namespace {

// Writes straight to standard output: construction and destruction happen
// outside any script, when no listener stream may exist.
void announce(const char* what) {
  std::printf("%s\n", what);
  std::fflush(stdout);
}

struct Announce {
  explicit Announce(const char* n) : name(n) {
    std::printf("construct %s\n", name);
    std::fflush(stdout);
  }
  ~Announce() {
    std::printf("destroy %s\n", name);
    std::fflush(stdout);
  }
  const char* name;
};

Announce first("A");

class TestThingClass : public ValueMetaClass {
 public:
  TestThingClass() : ValueMetaClass("TestThing") {}
  Value* apply(Value** arg_list, int count) override;
};
TestThingClass TestThing_class;

// A value whose destructor shows when the collector frees it.
class TestThing : public Value {
 public:
  explicit TestThing(int n) : id(n) { tag = &TestThing_class; }
  ~TestThing() override { std::printf("TestThing %d collected\n", id); }
  void sprin1(CharStream* s) override { s->printf("<TestThing %d>", id); }
  Value* eof_vf(Value**, int count) override {
    check_arg_count("tpEof", 1, count + 1);
    return &true_value;
  }
  int id;
};

Value* TestThingClass::apply(Value** arg_list, int count) {
  check_arg_count("TestThing", 1, count);
  return new TestThing(arg_list[0]->eval()->to_int());
}

Value* tp_add(Value** arg_list, int count) {
  check_arg_count("tpAdd", 2, count);
  return Integer::intern(arg_list[0]->to_int() + arg_list[1]->to_int());
}
Primitive tp_add_pf("tpAdd", tp_add);

Value* tp_twice(Value** arg_list, int count) {
  check_arg_count("twice", 1, count);
  return Integer::intern(2 * arg_list[0]->to_int());
}
Primitive tp_twice_pf("twice", "TestStruct", tp_twice);

Value* tp_throw(Value**, int) { throw std::runtime_error("bad thing"); }
Primitive tp_throw_pf("tpThrow", tp_throw);

Value* tp_keys(Value** arg_list, int count) {
  Value* size = _get_key_arg_or_default(arg_list, count, Name::intern("size"), Integer::intern(-1));
  return Integer::intern(positional_count(arg_list, count) * 1000 + size->to_int());
}
Primitive tp_keys_pf("tpKeys", tp_keys);

Generic tp_eof_gf("tpEof", &Value::eof_vf);

// Asks the listener for purple text, as help printers do, then prints.
Value* tp_purple(Value**, int) {
  CHARFORMAT cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = RGB(0x66, 0x00, 0xA6);
  SendMessage(the_listener->edit_box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  thread_local_output()->puts("purple text\n");
  return &ok;
}
Primitive tp_purple_pf("tpPurple", tp_purple);

Value* tp_key_state(Value** arg_list, int count) {
  check_arg_count("tpKeyState", 1, count);
  return Integer::intern(GetAsyncKeyState(arg_list[0]->to_int()));
}
Primitive tp_key_state_pf("tpKeyState", tp_key_state);

int g_counter = 0;
Value* counter_get() { return Integer::intern(g_counter); }
Value* counter_set(Value* v) {
  g_counter = v->to_int() * 10;  // the setter decides what is stored
  return &ok;
}

int g_level = 3;
Value* level_get() { return Integer::intern(g_level); }
Value* level_set(Value* v) {
  g_level = v->to_int();
  return v;
}

Announce second("B");

}  // namespace

MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) announce("attach");
  if (reason == DLL_PROCESS_DETACH) announce("detach");
  return TRUE;
}

MODULE_EXPORT void LibInit() {
  define_system_global("tpCounter", counter_get, counter_set);
  define_struct_global("level", "TestStruct", level_get, level_set);
  announce("LibInit");
}

MODULE_EXPORT const char* LibDescription() { return "Host test plug-in"; }
MODULE_EXPORT ULONG LibVersion() { return 0x0BB80700; }
