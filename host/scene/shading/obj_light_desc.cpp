// The base of scene lights' descriptors: where the light is, and its state
// at the time of the last update.
#include <cmath>

#include "host/inode.h"
#include "host/lights.h"
#include "host/shading.h"

namespace {

LightObject* light_of(INode* node, TimeValue t) {
  if (node == nullptr) return nullptr;
  Object* object = node->EvalWorldState(t).obj;
  if (object == nullptr || object->SuperClassID() != LIGHT_CLASS_ID) return nullptr;
  return static_cast<LightObject*>(object);
}

bool uniform_scale(const Matrix3& m) {
  float x = Length(m.GetRow(0)), y = Length(m.GetRow(1)), z = Length(m.GetRow(2));
  auto near = [](float a, float b) { return std::fabs(a - b) <= 1e-5f * std::fmax(a, b); };
  return near(x, y) && near(y, z);
}

Matrix3 inverse_or_identity(const Matrix3& m) {
  Matrix3 inverse = Matrix3::Identity();
  if (!Inverse(m, &inverse)) return Matrix3::Identity();
  return inverse;
}

}  // namespace

ObjLightDesc::ObjLightDesc(INode* node) : inode(node) {}

ObjLightDesc::~ObjLightDesc() = default;

ExclList* ObjLightDesc::GetExclList() {
  if (inode == nullptr) return nullptr;
  auto* light = dynamic_cast<GenLight*>(inode->GetObjectRef());
  return light != nullptr ? light->GetExclList() : nullptr;
}

int ObjLightDesc::Update(TimeValue t, const RendContext&, RenderGlobalContext*, BOOL, BOOL) {
  if (inode == nullptr) return 1;
  if (LightObject* light = light_of(inode, t)) {
    Interval valid = FOREVER;
    light->EvalLightState(t, valid, &ls);
    affectDiffuse = ls.affectDiffuse;
    affectSpecular = ls.affectSpecular;
    ambientOnly = ls.ambientOnly;
  }
  lightToWorld = inode->GetObjectTM(t);
  worldToLight = inverse_or_identity(lightToWorld);
  uniformScale = uniform_scale(lightToWorld) ? TRUE : FALSE;
  return 1;
}

int ObjLightDesc::UpdateViewDepParams(const Matrix3& worldToCam) {
  lightToCam = lightToWorld * worldToCam;
  camToLight = inverse_or_identity(lightToCam);
  lightPos = lightToCam.GetTrans();
  return 1;
}
