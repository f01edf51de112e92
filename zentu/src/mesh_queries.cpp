// Questions about a node's mesh at the script time: the element holding a
// face, the vertex nearest a point, and where a segment crosses the mesh.
#include <algorithm>
#include <cmath>

#include "conventions.h"
#include "messages.h"
#include "node_mesh.h"
#include "zentu_functions.h"

namespace {

Matrix3 inverse_of(const Matrix3& m) {
  Matrix3 inverse;
  if (!Inverse(m, &inverse)) throw RuntimeError(zentu::msg::kNoInverse);
  return inverse;
}

}  // namespace

Value* ElementFromFace_cf(Value** arg_list, int count) {
  zentu_require_args("ElementFromFace", 2, count);
  INode* node = zentu_node_arg(arg_list[0], "ElementFromFace");
  int face = arg_list[1]->to_int() - 1;
  NodeMesh held(zentu_script_time(), node);
  const Mesh& mesh = held.mesh();
  if (mesh.getNumFaces() == 0) throw RuntimeError(zentu::msg::kNoFaces);
  if (face < 0 || face >= mesh.getNumFaces()) throw RuntimeError(zentu::msg::kFaceOutOfRange);
  BitArray element(mesh.getNumFaces());
  mesh.ElementFromFace(static_cast<DWORD>(face), element, nullptr);
  return new BitArrayValue(element);
}

Value* GetClosestVertex_cf(Value** arg_list, int count) {
  zentu_require_args("GetClosestVertex", 2, count);
  INode* node = zentu_node_arg(arg_list[0], "GetClosestVertex");
  Point3 world = arg_list[1]->to_point3();
  TimeValue t = zentu_script_time();
  NodeMesh held(t, node);
  const Mesh& mesh = held.mesh();
  if (mesh.getNumVerts() == 0) throw RuntimeError(zentu::msg::kNoVertices);
  Point3 p = world * inverse_of(node->GetObjectTM(t));
  return Integer::intern(ClosestVertex(mesh, p) + 1);
}

Value* GetHitDistances_cf(Value** arg_list, int count) {
  check_arg_count("GetHitDistances", 3, count);
  INode* node = zentu_node_arg(arg_list[0], "GetHitDistances");
  Point3 p1 = arg_list[1]->to_point3();
  Point3 p2 = arg_list[2]->to_point3();
  TimeValue t = zentu_script_time();
  std::vector<float> hits;
  Matrix3 tm = node->GetObjectTM(t);
  Point3 a, b;
  {
    NodeMesh held(t, node);
    Matrix3 inverse = inverse_of(tm);
    a = p1 * inverse;
    b = p2 * inverse;
    IntersectSegmentWithMesh(held.mesh(), a, b, hits);
  }
  if (hits.empty()) return new Array(0);
  std::sort(hits.begin(), hits.end());
  // A crossing on an edge or a vertex is found once per face that meets there.
  for (size_t i = hits.size() - 1; i >= 1; --i)
    if (std::fabs(hits[i] - hits[i - 1]) < 1e-6f) hits.erase(hits.begin() + static_cast<std::ptrdiff_t>(i));
  auto* result = new Array(static_cast<int>(hits.size()));
  Point3 d = Normalize(b - a);
  for (float h : hits) result->append(new Float(Length((a + d * h) * tm - p1)));
  return result;
}
