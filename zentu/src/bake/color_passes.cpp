#include "color_passes.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>

#include "mesh_instances.h"
#include "parallel_batches.h"
#include "vertex_shade_context.h"
#include "wire_color_material.h"

namespace {

// Seconds since the last lap.
class Stopwatch {
 public:
  double lap() {
    auto now = std::chrono::steady_clock::now();
    double seconds = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    return seconds;
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// What one pass works with: made in this order, freed in the reverse one
// however the pass ends. Each shading thread has a context of its own, all
// set up alike; everything else is shared and only read while shading.
class PassState {
 public:
  PassState(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps, int contexts,
            PassTimings* timings);
  ~PassState();
  PassState(const PassState&) = delete;
  PassState& operator=(const PassState&) = delete;

  // False when the node has no mesh to colour: nothing else was set up.
  bool has_mesh() const { return own_ != nullptr && own_->mesh != nullptr; }
  Mesh& mesh() { return *own_->mesh; }
  int contexts() const { return static_cast<int>(contexts_.size()); }
  VertexShadeContext& context(int i) { return *contexts_[i]; }

  // The lights at a point the context was just placed at (viewed from
  // view_point), then the material's colour there.
  Color shade(VertexShadeContext& sc, const Point3& view_point);

 private:
  void set_up_lights(VertexShadeContext& sc);
  void build_shadow_searches();

  INode* node_;
  TimeValue t_;
  int lighting_mode_;
  bool cast_shadows_;
  MtlBaseLib library_;
  MeshInstanceList instances_;
  MeshInstance* own_ = nullptr;
  Mtl* mtl_ = nullptr;
  std::unique_ptr<WireColorMaterial> wire_;
  std::vector<std::unique_ptr<VertexShadeContext>> contexts_;
};

PassState::PassState(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps, int contexts,
                     PassTimings* timings)
    : node_(node), t_(t), lighting_mode_(lighting_mode), cast_shadows_(cast_shadows) {
  Stopwatch watch;
  for (int i = 0; i < contexts; ++i) {
    contexts_.push_back(std::make_unique<VertexShadeContext>());
    contexts_.back()->SetNodeAndTime(node, t);
  }
  CollectMeshInstances(GetCOREInterface()->GetRootNode(), t, instances_);
  if (timings != nullptr) timings->snapshot = watch.lap();
  own_ = FindMeshInstance(instances_, node);
  if (!has_mesh()) return;
  mtl_ = node->GetMtl();
  if (mtl_ == nullptr) {
    wire_ = std::make_unique<WireColorMaterial>(Color(static_cast<std::uint32_t>(node->GetWireColor())));
    mtl_ = wire_.get();
  }
  for (auto& sc : contexts_) {
    sc->SetMesh(own_->mesh.get());
    sc->ComputeObjectBox();
    sc->SetDoMaps(use_maps ? TRUE : FALSE);
    sc->SetHeadlightMode(lighting_mode == 0);
  }
  library_.AddMtl(mtl_, TRUE);
  for (auto& sc : contexts_) set_up_lights(*sc);
  Interval valid = FOREVER;
  mtl_->Update(t, valid);
  if (cast_shadows) build_shadow_searches();
  if (timings != nullptr) timings->setup = watch.lap();
}

void PassState::set_up_lights(VertexShadeContext& sc) {
  if (lighting_mode_ == 1) {
    int count = 0;
    CollectSceneLights(node_, sc, library_, count);
    if (count == 0) {
      sc.AddLight(MakeFixedLightRecord(OmniLightAt(kDefaultLight1, Color(1, 1, 1), 1.0f)));
      sc.AddLight(MakeFixedLightRecord(OmniLightAt(kDefaultLight2, Color(1, 1, 1), 1.0f)));
    }
    sc.SetAmbientLight(Color(GetCOREInterface()->GetAmbient(t_)));
  }
  if (cast_shadows_) sc.CopyActiveToMaster();
  sc.RefreshLights();
}

// Only instances that can hide a light from the node need a search, and
// only when some light can be hidden at all.
void PassState::build_shadow_searches() {
  VertexShadeContext& sc = *contexts_.front();
  bool any_scene_light = false;
  float reach = 0.0f;
  auto widen = [&reach](const Point3& p) {
    for (int a = 0; a < 3; ++a)
      if (std::isfinite(p[a])) reach = std::max(reach, std::fabs(p[a]));
  };
  for (LightRecord* record : sc.MasterLights()) {
    any_scene_light = any_scene_light || record->light != nullptr;
    widen(record->desc->LightPosition());
  }
  if (!any_scene_light || !node_->RcvShadows()) return;
  for (const auto& instance : instances_) {
    if (instance->mesh == nullptr || instance->bounds.IsEmpty()) continue;
    widen(instance->bounds.pmin);
    widen(instance->bounds.pmax);
  }
  for (const auto& instance : instances_)
    if (instance.get() != own_ && instance->mesh != nullptr && instance->node->CastShadows())
      instance->BuildShadowBvh(reach);
}

PassState::~PassState() {
  if (cast_shadows_)
    for (auto& sc : contexts_) sc->RestoreActiveFromMaster();
  ReleaseMeshInstances(instances_);
  library_.Empty();
  wire_.reset();
  contexts_.clear();
}

Color PassState::shade(VertexShadeContext& sc, const Point3& view_point) {
  if (lighting_mode_ == 0) {
    sc.ClearLights();
    sc.AddLight(MakeFixedLightRecord(OmniLightAt(view_point, kHeadlightColor, 1.0f)));
    sc.RefreshLights();
  } else if (cast_shadows_) {
    sc.ApplyShadowOcclusion(instances_);
  }
  mtl_->Shade(sc);
  return sc.out.c;
}

Point3 unit_corner(int k) { return Point3(k == 0 ? 1.0f : 0.0f, k == 1 ? 1.0f : 0.0f, k == 2 ? 1.0f : 0.0f); }

void place_on_face(VertexShadeContext& sc, const Mesh& mesh, int face) {
  sc.SetFaceNumber(face);
  sc.SetMtlNum(mesh.faces[face].getMatID());
  sc.ComputeCornerNormals();
}

void view_from_normal(VertexShadeContext& sc, const Point3& p, const Point3& n, Point3& view_point) {
  view_point = p + n * kViewOffset;
  sc.SetView(view_point);
  sc.SetPoint(p);
  sc.SetViewDir(-n);
}

int thread_count(const PassOptions& options) { return options.threads > 0 ? options.threads : DefaultBatchThreads(); }

// Each vertex's corners, face by face in increasing order: what the pass
// would find by scanning every face for every vertex.
struct VertexFaces {
  std::vector<int> start;  // vertex v's entries are faces[start[v] .. start[v + 1])
  std::vector<int> faces;  // a face naming the vertex twice is there twice
  explicit VertexFaces(const Mesh& mesh) : start(static_cast<std::size_t>(mesh.getNumVerts()) + 1, 0) {
    int verts = mesh.getNumVerts();
    for (int f = 0; f < mesh.getNumFaces(); ++f)
      for (DWORD v : mesh.faces[f].v)
        if (v < static_cast<DWORD>(verts)) ++start[v + 1];
    for (int v = 0; v < verts; ++v) start[v + 1] += start[v];
    faces.resize(static_cast<std::size_t>(start[verts]));
    std::vector<int> next(start.begin(), start.end() - 1);
    for (int f = 0; f < mesh.getNumFaces(); ++f)
      for (DWORD v : mesh.faces[f].v)
        if (v < static_cast<DWORD>(verts)) faces[static_cast<std::size_t>(next[v]++)] = f;
  }
};

// Every item shaded, each thread in its own context, timed.
template <typename Result, typename Shade>
int shade_all(PassState& pass, int count, PassProgress* progress, std::vector<Result>& out, PassTimings* timings,
              Shade& shade) {
  Stopwatch watch;
  int finished = RunInBatches(count, pass.contexts(), progress, out,
                              [&](int worker, int item) { return shade(pass.context(worker), item); });
  if (timings != nullptr) timings->shading = watch.lap();
  return finished;
}

}  // namespace

Point3 AverageVertexNormal(Mesh& mesh, int vertex, BitArray& faceMarks) {
  Point3 sum;
  int count = 0;
  for (int f = 0; f < mesh.getNumFaces(); ++f)
    for (int k = 0; k < 3; ++k)
      if (mesh.faces[f].v[k] == static_cast<DWORD>(vertex)) {
        sum = sum + mesh.getFaceNormal(f);
        ++count;
        faceMarks.Set(f);
      }
  if (count == 0) return Point3();
  return Normalize(sum * (1.0f / static_cast<float>(count)));
}

int EvaluateMixedVertexColors(INode* node, TimeValue t, int lightingMode, bool castShadows, bool useMaps,
                              VertexColorList& out, PassProgress* progress, PassOptions options) {
  PassState pass(node, t, lightingMode, castShadows, useMaps, thread_count(options), options.timings);
  if (!pass.has_mesh()) return 1;
  out.clear();
  out.shrink_to_fit();
  Mesh& mesh = pass.mesh();
  VertexFaces lookup(mesh);
  auto shade_vertex = [&](VertexShadeContext& sc, int i) {
    const int* begin = lookup.faces.data() + lookup.start[i];
    const int* end = lookup.faces.data() + lookup.start[i + 1];
    if (begin == end) return Color(0, 0, 0);
    // The same sum, in the same order, as AverageVertexNormal.
    Point3 normal_sum;
    for (const int* f = begin; f != end; ++f) normal_sum = normal_sum + mesh.getFaceNormal(*f);
    Point3 n = Normalize(normal_sum * (1.0f / static_cast<float>(end - begin)));
    const Point3& p = mesh.verts[i];
    Color sum;
    int shaded = 0;
    for (const int* f = begin; f != end; ++f) {
      if (f != begin && *f == f[-1]) continue;  // each face once
      Point3 view_point;
      view_from_normal(sc, p, n, view_point);
      place_on_face(sc, mesh, *f);
      const Face& face = mesh.faces[*f];
      DWORD v = static_cast<DWORD>(i);
      sc.SetBary(face.v[0] == v ? unit_corner(0) : (face.v[1] == v ? unit_corner(1) : unit_corner(2)));
      sum += pass.shade(sc, view_point);
      ++shaded;
    }
    sum *= 1.0f / static_cast<float>(shaded);
    sum.ClampMinMax();
    return sum;
  };
  return shade_all(pass, mesh.getNumVerts(), progress, out, options.timings, shade_vertex);
}

int EvaluateFaceCornerColors(INode* node, TimeValue t, int lightingMode, bool castShadows, bool useMaps,
                             FaceColorList& out, PassProgress* progress, PassOptions options) {
  PassState pass(node, t, lightingMode, castShadows, useMaps, thread_count(options), options.timings);
  if (!pass.has_mesh()) return 1;
  out.clear();
  out.shrink_to_fit();
  Mesh& mesh = pass.mesh();
  auto shade_face = [&](VertexShadeContext& sc, int f) {
    FaceCornerColors colors;
    for (int k = 0; k < 3; ++k) {
      place_on_face(sc, mesh, f);
      Point3 n = sc.CornerNormal(k);
      Point3 view_point;
      view_from_normal(sc, std::as_const(mesh).getVert(static_cast<int>(mesh.faces[f].v[k])), n, view_point);
      sc.SetBary(unit_corner(k));
      colors.corner[k] = pass.shade(sc, view_point);
      colors.corner[k].ClampMinMax();
    }
    return colors;
  };
  return shade_all(pass, mesh.getNumFaces(), progress, out, options.timings, shade_face);
}
