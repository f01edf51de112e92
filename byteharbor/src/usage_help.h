// Usage help: every utility function answers a first argument #help by
// printing its usage text in the listener's help colour and returning ok.
#pragma once

#include "host/maxscript.h"

// Asks the listener's edit window to show the following text in purple.
void SetHelpTextColour();

// True when the call asks for help: at least one argument, the first #help.
bool asks_for_help(Value** arg_list, int count);

// Sets the help colour, prints the text to the script output, gives ok.
Value* show_usage(const char* text);
