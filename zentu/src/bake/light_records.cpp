#include "light_records.h"

#include <unordered_set>

#include "vertex_shade_context.h"

FixedLightDesc::FixedLightDesc(const FixedLightSpec& fixed) : ObjLightDesc(nullptr) {
  ls = fixed.state;
  lightToWorld = fixed.placement;
  Matrix3 inverse = Matrix3::Identity();
  if (Inverse(fixed.placement, &inverse)) worldToLight = inverse;
}

BOOL FixedLightDesc::Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                                float& diffuseCoef) {
  dir = Normalize(lightPos - sc.P());
  color = lit_color_;
  dotNL = diffuseCoef = DotProd(normal, dir);
  return dotNL > 0.0f ? TRUE : FALSE;
}

int FixedLightDesc::Update(TimeValue, const RendContext&, RenderGlobalContext*, BOOL, BOOL) {
  lit_color_ = ls.color * ls.intens;
  return 1;
}

int FixedLightDesc::UpdateViewDepParams(const Matrix3& worldToCam) {
  lightToCam = lightToWorld * worldToCam;
  Matrix3 inverse = Matrix3::Identity();
  if (Inverse(lightToCam, &inverse)) camToLight = inverse;
  lightPos = lightToCam.GetTrans();
  return 1;
}

std::unique_ptr<LightRecord> MakeFixedLightRecord(const FixedLightSpec& fixed) {
  auto record = std::make_unique<LightRecord>();
  record->desc = std::make_unique<FixedLightDesc>(fixed);
  return record;
}

std::unique_ptr<LightRecord> MakeSceneLightRecord(INode* node, MtlBaseLib& library) {
  Object* object = node->EvalWorldState(0, TRUE).obj;
  auto* light = static_cast<LightObject*>(object);
  std::unique_ptr<ObjLightDesc> desc(light->CreateLightDesc(node));
  if (desc == nullptr) return nullptr;
  auto record = std::make_unique<LightRecord>();
  record->desc = std::move(desc);
  record->light = light;
  CollectLightMaps(light, library);
  return record;
}

FixedLightSpec OmniLightAt(const Point3& pos, const Color& color, float intensity) {
  FixedLightSpec fixed;
  fixed.state.type = OMNI_LGT;
  fixed.state.color = color;
  fixed.state.intens = intensity;
  fixed.placement = TransMatrix(pos);
  return fixed;
}

bool ExclusionLeavesOut(LightObject* light, INode* node, ULONG flag) {
  auto* general = dynamic_cast<GenLight*>(light);
  if (general == nullptr) return false;
  ExclList* list = general->GetExclList();
  if (list == nullptr || !list->TestFlag(flag)) return false;
  bool listed = list->FindNode(node) >= 0;
  return general->Include() ? !listed : listed;
}

namespace {

void collect_lights_below(INode* node, INode* target, VertexShadeContext& sc, MtlBaseLib& library, int& count) {
  for (int i = 0; i < node->NumberOfChildren(); ++i)
    collect_lights_below(node->GetChildNode(i), target, sc, library, count);
  Object* object = node->EvalWorldState(0, TRUE).obj;
  if (object == nullptr || object->SuperClassID() != LIGHT_CLASS_ID) return;
  ++count;
  auto* light = static_cast<LightObject*>(object);
  if (!light->GetUseLight()) return;
  if (ExclusionLeavesOut(light, target, NT_AFFECT_ILLUM)) return;
  if (std::unique_ptr<LightRecord> record = MakeSceneLightRecord(node, library)) sc.AddLight(std::move(record));
}

}  // namespace

void CollectSceneLights(INode* target, VertexShadeContext& sc, MtlBaseLib& library, int& count) {
  INode* root = GetCOREInterface()->GetRootNode();
  for (int i = 0; i < root->NumberOfChildren(); ++i)
    collect_lights_below(root->GetChildNode(i), target, sc, library, count);
}

namespace {

// References may run in a circle: each object is visited once.
void collect_maps(Animatable* object, MtlBaseLib& library, std::unordered_set<Animatable*>& visited) {
  if (object == nullptr || !visited.insert(object).second) return;
  if (object->SuperClassID() == TEXMAP_CLASS_ID) library.AddMtl(static_cast<MtlBase*>(object), TRUE);
  for (int i = 0; i < object->NumRefs(); ++i) collect_maps(object->GetReference(i), library, visited);
}

}  // namespace

void CollectLightMaps(Animatable* light, MtlBaseLib& library) {
  std::unordered_set<Animatable*> visited;
  collect_maps(light, library, visited);
}
