// The classes a scene file can hold, and new objects of them by class id:
// what loading builds from the objects, modifiers and materials tables.
#pragma once

#include "host/animatable.h"
#include "host/materials.h"
#include "host/modifiers.h"
#include "scene_data.h"

namespace scenefile {

// kParams: an object whose settings are all in its ParamList (primitives,
// the teapot, particle systems, space warps).
enum class ObjectKind { kUnknown, kParams, kMesh, kLight, kCamera, kTarget, kStack };
ObjectKind object_kind(const ObjectRow& row);
// A new object of the row's class with its defaults (not for stacks,
// targets or unknown classes: null).
Object* new_object(const ObjectRow& row);
// A new modifier of that class, or null for a class the file does not know;
// a space-warp binding binds to warp_node (null: a binding that does nothing).
Modifier* new_modifier(ULONG class_a, ULONG class_b, INode* warp_node = nullptr);
// Whether modifiers of that class bind to a warp node.
bool is_warp_binding(ULONG class_a, ULONG class_b);

enum class MaterialKind { kUnknown, kStandard, kMulti, kTwoColor, kBitmap };
MaterialKind material_kind(const MaterialRow& row);
// A new material or map of the row's class, or null for an unknown one.
MtlBase* new_material(const MaterialRow& row);

}  // namespace scenefile
