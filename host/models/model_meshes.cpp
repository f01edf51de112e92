#include "model_meshes.h"

#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>
#include <tuple>
#include <utility>
#include <vector>

namespace host::models {

namespace {

using Key3 = std::array<float, 3>;

// Numbers each distinct value once, in order of first appearance.
class Welder {
 public:
  int index_of(const Key3& value) {
    auto [it, added] = index_.try_emplace(value, static_cast<int>(values_.size()));
    if (added) values_.push_back(value);
    return it->second;
  }
  const std::vector<Key3>& values() const { return values_; }

 private:
  std::map<Key3, int> index_;
  std::vector<Key3> values_;
};

struct Triangle {
  unsigned corner[3];  // Assimp vertex indices
};

std::vector<Triangle> triangles_of(const aiMesh& m) {
  std::vector<Triangle> tris;
  for (unsigned f = 0; f < m.mNumFaces; ++f) {
    const aiFace& face = m.mFaces[f];
    if (face.mNumIndices != 3) continue;
    Triangle t{};
    bool inside = true;
    for (int c = 0; c < 3; ++c) {
      t.corner[c] = face.mIndices[c];
      inside = inside && face.mIndices[c] < m.mNumVertices;
    }
    if (inside) tris.push_back(t);
  }
  return tris;
}

// Fills map channel mp with the welded values of one Assimp vertex array.
template <typename Get>
void fill_channel(Mesh& mesh, int mp, const std::vector<Triangle>& tris, Get value_of) {
  Welder welder;
  std::vector<std::array<int, 3>> faces;
  faces.reserve(tris.size());
  for (const Triangle& t : tris)
    faces.push_back({welder.index_of(value_of(t.corner[0])), welder.index_of(value_of(t.corner[1])),
                     welder.index_of(value_of(t.corner[2]))});
  mesh.setNumMapVerts(mp, static_cast<int>(welder.values().size()));
  mesh.setNumMapFaces(mp, static_cast<int>(faces.size()));
  UVVert* verts = mesh.mapVerts(mp);
  for (std::size_t i = 0; i < welder.values().size(); ++i) {
    const Key3& v = welder.values()[i];
    verts[i] = UVVert(v[0], v[1], v[2]);
  }
  TVFace* tf = mesh.mapFaces(mp);
  for (std::size_t i = 0; i < faces.size(); ++i) tf[i].setTVerts(faces[i][0], faces[i][1], faces[i][2]);
}

bool same_normal(const aiVector3D& a, const aiVector3D& b) { return (a - b).SquareLength() < 1e-6f; }

int find_root(std::vector<int>& parent, int i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

// Faces that share an edge and the file's normals at both its ends smooth
// together; each such region gets a group bit that no region it borders by
// a hard edge has. A region of one face stays out of every group.
void smoothing_from_normals(const aiMesh& m, const std::vector<Triangle>& tris,
                            const std::vector<int>& vert_of, Mesh& mesh) {
  const int n = static_cast<int>(tris.size());
  std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> edges;  // -> (face, corner)
  for (int f = 0; f < n; ++f)
    for (int c = 0; c < 3; ++c) {
      int a = vert_of[tris[f].corner[c]], b = vert_of[tris[f].corner[(c + 1) % 3]];
      edges[{std::min(a, b), std::max(a, b)}].push_back({f, c});
    }
  auto normal_at = [&](int face, int vert) {
    for (int c = 0; c < 3; ++c)
      if (vert_of[tris[face].corner[c]] == vert) return m.mNormals[tris[face].corner[c]];
    return aiVector3D();
  };

  std::vector<int> parent(n);
  std::iota(parent.begin(), parent.end(), 0);
  std::vector<std::pair<int, int>> hard;  // faces meeting at a hard edge
  for (const auto& [edge, users] : edges)
    for (std::size_t i = 0; i < users.size(); ++i)
      for (std::size_t j = i + 1; j < users.size(); ++j) {
        int f = users[i].first, g = users[j].first;
        bool smooth = same_normal(normal_at(f, edge.first), normal_at(g, edge.first)) &&
                      same_normal(normal_at(f, edge.second), normal_at(g, edge.second));
        if (smooth)
          parent[find_root(parent, f)] = find_root(parent, g);
        else
          hard.push_back({f, g});
      }

  std::vector<int> size(n, 0);
  for (int f = 0; f < n; ++f) ++size[find_root(parent, f)];
  std::map<int, std::vector<int>> neighbours;
  for (auto [f, g] : hard) {
    int a = find_root(parent, f), b = find_root(parent, g);
    if (a == b) continue;
    neighbours[a].push_back(b);
    neighbours[b].push_back(a);
  }
  std::vector<DWORD> group(n, 0);
  for (int f = 0; f < n; ++f) {
    int r = find_root(parent, f);
    if (size[r] < 2 || group[r] != 0) continue;
    DWORD taken = 0;
    for (int other : neighbours[r]) taken |= group[other];
    DWORD bit = 1;
    while (bit != 0 && (taken & bit) != 0) bit <<= 1;
    group[r] = bit != 0 ? bit : 1;
  }
  for (int f = 0; f < n; ++f) mesh.faces[f].setSmGroup(group[find_root(parent, f)]);
}

}  // namespace

void mesh_from_assimp(const aiMesh& m, Mesh& mesh) {
  std::vector<Triangle> tris = triangles_of(m);
  Welder positions;
  std::vector<int> vert_of(m.mNumVertices);
  for (unsigned i = 0; i < m.mNumVertices; ++i) {
    const aiVector3D& v = m.mVertices[i];
    vert_of[i] = positions.index_of({v.x, v.y, v.z});
  }
  // Only the vertices some triangle uses, in the file's order.
  std::vector<int> used(positions.values().size(), -1);
  for (const Triangle& t : tris)
    for (unsigned c : t.corner) used[vert_of[c]] = 0;
  int count = 0;
  for (int& u : used)
    if (u == 0) u = count++;
  for (int& v : vert_of) v = used[v];

  mesh.FreeAll();
  mesh.setNumVerts(count);
  for (std::size_t p = 0; p < positions.values().size(); ++p)
    if (used[p] >= 0) {
      const Key3& v = positions.values()[p];
      mesh.setVert(used[p], v[0], v[1], v[2]);
    }
  mesh.setNumFaces(static_cast<int>(tris.size()));
  for (std::size_t f = 0; f < tris.size(); ++f) {
    Face& face = mesh.faces[f];
    face.setVerts(vert_of[tris[f].corner[0]], vert_of[tris[f].corner[1]], vert_of[tris[f].corner[2]]);
    face.setEdgeVisFlags(1, 1, 1);
    face.setMatID(static_cast<MtlID>(m.mMaterialIndex));
    face.setSmGroup(1);
  }
  if (m.HasTextureCoords(0))
    fill_channel(mesh, 1, tris, [&](unsigned i) {
      const aiVector3D& uv = m.mTextureCoords[0][i];
      return Key3{uv.x, uv.y, uv.z};
    });
  if (m.HasVertexColors(0))
    fill_channel(mesh, 0, tris, [&](unsigned i) {
      const aiColor4D& c = m.mColors[0][i];
      return Key3{c.r, c.g, c.b};
    });
  if (m.HasNormals()) smoothing_from_normals(m, tris, vert_of, mesh);
  mesh.InvalidateGeomCache();
  mesh.InvalidateTopologyCache();
}

aiMesh* assimp_from_mesh(const Mesh& source, const Matrix3& tm, const char* name) {
  Mesh& mesh = const_cast<Mesh&>(source);  // the map accessors are not const; nothing is changed
  const bool uvs = mesh.mapSupport(1) && mesh.getNumMapVerts(1) > 0;
  const bool colours = mesh.mapSupport(0) && mesh.getNumMapVerts(0) > 0;
  const int face_count = mesh.getNumFaces();

  // One Assimp vertex for each distinct (vertex, normal, map vertices) corner.
  using CornerKey = std::tuple<int, int, int, Key3>;
  std::map<CornerKey, unsigned> corner_index;
  std::vector<CornerKey> corners;
  std::vector<std::array<unsigned, 3>> faces;
  for (int f = 0; f < face_count; ++f) {
    std::array<unsigned, 3> face{};
    for (int c = 0; c < 3; ++c) {
      Point3 n = Normalize(VectorTransform(mesh.getFaceRNormal(f, c), tm));
      int tv = uvs ? static_cast<int>(mesh.mapFaces(1)[f].t[c]) : -1;
      int vc = colours ? static_cast<int>(mesh.mapFaces(0)[f].t[c]) : -1;
      CornerKey key{static_cast<int>(mesh.faces[f].v[c]), tv, vc, Key3{n.x, n.y, n.z}};
      auto [it, added] = corner_index.try_emplace(key, static_cast<unsigned>(corners.size()));
      if (added) corners.push_back(key);
      face[c] = it->second;
    }
    faces.push_back(face);
  }

  auto* out = new aiMesh;
  out->mName = aiString(name);
  out->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
  out->mMaterialIndex = 0;
  out->mNumVertices = static_cast<unsigned>(corners.size());
  out->mVertices = new aiVector3D[corners.size()];
  out->mNormals = new aiVector3D[corners.size()];
  if (uvs) {
    out->mTextureCoords[0] = new aiVector3D[corners.size()];
    out->mNumUVComponents[0] = 2;
  }
  if (colours) out->mColors[0] = new aiColor4D[corners.size()];
  const int map_verts[2] = {mesh.getNumMapVerts(0), mesh.getNumMapVerts(1)};
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const auto& [v, tv, vc, n] = corners[i];
    Point3 p = mesh.getVert(v) * tm;
    out->mVertices[i] = aiVector3D(p.x, p.y, p.z);
    out->mNormals[i] = aiVector3D(n[0], n[1], n[2]);
    if (uvs) {
      UVVert uv = tv < map_verts[1] ? mesh.mapVerts(1)[tv] : UVVert();
      out->mTextureCoords[0][i] = aiVector3D(uv.x, uv.y, uv.z);
    }
    if (colours) {
      VertColor c = vc < map_verts[0] ? mesh.mapVerts(0)[vc] : VertColor(1, 1, 1);
      out->mColors[0][i] = aiColor4D(c.x, c.y, c.z, 1.0f);
    }
  }
  out->mNumFaces = static_cast<unsigned>(faces.size());
  out->mFaces = new aiFace[faces.size()];
  for (std::size_t f = 0; f < faces.size(); ++f) {
    out->mFaces[f].mNumIndices = 3;
    out->mFaces[f].mIndices = new unsigned[3]{faces[f][0], faces[f][1], faces[f][2]};
  }
  return out;
}

}  // namespace host::models
