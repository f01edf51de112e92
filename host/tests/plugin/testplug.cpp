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

// A value whose changes are recorded in the undo hold, and script access to
// the host's undo and redo.
int g_held = 0;
class HeldChange : public RestoreObj {
 public:
  HeldChange(int old_value, int new_value) : old_(old_value), new_(new_value) {}
  void Restore(int) override { g_held = old_; }
  void Redo() override { g_held = new_; }

 private:
  int old_, new_;
};
Value* held_get() { return Integer::intern(g_held); }
Value* held_set(Value* v) {
  int n = v->to_int();
  if (theHold.Holding()) theHold.Put(new HeldChange(g_held, n));
  g_held = n;
  return v;
}

Value* tp_undo(Value**, int count) {
  check_arg_count("tpUndo", 0, count);
  return bool_result(theHold.Undo());
}
Primitive tp_undo_pf("tpUndo", tp_undo);

Value* tp_redo(Value**, int count) {
  check_arg_count("tpRedo", 0, count);
  return bool_result(theHold.Redo());
}
Primitive tp_redo_pf("tpRedo", tp_redo);

// tpUndoLabel 1: the label of the newest undo entry.
Value* tp_undo_label(Value** arg_list, int count) {
  check_arg_count("tpUndoLabel", 1, count);
  return new String(theHold.UndoLabel(arg_list[0]->to_int() - 1).c_str());
}
Primitive tp_undo_label_pf("tpUndoLabel", tp_undo_label);

// Names this module interns while it loads, before any script runs: the
// host's own keep the host's spelling, a new one keeps this module's.
Value* g_start_name = Name::intern("START");
Value* g_current_name = Name::intern("Current");
Value* g_module_name = Name::intern("TPMODULENAME");
Value* tp_names(Value**, int count) {
  check_arg_count("tpNames", 0, count);
  auto* a = new Array(3);
  a->append(g_start_name);
  a->append(g_current_name);
  a->append(g_module_name);
  return a;
}
Primitive tp_names_pf("tpNames", tp_names);

Announce second("B");

}  // namespace

MODULE_EXPORT BOOL DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) announce("attach");
  if (reason == DLL_PROCESS_DETACH) announce("detach");
  return TRUE;
}

MODULE_EXPORT void LibInit() {
  define_system_global("tpCounter", counter_get, counter_set);
  define_system_global("tpHeld", held_get, held_set);
  define_struct_global("level", "TestStruct", level_get, level_set);
  announce("LibInit");
}

MODULE_EXPORT const char* LibDescription() { return "Host test plug-in"; }
MODULE_EXPORT ULONG LibVersion() { return 0x0BB80700; }
