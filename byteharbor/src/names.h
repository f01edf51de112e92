// The symbolic names ByteHarbor compares script arguments with. They are
// interned once when the module initialises and compared by identity.
#pragma once

#include "host/maxscript.h"

struct InternedNames {
  Value* help = nullptr;     // #help
  Value* start = nullptr;    // #start, seek origin 0
  Value* current = nullptr;  // #current, seek origin 1
  Value* end = nullptr;      // #end, seek origin 2
};
extern InternedNames interned;

void intern_names();
