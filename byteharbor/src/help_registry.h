// The script side of the module help registry: the globals qvxModules and
// qvxHelp, defined by the first family module that loads, and the
// registration every family module performs through qvxModules.
#pragma once

// Joins the registry, creating it (with its globals and the load banner)
// when no family module has done so yet. The records are tagged texts:
// "QVXT" + signature and "HELP" + help text.
void RegisterModule(const char* signature_record, const char* help_record);

// True when this module created the registry (and so owns its tables).
bool owns_help_registry();
