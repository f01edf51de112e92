// Which faces meet at which edges: the edge list and, from it, each face's
// neighbour across each of its three edges.
#pragma once

#include <windows.h>

#include <vector>

#include "host/mesh.h"

constexpr DWORD UNDEFINED = 0xffffffff;

// An edge between vertices v[0] and v[1], with the faces on either side
// (UNDEFINED where there is none).
struct MEdge {
  DWORD f[2] = {UNDEFINED, UNDEFINED};
  DWORD v[2] = {0, 0};
};

// Each edge once, with at most two faces; a third face on the same vertices
// starts another edge.
class AdjEdgeList {
 public:
  std::vector<MEdge> edges;
  int nverts = 0;

  explicit AdjEdgeList(const Mesh& mesh);
  // The index of an edge between the two vertices, either way round, or -1.
  int FindEdge(DWORD v0, DWORD v1) const;

 private:
  std::vector<std::vector<int>> edges_at_;  // edge indices by lower vertex
};

// Face f's neighbour across edge i (v[i] to v[(i + 1) % 3]).
class AdjFace {
 public:
  DWORD f[3] = {UNDEFINED, UNDEFINED, UNDEFINED};
};

class AdjFaceList {
 public:
  std::vector<AdjFace> list;

  AdjFaceList(const Mesh& mesh, const AdjEdgeList& edges);
  int Count() const { return static_cast<int>(list.size()); }
  AdjFace& operator[](int i) { return list[i]; }
  const AdjFace& operator[](int i) const { return list[i]; }
};
