// Making meshes: the mesh constructor (vertices:, faces:, materialIDs:,
// tverts:), convertToMesh, snapshotAsMesh.
#include <memory>

#include "host/checks.h"
#include "host/locals.h"
#include "host/script_time.h"
#include "host/values.h"
#include "mesh_values.h"

namespace {

Value* keyword(Value** arg_list, int count, const char* name) {
  return _get_key_arg_or_default(arg_list, count, Name::intern(name), nullptr);
}

Array* array_keyword(Value** arg_list, int count, const char* name) {
  Value* v = keyword(arg_list, count, name);
  if (v == nullptr) return nullptr;
  auto* array = dynamic_cast<Array*>(v);
  if (array == nullptr) throw ConversionError(v, "Array");
  return array;
}

// A face's 1-based vertex numbers from a point3, each from 1 to limit.
void face_corners(Value* v, int limit, DWORD out[3]) {
  Point3 p = v->to_point3();
  float parts[3] = {p.x, p.y, p.z};
  for (int k = 0; k < 3; ++k) {
    int i = static_cast<int>(parts[k]);
    if (!(parts[k] >= 1.0f) || i > limit) throw RuntimeError(host::msg::kFaceVertexOutOfRange, v);
    out[k] = static_cast<DWORD>(i - 1);
  }
}

// The mesh the keywords describe; nothing enters the scene until it is whole.
void build_from_keywords(Mesh& mesh, Value** arg_list, int count) {
  Array* verts = array_keyword(arg_list, count, "vertices");
  Array* faces = array_keyword(arg_list, count, "faces");
  Array* mat_ids = array_keyword(arg_list, count, "materialIDs");
  Array* tverts = array_keyword(arg_list, count, "tverts");
  Array* tvfaces = array_keyword(arg_list, count, "tvFaces");
  if (verts == nullptr) {
    Value* n = keyword(arg_list, count, "numverts");
    Value* m = keyword(arg_list, count, "numfaces");
    int nv = n != nullptr ? n->to_int() : 0;
    int nf = m != nullptr ? m->to_int() : 0;
    if (nv < 0) throw RuntimeError(host::msg::kNegativeCount, n);
    if (nf < 0) throw RuntimeError(host::msg::kNegativeCount, m);
    mesh.setNumVerts(nv);
    mesh.setNumFaces(nf);
    return;
  }
  int nv = verts->size;
  mesh.setNumVerts(nv);
  for (int i = 0; i < nv; ++i) mesh.setVert(i, verts->data[i]->to_point3());
  int nf = faces != nullptr ? faces->size : 0;
  mesh.setNumFaces(nf);
  for (int f = 0; f < nf; ++f) {
    DWORD v[3];
    face_corners(faces->data[f], nv, v);
    Face& face = mesh.faces[f];
    face.setVerts(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]));
    face.setEdgeVisFlags(EDGE_VIS, EDGE_VIS, EDGE_VIS);
    face.setSmGroup(0);
    int id = mat_ids != nullptr && f < mat_ids->size
                 ? check_int_in_range(mat_ids->data[f], 1, 65536, host::msg::kMaterialIdOutOfRange)
                 : 1;
    face.setMatID(static_cast<MtlID>(id - 1));
  }
  if (tverts == nullptr) return;
  int nt = tverts->size;
  mesh.setMapSupport(1, TRUE);
  mesh.setNumTVerts(nt);
  for (int i = 0; i < nt; ++i) mesh.setTVert(i, tverts->data[i]->to_point3());
  Array* corners = tvfaces != nullptr ? tvfaces : faces;
  mesh.setNumTVFaces(nf);
  for (int f = 0; f < nf; ++f) {
    DWORD t[3] = {0, 0, 0};
    if (corners != nullptr && f < corners->size) face_corners(corners->data[f], nt, t);
    mesh.tvFace[f].setTVerts(static_cast<int>(t[0]), static_cast<int>(t[1]), static_cast<int>(t[2]));
  }
}

bool is_mesh_keyword(Value* key) {
  static const char* const names[] = {"vertices", "faces",    "materialIDs", "tverts",
                                      "tvFaces",  "numverts", "numfaces"};
  for (const char* n : names)
    if (key == Name::intern(n)) return true;
  return false;
}

Value* mesh_cf(Value** arg_list, int count) {
  check_positional_count("mesh", 0, arg_list, count);
  std::unique_ptr<TriObject, ObjectDeleter> object(CreateNewTriObject());
  build_from_keywords(object->GetMesh(), arg_list, count);
  return create_node_for(object.release(), arg_list, count, is_mesh_keyword);
}

// Gives the node an editable mesh of its own object's mesh; undoable.
Value* convert_one(INode* node) {
  Object* object = node->GetObjectRef();
  if (dynamic_cast<TriObject*>(object) != nullptr) return wrap_node(node);
  if (object == nullptr || !object->CanConvertToType(triObjectClassID)) return &undefined;
  Object* converted = object->ConvertToType(MAXScript_time(), triObjectClassID);
  if (converted == nullptr) return &undefined;
  if (converted == object) return wrap_node(node);
  node->SetObjectRef(converted);
  return wrap_node(node);
}

Value* convert_to_mesh_cf(Value** arg_list, int count) {
  check_arg_count("convertToMesh", 1, count);
  Value* v = arg_list[0];
  if (auto* nodes = dynamic_cast<Array*>(v)) {
    for (int i = 0; i < nodes->size; ++i) convert_one(node_arg(nodes->data[i], "convertToMesh"));
    return &ok;
  }
  return convert_one(node_arg(v, "convertToMesh"));
}

// The node's mesh with its points in world space.
Value* snapshot_as_mesh_cf(Value** arg_list, int count) {
  check_positional_count("snapshotAsMesh", 1, arg_list, count);
  INode* node = node_arg(arg_list[0], "snapshotAsMesh");
  MeshTarget m = mesh_to_read(arg_list[0], "snapshotAsMesh");
  auto* copy = new TriMeshValue(*m.mesh);
  Matrix3 tm = node->GetObjectTM(MAXScript_time());
  Mesh& out = copy->mesh();
  for (int i = 0; i < out.getNumVerts(); ++i) out.setVert(i, out.getVert(i) * tm);
  out.InvalidateGeomCache();
  return copy;
}

Primitive mesh_pf("mesh", mesh_cf);
Primitive convert_to_mesh_pf("convertToMesh", convert_to_mesh_cf);
Primitive snapshot_as_mesh_pf("snapshotAsMesh", snapshot_as_mesh_cf);

}  // namespace
