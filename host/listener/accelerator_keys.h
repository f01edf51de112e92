// The accelerator keys of shortcut tables at the interactive prompt.
#pragma once

namespace host::listener {

// Binds in readline the chord of each accelerator of the tables active now
// (see terminal_chords.h), so that pressing it at the prompt fires the
// table's command as actionMan.executeAction does. Called before each prompt,
// as tables become active and inactive while plug-ins start and stop; a
// chord no active table holds any more does what readline did with it before.
void bind_accelerator_keys();

}  // namespace host::listener
