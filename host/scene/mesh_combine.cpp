// Joining two meshes into one.
#include <algorithm>

#include "host/mesh.h"

namespace {

// Appends part's faces to out from face number face_base, with vertex
// numbers moved up by vert_base and, when flip, the corner order reversed.
void append_faces(Mesh& out, const Mesh& part, int face_base, int vert_base, bool flip) {
  for (int f = 0; f < part.getNumFaces(); ++f) {
    Face face = part.faces[f];
    for (DWORD& v : face.v) v += static_cast<DWORD>(vert_base);
    if (flip) {
      std::swap(face.v[1], face.v[2]);
      DWORD a = face.getEdgeVis(0), c = face.getEdgeVis(2);
      face.setEdgeVis(0, c != 0);
      face.setEdgeVis(2, a != 0);
    }
    out.faces[face_base + f] = face;
  }
}

// Channel mp of part, or one origin vertex named by every corner when the
// part lacks the channel.
void append_map(Mesh& out, int mp, const Mesh& part, int face_base, int vert_base, bool flip) {
  bool has = part.mapSupport(mp);
  int count = has ? part.getNumMapVerts(mp) : 1;
  UVVert* verts = out.mapVerts(mp);
  TVFace* faces = out.mapFaces(mp);
  for (int i = 0; i < count; ++i) verts[vert_base + i] = has ? part.mapVerts(mp)[i] : UVVert(0, 0, 0);
  for (int f = 0; f < part.getNumFaces(); ++f) {
    TVFace tf = has && f < part.getNumMapFaces(mp) ? part.mapFaces(mp)[f] : TVFace(0, 0, 0);
    for (DWORD& t : tf.t) t += static_cast<DWORD>(vert_base);
    if (flip) std::swap(tf.t[1], tf.t[2]);
    faces[face_base + f] = tf;
  }
}

int map_vert_count(const Mesh& part, int mp) { return part.mapSupport(mp) ? part.getNumMapVerts(mp) : 1; }

}  // namespace

void CombineMeshes(Mesh& mesh, const Mesh& mesh1, const Mesh& mesh2, const Matrix3* tm1, const Matrix3* tm2,
                   int whichInv) {
  Mesh out;
  int nv1 = mesh1.getNumVerts(), nv2 = mesh2.getNumVerts();
  int nf1 = mesh1.getNumFaces(), nf2 = mesh2.getNumFaces();
  out.setNumVerts(nv1 + nv2);
  for (int i = 0; i < nv1; ++i) out.setVert(i, tm1 != nullptr ? mesh1.getVert(i) * *tm1 : mesh1.getVert(i));
  for (int i = 0; i < nv2; ++i)
    out.setVert(nv1 + i, tm2 != nullptr ? mesh2.getVert(i) * *tm2 : mesh2.getVert(i));
  out.setNumFaces(nf1 + nf2);
  append_faces(out, mesh1, 0, 0, whichInv == 0);
  append_faces(out, mesh2, nf1, nv1, whichInv == 1);
  int maps = std::max(mesh1.getNumMaps(), mesh2.getNumMaps());
  for (int mp = 0; mp < maps; ++mp) {
    if (!mesh1.mapSupport(mp) && !mesh2.mapSupport(mp)) continue;
    out.setMapSupport(mp, TRUE);
    int first = map_vert_count(mesh1, mp);
    out.setNumMapVerts(mp, first + map_vert_count(mesh2, mp));
    out.setNumMapFaces(mp, nf1 + nf2);
    append_map(out, mp, mesh1, 0, 0, whichInv == 0);
    append_map(out, mp, mesh2, nf1, first, whichInv == 1);
  }
  mesh = out;
}
