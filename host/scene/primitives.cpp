// The sphere, plane and cylinder primitives' meshes.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/primitives.h"

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
// Upper bounds on the divisions, as the objects' parameters have, which also
// keep every count well inside an int.
constexpr int kMaxRoundSegments = 200;
constexpr int kMaxPlaneSegments = 1000;

void set_face(Face& face, int a, int b, int c, DWORD group, MtlID material, int va, int vb, int vc) {
  face.setVerts(a, b, c);
  face.setSmGroup(group);
  face.setMatID(material);
  face.setEdgeVisFlags(va, vb, vc);
}

// Rows of `count` vertices round the z axis, row r from `first + r * count`:
// the quads between rows `lower` and `upper` (lower and upper as seen from
// outside, so the faces face out), each as two faces with the diagonal hidden.
void ring_band(Mesh& mesh, int& fi, int first, int count, int lower, int upper, DWORD group, MtlID mat) {
  for (int j = 0; j < count; ++j) {
    int next = (j + 1) % count;
    int a = first + lower * count + j, b = first + lower * count + next;
    int c = first + upper * count + j, d = first + upper * count + next;
    set_face(mesh.faces[fi++], a, b, d, group, mat, 1, 1, 0);
    set_face(mesh.faces[fi++], d, c, a, group, mat, 1, 1, 0);
  }
}

}  // namespace

void build_sphere_mesh(Mesh& mesh, float radius, int segments) {
  mesh = Mesh();
  segments = std::clamp(segments, 4, kMaxRoundSegments);
  int rings = segments / 2 - 1;
  int bottom = 1 + rings * segments;
  mesh.setNumVerts(bottom + 1);
  mesh.setVert(0, 0, 0, radius);
  for (int r = 0; r < rings; ++r) {
    float polar = std::numbers::pi_v<float> * static_cast<float>(r + 1) / static_cast<float>(rings + 1);
    float z = radius * std::cos(polar), ring_radius = radius * std::sin(polar);
    for (int j = 0; j < segments; ++j) {
      float angle = kTwoPi * static_cast<float>(j) / static_cast<float>(segments);
      mesh.setVert(1 + r * segments + j, ring_radius * std::cos(angle), ring_radius * std::sin(angle), z);
    }
  }
  mesh.setVert(bottom, 0, 0, -radius);

  mesh.setNumFaces(2 * segments * rings);
  int fi = 0;
  for (int j = 0; j < segments; ++j)
    set_face(mesh.faces[fi++], 0, 1 + j, 1 + (j + 1) % segments, 1, 0, 1, 1, 1);
  // Rows run top to bottom, so the lower row of each band is the later one.
  for (int r = 0; r + 1 < rings; ++r) ring_band(mesh, fi, 1, segments, r + 1, r, 1, 0);
  int last = 1 + (rings - 1) * segments;
  for (int j = 0; j < segments; ++j)
    set_face(mesh.faces[fi++], bottom, last + (j + 1) % segments, last + j, 1, 0, 1, 1, 1);
  mesh.InvalidateTopologyCache();
}

void build_plane_mesh(Mesh& mesh, float length, float width, int lengthSegs, int widthSegs) {
  mesh = Mesh();
  int rows = std::clamp(lengthSegs, 1, kMaxPlaneSegments), cols = std::clamp(widthSegs, 1, kMaxPlaneSegments);
  int per_row = cols + 1;
  mesh.setNumVerts((rows + 1) * per_row);
  // Faces first: resizing them starts the map channels afresh.
  mesh.setNumFaces(2 * rows * cols);
  mesh.setNumTVerts((rows + 1) * per_row);
  mesh.setNumTVFaces(2 * rows * cols);
  for (int r = 0; r <= rows; ++r) {
    for (int c = 0; c <= cols; ++c) {
      float u = static_cast<float>(c) / static_cast<float>(cols);
      float v = static_cast<float>(r) / static_cast<float>(rows);
      mesh.setVert(r * per_row + c, (u - 0.5f) * width, (v - 0.5f) * length, 0);
      mesh.setTVert(r * per_row + c, u, v, 0);
    }
  }
  int fi = 0;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      int a = r * per_row + c, b = a + 1, cc = a + per_row, d = cc + 1;
      set_face(mesh.faces[fi], a, b, d, 1, 0, 1, 1, 0);
      mesh.tvFace[fi++].setTVerts(a, b, d);
      set_face(mesh.faces[fi], d, cc, a, 1, 0, 1, 1, 0);
      mesh.tvFace[fi++].setTVerts(d, cc, a);
    }
  }
  mesh.InvalidateTopologyCache();
}

void build_cylinder_mesh(Mesh& mesh, float radius, float height, int heightSegs, int sides) {
  mesh = Mesh();
  sides = std::clamp(sides, 3, kMaxRoundSegments);
  int bands = std::clamp(heightSegs, 1, kMaxRoundSegments);
  int top = 1 + (bands + 1) * sides;
  mesh.setNumVerts(top + 1);
  mesh.setVert(0, 0, 0, 0);
  for (int r = 0; r <= bands; ++r) {
    float z = height * static_cast<float>(r) / static_cast<float>(bands);
    for (int j = 0; j < sides; ++j) {
      float angle = kTwoPi * static_cast<float>(j) / static_cast<float>(sides);
      mesh.setVert(1 + r * sides + j, radius * std::cos(angle), radius * std::sin(angle), z);
    }
  }
  mesh.setVert(top, 0, 0, height);

  constexpr DWORD kSideGroup = 1, kCapGroup = 2;
  constexpr MtlID kTopMat = 0, kBottomMat = 1, kSideMat = 2;
  mesh.setNumFaces(2 * sides * (bands + 1));
  int fi = 0;
  // The caps show as one polygon each: only their rims are visible.
  for (int j = 0; j < sides; ++j)
    set_face(mesh.faces[fi++], 0, 1 + (j + 1) % sides, 1 + j, kCapGroup, kBottomMat, 0, 1, 0);
  for (int r = 0; r < bands; ++r) ring_band(mesh, fi, 1, sides, r, r + 1, kSideGroup, kSideMat);
  int last = 1 + bands * sides;
  for (int j = 0; j < sides; ++j)
    set_face(mesh.faces[fi++], top, last + j, last + (j + 1) % sides, kCapGroup, kTopMat, 0, 1, 0);
  mesh.InvalidateTopologyCache();
}
