// The vertex-colour bake on a scene of about a million triangles: 100
// spheres of 9,800 faces in a 10 x 10 grid, as two editable meshes of 50
// (a checkerboard, so each half shadows the other), half of them under an
// occluding plane, four shadow-casting lights. Each half is baked in turn,
// one colour per face corner and one per vertex, shadows on.
//
// Reported side by side, in one run:
//   - each step of each bake (snapshot, set-up, shading with shadows,
//     writing) with one thread and with one per core;
//   - the shadow rays of one bake traced alone, by the bake's search and by
//     Embree's rtcOccluded1 (when built with Embree), per ray, one thread,
//     and how many answers differ;
//   - the plain transcription's time on a sample, extrapolated to the bake.
//
//   cmake --build build --target run_zentu_bake_bench
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "color_passes.h"
#include "host/core_interface.h"
#include "host/lights.h"
#include "host/simple_objects.h"
#include "host/triobject.h"
#include "mesh_instances.h"
#include "plain_bake.h"
#include "shadow_rays.h"
#include "vertex_color_writer.h"

#ifdef HAVE_EMBREE
#include <embree3/rtcore.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

constexpr int kGrid = 10;
constexpr float kSpacing = 24.0f;
constexpr int kSphereSegments = 100;

struct Scene {
  INode* halves[2] = {nullptr, nullptr};
  int faces = 0;
};

// Half h of the spheres (those with (i + j) % 2 == h) as one editable mesh.
INode* sphere_half(Interface* ip, int h) {
  SphereObject sphere;
  sphere.SetValue(SphereObject::kRadius, 10.0f);
  sphere.SetValue(SphereObject::kSegs, static_cast<float>(kSphereSegments));
  Mesh one;
  sphere.BuildMesh(one);
  Mesh all;
  for (int i = 0; i < kGrid; ++i)
    for (int j = 0; j < kGrid; ++j) {
      if ((i + j) % 2 != h) continue;
      Matrix3 at = TransMatrix(Point3(i * kSpacing, j * kSpacing, 0));
      Mesh combined;
      CombineMeshes(combined, all, one, nullptr, &at);
      all = combined;
    }
  TriObject* tri = CreateNewTriObject();
  tri->GetMesh() = all;
  INode* node = ip->CreateObjectNode(tri);
  node->SetWireColor(h == 0 ? RGB(200, 120, 40) : RGB(60, 140, 220));
  return node;
}

Scene build_scene() {
  Interface* ip = GetCOREInterface();
  Scene scene;
  for (int h = 0; h < 2; ++h) {
    scene.halves[h] = sphere_half(ip, h);
    scene.faces += static_cast<TriObject*>(scene.halves[h]->GetObjectRef())->GetMesh().getNumFaces();
  }
  // A plane over the lower half of the grid, facing the lights.
  TriObject* plane = CreateNewTriObject();
  Mesh& m = plane->GetMesh();
  m.setNumVerts(4);
  m.setVert(0, Point3(-20, -20, 60));
  m.setVert(1, Point3(240, -20, 60));
  m.setVert(2, Point3(240, 100, 60));
  m.setVert(3, Point3(-20, 100, 60));
  m.setNumFaces(2);
  m.faces[0].setVerts(0, 1, 2);
  m.faces[1].setVerts(0, 2, 3);
  m.InvalidateTopologyCache();
  ip->CreateObjectNode(plane);
  scene.faces += 2;
  const Point3 lights[4] = {{-100, -100, 220}, {320, -80, 260}, {300, 320, 200}, {-60, 300, 240}};
  for (const Point3& p : lights) {
    auto* light = static_cast<GenLight*>(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(OMNI_LIGHT_CLASS_ID, 0)));
    Point3 white(1, 1, 1);
    light->SetRGBColor(0, white);
    light->SetIntensity(0, 0.4f);
    light->SetShadow(TRUE);
    INode* node = ip->CreateObjectNode(light);
    node->SetNodeTM(0, TransMatrix(p));
  }
  ip->SetAmbient(0, Point3(0.1f, 0.1f, 0.1f));
  return scene;
}

Mesh& mesh_of(INode* node) { return static_cast<TriObject*>(node->GetObjectRef())->GetMesh(); }

