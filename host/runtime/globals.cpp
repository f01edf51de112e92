// The global table, its thunks, system globals and struct globals.
#include <dlfcn.h>

#include <algorithm>
#include <typeinfo>
#include <unordered_map>

#include "runtime_internal.h"
#include "struct_global.h"

namespace host {

namespace {
std::unordered_map<Value*, GlobalCell*>& cells() {
  static auto* table = new std::unordered_map<Value*, GlobalCell*>;
  return *table;
}

void set_thunk(GlobalCell* cell, GlobalThunk* thunk) {
  make_static(thunk);  // the table keeps its thunks; a cell never dangles
  cell->thunk = thunk;
}
}  // namespace

GlobalCell* global_cell(Value* name) {
  auto& table = cells();
  auto found = table.find(name);
  if (found != table.end()) return found->second;
  auto* cell = new GlobalCell{name, nullptr};
  table.emplace(name, cell);
  return cell;
}

Value* assign_global(GlobalCell* cell, Value* v) {
  if (cell->thunk != nullptr) return cell->thunk->assign_vf(&v, 1);
  set_thunk(cell, new GlobalThunk(cell->name, v));
  return v;
}

void define_global_value(const char* name, Value* v) {
  GlobalCell* cell = global_cell(Name::intern(name));
  if (cell->thunk != nullptr && typeid(*cell->thunk) == typeid(GlobalThunk))
    cell->thunk->cell = v;
  else
    set_thunk(cell, new GlobalThunk(cell->name, v));
}

void undefine_global_value(const char* name, Value* v) {
  GlobalCell* cell = global_cell(Name::intern(name));
  if (cell->thunk != nullptr && cell->thunk->cell == v) cell->thunk = nullptr;
}

namespace {
const void* object_base_of(const void* code) {
  Dl_info info;
  return code != nullptr && dladdr(code, &info) != 0 ? info.dli_fbase : nullptr;
}
template <typename Fn>
bool lies_in(Fn fn, const void* base) {
  return fn != nullptr && object_base_of(reinterpret_cast<const void*>(fn)) == base;
}
}  // namespace

// A module's own static functions unregister themselves; what it defined
// through define_system_global and define_struct_global points at its code
// and must not outlive it.
int forget_module_globals(const void* module_base) {
  int forgotten = 0;
  for (auto& [name, cell] : cells()) {
    GlobalThunk* thunk = cell->thunk;
    if (thunk == nullptr) continue;
    if (auto* system = dynamic_cast<SystemGlobalThunk*>(thunk)) {
      if (lies_in(system->getter, module_base) || lies_in(system->setter, module_base)) {
        cell->thunk = nullptr;
        ++forgotten;
      }
    } else if (runtime_shutting_down() && object_base_of(thunk->cell) == module_base) {
      // A static value of the module (a class object) undefines its global
      // when destroyed, except at exit: then the global goes here, before
      // it points into an unloaded module.
      cell->thunk = nullptr;
      ++forgotten;
    } else if (auto* s = dynamic_cast<StructGlobal*>(thunk->cell)) {
      forgotten += s->remove_if([&](const StructGlobal::Member& m) {
        auto* p = dynamic_cast<Primitive*>(m.fn);
        return lies_in(m.getter, module_base) || lies_in(m.setter, module_base) ||
               (p != nullptr && lies_in(p->fn_ptr, module_base));
      });
    } else if (auto* p = dynamic_cast<Primitive*>(thunk->cell)) {
      if (lies_in(p->fn_ptr, module_base)) {
        cell->thunk = nullptr;
        ++forgotten;
      }
    }
  }
  return forgotten;
}

std::vector<std::string> global_names() {
  std::vector<std::string> names;
  for (auto& [name, cell] : cells())
    if (cell->thunk != nullptr) names.emplace_back(name->to_string());
  std::sort(names.begin(), names.end());
  return names;
}

void release_global_values() {
  for (auto& [name, cell] : cells()) {
    GlobalThunk* thunk = cell->thunk;
    if (thunk != nullptr && typeid(*thunk) == typeid(GlobalThunk) && thunk->cell != nullptr &&
        thunk->cell->is_collectable())
      thunk->cell = &undefined;
  }
}

void gc_mark_globals() {
  for (auto& [name, cell] : cells())
    if (cell->thunk != nullptr) {
      cell->thunk->gc_flags &= ~Value::kMarked;
      gc_mark(cell->thunk);
    }
}

StructGlobal* struct_global(const char* struct_name) {
  GlobalCell* cell = global_cell(Name::intern(struct_name));
  if (cell->thunk != nullptr)
    if (auto* existing = dynamic_cast<StructGlobal*>(cell->thunk->eval())) return existing;
  auto* s = new StructGlobal(save_string(struct_name));
  make_static(s);
  define_global_value(struct_name, s);
  return s;
}

StructGlobal::StructGlobal(const char* struct_name) : name_(struct_name) { tag = &Struct_class; }

StructGlobal::Member* StructGlobal::find(Value* member) {
  for (Member& m : members_)
    if (m.name == member) return &m;
  return nullptr;
}

void StructGlobal::add_function(Value* member, Value* fn) {
  if (Member* m = find(member))
    *m = {member, fn, nullptr, nullptr};
  else
    members_.push_back({member, fn, nullptr, nullptr});
}

void StructGlobal::add_property(Value* member, getter_cf getter, setter_cf setter) {
  if (Member* m = find(member))
    *m = {member, nullptr, getter, setter};
  else
    members_.push_back({member, nullptr, getter, setter});
}

void StructGlobal::remove_member(Value* member, Value* fn) {
  std::erase_if(members_, [&](const Member& m) { return m.name == member && m.fn == fn; });
}

Value* StructGlobal::get_property(Value* prop) {
  Member* m = find(prop);
  if (m == nullptr) return Value::get_property(prop);
  return m->fn != nullptr ? m->fn : m->getter();
}

Value* StructGlobal::set_property(Value* prop, Value* v) {
  Member* m = find(prop);
  if (m == nullptr || m->setter == nullptr) return Value::set_property(prop, v);
  return m->setter(v);
}

void StructGlobal::get_prop_names(std::vector<Value*>& names) {
  for (Member& m : members_) names.push_back(m.name);
}

void StructGlobal::sprin1(CharStream* s) { s->printf("#Struct:%s", name_); }

void StructGlobal::gc_trace() {
  for (Member& m : members_) gc_mark(m.fn);
}

}  // namespace host

