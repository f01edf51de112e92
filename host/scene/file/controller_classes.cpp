// Controllers by class id.
#include "controller_classes.h"

#include "../key_controllers.h"
#include "../look_at_controller.h"

namespace scenefile {

ControllerKind controller_kind(SClass_ID super_class, ULONG class_a, ULONG class_b) {
  Class_ID cid(class_a, class_b);
  auto is = [&](SClass_ID s, Class_ID c) { return super_class == s && cid == c; };
  if (is(CTRL_FLOAT_CLASS_ID, Class_ID(HYBRIDINTERP_FLOAT_CLASS_ID, 0))) return ControllerKind::kFloatKeys;
  if (is(CTRL_POSITION_CLASS_ID, Class_ID(HYBRIDINTERP_POSITION_CLASS_ID, 0)) ||
      is(CTRL_POINT3_CLASS_ID, Class_ID(HYBRIDINTERP_POINT3_CLASS_ID, 0)) ||
      is(CTRL_POINT3_CLASS_ID, Class_ID(HYBRIDINTERP_COLOR_CLASS_ID, 0)) ||
      is(CTRL_SCALE_CLASS_ID, Class_ID(HYBRIDINTERP_SCALE_CLASS_ID, 0)))
    return ControllerKind::kPointKeys;
  if (is(CTRL_POSITION_CLASS_ID, IPOS_CONTROL_CLASS_ID) ||
      is(CTRL_ROTATION_CLASS_ID, Class_ID(EULER_CONTROL_CLASS_ID, 0)))
    return ControllerKind::kXYZ;
  if (is(CTRL_MATRIX3_CLASS_ID, Class_ID(PRS_CONTROL_CLASS_ID, 0)))
    return ControllerKind::kPositionRotationScale;
  if (is(CTRL_MATRIX3_CLASS_ID, Class_ID(LOOKAT_CONTROL_CLASS_ID, 0))) return ControllerKind::kLookAt;
  return ControllerKind::kUnknown;
}

ControllerKind controller_kind(Control* c) {
  Class_ID cid = c->ClassID();
  return controller_kind(c->SuperClassID(), cid.PartA(), cid.PartB());
}

std::size_t key_value_size(ControllerKind kind) {
  switch (kind) {
    case ControllerKind::kFloatKeys:
      return 4;
    case ControllerKind::kPointKeys:
      return 12;
    default:
      return 0;
  }
}

ControlPtr new_transform_controller(const ControllerRow& row, INode* owner) {
  switch (controller_kind(row.super_class, row.class_a, row.class_b)) {
    case ControllerKind::kPositionRotationScale:
      return ControlPtr(new host::scene::PRSController(Matrix3::Identity()));
    case ControllerKind::kLookAt:
      return ControlPtr(new host::scene::LookAtController(owner, Matrix3::Identity(), nullptr));
    default:
      return nullptr;
  }
}

}  // namespace scenefile
