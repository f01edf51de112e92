// The objects the host makes by class id for plug-ins (Interface::CreateInstance).
#include "host/simple_objects.h"
#include "light_objects.h"
#include "material_objects.h"
#include "particle_objects.h"
#include "scene_internal.h"
#include "space_warp_objects.h"

void* Scene::CreateInstance(SClass_ID superID, Class_ID classID) {
  if (superID == GEOMOBJECT_CLASS_ID && classID == SPRAY_CLASS_ID) return new SprayObject;
  if (superID == WSM_OBJECT_CLASS_ID && classID == GRAVITY_CLASS_ID) return new GravityObject;
  if (superID == WSM_OBJECT_CLASS_ID && classID == SPACE_RIPPLE_CLASS_ID) return new SpaceRippleObject;
  if (superID == GEOMOBJECT_CLASS_ID && classID == TEAPOT_CLASS_ID) return new TeapotObject;
  if (classID.PartB() != 0) return nullptr;
  if (superID == LIGHT_CLASS_ID) {
    switch (classID.PartA()) {
      case OMNI_LIGHT_CLASS_ID:
        return new StandardLight(OMNI_LIGHT);
      case SPOT_LIGHT_CLASS_ID:
        return new StandardLight(TSPOT_LIGHT);
      case DIR_LIGHT_CLASS_ID:
        return new StandardLight(DIR_LIGHT);
      case FSPOT_LIGHT_CLASS_ID:
        return new StandardLight(FSPOT_LIGHT);
      case TDIR_LIGHT_CLASS_ID:
        return new StandardLight(TDIR_LIGHT);
      default:
        return nullptr;
    }
  }
  if (superID == CAMERA_CLASS_ID && classID.PartA() == SIMPLE_CAM_CLASS_ID) return new StandardCamera;
  if (superID == GEOMOBJECT_CLASS_ID && classID.PartA() == TARGET_CLASS_ID) return new TargetObject(0);
  if (superID == MATERIAL_CLASS_ID && classID.PartA() == DMTL_CLASS_ID) return new StandardMtl;
  if (superID == MATERIAL_CLASS_ID && classID.PartA() == MULTI_CLASS_ID) return new MultiMaterial;
  if (superID == TEXMAP_CLASS_ID && classID.PartA() == CHECKER_CLASS_ID)
    return new TwoColorMap(CHECKER_CLASS_ID);
  if (superID == TEXMAP_CLASS_ID && classID.PartA() == NOISE_CLASS_ID) return new TwoColorMap(NOISE_CLASS_ID);
  if (superID == TEXMAP_CLASS_ID && classID.PartA() == BMTEX_CLASS_ID) return new BitmapMap;
  return nullptr;
}
