// Shared by the primitive builders: setting a face, and the band of quads
// between two rings of vertices round the z axis.
#pragma once

#include "host/mesh.h"

namespace host::scene {

inline void set_face(Face& face, int a, int b, int c, DWORD group, MtlID material, int va, int vb, int vc) {
  face.setVerts(a, b, c);
  face.setSmGroup(group);
  face.setMatID(material);
  face.setEdgeVisFlags(va, vb, vc);
}

// Rings of `count` vertices, ring r from `first + r * count`, whose texture
// vertices are rows of count + 1 (the seam twice, at u = 0 and 1), row r from
// `tv_first + r * (count + 1)`.
struct Rings {
  int first, count, tv_first;
};

// The quads between rings `lower` and `upper` (lower and upper as seen from
// outside, so the faces face out), each as two faces with the diagonal
// hidden, from face `fi` on.
inline void ring_band(Mesh& mesh, int& fi, const Rings& rings, int lower, int upper, DWORD group, MtlID mat) {
  int n = rings.count, row = n + 1;
  for (int j = 0; j < n; ++j) {
    int next = (j + 1) % n;
    int a = rings.first + lower * n + j, b = rings.first + lower * n + next;
    int c = rings.first + upper * n + j, d = rings.first + upper * n + next;
    int ta = rings.tv_first + lower * row + j, tb = ta + 1;
    int tc = rings.tv_first + upper * row + j, td = tc + 1;
    mesh.tvFace[fi].setTVerts(ta, tb, td);
    set_face(mesh.faces[fi++], a, b, d, group, mat, 1, 1, 0);
    mesh.tvFace[fi].setTVerts(td, tc, ta);
    set_face(mesh.faces[fi++], d, c, a, group, mat, 1, 1, 0);
  }
}

}  // namespace host::scene
