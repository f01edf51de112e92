// A stand-in for another module of the family that loads before ByteHarbor
// and so creates the module help registry. It registers one module with a
// help text, then ByteHarbor must join this registry.
#include "help_registry.h"
#include "host/maxscript.h"
#include "names.h"

MODULE_EXPORT void LibInit() {
  intern_names();
  RegisterModule("QVXTFamilyProbe.dlx 0.9", "HELPFamilyProbe.dlx 0.9 HELP\nA module that loads first.\n");
}

MODULE_EXPORT const char* LibDescription() { return "Family probe for the module help registry"; }

MODULE_EXPORT ULONG LibVersion() { return 0x0BB80700; }
