// Face normals, and render normals that follow the smoothing groups.
#include <array>
#include <bit>
#include <cmath>
#include <numeric>

#include "host/mesh.h"

namespace {

// Faces without area (or with a coordinate that is not finite) have no
// direction: the zero vector.
Point3 unit_normal(const Point3 p[3]) {
  Point3 n = CrossProd(p[1] - p[0], p[2] - p[0]);
  float len = Length(n);
  if (!(len > 0.0f) || !std::isfinite(len)) return Point3();
  return n / len;
}

// The angle of a face's corner k, by which the face's normal counts at that
// vertex: a quad adds the same whichever way it is split into triangles.
float corner_angle(const Point3 p[3], int k) {
  Point3 a = p[(k + 1) % 3] - p[k], b = p[(k + 2) % 3] - p[k];
  return std::atan2(Length(CrossProd(a, b)), DotProd(a, b));
}

// Groups of smoothing-group bits joined by the faces that carry several.
class BitUnion {
 public:
  BitUnion() { std::iota(parent_.begin(), parent_.end(), 0); }
  int find(int b) {
    while (parent_[b] != b) b = parent_[b] = parent_[parent_[b]];
    return b;
  }
  void join(DWORD groups) {
    int first = std::countr_zero(groups);
    for (int b = first + 1; b < 32; ++b)
      if (groups & (DWORD{1} << b)) parent_[find(b)] = find(first);
  }

 private:
  std::array<int, 32> parent_;
};

}  // namespace

bool Mesh::face_points(int face, Point3 out[3]) const {
  if (face < 0 || face >= getNumFaces()) return false;
  for (int k = 0; k < 3; ++k) {
    DWORD v = faces_[face].v[k];
    if (v >= verts_.size()) return false;
    out[k] = verts_[v];
  }
  return true;
}

void Mesh::buildNormals() { build_normals(); }

