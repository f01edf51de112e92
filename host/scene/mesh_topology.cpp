// Elements (faces joined by edges) and removing faces and vertices.
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>

#include "host/mesh.h"
#include "host/meshadj.h"

namespace {

class FaceUnion {
 public:
  explicit FaceUnion(int count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0); }
  int find(int f) {
    while (parent_[f] != f) f = parent_[f] = parent_[parent_[f]];
    return f;
  }
  void join(int a, int b) { parent_[find(a)] = find(b); }

 private:
  std::vector<int> parent_;
};

std::uint64_t edge_key(DWORD a, DWORD b) {
  if (a > b) std::swap(a, b);
  return (std::uint64_t{a} << 32) | b;
}

// Faces on the same edge (by vertex indices, either way round, however many).
void join_by_edges(const std::vector<Face>& faces, FaceUnion& joined) {
  std::vector<std::pair<std::uint64_t, int>> sides;
  sides.reserve(faces.size() * 3);
  for (std::size_t f = 0; f < faces.size(); ++f)
    for (int k = 0; k < 3; ++k)
      sides.emplace_back(edge_key(faces[f].v[k], faces[f].v[(k + 1) % 3]), static_cast<int>(f));
  std::sort(sides.begin(), sides.end());
  for (std::size_t i = 1; i < sides.size(); ++i)
    if (sides[i].first == sides[i - 1].first) joined.join(sides[i].second, sides[i - 1].second);
}

}  // namespace

void Mesh::ElementFromFace(DWORD face, BitArray& element, AdjFaceList* adj) const {
  int count = getNumFaces();
  if (element.GetSize() < count) element.SetSize(count);
  if (face >= static_cast<DWORD>(count)) return;

  if (!adj) {
    FaceUnion joined(count);
    join_by_edges(faces_, joined);
    int root = joined.find(static_cast<int>(face));
    for (int f = 0; f < count; ++f)
      if (joined.find(f) == root) element.Set(f);
    return;
  }

  // A list made for other faces is followed only where it names faces here.
  std::vector<bool> seen(count, false);
  std::vector<int> pending{static_cast<int>(face)};
  seen[face] = true;
  while (!pending.empty()) {
    int f = pending.back();
    pending.pop_back();
    element.Set(f);
    if (f >= adj->Count()) continue;
    for (DWORD next : (*adj)[f].f) {
      if (next >= static_cast<DWORD>(count) || seen[next]) continue;
      seen[next] = true;
      pending.push_back(static_cast<int>(next));
    }
  }
}

void Mesh::delete_faces(const std::vector<bool>& doomed) {
  std::vector<Face> kept;
  kept.reserve(faces_.size());
  for (std::size_t f = 0; f < faces_.size(); ++f)
    if (!doomed[f]) kept.push_back(faces_[f]);
  for (MeshMap& map : maps_) {
    if (map.faces_.empty()) continue;
    std::vector<TVFace> kept_map;
    for (std::size_t f = 0; f < map.faces_.size(); ++f)
      if (f >= doomed.size() || !doomed[f]) kept_map.push_back(map.faces_[f]);
    map.faces_ = std::move(kept_map);
    map.refresh();
  }
  faces_ = std::move(kept);
  InvalidateTopologyCache();
  refresh();
}

void Mesh::DeleteFaceSet(const BitArray& set, BitArray* isolated) {
  std::vector<bool> doomed(faces_.size());
  for (std::size_t f = 0; f < faces_.size(); ++f) doomed[f] = set[static_cast<int>(f)];
  if (isolated) {
    std::vector<bool> used_before(verts_.size()), used_after(verts_.size());
    for (std::size_t f = 0; f < faces_.size(); ++f)
      for (DWORD v : faces_[f].v)
        if (v < verts_.size()) (doomed[f] ? used_before : used_after)[v] = true;
    isolated->SetSize(getNumVerts(), FALSE);
    for (std::size_t v = 0; v < verts_.size(); ++v)
      if (used_before[v] && !used_after[v]) isolated->Set(static_cast<int>(v));
  }
  delete_faces(doomed);
}

void Mesh::DeleteVertSet(const BitArray& set) {
  // New index of each kept vertex; indices past the vertices stay as they are.
  std::vector<DWORD> renumbered(verts_.size());
  std::vector<Point3> kept;
  for (std::size_t v = 0; v < verts_.size(); ++v) {
    if (set[static_cast<int>(v)]) continue;
    renumbered[v] = static_cast<DWORD>(kept.size());
    kept.push_back(verts_[v]);
  }
  std::vector<bool> doomed(faces_.size());
  for (std::size_t f = 0; f < faces_.size(); ++f)
    for (DWORD v : faces_[f].v)
      if (v < verts_.size() && set[static_cast<int>(v)]) doomed[f] = true;
  for (std::size_t f = 0; f < faces_.size(); ++f)
    for (DWORD& v : faces_[f].v)
      if (v < verts_.size()) v = renumbered[v];
  verts_ = std::move(kept);
  delete_faces(doomed);
}
