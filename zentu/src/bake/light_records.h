// The lights a vertex shading context offers materials: records of the
// scene's lights gathered for one node, and fixed lights placed by the bake
// itself (the default lights and the headlight) with their own descriptor.
#pragma once

#include <memory>

#include "host/lights.h"
#include "host/materials.h"
#include "host/maxscript.h"
#include "host/shading.h"

class VertexShadeContext;

// What a fixed light is made of: an omni light's state (type, colour and
// intensity are read) and where it stands.
struct FixedLightSpec {
  LightState state;
  Matrix3 placement = Matrix3::Identity();
};

// An omni light of a fixed colour at a fixed place, with no scene node.
class FixedLightDesc : public ObjLightDesc {
 public:
  explicit FixedLightDesc(const FixedLightSpec& fixed);

  BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                  float& diffuseCoef) override;
  ExclList* GetExclList() override { return nullptr; }
  int Update(TimeValue t, const RendContext& rc, RenderGlobalContext* rgc, BOOL shadows,
             BOOL shadowGeomChanged) override;
  int UpdateViewDepParams(const Matrix3& worldToCam) override;

 private:
  Color lit_color_;
};

// One light as the shading context lists it. blocked and distance belong to
// the shadow step.
struct LightRecord {
  std::unique_ptr<ObjLightDesc> desc;
  LightObject* light = nullptr;  // none for fixed lights
  int blocked = 0;
  float distance = 0.0f;
  // Where in the instance list the shadow step last found this light
  // blocked (-1: nowhere yet), to ask that instance first next time.
  int last_blocker = -1;
};

// A record of a fixed light.
std::unique_ptr<LightRecord> MakeFixedLightRecord(const FixedLightSpec& fixed);

// A record of the light node (evaluated at time 0, whatever the script's
// time), whose maps join library; null when the light gives no descriptor,
// as such a light could not be shaded with.
std::unique_ptr<LightRecord> MakeSceneLightRecord(INode* node, MtlBaseLib& library);

// An omni fixed light of that colour and intensity at pos.
FixedLightSpec OmniLightAt(const Point3& pos, const Color& color, float intensity);

// Adds to sc the scene's lights that light target (children before their
// parents, from the root's children down), and counts in count every light
// object met, whether it is on, excludes target or not.
void CollectSceneLights(INode* target, VertexShadeContext& sc, MtlBaseLib& library, int& count);

// Adds to library every texture map among light and what it refers to,
// depth first.
void CollectLightMaps(Animatable* light, MtlBaseLib& library);

// Whether a light's include/exclude list, for lists with the flag (an
// NT_AFFECT_ bit) set, leaves node out.
bool ExclusionLeavesOut(LightObject* light, INode* node, ULONG flag);
