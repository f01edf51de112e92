#include "plain_bake.h"

#include <memory>
#include <utility>

#include "mesh_instances.h"
#include "shadow_rays.h"
#include "vertex_shade_context.h"
#include "wire_color_material.h"

namespace {

// For each shadow-casting instance in turn, each light not yet blocked
// and not spared by its list is tried against every triangle.
void test_instance_occlusion(VertexShadeContext& sc, MeshInstance& inst) {
  INode* node = sc.Node();
  if (inst.node == node || !inst.node->CastShadows()) return;
  Point3 p = sc.P();
  for (LightRecord* r : sc.MasterLights()) {
    if (r->light != nullptr) {
      auto* general = dynamic_cast<GenLight*>(r->light);
      ExclList* list = general != nullptr ? general->GetExclList() : nullptr;
      if (list != nullptr && list->TestFlag(NT_AFFECT_SHADOWCAST)) {
        bool listed = list->FindNode(node) >= 0;
        if (general->Include() ? !listed : listed) {
          r->blocked = 0;
          continue;
        }
      }
    }
    if (r->blocked != 0 || r->light == nullptr || r->light->GetShadow() == 0) continue;
    Point3 l = r->desc->LightPosition();
    ShadowRay ray;
    ray.origin = l;
    ray.dir = Normalize(p - l);
    Point3 oc = inst.center - l;
    float b = DotProd(ray.dir, oc);
    if (!(b * b + (inst.radiusSq - DotProd(oc, oc)) >= 0.0f)) continue;
    if (!RayHitsBox(ray, inst.bounds)) continue;
    if (!NearestRayMeshHit(ray, inst)) continue;
    if (Length(ray.hit - l) < r->distance) r->blocked = 1;
  }
}

void apply_shadow_occlusion(VertexShadeContext& sc, MeshInstanceList& list) {
  Point3 p = sc.P();
  for (LightRecord* r : sc.MasterLights()) {
    r->blocked = 0;
    r->distance = Length(r->desc->LightPosition() - p);
  }
  if (sc.Node()->RcvShadows())
    for (auto& inst : list) test_instance_occlusion(sc, *inst);
  std::vector<LightRecord*> active;
  for (LightRecord* r : sc.MasterLights())
    if (r->blocked == 0) active.push_back(r);
  sc.SetActiveLights(std::move(active));
}

struct Plain {
  VertexShadeContext sc;
  MtlBaseLib library;
  MeshInstanceList instances;
  MeshInstance* own = nullptr;
  Mtl* mtl = nullptr;
  std::unique_ptr<WireColorMaterial> wire;
  int mode;
  bool shadows;

  Plain(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps)
      : mode(lighting_mode), shadows(cast_shadows) {
    sc.SetNodeAndTime(node, t);
    CollectMeshInstances(GetCOREInterface()->GetRootNode(), t, instances);
    own = FindMeshInstance(instances, node);
    if (own == nullptr || own->mesh == nullptr) return;
    mtl = node->GetMtl();
    if (mtl == nullptr) {
      wire = std::make_unique<WireColorMaterial>(Color(static_cast<std::uint32_t>(node->GetWireColor())));
      mtl = wire.get();
    }
    sc.SetMesh(own->mesh.get());
    sc.ComputeObjectBox();
    sc.SetDoMaps(use_maps ? TRUE : FALSE);
    sc.SetHeadlightMode(lighting_mode == 0);
    library.AddMtl(mtl, TRUE);
    if (lighting_mode == 1) {
      int count = 0;
      CollectSceneLights(node, sc, library, count);
      if (count == 0) {
        sc.AddLight(MakeFixedLightRecord(OmniLightAt(kDefaultLight1, Color(1, 1, 1), 1.0f)));
        sc.AddLight(MakeFixedLightRecord(OmniLightAt(kDefaultLight2, Color(1, 1, 1), 1.0f)));
      }
      sc.SetAmbientLight(Color(GetCOREInterface()->GetAmbient(t)));
    }
    if (cast_shadows) sc.CopyActiveToMaster();
    sc.RefreshLights();
    Interval valid = FOREVER;
    mtl->Update(t, valid);
  }
  bool ready() const { return own != nullptr && own->mesh != nullptr; }
  Mesh& mesh() { return *own->mesh; }

  void place(int f) {
    sc.SetFaceNumber(f);
    sc.SetMtlNum(mesh().faces[f].getMatID());
    sc.ComputeCornerNormals();
  }
  void view(const Point3& p, const Point3& n, Point3& view_point) {
    view_point = p + n * kViewOffset;
    sc.SetView(view_point);
    sc.SetPoint(p);
    sc.SetViewDir(-n);
  }
  Color shade(const Point3& view_point) {
    if (mode == 0) {
      sc.ClearLights();
      sc.AddLight(MakeFixedLightRecord(OmniLightAt(view_point, kHeadlightColor, 1.0f)));
      sc.RefreshLights();
    } else if (shadows) {
      apply_shadow_occlusion(sc, instances);
    }
    mtl->Shade(sc);
    return sc.out.c;
  }
};

Point3 unit(int k) { return Point3(k == 0 ? 1.0f : 0.0f, k == 1 ? 1.0f : 0.0f, k == 2 ? 1.0f : 0.0f); }

}  // namespace

int PlainMixedColors(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps,
                     VertexColorList& out, int limit) {
  Plain pass(node, t, lighting_mode, cast_shadows, use_maps);
  if (!pass.ready()) return 1;
  out.clear();
  Mesh& mesh = pass.mesh();
  for (int i = 0; i < mesh.getNumVerts() && i != limit; ++i) {
    Color sum;
    int shaded = 0;
    BitArray marks(mesh.getNumFaces());
    Point3 n = AverageVertexNormal(mesh, i, marks);
    Point3 p = mesh.verts[i];
    for (int f = 0; f < mesh.getNumFaces(); ++f) {
      if (!marks[f]) continue;
      Point3 view_point;
      pass.view(p, n, view_point);
      pass.place(f);
      const Face& face = mesh.faces[f];
      DWORD v = static_cast<DWORD>(i);
      pass.sc.SetBary(face.v[0] == v ? unit(0) : (face.v[1] == v ? unit(1) : unit(2)));
      sum += pass.shade(view_point);
      ++shaded;
    }
    if (shaded > 0) sum *= 1.0f / static_cast<float>(shaded);
    sum.ClampMinMax();
    out.push_back(sum);
  }
  return 1;
}

int PlainCornerColors(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps,
                      FaceColorList& out, int limit) {
  Plain pass(node, t, lighting_mode, cast_shadows, use_maps);
  if (!pass.ready()) return 1;
  out.clear();
  Mesh& mesh = pass.mesh();
  for (int f = 0; f < mesh.getNumFaces() && f != limit; ++f) {
    FaceCornerColors colors;
    for (int k = 0; k < 3; ++k) {
      pass.place(f);
      Point3 n = pass.sc.CornerNormal(k);
      Point3 view_point;
      pass.view(std::as_const(mesh).getVert(static_cast<int>(mesh.faces[f].v[k])), n, view_point);
      pass.sc.SetBary(unit(k));
      colors.corner[k] = pass.shade(view_point);
      colors.corner[k].ClampMinMax();
    }
    out.push_back(colors);
  }
  return 1;
}
