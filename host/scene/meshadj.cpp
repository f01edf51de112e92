// Edge and face adjacency lists.
#include "host/meshadj.h"

#include <algorithm>

AdjEdgeList::AdjEdgeList(const Mesh& mesh) : nverts(mesh.getNumVerts()) {
  for (int fi = 0; fi < mesh.getNumFaces(); ++fi) {
    const Face& face = mesh.faces[fi];
    for (int k = 0; k < 3; ++k) {
      DWORD a = face.v[k], b = face.v[(k + 1) % 3];
      DWORD lo = std::min(a, b);
      if (lo >= static_cast<DWORD>(nverts) || std::max(a, b) >= static_cast<DWORD>(nverts)) continue;
      int found = FindEdge(a, b);
      if (found >= 0 && edges[found].f[1] == UNDEFINED) {
        edges[found].f[1] = static_cast<DWORD>(fi);
        continue;
      }
      MEdge edge;
      edge.v[0] = a;
      edge.v[1] = b;
      edge.f[0] = static_cast<DWORD>(fi);
      if (edges_at_.size() < static_cast<std::size_t>(nverts)) edges_at_.resize(nverts);
      edges_at_[lo].push_back(static_cast<int>(edges.size()));
      edges.push_back(edge);
    }
  }
}

int AdjEdgeList::FindEdge(DWORD v0, DWORD v1) const {
  DWORD lo = std::min(v0, v1);
  if (lo >= edges_at_.size()) return -1;
  // The last match: a filled edge is followed by the one the next face opened.
  int found = -1;
  for (int e : edges_at_[lo]) {
    const MEdge& edge = edges[e];
    if ((edge.v[0] == v0 && edge.v[1] == v1) || (edge.v[0] == v1 && edge.v[1] == v0)) found = e;
  }
  return found;
}

AdjFaceList::AdjFaceList(const Mesh& mesh, const AdjEdgeList& edge_list) : list(mesh.getNumFaces()) {
  for (const MEdge& edge : edge_list.edges) {
    if (edge.f[0] == UNDEFINED || edge.f[1] == UNDEFINED) continue;
    for (int side = 0; side < 2; ++side) {
      DWORD fi = edge.f[side], other = edge.f[1 - side];
      const Face& face = mesh.faces[fi];
      for (int k = 0; k < 3; ++k) {
        DWORD a = face.v[k], b = face.v[(k + 1) % 3];
        bool same = (a == edge.v[0] && b == edge.v[1]) || (a == edge.v[1] && b == edge.v[0]);
        if (same && list[fi].f[k] == UNDEFINED) {
          list[fi].f[k] = other;
          break;
        }
      }
    }
  }
}
