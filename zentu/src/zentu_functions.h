// Zentu's script functions, defined in the files of their groups and
// registered together in registrations.cpp.
#pragma once

#include "host/maxscript.h"

// Vertex-colour baking and texture sampling.
Value* ApplyVertexColors_cf(Value** arg_list, int count);
Value* EvalTextureColorPoint_cf(Value** arg_list, int count);

// Mesh queries.
Value* ElementFromFace_cf(Value** arg_list, int count);
Value* GetClosestVertex_cf(Value** arg_list, int count);
Value* GetHitDistances_cf(Value** arg_list, int count);

// Advanced lighting and image files.
Value* AdvancedLightingRemove_cf(Value** arg_list, int count);
Value* AdvancedLightingIsActive_cf(Value** arg_list, int count);
Value* AdvancedLightingSetActive_cf(Value** arg_list, int count);
Value* ImageFileIsValid_cf(Value** arg_list, int count);
Value* ImageFileIs8BitGrayscale_cf(Value** arg_list, int count);
Value* ImageFileIsMonochrome_cf(Value** arg_list, int count);

// Scene capabilities.
Value* IsParticleSystem_cf(Value** arg_list, int count);
Value* GetSpaceWarpForce_cf(Value** arg_list, int count);
Value* SpaceWarpSupportsForce_cf(Value** arg_list, int count);
Value* ControllerSupportsKeyableProp_cf(Value** arg_list, int count);
Value* IsControllerKeyablePropOn_cf(Value** arg_list, int count);
Value* SetControllerKeyableProp_cf(Value** arg_list, int count);
Value* ModifierChannelsUsed_cf(Value** arg_list, int count);
Value* ModifierChannelsChanged_cf(Value** arg_list, int count);

// Registry, files and network names.
Value* GetRegistrySetting_cf(Value** arg_list, int count);
Value* SetRegistrySetting_cf(Value** arg_list, int count);
Value* DeleteDirectory_cf(Value** arg_list, int count);
Value* MoveFile_cf(Value** arg_list, int count);
Value* GetUNCPath_cf(Value** arg_list, int count);

// Sound, the Esc key and the active viewport.
Value* PlaySound_cf(Value** arg_list, int count);
Value* StopSound_cf(Value** arg_list, int count);
Value* EscapeHit_cf(Value** arg_list, int count);
Value* IsActiveViewportEnabled_cf(Value** arg_list, int count);

// The globals LibInit defines.
void define_zentu_version();
void define_scanline_render_ex();
