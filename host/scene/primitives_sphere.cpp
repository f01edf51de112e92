// The sphere primitive's mesh.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/primitives.h"
#include "primitive_faces.h"

using host::scene::ring_band;
using host::scene::Rings;
using host::scene::set_face;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kMaxSegments = 200;

}  // namespace

// Texture vertices: one for each face at the top pole, a row of segments + 1
// for each ring, one for each face at the bottom pole; u runs round from +x,
// v from 0 at the bottom to 1 at the top.
void build_sphere_mesh(Mesh& mesh, float radius, int segments) {
  mesh.FreeAll();
  segments = std::clamp(segments, 4, kMaxSegments);
  int rings = segments / 2 - 1;
  int bottom = 1 + rings * segments;
  float across = static_cast<float>(segments);
  Rings grid{1, segments, segments};
  int tv_bottom = grid.tv_first + rings * (segments + 1);

  mesh.setNumVerts(bottom + 1);
  mesh.setNumFaces(2 * segments * rings);
  mesh.setNumTVerts(tv_bottom + segments);
  mesh.setNumTVFaces(2 * segments * rings);

  mesh.setVert(0, 0, 0, radius);
  mesh.setVert(bottom, 0, 0, -radius);
  for (int j = 0; j < segments; ++j) {
    float u = (static_cast<float>(j) + 0.5f) / across;
    mesh.setTVert(j, u, 1, 0);
    mesh.setTVert(tv_bottom + j, u, 0, 0);
  }
  for (int r = 0; r < rings; ++r) {
    float polar = kPi * static_cast<float>(r + 1) / static_cast<float>(rings + 1);
    float z = radius * std::cos(polar), ring_radius = radius * std::sin(polar);
    for (int j = 0; j <= segments; ++j) {
      float u = static_cast<float>(j) / across;
      mesh.setTVert(grid.tv_first + r * (segments + 1) + j, u, 1 - polar / kPi, 0);
      if (j == segments) break;
      float angle = 2 * kPi * u;
      mesh.setVert(1 + r * segments + j, ring_radius * std::cos(angle), ring_radius * std::sin(angle), z);
    }
  }

  int fi = 0;
  for (int j = 0; j < segments; ++j) {
    mesh.tvFace[fi].setTVerts(j, grid.tv_first + j, grid.tv_first + j + 1);
    set_face(mesh.faces[fi++], 0, 1 + j, 1 + (j + 1) % segments, 1, 0, 1, 1, 1);
  }
  // Rings run top to bottom, so the lower ring of each band is the later one.
  for (int r = 0; r + 1 < rings; ++r) ring_band(mesh, fi, grid, r + 1, r, 1, 0);
  int last = 1 + (rings - 1) * segments, tv_last = grid.tv_first + (rings - 1) * (segments + 1);
  for (int j = 0; j < segments; ++j) {
    mesh.tvFace[fi].setTVerts(tv_bottom + j, tv_last + j + 1, tv_last + j);
    set_face(mesh.faces[fi++], bottom, last + (j + 1) % segments, last + j, 1, 0, 1, 1, 1);
  }
  mesh.InvalidateTopologyCache();
}
