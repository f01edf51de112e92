// The module's script functions, registered when it loads in this order and
// released with it.
#include "zentu_functions.h"

namespace {

Primitive GetUNCPath_pf("GetUNCPath", GetUNCPath_cf);
Primitive ApplyVertexColors_pf("ApplyVertexColors", ApplyVertexColors_cf);
Primitive IsParticleSystem_pf("IsParticleSystem", IsParticleSystem_cf);
Primitive GetSpaceWarpForce_pf("GetSpaceWarpForce", GetSpaceWarpForce_cf);
Primitive ElementFromFace_pf("ElementFromFace", ElementFromFace_cf);
Primitive GetClosestVertex_pf("GetClosestVertex", GetClosestVertex_cf);
Primitive SpaceWarpSupportsForce_pf("SpaceWarpSupportsForce", SpaceWarpSupportsForce_cf);
Primitive EvalTextureColorPoint_pf("EvalTextureColorPoint", EvalTextureColorPoint_cf);
Primitive EscapeHit_pf("EscapeHit", EscapeHit_cf);
Primitive GetHitDistances_pf("GetHitDistances", GetHitDistances_cf);
Primitive GetRegistrySetting_pf("GetRegistrySetting", GetRegistrySetting_cf);
Primitive SetRegistrySetting_pf("SetRegistrySetting", SetRegistrySetting_cf);
Primitive DeleteDirectory_pf("DeleteDirectory", DeleteDirectory_cf);
Primitive MoveFile_pf("MoveFile", MoveFile_cf);
Primitive IsActiveViewportEnabled_pf("IsActiveViewportEnabled", IsActiveViewportEnabled_cf);
Primitive PlaySound_pf("PlaySound", PlaySound_cf);
Primitive StopSound_pf("StopSound", StopSound_cf);
Primitive ControllerSupportsKeyableProp_pf("ControllerSupportsKeyableProp", ControllerSupportsKeyableProp_cf);
Primitive IsControllerKeyablePropOn_pf("IsControllerKeyablePropOn", IsControllerKeyablePropOn_cf);
Primitive SetControllerKeyableProp_pf("SetControllerKeyableProp", SetControllerKeyableProp_cf);
Primitive AdvancedLightingRemove_pf("Remove", "IAdvancedLighting", AdvancedLightingRemove_cf);
Primitive AdvancedLightingIsActive_pf("IsActive", "IAdvancedLighting", AdvancedLightingIsActive_cf);
Primitive AdvancedLightingSetActive_pf("SetActive", "IAdvancedLighting", AdvancedLightingSetActive_cf);
Primitive ImageFileIsValid_pf("IsValid", "ImageFileInfo", ImageFileIsValid_cf);
Primitive ImageFileIs8BitGrayscale_pf("Is8BitGrayscale", "ImageFileInfo", ImageFileIs8BitGrayscale_cf);
Primitive ImageFileIsMonochrome_pf("IsMonochrome", "ImageFileInfo", ImageFileIsMonochrome_cf);
Primitive ModifierChannelsUsed_pf("ModifierChannelsUsed", ModifierChannelsUsed_cf);
Primitive ModifierChannelsChanged_pf("ModifierChannelsChanged", ModifierChannelsChanged_cf);

}  // namespace
