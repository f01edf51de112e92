// The plane primitive's mesh.
#include <algorithm>

#include "host/primitives.h"
#include "primitive_faces.h"

using host::scene::set_face;

namespace {

constexpr int kMaxSegments = 1000;

}  // namespace

void build_plane_mesh(Mesh& mesh, float length, float width, int lengthSegs, int widthSegs) {
  mesh.FreeAll();
  int rows = std::clamp(lengthSegs, 1, kMaxSegments), cols = std::clamp(widthSegs, 1, kMaxSegments);
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
