// The cylinder primitive's mesh.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/primitives.h"
#include "primitive_faces.h"

using host::scene::ring_band;
using host::scene::Rings;
using host::scene::set_face;

namespace {

constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;
constexpr int kMaxSegments = 200;
constexpr DWORD kSideGroup = 1, kCapGroup = 2;
constexpr MtlID kTopMat = 0, kBottomMat = 1, kSideMat = 2;

}  // namespace

// Texture vertices: a row of sides + 1 for each ring (u round from +x, v up
// the side), then for each cap, bottom first, its centre and rim mapped flat
// onto the unit square as seen from outside.
void build_cylinder_mesh(Mesh& mesh, float radius, float height, int heightSegs, int sides) {
  mesh.FreeAll();
  sides = std::clamp(sides, 3, kMaxSegments);
  int bands = std::clamp(heightSegs, 1, kMaxSegments);
  int top = 1 + (bands + 1) * sides;
  Rings grid{1, sides, 0};
  int tv_bottom = (bands + 1) * (sides + 1), tv_top = tv_bottom + 1 + sides;

  mesh.setNumVerts(top + 1);
  mesh.setNumFaces(2 * sides * (bands + 1));
  mesh.setNumTVerts(tv_top + 1 + sides);
  mesh.setNumTVFaces(2 * sides * (bands + 1));

  mesh.setVert(0, 0, 0, 0);
  mesh.setVert(top, 0, 0, height);
  mesh.setTVert(tv_bottom, 0.5f, 0.5f, 0);
  mesh.setTVert(tv_top, 0.5f, 0.5f, 0);
  for (int j = 0; j <= sides; ++j) {
    float u = static_cast<float>(j) / static_cast<float>(sides);
    for (int r = 0; r <= bands; ++r)
      mesh.setTVert(r * (sides + 1) + j, u, static_cast<float>(r) / static_cast<float>(bands), 0);
    if (j == sides) break;
    float c = std::cos(kTwoPi * u), s = std::sin(kTwoPi * u);
    for (int r = 0; r <= bands; ++r) {
      float z = height * static_cast<float>(r) / static_cast<float>(bands);
      mesh.setVert(1 + r * sides + j, radius * c, radius * s, z);
    }
    mesh.setTVert(tv_bottom + 1 + j, 0.5f - 0.5f * c, 0.5f + 0.5f * s, 0);  // seen from below
    mesh.setTVert(tv_top + 1 + j, 0.5f + 0.5f * c, 0.5f + 0.5f * s, 0);
  }

  int fi = 0;
  // The caps show as one polygon each: only their rims are visible.
  for (int j = 0; j < sides; ++j) {
    int next = (j + 1) % sides;
    mesh.tvFace[fi].setTVerts(tv_bottom, tv_bottom + 1 + next, tv_bottom + 1 + j);
    set_face(mesh.faces[fi++], 0, 1 + next, 1 + j, kCapGroup, kBottomMat, 0, 1, 0);
  }
  for (int r = 0; r < bands; ++r) ring_band(mesh, fi, grid, r, r + 1, kSideGroup, kSideMat);
  int last = 1 + bands * sides;
  for (int j = 0; j < sides; ++j) {
    int next = (j + 1) % sides;
    mesh.tvFace[fi].setTVerts(tv_top, tv_top + 1 + j, tv_top + 1 + next);
    set_face(mesh.faces[fi++], top, last + j, last + next, kCapGroup, kTopMat, 0, 1, 0);
  }
  mesh.InvalidateTopologyCache();
}
