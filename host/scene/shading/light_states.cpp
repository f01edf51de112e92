// The standard lights as shading sees them: their state at a time and the
// descriptor of their type.
#include "../light_objects.h"
#include "../scene_internal.h"
#include "host/inode.h"
#include "standard_light_descs.h"

namespace {

int light_state_type(int type) {
  switch (type) {
    case TSPOT_LIGHT:
    case FSPOT_LIGHT:
      return SPOT_LGT;
    case DIR_LIGHT:
    case TDIR_LIGHT:
      return DIRECT_LGT;
    default:
      return OMNI_LGT;
  }
}

// The node that shows light, or null.
INode* node_of(LightObject* light) {
  for (INode* node : Scene::get().nodes())
    if (node->GetObjectRef() == light) return node;
  return nullptr;
}

}  // namespace

// The transform is the one of the node that shows the light (the identity
// for a light no node shows). A target spot aims down its -z axis, which its
// node's LookAt transform turns toward the target.
RefResult StandardLight::EvalLightState(TimeValue t, Interval& valid, LightState* ls) {
  if (ls == nullptr) return REF_FAIL;
  Point3 rgb;
  color_->GetValue(t, &rgb, valid);
  float multiplier = 1.0f;
  intensity_->GetValue(t, &multiplier, valid);
  INode* node = node_of(this);
  ls->type = light_state_type(type_);
  ls->tm = node != nullptr ? node->GetObjectTM(t) : Matrix3::Identity();
  ls->color = Color(rgb);
  ls->intens = multiplier;
  ls->hotsize = state_.hotspot;
  ls->fallsize = state_.falloff;
  ls->useLight = state_.on ? TRUE : FALSE;
  ls->shadow = state_.shadow ? TRUE : FALSE;
  ls->ambientOnly = FALSE;
  ls->affectDiffuse = TRUE;
  ls->affectSpecular = TRUE;
  return REF_SUCCEED;
}

ObjLightDesc* StandardLight::CreateLightDesc(INode* node, BOOL) {
  switch (light_state_type(type_)) {
    case SPOT_LGT:
      return new SpotLightDesc(node);
    case DIRECT_LGT:
      return new DirectLightDesc(node);
    default:
      return new OmniLightDesc(node);
  }
}