// One bake of a half, as ApplyVertexColors runs it: the pass, then writing.
double bake(INode* node, bool mix, int threads, const char* label) {
  PassTimings timings;
  PassOptions options{threads, &timings};
  Clock::time_point start = Clock::now();
  double write_time = 0;
  if (mix) {
    VertexColorList colors;
    EvaluateMixedVertexColors(node, 0, 1, true, false, colors, nullptr, options);
    Clock::time_point write_start = Clock::now();
    WriteVertexColors(mesh_of(node), colors);
    write_time = seconds_since(write_start);
  } else {
    FaceColorList colors;
    EvaluateFaceCornerColors(node, 0, 1, true, false, colors, nullptr, options);
    Clock::time_point write_start = Clock::now();
    WriteCornerColors(mesh_of(node), colors);
    write_time = seconds_since(write_start);
  }
  double total = seconds_since(start);
  std::printf("  %-28s %7.3f %7.3f %8.3f %7.3f %8.3f\n", label, timings.snapshot, timings.setup, timings.shading,
              write_time, total);
  return total;
}

struct Ray {
  Point3 origin, dir;
  float distance;
};

// The rays the shadow step traces for node's face corners, every stride-th
// face, from each light.
std::vector<Ray> corner_rays(INode* node, int stride) {
  std::vector<Point3> lights;
  INode* root = GetCOREInterface()->GetRootNode();
  for (int i = 0; i < root->NumberOfChildren(); ++i) {
    INode* child = root->GetChildNode(i);
    if (child->GetObjectRef()->SuperClassID() == LIGHT_CLASS_ID) lights.push_back(child->GetObjectTM(0).GetTrans());
  }
  const Mesh& mesh = mesh_of(node);
  std::vector<Ray> rays;
  for (int f = 0; f < mesh.getNumFaces(); f += stride)
    for (DWORD v : mesh.faces[f].v)
      for (const Point3& l : lights) {
        Point3 p = mesh.getVert(static_cast<int>(v));
        rays.push_back({l, Normalize(p - l), Length(l - p)});
      }
  return rays;
}

// The best of several runs, each tracer in turn, so a busy moment of the
// machine spoils neither's figure.
constexpr int kRuns = 5;

void trace_shadow_rays(INode* node) {
  std::vector<Ray> rays = corner_rays(node, 3);
  MeshInstanceList instances;
  CollectMeshInstances(GetCOREInterface()->GetRootNode(), 0, instances);
  float reach = 400.0f;
  Clock::time_point build_start = Clock::now();
  for (auto& inst : instances)
    if (inst->node != node) inst->BuildShadowBvh(reach);
  double build = seconds_since(build_start);

  // As the shadow step traces them: each light asks the instance that last
  // blocked it first.
  std::vector<char> ours(rays.size());
  auto trace_ours = [&] {
    int last_blocker[4] = {-1, -1, -1, -1};
    Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < rays.size(); ++i) {
      ShadowRay ray;
      ray.origin = rays[i].origin;
      ray.dir = rays[i].dir;
      ours[i] = LightHidden(instances, node, ray, rays[i].distance, last_blocker[i % 4]) ? 1 : 0;
    }
    return seconds_since(start);
  };
  double ours_time = 1e30;
#ifdef HAVE_EMBREE
  RTCDevice device = rtcNewDevice("threads=1");
  RTCScene scene = rtcNewScene(device);
  Clock::time_point embree_build_start = Clock::now();
  for (auto& inst : instances) {
    if (inst->node == node || inst->mesh == nullptr) continue;
    const Mesh& m = *inst->mesh;
    RTCGeometry geometry = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_TRIANGLE);
    auto* verts = static_cast<float*>(rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_VERTEX, 0,
                                                              RTC_FORMAT_FLOAT3, 3 * sizeof(float), m.getNumVerts()));
    for (int i = 0; i < m.getNumVerts(); ++i) {
      verts[3 * i] = m.verts[i].x;
      verts[3 * i + 1] = m.verts[i].y;
      verts[3 * i + 2] = m.verts[i].z;
    }
    auto* index = static_cast<unsigned*>(rtcSetNewGeometryBuffer(
        geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3, 3 * sizeof(unsigned), m.getNumFaces()));
    for (int f = 0; f < m.getNumFaces(); ++f)
      for (int k = 0; k < 3; ++k) index[3 * f + k] = m.faces[f].v[inst->negParity ? 2 - k : k];
    rtcCommitGeometry(geometry);
    rtcAttachGeometry(scene, geometry);
    rtcReleaseGeometry(geometry);
  }
  rtcCommitScene(scene);
  double embree_build = seconds_since(embree_build_start);
  std::vector<char> theirs(rays.size());
  RTCIntersectContext context;
  rtcInitIntersectContext(&context);
  auto trace_embree = [&] {
    Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < rays.size(); ++i) {
      RTCRay ray{};
      ray.org_x = rays[i].origin.x;
      ray.org_y = rays[i].origin.y;
      ray.org_z = rays[i].origin.z;
      ray.dir_x = rays[i].dir.x;
      ray.dir_y = rays[i].dir.y;
      ray.dir_z = rays[i].dir.z;
      ray.tnear = 0.0f;
      ray.tfar = rays[i].distance;
      ray.mask = 0xFFFFFFFF;
      rtcOccluded1(scene, &context, &ray);
      theirs[i] = ray.tfar < 0.0f ? 1 : 0;
    }
    return seconds_since(start);
  };
  double embree_time = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    ours_time = std::min(ours_time, trace_ours());
    embree_time = std::min(embree_time, trace_embree());
  }
