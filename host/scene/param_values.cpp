// Named parameters of scene objects and modifiers as script properties.
#include <algorithm>
#include <cmath>

#include "host/param_list.h"
#include "host/values.h"
#include "node_values.h"

namespace {

// Frames as ticks, kept on the time line.
TimeValue to_ticks(float frames) {
  double ticks = std::round(static_cast<double>(frames) * GetTicksPerFrame());
  return static_cast<TimeValue>(std::clamp(ticks, -2147483647.0, 2147483647.0));
}

}  // namespace

Value* param_value(Animatable* object, Value* prop) {
  ParamList* params = object != nullptr ? object->GetParamList() : nullptr;
  int i = params != nullptr ? params->FindParam(prop->to_string()) : -1;
  if (i < 0) return nullptr;
  if (params->GetParamDef(i).is_switch) return bool_result(params->GetInt(i) != 0);
  if (params->GetParamDef(i).is_time) return MSTime::intern(to_ticks(params->GetFloat(i)));
  if (params->GetParamDef(i).is_int) return Integer::intern(params->GetInt(i));
  return new Float(params->GetFloat(i));
}

float to_param_number(const SimpleParamDef& def, Value* v) {
  if (def.is_switch) return v->to_bool() ? 1.0f : 0.0f;
  if (def.is_time) return static_cast<float>(v->to_timevalue()) / static_cast<float>(GetTicksPerFrame());
  return def.is_int ? static_cast<float>(v->to_int()) : v->to_float();
}

bool set_param_value(Animatable* object, Value* prop, Value* v) {
  ParamList* params = object != nullptr ? object->GetParamList() : nullptr;
  int i = params != nullptr ? params->FindParam(prop->to_string()) : -1;
  if (i < 0) return false;
  params->SetValue(i, to_param_number(params->GetParamDef(i), v));
  return true;
}

void add_param_names(Animatable* object, std::vector<Value*>& names) {
  ParamList* params = object != nullptr ? object->GetParamList() : nullptr;
  if (params == nullptr) return;
  for (int i = 0; i < params->NumParams(); ++i) names.push_back(Name::intern(params->GetParamDef(i).name));
}
