// The teapot primitive's mesh, from its bicubic patches.
#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "host/primitives.h"
#include "primitive_faces.h"
#include "teapot_patches.h"

using host::scene::set_face;
namespace teapot = host::scene::teapot;

namespace {

constexpr int kMaxSegments = 64;
// The body's widest circle in the patch data.
constexpr float kDataRadius = 2.0f;

struct PatchRange {
  int first, last;
};

// The cubic Bernstein weights at t.
void bernstein(float t, float w[4]) {
  float s = 1 - t;
  w[0] = s * s * s;
  w[1] = 3 * t * s * s;
  w[2] = 3 * t * t * s;
  w[3] = t * t * t;
}

Point3 patch_point(int patch, float u, float v) {
  float wu[4], wv[4];
  bernstein(u, wu);
  bernstein(v, wv);
  Point3 p;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      const float* c = teapot::kPoints[teapot::kPatches[patch][i * 4 + j] - 1];
      p = p + Point3(c[0], c[1], c[2]) * (wu[i] * wv[j]);
    }
  return p;
}

// Points of a part closer than this (in patch units) are one vertex.
constexpr float kWeldGrid = 1e-4f;

using WeldKey = std::tuple<long, long, long>;
WeldKey weld_key(const Point3& p) {
  return {std::lround(p.x / kWeldGrid), std::lround(p.y / kWeldGrid), std::lround(p.z / kWeldGrid)};
}

}  // namespace

void build_teapot_mesh(Mesh& mesh, float radius, int segments, bool smooth, const TeapotParts& parts,
                       bool mapCoords) {
  mesh.FreeAll();
  int n = std::clamp(segments, 1, kMaxSegments);
  std::vector<std::vector<PatchRange>> shown;
  if (parts.body) shown.push_back({{0, 11}, {28, 31}});
  if (parts.handle) shown.push_back({{12, 15}});
  if (parts.spout) shown.push_back({{16, 19}});
  if (parts.lid) shown.push_back({{20, 27}});

  float scale = radius / kDataRadius;
  std::vector<Point3> verts;
  // For each patch shown, the vertex of each of its (n + 1)^2 points.
  std::vector<std::vector<int>> grids;
  for (const auto& part : shown) {
    std::map<WeldKey, int> welded;
    for (const PatchRange& range : part)
      for (int patch = range.first; patch <= range.last; ++patch) {
        std::vector<int>& grid = grids.emplace_back();
        for (int i = 0; i <= n; ++i)
          for (int j = 0; j <= n; ++j) {
            Point3 p = patch_point(patch, static_cast<float>(i) / n, static_cast<float>(j) / n);
            auto [it, added] = welded.try_emplace(weld_key(p), static_cast<int>(verts.size()));
            if (added) verts.push_back(p * scale);
            grid.push_back(it->second);
          }
      }
  }

  int per_patch = 2 * n * n, row = n + 1;
  int patches = static_cast<int>(grids.size());
  mesh.setNumVerts(static_cast<int>(verts.size()));
  for (int i = 0; i < static_cast<int>(verts.size()); ++i) mesh.setVert(i, verts[i]);
  // Faces first: resizing them starts the map channels afresh.
  mesh.setNumFaces(patches * per_patch);
  if (mapCoords) {
    mesh.setNumTVerts(patches * row * row);
    mesh.setNumTVFaces(patches * per_patch);
  }
  DWORD group = smooth ? 1 : 0;
  int fi = 0;
  for (int p = 0; p < patches; ++p) {
    const std::vector<int>& grid = grids[p];
    int tv_first = p * row * row;
    if (mapCoords)
      for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j)
          mesh.setTVert(tv_first + i * row + j, static_cast<float>(j) / n, static_cast<float>(i) / n, 0);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        int a = i * row + j, b = a + 1, c = a + row, d = c + 1;
        if (mapCoords) {
          mesh.tvFace[fi].setTVerts(tv_first + a, tv_first + b, tv_first + d);
          mesh.tvFace[fi + 1].setTVerts(tv_first + d, tv_first + c, tv_first + a);
        }
        set_face(mesh.faces[fi++], grid[a], grid[b], grid[d], group, 0, 1, 1, 0);
        set_face(mesh.faces[fi++], grid[d], grid[c], grid[a], group, 0, 1, 1, 0);
      }
  }
  mesh.InvalidateTopologyCache();
}
