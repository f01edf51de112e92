// What scene objects can do that the script language does not show:
// particle systems, space warps' force fields, controllers' keyable
// property and the data channels a modifier uses or changes.
#include "host/control.h"
#include "host/modifiers.h"
#include "host/particles.h"
#include "host/space_warps.h"

#include "conventions.h"
#include "keyable_prop_restore.h"
#include "messages.h"
#include "names.h"
#include "zentu_functions.h"

namespace {

// A force field the caller owns: freed however the call ends.
struct ForceFieldOwner {
  ForceField* field;
  ~ForceFieldOwner() {
    if (field != nullptr) field->DeleteThis();
  }
};

IKeyableProperty* keyable_of(Control* c) {
  return static_cast<IKeyableProperty*>(c->GetInterface(I_KEYABLE_PROPERTY));
}

Value* channel_names(DWORD mask) {
  int room = 0;
  for (DWORD bit = 1; bit <= 8; bit <<= 1) room += (mask & bit) != 0 ? 1 : 0;
  auto* names = new Array(room);
  for (int i = 0; i < 13; ++i)
    if ((mask & kChannelBits[i]) != 0) names->append(zentu_names.channels[i]);
  return names;
}

}  // namespace

Value* IsParticleSystem_cf(Value** arg_list, int count) {
  zentu_require_args("IsParticleSystem", 1, count);
  INode* node = zentu_node_arg(arg_list[0], "IsParticleSystem");
  return bool_result(node->GetObjectRef()->GetInterface(I_PARTICLEOBJ) != nullptr);
}

Value* SpaceWarpSupportsForce_cf(Value** arg_list, int count) {
  check_arg_count("SpaceWarpSupportsForce", 1, count);
  INode* node = zentu_node_arg(arg_list[0], "SpaceWarpSupportsForce");
  Object* object = node->GetObjectRef();
  if (object->SuperClassID() != WSM_OBJECT_CLASS_ID) return &false_value;
  ForceFieldOwner field{static_cast<WSMObject*>(object)->GetForceField(node)};
  return bool_result(field.field != nullptr);
}

Value* GetSpaceWarpForce_cf(Value** arg_list, int count) {
  check_arg_count("GetSpaceWarpForce", 2, count);
  INode* node = zentu_node_arg(arg_list[0], "GetSpaceWarpForce");
  Object* object = node->GetObjectRef();
  if (object->SuperClassID() != WSM_OBJECT_CLASS_ID) throw RuntimeError(zentu::msg::kRequiresSpacewarp);
  ForceFieldOwner field{static_cast<WSMObject*>(object)->GetForceField(node)};
  if (field.field == nullptr) throw RuntimeError(zentu::msg::kNoForceField);
  Point3 pos = arg_list[1]->to_point3();
  Point3 force = field.field->Force(zentu_script_time(), pos, Point3(0, 0, 0), 0);
  return new Point3Value(force);
}

Value* ControllerSupportsKeyableProp_cf(Value** arg_list, int count) {
  check_arg_count("ControllerSupportsKeyableProp", 1, count);
  return bool_result(keyable_of(arg_list[0]->to_controller()) != nullptr);
}

Value* IsControllerKeyablePropOn_cf(Value** arg_list, int count) {
  check_arg_count("IsControllerKeyablePropOn", 1, count);
  IKeyableProperty* keyable = keyable_of(arg_list[0]->to_controller());
  if (keyable == nullptr) throw RuntimeError(zentu::msg::kNoKeyableProp, arg_list[0]);
  return bool_result((*keyable->GetFlagWord() & KEYABLE_PROP_NOT_KEYABLE) == 0);
}

Value* SetControllerKeyableProp_cf(Value** arg_list, int count) {
  check_arg_count("SetControllerKeyableProp", 2, count);
  Control* controller = arg_list[0]->to_controller();
  bool on = arg_list[1]->to_bool();
  IKeyableProperty* keyable = keyable_of(controller);
  if (keyable == nullptr) throw RuntimeError(zentu::msg::kNoKeyableProp, arg_list[0]);
  if (theHold.Holding() && !controller->TestAFlag(A_HELD)) {
    controller->SetAFlag(A_HELD);
    theHold.Put(new KeyablePropRestore(controller, keyable));
  }
  ApplyKeyableFlag(controller, !on);
  return &ok;
}

Value* ModifierChannelsUsed_cf(Value** arg_list, int count) {
  check_arg_count("ModifierChannelsUsed", 1, count);
  return channel_names(arg_list[0]->to_modifier()->ChannelsUsed());
}

Value* ModifierChannelsChanged_cf(Value** arg_list, int count) {
  check_arg_count("ModifierChannelsChanged", 1, count);
  return channel_names(arg_list[0]->to_modifier()->ChannelsChanged());
}
