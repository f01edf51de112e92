// The scene as the bake sees it: every visible geometric node's triangle
// mesh at one time, copied into world space once per pass. The coloured
// node's copy is the mesh whose points are shaded; the others block light.
#pragma once

#include <memory>
#include <vector>

#include "host/maxscript.h"
#include "triangle_bvh.h"

class MeshInstance {
 public:
  INode* node = nullptr;
  // Vertices and face normals in world space, render normals (built before
  // the move) in object space; none when the node's object is no mesh.
  std::unique_ptr<Mesh> mesh;
  // 1 when the node's transform mirrors: its faces are turned back for the
  // ray test.
  int negParity = 0;
  Point3 center;
  float radiusSq = 0.0f;
  Box3 bounds;
  // The blocking triangles by place, when shadows are cast (null until
  // BuildShadowBvh).
  std::unique_ptr<TriangleBvh> bvh;

  // The node's mesh at t; without one the instance has empty bounds and
  // never blocks.
  MeshInstance(INode* node, TimeValue t);
  // Corner k of face f as the ray test takes it (the mirrored order for a
  // mirrored node).
  Point3 RayCorner(int f, int k) const;
  // reach bounds every coordinate the shadow rays meet: the instances' and
  // the lights' (see TriangleBvh).
  void BuildShadowBvh(float reach);
};

using MeshInstanceList = std::vector<std::unique_ptr<MeshInstance>>;

// The instances of the visible geometric nodes from node down, in scene
// order (a node before its children; hidden nodes' children still count).
void CollectMeshInstances(INode* node, TimeValue t, MeshInstanceList& list);
MeshInstance* FindMeshInstance(const MeshInstanceList& list, INode* node);
void ReleaseMeshInstances(MeshInstanceList& list);

// How normals move with tm: the transposed inverse of its axes (the
// identity when tm has no inverse).
Matrix3 NormalMatrix(const Matrix3& tm);
