#include "mesh_instances.h"

#include <algorithm>
#include <cmath>

#include "node_mesh.h"

namespace {

// What AcquireNodeMesh gave, freed if it was made for the snapshot.
struct HeldTriObject {
  TriObject* tri = nullptr;
  bool release = false;
  ~HeldTriObject() {
    if (release) tri->DeleteThis();
  }
};

}  // namespace

Matrix3 NormalMatrix(const Matrix3& tm) {
  Matrix3 inverse = Matrix3::Identity();
  if (!Inverse(tm, &inverse)) return Matrix3::Identity();
  Matrix3 nm = Matrix3::Identity();
  for (int i = 0; i < 3; ++i) nm.SetRow(i, Point3(inverse[0][i], inverse[1][i], inverse[2][i]));
  return nm;
}

MeshInstance::MeshInstance(INode* n, TimeValue t) : node(n) {
  HeldTriObject held;
  held.tri = AcquireNodeMesh(t, node, held.release);
  if (held.tri == nullptr) return;
  mesh = std::make_unique<Mesh>(held.tri->GetMesh());
  Matrix3 tm = node->GetObjTMAfterWSM(t);
  negParity = DotProd(CrossProd(tm.GetRow(0), tm.GetRow(1)), tm.GetRow(2)) < 0.0f ? 1 : 0;
  // Render normals while the copy is still in object space; the vertices are
  // then moved through the array itself, so the normals stay as built.
  mesh->buildRenderNormals();
  for (int i = 0; i < mesh->getNumVerts(); ++i) mesh->verts[i] = mesh->verts[i] * tm;
  Matrix3 nm = NormalMatrix(tm);
  for (int f = 0; f < mesh->getNumFaces(); ++f) mesh->setFaceNormal(f, VectorTransform(mesh->getFaceNormal(f), nm));
  bounds = mesh->getBoundingBox();
  if (bounds.IsEmpty()) return;
  center = (bounds.pmin + bounds.pmax) * 0.5f;
  for (int i = 0; i < mesh->getNumVerts(); ++i) {
    Point3 d = mesh->verts[i] - center;
    float distance_sq = DotProd(d, d);
    if (distance_sq > radiusSq) radiusSq = distance_sq;
  }
}

Point3 MeshInstance::RayCorner(int f, int k) const {
  const Mesh& m = *mesh;
  return m.getVert(static_cast<int>(m.faces[f].v[negParity ? 2 - k : k]));
}

void MeshInstance::BuildShadowBvh(float reach) {
  if (mesh == nullptr) return;
  std::vector<TriangleBvh::Triangle> triangles(static_cast<std::size_t>(mesh->getNumFaces()));
  for (int f = 0; f < mesh->getNumFaces(); ++f)
    triangles[f] = {{RayCorner(f, 0), RayCorner(f, 1), RayCorner(f, 2)}, f};
  bvh = std::make_unique<TriangleBvh>(std::move(triangles), reach);
}

void CollectMeshInstances(INode* node, TimeValue t, MeshInstanceList& list) {
  if (!node->IsRootNode() && !node->IsHidden()) {
    Object* object = node->EvalWorldState(t, TRUE).obj;
    if (object != nullptr && object->SuperClassID() == GEOMOBJECT_CLASS_ID)
      list.push_back(std::make_unique<MeshInstance>(node, t));
  }
  for (int i = 0; i < node->NumberOfChildren(); ++i) CollectMeshInstances(node->GetChildNode(i), t, list);
}

MeshInstance* FindMeshInstance(const MeshInstanceList& list, INode* node) {
  for (const auto& instance : list)
    if (instance->node == node) return instance.get();
  return nullptr;
}

void ReleaseMeshInstances(MeshInstanceList& list) {
  list.clear();
  list.shrink_to_fit();
}