#else
  for (int run = 0; run < kRuns; ++run) ours_time = std::min(ours_time, trace_ours());
#endif
  long blocked = 0;
  for (char c : ours) blocked += c;
  std::printf("\nShadow rays of one bake (every third face's corners x 4 lights): %zu rays, %ld blocked\n",
              rays.size(), blocked);
  std::printf("  hierarchy build for the blockers: %.3f s\n", build);
  std::printf("  bake's search, one thread (best of %d):  %7.1f ns/ray  %6.2f M rays/s\n", kRuns,
              ours_time / rays.size() * 1e9, rays.size() / ours_time / 1e6);
#ifdef HAVE_EMBREE
  long differ = 0;
  for (std::size_t i = 0; i < rays.size(); ++i) differ += ours[i] != theirs[i] ? 1 : 0;
  std::printf("  Embree rtcOccluded1, one thread (best of %d): %7.1f ns/ray  %6.2f M rays/s  (build %.3f s)\n",
              kRuns, embree_time / rays.size() * 1e9, rays.size() / embree_time / 1e6, embree_build);
  std::printf("  time per ray, ours / Embree's: %.2f; answers that differ: %ld of %zu\n", ours_time / embree_time,
              differ, rays.size());
  rtcReleaseScene(scene);
  rtcReleaseDevice(device);
#else
  std::printf("  (built without Embree: install libembree-dev and configure again to compare)\n");
#endif
}

}  // namespace

int main(int argc, char** argv) {
  bool rays_only = argc > 1 && std::string(argv[1]) == "--rays-only";
  Clock::time_point start = Clock::now();
  Scene scene = build_scene();
  if (rays_only) {
    trace_shadow_rays(scene.halves[0]);
    return 0;
  }
  std::printf("Scene: %d triangles (two meshes of %d and %d faces and a plane), 4 lights; built in %.2f s\n",
              scene.faces, mesh_of(scene.halves[0]).getNumFaces(), mesh_of(scene.halves[1]).getNumFaces(),
              seconds_since(start));
  std::printf("\nBakes, lighting 1, shadows on (seconds):\n");
  std::printf("  %-28s %7s %7s %8s %7s %8s\n", "", "snapshot", "set-up", "shading", "write", "total");
  double corner_one = 0, corner_all = 0, mixed_all = 0;
  for (int h = 0; h < 2; ++h) {
    char label[64];
    std::snprintf(label, sizeof label, "half %d corners, 1 thread", h);
    corner_one += bake(scene.halves[h], false, 1, label);
    std::snprintf(label, sizeof label, "half %d corners, all cores", h);
    corner_all += bake(scene.halves[h], false, 0, label);
    std::snprintf(label, sizeof label, "half %d vertices, all cores", h);
    mixed_all += bake(scene.halves[h], true, 0, label);
  }
  std::printf("  whole scene: corners %.2f s (1 thread) / %.2f s (all cores); vertices %.2f s (all cores)\n",
              corner_one, corner_all, mixed_all);

  trace_shadow_rays(scene.halves[0]);

  // The plain loops on a sample of half 0, extrapolated to both halves.
  INode* node = scene.halves[0];
  const int faces_sample = 20, verts_sample = 10;
  FaceColorList corner_colors;
  Clock::time_point plain_start = Clock::now();
  PlainCornerColors(node, 0, 1, true, false, corner_colors, faces_sample);
  double per_face = seconds_since(plain_start) / faces_sample;
  VertexColorList vertex_colors;
  plain_start = Clock::now();
  PlainMixedColors(node, 0, 1, true, false, vertex_colors, verts_sample);
  double per_vertex = seconds_since(plain_start) / verts_sample;
  double plain_corners = per_face * scene.faces, plain_mixed = per_vertex * 2 * mesh_of(node).getNumVerts();
  std::printf("\nPlain transcription, extrapolated from %d faces and %d vertices of half 0:\n", faces_sample,
              verts_sample);
  std::printf("  corners %.0f s (%.1f h): %.0f x the bake's one-thread time\n", plain_corners, plain_corners / 3600,
              plain_corners / corner_one);
  std::printf("  vertices %.0f s (%.1f h): %.0f x the bake's time\n", plain_mixed, plain_mixed / 3600,
              plain_mixed / mixed_all);
  return 0;
}
