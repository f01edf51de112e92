// Objects, modifiers and materials by class id.
#include "object_classes.h"

#include <memory>

#include "../light_objects.h"
#include "../material_objects.h"
#include "../particle_objects.h"
#include "../space_warp_objects.h"
#include "../standard_modifiers.h"
#include "host/core_interface.h"
#include "host/simple_objects.h"
#include "host/triobject.h"

namespace scenefile {
namespace {

Class_ID class_of(const ObjectRow& row) { return Class_ID(row.class_a, row.class_b); }

bool is_light_class(ULONG a) {
  return a == OMNI_LIGHT_CLASS_ID || a == SPOT_LIGHT_CLASS_ID || a == DIR_LIGHT_CLASS_ID ||
         a == FSPOT_LIGHT_CLASS_ID || a == TDIR_LIGHT_CLASS_ID;
}

}  // namespace

ObjectKind object_kind(const ObjectRow& row) {
  Class_ID cid = class_of(row);
  switch (row.super_class) {
    case GEN_DERIVOB_CLASS_ID:
      return cid == Class_ID(DERIVOB_CLASS_ID, 0) ? ObjectKind::kStack : ObjectKind::kUnknown;
    case GEOMOBJECT_CLASS_ID:
      // Files from before meshes had the editable mesh's class id keep the plain one.
      if (cid == Class_ID(EDITTRIOBJ_CLASS_ID, 0) || cid == triObjectClassID) return ObjectKind::kMesh;
      if (cid == Class_ID(TARGET_CLASS_ID, 0)) return ObjectKind::kTarget;
      if (cid == Class_ID(BOXOBJ_CLASS_ID, 0) || cid == Class_ID(SPHERE_CLASS_ID, 0) ||
          cid == Class_ID(CYLINDER_CLASS_ID, 0) || cid == PLANE_CLASS_ID || cid == TEAPOT_CLASS_ID ||
          cid == SPRAY_CLASS_ID)
        return ObjectKind::kParams;
      return ObjectKind::kUnknown;
    case WSM_OBJECT_CLASS_ID:
      return cid == GRAVITY_CLASS_ID || cid == SPACE_RIPPLE_CLASS_ID ? ObjectKind::kParams
                                                                     : ObjectKind::kUnknown;
    case LIGHT_CLASS_ID:
      return row.class_b == 0 && is_light_class(row.class_a) ? ObjectKind::kLight : ObjectKind::kUnknown;
    case CAMERA_CLASS_ID:
      return cid == Class_ID(SIMPLE_CAM_CLASS_ID, 0) ? ObjectKind::kCamera : ObjectKind::kUnknown;
    default:
      return ObjectKind::kUnknown;
  }
}

Object* new_object(const ObjectRow& row) {
  Class_ID cid = class_of(row);
  switch (object_kind(row)) {
    case ObjectKind::kParams:
      if (cid == Class_ID(BOXOBJ_CLASS_ID, 0)) return new BoxObject;
      if (cid == Class_ID(SPHERE_CLASS_ID, 0)) return new SphereObject;
      if (cid == Class_ID(CYLINDER_CLASS_ID, 0)) return new CylinderObject;
      if (cid == PLANE_CLASS_ID) return new PlaneObject;
      if (cid == TEAPOT_CLASS_ID) return new TeapotObject;
      return static_cast<Object*>(GetCOREInterface()->CreateInstance(row.super_class, cid));
    case ObjectKind::kMesh:
      return CreateNewTriObject();
    case ObjectKind::kLight:
    case ObjectKind::kCamera:
      return static_cast<Object*>(GetCOREInterface()->CreateInstance(row.super_class, cid));
    default:
      return nullptr;
  }
}

bool is_warp_binding(ULONG class_a, ULONG class_b) {
  Class_ID cid(class_a, class_b);
  return cid == GRAVITY_BINDING_CLASS_ID || cid == RIPPLE_BINDING_CLASS_ID;
}

Modifier* new_modifier(ULONG class_a, ULONG class_b, INode* warp_node) {
  Class_ID cid(class_a, class_b);
  if (cid == GRAVITY_BINDING_CLASS_ID) return new GravityBinding(warp_node);
  if (cid == RIPPLE_BINDING_CLASS_ID) return new RippleBinding(warp_node);
  std::unique_ptr<Modifier> made;
  if (cid == Class_ID(0x00000010, 0x0000b3e1))
    made = std::make_unique<BendModifier>();
  else if (cid == Class_ID(0x000f72b1, 0))
    made = std::make_unique<UVWMapModifier>();
  else if (cid == Class_ID(0x7fbc5c1d, 0x3a1b4c67))
    made = std::make_unique<VolSelectModifier>();
  // The modifiers' own class ids decide; the numbers above only pick one.
  if (made != nullptr && made->ClassID() != cid) return nullptr;
  return made.release();
}

MaterialKind material_kind(const MaterialRow& row) {
  if (row.super_class == MATERIAL_CLASS_ID) {
    if (row.class_a == DMTL_CLASS_ID) return MaterialKind::kStandard;
    if (row.class_a == MULTI_CLASS_ID) return MaterialKind::kMulti;
  } else if (row.super_class == TEXMAP_CLASS_ID) {
    if (row.class_a == CHECKER_CLASS_ID || row.class_a == NOISE_CLASS_ID) return MaterialKind::kTwoColor;
    if (row.class_a == BMTEX_CLASS_ID) return MaterialKind::kBitmap;
  }
  return MaterialKind::kUnknown;
}

MtlBase* new_material(const MaterialRow& row) {
  switch (material_kind(row)) {
    case MaterialKind::kStandard:
      return new StandardMtl;
    case MaterialKind::kMulti:
      return new MultiMaterial(0);
    case MaterialKind::kTwoColor:
      return new TwoColorMap(row.class_a);
    case MaterialKind::kBitmap:
      return new BitmapMap;
    default:
      return nullptr;
  }
}

}  // namespace scenefile
