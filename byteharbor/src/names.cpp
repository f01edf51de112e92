#include "names.h"

InternedNames interned;

void intern_names() {
  interned.help = Name::intern("HELP");
  interned.start = Name::intern("START");
  interned.current = Name::intern("CURRENT");
  interned.end = Name::intern("END");
}
