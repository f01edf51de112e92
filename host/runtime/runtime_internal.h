// Runtime internals shared by the runtime, the interpreter and the listener.
// Plug-ins never include this header.
#pragma once

#include <string>
#include <vector>

#include "host/maxscript.h"
#include "host/messages.h"
#include "host/shortcuts.h"

namespace host {

// One named slot of the global table. The cell outlives any thunk in it, so
// compiled code can hold on to the cell.
struct GlobalCell {
  Value* name = nullptr;
  GlobalThunk* thunk = nullptr;  // null while the global is undefined
};

// The cell for a name, created (empty) on first request.
GlobalCell* global_cell(Value* name);
// Reads a global: undefined when it was never defined.
inline Value* read_global(GlobalCell* cell) { return cell->thunk ? cell->thunk->eval() : &undefined; }
// Assigns a global as a script does, defining it when needed.
Value* assign_global(GlobalCell* cell, Value* v);
// Defines (or replaces) a global as a constant of the host or a module.
void define_global_value(const char* name, Value* v);
// Removes a global if it still holds v (used when a module unloads).
void undefine_global_value(const char* name, Value* v);
// Undefines every system global, struct property and global function whose
// code lies in the loaded object at module_base (a module about to unload).
int forget_module_globals(const void* module_base);
// Every defined global name, for the listener's completion.
std::vector<std::string> global_names();

// Shortcut tables offered by plug-ins' class descriptors, and the callback
// of each active one.
// False when a table of that id is known already (the first one stays).
bool register_shortcut_table(ShortcutTable* table);
void unregister_shortcut_table(ActionTableId id);
ShortcutTable* find_shortcut_table(ActionTableId id);
ShortcutCallback* active_shortcut_callback(ActionTableId id);
bool activate_shortcut_table(ShortcutCallback* callback, ActionTableId id);
bool deactivate_shortcut_table(ShortcutCallback* callback, ActionTableId id);
// Fires a command as a pressed key would: false unless the table is active
// and holds the command, else the answer of the table's callback.
bool fire_shortcut(ActionTableId id, int command_id);
// The tables active now, by id.
std::vector<ShortcutTable*> active_shortcut_tables();

// Wipes the progress bar's terminal line before other text goes to the
// terminal; the bar's next update draws it again.
void clear_progress_line();

// The collector.
void gc_mark_globals();
// Runs the root markers host code registered (host/host_objects.h).
void gc_mark_host_roots();
// At the end of a run: globals let go of the values about to be freed.
void release_global_values();
// Collects when enough has been allocated since the last collection.
void gc_safe_point();
// Deletes every collected value at the end of a run, before modules unload.
void gc_shutdown();
bool runtime_shutting_down();
std::size_t gc_collections();

// Exception text of the innermost catch running on this thread.
void push_current_exception(const std::string& text);
void pop_current_exception();
const std::string* current_exception();

// Printing a value that refers to others: inside a value that is already
// being printed on this thread, or nested too deeply, repeated() is true and
// the value prints only its repeat mark ("#(...)" for arrays).
class PrintNesting {
 public:
  explicit PrintNesting(const Value* v);
  ~PrintNesting();
  PrintNesting(const PrintNesting&) = delete;
  PrintNesting& operator=(const PrintNesting&) = delete;
  bool repeated() const { return repeated_; }

 private:
  bool repeated_;
};

// Float and number formatting shared by the printers.
std::string format_float(float f);
std::string format_component(float f);

// `v as target` for the geometry classes; null when neither side is one.
Value* convert_geometry(Value* v, ValueMetaClass* target);
// The property tables of the host's own classes.
extern const PropertyTable string_properties;
extern const PropertyTable array_properties;
extern const PropertyTable point3_properties;
extern const PropertyTable color_properties;
extern const PropertyTable bitarray_properties;
extern const PropertyTable time_properties;
extern const PropertyTable interval_properties;
extern const PropertyTable point2_properties;
extern const PropertyTable point4_properties;
extern const PropertyTable matrix3_properties;
extern const PropertyTable quat_properties;
extern const PropertyTable euler_angles_properties;
extern const PropertyTable angle_axis_properties;

// The struct global of the given name, created on first request.
class StructGlobal;
StructGlobal* struct_global(const char* struct_name);

}  // namespace host
