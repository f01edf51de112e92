#include "accelerator_keys.h"

// readline's old "Function" typedef would clash with the host's Function class.
#define _FUNCTION_DEF
#include <readline/readline.h>

#include <optional>
#include <string>
#include <vector>

#include "../runtime/runtime_internal.h"
#include "../script/frame.h"
#include "../script/interpreter.h"
#include "terminal_chords.h"

namespace host::listener {

namespace {

// A chord bound in one keymap, and what the keymap had there before.
struct BoundChord {
  Keymap keymap;
  std::string chord;
  rl_command_func_t* before;
};

std::vector<BoundChord>& bound_chords() {
  static std::vector<BoundChord> bound;
  return bound;
}

std::vector<ACCEL> accelerators_of(ShortcutTable* table) {
  const int count = CopyAcceleratorTableA(table->GetHAccel(), nullptr, 0);
  if (count <= 0) return {};
  std::vector<ACCEL> entries(static_cast<std::size_t>(count));
  entries.resize(static_cast<std::size_t>(CopyAcceleratorTableA(table->GetHAccel(), entries.data(), count)));
  return entries;
}

struct Command {
  ActionTableId table;
  int id;
};

// The first active table (by id) with an entry for the chord, and the
// entry's command: the first such entry, as Windows picks accelerators.
std::optional<Command> command_of(const std::string& chord) {
  for (ShortcutTable* table : active_shortcut_tables())
    for (const ACCEL& entry : accelerators_of(table))
      if (terminal_chord(entry) == chord) return Command{table->GetId(), entry.cmd};
  return std::nullopt;
}

// A key has no caller to hand an error to: it is shown as the listener shows
// an uncaught one.
void show_error() {
  try {
    script::rethrow_as_script_error();
  } catch (const MAXScriptException& e) {
    script::host_line(e.message());
  } catch (...) {
    // Control flow (exit, return) has nowhere to go from a key.
  }
}

int fire_chord(int count, int key) {
  const std::string chord(rl_executing_keyseq, static_cast<std::size_t>(rl_key_sequence_length));
  std::optional<Command> command = command_of(chord);
  if (!command) {
    for (const BoundChord& b : bound_chords())
      if (b.keymap == rl_get_keymap() && b.chord == chord && b.before != nullptr) return b.before(count, key);
    rl_ding();
    return 0;
  }
  // What the command prints takes the prompt's place; the prompt and the
  // line being typed come back below it.
  rl_clear_visible_line();
  try {
    fire_shortcut(command->table, command->id);
  } catch (...) {
    show_error();
  }
  thread_local_output()->flush();
  rl_on_new_line();
  rl_redisplay();
  return 0;
}

void bind_chord(Keymap keymap, const std::string& chord) {
  for (const BoundChord& b : bound_chords())
    if (b.keymap == keymap && b.chord == chord) return;
  int type = ISFUNC;
  rl_command_func_t* before = rl_function_of_keyseq_len(chord.data(), chord.size(), keymap, &type);
  // A prefix of longer sequences (the terminal's own keys) stays theirs.
  if (type == ISKMAP) return;
  if (rl_bind_keyseq_in_map(chord.c_str(), fire_chord, keymap) != 0) return;
  bound_chords().push_back({keymap, chord, type == ISFUNC ? before : nullptr});
}

}  // namespace

void bind_accelerator_keys() {
  const Keymap keymaps[] = {rl_get_keymap_by_name("emacs"), rl_get_keymap_by_name("vi-insert")};
  for (ShortcutTable* table : active_shortcut_tables())
    for (const ACCEL& entry : accelerators_of(table))
      if (std::optional<std::string> chord = terminal_chord(entry))
        for (Keymap keymap : keymaps)
          if (keymap != nullptr) bind_chord(keymap, *chord);
}

}  // namespace host::listener
