#include "node_mesh.h"

#include <cmath>

#include "messages.h"

TriObject* AcquireNodeMesh(TimeValue t, INode* node, bool& releaseAfterUse) {
  releaseAfterUse = false;
  if (node == nullptr) return nullptr;
  Object* object = node->EvalWorldState(t, TRUE).obj;
  if (object == nullptr) return nullptr;
  if (object->IsSubClassOf(triObjectClassID)) return static_cast<TriObject*>(object);
  if (!object->CanConvertToType(triObjectClassID)) return nullptr;
  Object* converted = object->ConvertToType(t, triObjectClassID);
  releaseAfterUse = converted != nullptr && converted != object;
  return static_cast<TriObject*>(converted);
}

NodeMesh::NodeMesh(TimeValue t, INode* node) {
  // In the body: release_ must have its default before AcquireNodeMesh sets it.
  object_ = AcquireNodeMesh(t, node, release_);
  if (object_ == nullptr) throw RuntimeError(zentu::msg::kNotAMesh);
}

NodeMesh::~NodeMesh() {
  if (release_) object_->DeleteThis();
}

int ClosestVertex(const Mesh& mesh, const Point3& p) {
  int best = 0;
  float best_distance = Length(mesh.verts[0] - p);
  for (int i = 1; i < mesh.getNumVerts(); ++i) {
    float distance = Length(mesh.verts[i] - p);
    if (distance < best_distance) {
      best = i;
      best_distance = distance;
    }
  }
  return best;
}

int IntersectSegmentWithMesh(const Mesh& mesh, const Point3& a, const Point3& b, std::vector<float>& hits) {
  Point3 d = Normalize(b - a);
  float length = Length(b - a);
  for (int f = 0; f < mesh.getNumFaces(); ++f) {
    const Face& face = mesh.faces[f];
    const Point3& v0 = mesh.verts[face.v[0]];
    const Point3& v1 = mesh.verts[face.v[1]];
    const Point3& v2 = mesh.verts[face.v[2]];
    Point3 cross = CrossProd(v1 - v0, v2 - v1);
    // A face of no area has no plane to cross.
    if (Length(cross) == 0.0f) continue;
    Point3 n = Normalize(cross);
    float den = DotProd(n, d);
    // Parallel to the face's plane, the segment crosses it nowhere or everywhere.
    if (den == 0.0f) continue;
    if (den > 0) {
      den = -den;
      n = n * -1.0f;
    }
    float s = (DotProd(n, v0) - DotProd(n, a)) / den;
    if (!(s >= 0 && s <= length)) continue;
    Point3 bary = mesh.BaryCoords(static_cast<DWORD>(f), a + d * s);
    if (bary.x >= 0 && bary.y >= 0 && bary.z >= 0) hits.push_back(s);
  }
  return static_cast<int>(hits.size());
}
