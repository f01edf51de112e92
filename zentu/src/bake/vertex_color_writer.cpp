#include "vertex_color_writer.h"

namespace {

const VertColor kWhite(1, 1, 1);

}  // namespace

void WriteVertexColors(Mesh& mesh, const VertexColorList& colors) {
  if (colors.empty()) return;
  int verts = mesh.getNumVerts(), faces = mesh.getNumFaces();
  mesh.setNumVertCol(verts, FALSE);
  mesh.setNumVCFaces(faces, FALSE, 0);
  for (int i = 0; i < verts; ++i) {
    const Color* c = i < static_cast<int>(colors.size()) ? &colors[static_cast<std::size_t>(i)] : nullptr;
    mesh.vertCol[i] = c != nullptr ? VertColor(c->r, c->g, c->b) : kWhite;
  }
  for (int f = 0; f < faces; ++f) {
    const DWORD* v = mesh.faces[f].v;
    mesh.vcFace[f].setTVerts(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]));
  }
}

void WriteCornerColors(Mesh& mesh, const FaceColorList& colors) {
  if (colors.empty()) return;
  int faces = mesh.getNumFaces();
  mesh.setNumVCFaces(faces, FALSE, 0);
  mesh.setNumVertCol(3 * faces, FALSE);
  for (int f = 0; f < faces; ++f) {
    const FaceCornerColors* c = f < static_cast<int>(colors.size()) ? &colors[static_cast<std::size_t>(f)] : nullptr;
    for (int k = 0; k < 3; ++k)
      mesh.vertCol[3 * f + k] = c != nullptr ? VertColor(c->corner[k].r, c->corner[k].g, c->corner[k].b) : kWhite;
    mesh.vcFace[f].setTVerts(3 * f, 3 * f + 1, 3 * f + 2);
  }
}

