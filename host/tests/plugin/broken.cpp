// A test module that lacks LibInit: the loader must report it and go on.
#include "host/maxscript.h"

MODULE_EXPORT const char* LibDescription() { return "Broken test module"; }
MODULE_EXPORT ULONG LibVersion() { return 1; }
