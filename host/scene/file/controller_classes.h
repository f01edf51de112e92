// The controllers a scene file can hold, by class id, and the values their
// keys hold: what loading checks and builds from the controllers table.
#pragma once

#include <memory>

#include "host/control.h"
#include "host/inode.h"
#include "scene_data.h"

namespace scenefile {

// kFloatKeys and kPointKeys: key controllers (Bezier_Float; Bezier_Position,
// Bezier_Point3, Bezier_Color, Bezier_Scale); the others are made of parts.
enum class ControllerKind { kUnknown, kFloatKeys, kPointKeys, kXYZ, kPositionRotationScale, kLookAt };
ControllerKind controller_kind(SClass_ID super_class, ULONG class_a, ULONG class_b);
ControllerKind controller_kind(Control* c);

// How many bytes a value of a key controller of that kind takes (0 for the others).
std::size_t key_value_size(ControllerKind kind);

struct ControlFree {
  void operator()(Control* c) const { c->DeleteThis(); }
};
using ControlPtr = std::unique_ptr<Control, ControlFree>;

// A new transform controller of the row's class with its parts, for owner
// (null: one only to check rows against); null for other classes.
ControlPtr new_transform_controller(const ControllerRow& row, INode* owner);

}  // namespace scenefile