namespace {
std::vector<Value*>& persistent_names() {
  static auto* names = new std::vector<Value*>;  // names are static values
  return *names;
}
}  // namespace

void mark_persistent_global(Value* name) {
  if (!is_persistent_global(name)) persistent_names().push_back(name);
  host::GlobalCell* cell = host::global_cell(name);
  if (cell->thunk == nullptr) host::assign_global(cell, &undefined);
}

std::vector<Value*> persistent_global_names() { return persistent_names(); }

bool is_persistent_global(Value* name) {
  const auto& names = persistent_names();
  return std::find(names.begin(), names.end(), name) != names.end();
}

Value* get_global_value(Value* name) { return host::read_global(host::global_cell(name)); }

void set_global_value(Value* name, Value* v) { host::assign_global(host::global_cell(name), v); }

void forget_persistent_globals() {
  for (Value* name : persistent_names()) {
    host::GlobalCell* cell = host::global_cell(name);
    // Only plain globals: a system global of the same name is the host's.
    if (cell->thunk != nullptr && typeid(*cell->thunk) == typeid(GlobalThunk)) cell->thunk = nullptr;
  }
  persistent_names().clear();
}

GlobalThunk::GlobalThunk(Value* global_name, Value* init) : name(global_name), cell(init) {}

Value* GlobalThunk::assign_vf(Value** arg_list, int count) {
  check_arg_count("assign", 1, count);
  cell = arg_list[0];
  return cell;
}

void GlobalThunk::gc_trace() { gc_mark(cell); }

SystemGlobalThunk::SystemGlobalThunk(Value* global_name, getter_cf get, setter_cf set)
    : GlobalThunk(global_name, nullptr), getter(get), setter(set) {}

Value* SystemGlobalThunk::assign_vf(Value** arg_list, int count) {
  check_arg_count("assign", 1, count);
  return setter(arg_list[0]);
}

Value* GlobalTable::get(Value* name) {
  host::GlobalCell* cell = host::global_cell(name);
  return cell->thunk;
}

static GlobalTable the_global_table;
GlobalTable* globals = &the_global_table;

void define_system_global(const char* name, getter_cf getter, setter_cf setter) {
  host::GlobalCell* cell = host::global_cell(Name::intern(name));
  auto* thunk = new SystemGlobalThunk(cell->name, getter, setter);
  make_static(thunk);
  cell->thunk = thunk;
}

void define_struct_global(const char* name, const char* struct_name, getter_cf getter, setter_cf setter) {
  host::struct_global(struct_name)->add_property(Name::intern(name), getter, setter);
}
