// The module's script functions, registered when it loads in this order and
// released with it. The groups still to come (registry and files, sound and
// keyboard, mesh queries, texture sampling, vertex-colour baking, advanced
// lighting and image files) take their places in this order when they land.
#include "zentu_functions.h"

namespace {

// GetUNCPath, ApplyVertexColors come first.
Primitive IsParticleSystem_pf("IsParticleSystem", IsParticleSystem_cf);
Primitive GetSpaceWarpForce_pf("GetSpaceWarpForce", GetSpaceWarpForce_cf);
// ElementFromFace, GetClosestVertex.
Primitive SpaceWarpSupportsForce_pf("SpaceWarpSupportsForce", SpaceWarpSupportsForce_cf);
// EvalTextureColorPoint, EscapeHit, GetHitDistances, GetRegistrySetting,
// SetRegistrySetting, DeleteDirectory, MoveFile, IsActiveViewportEnabled,
// PlaySound, StopSound.
Primitive ControllerSupportsKeyableProp_pf("ControllerSupportsKeyableProp", ControllerSupportsKeyableProp_cf);
Primitive IsControllerKeyablePropOn_pf("IsControllerKeyablePropOn", IsControllerKeyablePropOn_cf);
Primitive SetControllerKeyableProp_pf("SetControllerKeyableProp", SetControllerKeyableProp_cf);
// IAdvancedLighting.Remove, .IsActive, .SetActive; ImageFileInfo.IsValid,
// .Is8BitGrayscale, .IsMonochrome.
Primitive ModifierChannelsUsed_pf("ModifierChannelsUsed", ModifierChannelsUsed_cf);
Primitive ModifierChannelsChanged_pf("ModifierChannelsChanged", ModifierChannelsChanged_cf);

}  // namespace