// Writes only the caches, so const meshes work theirs out too.
void Mesh::build_normals() const {
  int face_count = getNumFaces();
  int vert_count = getNumVerts();
  face_normals_.assign(face_count, Point3());
  corner_normals_.assign(static_cast<std::size_t>(face_count) * 3, Point3());
  vertex_normals_.assign(vert_count, Point3());
  render_verts_.assign(vert_count, RVertex());
  extra_normals_.clear();
  // Where each vertex's render normals start in extra_normals_, filled in
  // below and pointed at once the list stops growing.
  std::vector<std::size_t> extra_start(vert_count, 0);

  // Each vertex's faces, once each (a collapsed face may name a vertex twice,
  // but has no normal to add), with the normal weighed by the corner's angle;
  // all vertices' lists in one array, vertex v's from start[v] to start[v + 1].
  struct Corner {
    int face;
    Point3 weighed;
  };
  std::vector<Point3> weighed(static_cast<std::size_t>(face_count) * 3);
  std::vector<bool> valid(static_cast<std::size_t>(face_count), false);
  std::vector<int> start(static_cast<std::size_t>(vert_count) + 1, 0);
  std::vector<int> last_face(static_cast<std::size_t>(vert_count), -1);
  for (int f = 0; f < face_count; ++f) {
    Point3 p[3];
    if (!face_points(f, p)) continue;
    valid[f] = true;
    face_normals_[f] = unit_normal(p);
    bool flat = face_normals_[f] == Point3();
    for (int k = 0; k < 3; ++k) {
      DWORD v = faces_[f].v[k];
      weighed[static_cast<std::size_t>(f) * 3 + k] = flat ? Point3() : face_normals_[f] * corner_angle(p, k);
      if (last_face[v] == f) continue;
      last_face[v] = f;
      ++start[v + 1];
    }
  }
  for (int v = 0; v < vert_count; ++v) start[v + 1] += start[v];
  std::vector<Corner> corners(static_cast<std::size_t>(start[vert_count]));
  std::vector<int> next(start.begin(), start.end() - 1);
  std::fill(last_face.begin(), last_face.end(), -1);
  for (int f = 0; f < face_count; ++f) {
    if (!valid[f]) continue;
    for (int k = 0; k < 3; ++k) {
      DWORD v = faces_[f].v[k];
      if (last_face[v] == f) continue;
      last_face[v] = f;
      corners[static_cast<std::size_t>(next[v]++)] = {f, weighed[static_cast<std::size_t>(f) * 3 + k]};
    }
  }
  auto faces_at = [&](int v) {
    struct Range {
      const Corner *b, *e;
      const Corner* begin() const { return b; }
      const Corner* end() const { return e; }
    };
    return Range{corners.data() + start[v], corners.data() + start[v + 1]};
  };

  for (int v = 0; v < vert_count; ++v) {
    BitUnion groups;
    std::array<Point3, 32> sums{};
    Point3 all;
    for (const Corner& c : faces_at(v)) {
      all = all + c.weighed;
      DWORD sg = faces_[c.face].smGroup;
      if (sg != 0) groups.join(sg);
    }
    for (const Corner& c : faces_at(v)) {
      DWORD sg = faces_[c.face].smGroup;
      if (sg != 0) {
        int root = groups.find(std::countr_zero(sg));
        sums[root] = sums[root] + c.weighed;
      }
    }
    vertex_normals_[v] = Normalize(all);
    for (const Corner& c : faces_at(v)) {
      int f = c.face;
      DWORD sg = faces_[f].smGroup;
      Point3 n = sg == 0 ? face_normals_[f] : Normalize(sums[groups.find(std::countr_zero(sg))]);
      for (int k = 0; k < 3; ++k)
        if (faces_[f].v[k] == static_cast<DWORD>(v)) corner_normals_[static_cast<std::size_t>(f) * 3 + k] = n;
    }
    // One render normal per joined group, in the order the faces first meet it.
    std::array<int, 32> normal_of_root;
    normal_of_root.fill(-1);
    std::array<RNormal, 32> normals;
    int count = 0;
    for (const Corner& c : faces_at(v)) {
      DWORD sg = faces_[c.face].smGroup;
      if (sg == 0) continue;
      int root = groups.find(std::countr_zero(sg));
      if (normal_of_root[root] < 0) {
        normal_of_root[root] = count;
        normals[count++] = {Normalize(sums[root]), 0};
      }
      normals[normal_of_root[root]].smGroup |= sg;
    }
    RVertex& rv = render_verts_[v];
    rv.rFlags = static_cast<DWORD>(count);
    if (count == 1) rv.rn = normals[0];
    if (count > 1) {
      extra_start[v] = extra_normals_.size();
      extra_normals_.insert(extra_normals_.end(), normals.begin(), normals.begin() + count);
    }
  }
  for (int v = 0; v < vert_count; ++v)
    if ((render_verts_[v].rFlags & NORCT_MASK) > 1) render_verts_[v].ern = extra_normals_.data() + extra_start[v];
  normals_valid_ = true;
}

void Mesh::ensure_normals() const {
  bool sized = face_normals_.size() == faces_.size() && vertex_normals_.size() == verts_.size() &&
               render_verts_.size() == verts_.size();
  if (!normals_valid_ || !sized) build_normals();
}

Point3 Mesh::getFaceNormal(int face) const {
  ensure_normals();
  return face >= 0 && face < getNumFaces() ? face_normals_[face] : Point3();
}

void Mesh::setFaceNormal(int face, const Point3& n) {
  ensure_normals();
  if (face >= 0 && face < getNumFaces()) face_normals_[face] = n;
}

RVertex& Mesh::getRVert(int i) {
  ensure_normals();
  if (i >= 0 && i < getNumVerts()) return render_verts_[i];
  outside_rvert_ = RVertex();
  return outside_rvert_;
}

Point3 Mesh::getFaceRNormal(int face, int corner) const {
  ensure_normals();
  if (face < 0 || face >= getNumFaces() || corner < 0 || corner > 2) return Point3();
  return corner_normals_[static_cast<std::size_t>(face) * 3 + corner];
}

Point3 Mesh::getNormal(int vertex) const {
  ensure_normals();
  return vertex >= 0 && vertex < getNumVerts() ? vertex_normals_[vertex] : Point3();
}
