#include "help_registry.h"

#include <memory>

#include "host/maxscript.h"
#include "messages.h"
#include "module_registry.h"
#include "usage_help.h"

namespace {

// Set only in the module that creates the registry; the records of every
// later family module land here.
std::unique_ptr<ModuleRegistry> registry;
Value* help_function = nullptr;

Value* read_modules() {
  OneValueLocal list(new Array(registry->count()));
  for (int i = 0; i < registry->count(); ++i)
    static_cast<Array*>(list.value)->append(new String(registry->signature(i).c_str()));
  return list.value;
}

Value* assign_modules(Value* value) {
  if (is_exactly(value, &String_class)) registry->add_record(value->to_string());
  return &ok;
}

Value* read_help_function() { return help_function; }
Value* keep_help_function(Value*) { return help_function; }

void list_modules(CharStream* out) {
  out->puts(msg::kHelpListHeader);
  for (int i = 0; i < registry->count(); ++i)
    out->printf(msg::kHelpListEntry, i + 1, registry->signature(i).c_str());
  out->puts(msg::kHelpListFooter);
}

Value* qvx_help(Value** arg_list, int count) {
  SetHelpTextColour();
  if (count > 1) throw ArgCountError("qvxHelp", 1, count);
  CharStream* out = thread_local_output();
  if (count == 0) {
    list_modules(out);
    return &ok;
  }
  int index = arg_list[0]->to_int();
  if (index < 1 || index > registry->count()) {
    out->puts(msg::kInvalidIndex);
    return &ok;
  }
  // A module that sent no help text has nothing to show.
  if (const std::string* text = registry->help(index - 1)) out->puts(text->c_str());
  return &ok;
}

Value* create_registry(Value* modules_name) {
  registry = std::make_unique<ModuleRegistry>();
  if (the_listener != nullptr && the_listener->edit_stream != nullptr) {
    the_listener->edit_stream->printf(msg::kBannerLoaded, msg::kMakersName);
    the_listener->edit_stream->printf("%s", msg::kBannerHint);
  }
  define_system_global("qvxModules", read_modules, assign_modules);
  Value* thunk = globals->get(modules_name);
  help_function = make_static(new Primitive("qvxHelp", qvx_help, 0));
  define_system_global("qvxHelp", read_help_function, keep_help_function);
  return thunk;
}

void assign_as_script(Value* thunk, const char* text) {
  OneValueLocal record(new String(text));
  static_cast<GlobalThunk*>(thunk)->assign_vf(&record.value, 1);
}

}  // namespace

void RegisterModule(const char* signature_record, const char* help_record) {
  Value* modules_name = Name::intern("qvxModules");
  Value* thunk = globals->get(modules_name);
  if (thunk == nullptr) thunk = create_registry(modules_name);
  if (thunk == nullptr) throw RuntimeError(msg::kRegistryUnavailable);
  assign_as_script(thunk, signature_record);
  assign_as_script(thunk, help_record);
}

bool owns_help_registry() { return registry != nullptr; }
