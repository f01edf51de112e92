// Zentu's script functions, defined in the files of their groups and
// registered together in registrations.cpp.
#pragma once

#include "host/maxscript.h"

// Scene capabilities.
Value* IsParticleSystem_cf(Value** arg_list, int count);
Value* GetSpaceWarpForce_cf(Value** arg_list, int count);
Value* SpaceWarpSupportsForce_cf(Value** arg_list, int count);
Value* ControllerSupportsKeyableProp_cf(Value** arg_list, int count);
Value* IsControllerKeyablePropOn_cf(Value** arg_list, int count);
Value* SetControllerKeyableProp_cf(Value** arg_list, int count);
Value* ModifierChannelsUsed_cf(Value** arg_list, int count);
Value* ModifierChannelsChanged_cf(Value** arg_list, int count);

// The globals LibInit defines.
void define_zentu_version();
void define_scanline_render_ex();
