// The mesh functions: vertices, faces, smoothing groups, material IDs, edge
// visibility, texture vertices and vertex colours, and update. Indices are
// 1-based; positions are in the script's working coordinates for nodes and
// in object space for Editable_mesh objects and TriMesh values.
#include "host/checks.h"
#include "host/locals.h"
#include "host/values.h"
#include "mesh_values.h"

namespace {

// A 1-based index from 1 to count, as the 0-based index it names.
int index_in(Value* v, int count, const char* out_of_range) {
  int i = v->to_int();
  if (i < 1 || i > count) throw RuntimeError(out_of_range, v);
  return i - 1;
}
int vertex_index(const MeshTarget& m, Value* v) {
  return index_in(v, m.mesh->getNumVerts(), host::msg::kVertexIndexOutOfRange);
}
int face_index(const MeshTarget& m, Value* v) {
  return index_in(v, m.mesh->getNumFaces(), host::msg::kFaceIndexOutOfRange);
}

// A point given as one point3 or as three numbers from arg_list[first].
Point3 point_args(Value** arg_list, int first, int count, const char* fn) {
  if (count == first + 1) return arg_list[first]->to_point3();
  if (count == first + 3)
    return Point3(arg_list[first]->to_float(), arg_list[first + 1]->to_float(),
                  arg_list[first + 2]->to_float());
  throw ArgCountError(fn, first + 1, count);
}

// Three 1-based indices as a point3, as the listener shows a face.
Value* indices_value(DWORD a, DWORD b, DWORD c) {
  return new Point3Value(
      Point3(static_cast<float>(a + 1), static_cast<float>(b + 1), static_cast<float>(c + 1)));
}

// A face's three indices from a point3 of 1-based numbers, each below limit.
void indices_from(Value* v, int limit, const char* out_of_range, DWORD out[3]) {
  Point3 p = v->to_point3();
  float parts[3] = {p.x, p.y, p.z};
  for (int k = 0; k < 3; ++k) {
    int i = static_cast<int>(parts[k]);
    if (i < 1 || i > limit) throw RuntimeError(out_of_range, Integer::intern(i));
    out[k] = static_cast<DWORD>(i - 1);
  }
}

Value* get_num_verts_cf(Value** a, int count) {
  check_arg_count("getNumVerts", 1, count);
  return Integer::intern(mesh_to_read(a[0], "getNumVerts").mesh->getNumVerts());
}
Value* get_num_faces_cf(Value** a, int count) {
  check_arg_count("getNumFaces", 1, count);
  return Integer::intern(mesh_to_read(a[0], "getNumFaces").mesh->getNumFaces());
}

Value* get_vert_cf(Value** a, int count) {
  check_arg_count("getVert", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getVert");
  return new Point3Value(m.to_script(m.mesh->getVert(vertex_index(m, a[1]))));
}
Value* set_vert_cf(Value** a, int count) {
  if (count != 3 && count != 5) throw ArgCountError("setVert", 3, count);
  MeshTarget m = mesh_to_change(a[0], "setVert");
  int i = vertex_index(m, a[1]);
  Point3 p = point_args(a, 2, count, "setVert");
  m.mesh->setVert(i, m.from_script(p));
  mesh_changed(m);
  return new Point3Value(p);
}

Value* set_num_verts_cf(Value** a, int count) {
  check_arg_count_range("setNumVerts", 2, 3, count);
  MeshTarget m = mesh_to_change(a[0], "setNumVerts");
  int n = a[1]->to_int();
  if (n < 0) throw RuntimeError(host::msg::kNegativeCount, a[1]);
  m.mesh->setNumVerts(n, count == 3 && a[2]->to_bool());
  mesh_changed(m);
  return &ok;
}
Value* set_num_faces_cf(Value** a, int count) {
  check_arg_count_range("setNumFaces", 2, 3, count);
  MeshTarget m = mesh_to_change(a[0], "setNumFaces");
  int n = a[1]->to_int();
  if (n < 0) throw RuntimeError(host::msg::kNegativeCount, a[1]);
  m.mesh->setNumFaces(n, count == 3 && a[2]->to_bool());
  mesh_changed(m);
  return &ok;
}

Value* get_face_cf(Value** a, int count) {
  check_arg_count("getFace", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getFace");
  const Face& f = m.mesh->faces[face_index(m, a[1])];
  return indices_value(f.v[0], f.v[1], f.v[2]);
}
Value* set_face_cf(Value** a, int count) {
  if (count != 3 && count != 5) throw ArgCountError("setFace", 3, count);
  MeshTarget m = mesh_to_change(a[0], "setFace");
  int f = face_index(m, a[1]);
  OneValueLocal given(count == 3 ? a[2] : new Point3Value(point_args(a, 2, count, "setFace")));
  DWORD v[3];
  indices_from(given.value, m.mesh->getNumVerts(), host::msg::kVertexIndexOutOfRange, v);
  m.mesh->faces[f].setVerts(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]));
  mesh_changed(m);
  return &ok;
}

Value* get_face_mat_id_cf(Value** a, int count) {
  check_arg_count("getFaceMatID", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getFaceMatID");
  return Integer::intern(m.mesh->faces[face_index(m, a[1])].getMatID() + 1);
}
Value* set_face_mat_id_cf(Value** a, int count) {
  check_arg_count("setFaceMatID", 3, count);
  MeshTarget m = mesh_to_change(a[0], "setFaceMatID");
  int f = face_index(m, a[1]);
  int id = check_int_in_range(a[2], 1, 65536, host::msg::kMaterialIdOutOfRange);
  m.mesh->faces[f].setMatID(static_cast<MtlID>(id - 1));
  return &ok;
}

Value* get_face_smooth_group_cf(Value** a, int count) {
  check_arg_count("getFaceSmoothGroup", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getFaceSmoothGroup");
  return Integer::intern(static_cast<int>(m.mesh->faces[face_index(m, a[1])].getSmGroup()));
}
Value* set_face_smooth_group_cf(Value** a, int count) {
  check_arg_count("setFaceSmoothGroup", 3, count);
  MeshTarget m = mesh_to_change(a[0], "setFaceSmoothGroup");
  int f = face_index(m, a[1]);
  m.mesh->faces[f].setSmGroup(static_cast<DWORD>(a[2]->to_int()));
  mesh_changed(m);
  return &ok;
}

Value* get_face_normal_cf(Value** a, int count) {
  check_arg_count("getFaceNormal", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getFaceNormal");
  return new Point3Value(m.normal_to_script(m.mesh->getFaceNormal(face_index(m, a[1]))));
}

Value* get_edge_vis_cf(Value** a, int count) {
  check_arg_count("getEdgeVis", 3, count);
  MeshTarget m = mesh_to_read(a[0], "getEdgeVis");
  int f = face_index(m, a[1]);
  int edge = check_int_in_range(a[2], 1, 3, host::msg::kEdgeIndexOutOfRange);
  return bool_result(m.mesh->faces[f].getEdgeVis(edge - 1) != 0);
}
Value* set_edge_vis_cf(Value** a, int count) {
  check_arg_count("setEdgeVis", 4, count);
  MeshTarget m = mesh_to_change(a[0], "setEdgeVis");
  int f = face_index(m, a[1]);
  int edge = check_int_in_range(a[2], 1, 3, host::msg::kEdgeIndexOutOfRange);
  m.mesh->faces[f].setEdgeVis(edge - 1, a[3]->to_bool() ? EDGE_VIS : EDGE_INVIS);
  return &ok;
}

// Texture vertices and faces: map channel 1.
Value* get_num_tverts_cf(Value** a, int count) {
  check_arg_count("getNumTVerts", 1, count);
  return Integer::intern(mesh_to_read(a[0], "getNumTVerts").mesh->getNumTVerts());
}
Value* get_tvert_cf(Value** a, int count) {
  check_arg_count("getTVert", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getTVert");
  int i = index_in(a[1], m.mesh->getNumTVerts(), host::msg::kTextureVertexIndexOutOfRange);
  return new Point3Value(m.mesh->tVerts[i]);
}
Value* get_tvface_cf(Value** a, int count) {
  check_arg_count("getTVFace", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getTVFace");
  int f = face_index(m, a[1]);
  if (m.mesh->getNumMapFaces(1) <= f)
    throw RuntimeError(host::msg::kMapChannelNotSupported, Integer::intern(1));
  const TVFace& tf = m.mesh->tvFace[f];
  return indices_value(tf.t[0], tf.t[1], tf.t[2]);
}

// Vertex colours: map channel 0, shown as colours from 0 to 255.
Value* get_num_cpv_verts_cf(Value** a, int count) {
  check_arg_count("getNumCPVVerts", 1, count);
  return Integer::intern(mesh_to_read(a[0], "getNumCPVVerts").mesh->getNumVertCol());
}
Value* set_num_cpv_verts_cf(Value** a, int count) {
  check_arg_count_range("setNumCPVVerts", 2, 3, count);
  MeshTarget m = mesh_to_change(a[0], "setNumCPVVerts");
  int n = a[1]->to_int();
  if (n < 0) throw RuntimeError(host::msg::kNegativeCount, a[1]);
  m.mesh->setNumVertCol(n, count == 3 && a[2]->to_bool());
  mesh_changed(m);
  return &ok;
}
Value* get_vert_color_cf(Value** a, int count) {
  check_arg_count("getVertColor", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getVertColor");
  int i = index_in(a[1], m.mesh->getNumVertCol(), host::msg::kColorVertexIndexOutOfRange);
  const VertColor& c = m.mesh->vertCol[i];
  return new ColorValue(AColor(c.x, c.y, c.z));
}
Value* set_vert_color_cf(Value** a, int count) {
  check_arg_count("setVertColor", 3, count);
  MeshTarget m = mesh_to_change(a[0], "setVertColor");
  int i = index_in(a[1], m.mesh->getNumVertCol(), host::msg::kColorVertexIndexOutOfRange);
  AColor c = a[2]->to_acolor();
  m.mesh->vertCol[i] = VertColor(c.r, c.g, c.b);
  return &ok;
}
Value* get_vcface_cf(Value** a, int count) {
  check_arg_count("getVCFace", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getVCFace");
  int f = face_index(m, a[1]);
  if (m.mesh->getNumMapFaces(0) <= f)
    throw RuntimeError(host::msg::kMapChannelNotSupported, Integer::intern(0));
  const TVFace& tf = m.mesh->vcFace[f];
  return indices_value(tf.t[0], tf.t[1], tf.t[2]);
}
Value* set_vcface_cf(Value** a, int count) {
  if (count != 3 && count != 5) throw ArgCountError("setVCFace", 3, count);
  MeshTarget m = mesh_to_change(a[0], "setVCFace");
  int f = face_index(m, a[1]);
  if (m.mesh->getNumMapFaces(0) <= f)
    throw RuntimeError(host::msg::kMapChannelNotSupported, Integer::intern(0));
  OneValueLocal given(count == 3 ? a[2] : new Point3Value(point_args(a, 2, count, "setVCFace")));
  DWORD t[3];
  indices_from(given.value, m.mesh->getNumVertCol(), host::msg::kColorVertexIndexOutOfRange, t);
  m.mesh->vcFace[f].setTVerts(static_cast<int>(t[0]), static_cast<int>(t[1]), static_cast<int>(t[2]));
  return &ok;
}
// One colour face per face, naming the same vertices as the face does.
Value* default_vcfaces_cf(Value** a, int count) {
  check_arg_count("defaultVCFaces", 1, count);
  MeshTarget m = mesh_to_change(a[0], "defaultVCFaces");
  Mesh& mesh = *m.mesh;
  mesh.setNumVertCol(mesh.getNumVerts(), TRUE);
  mesh.setNumVCFaces(mesh.getNumFaces());
  for (int f = 0; f < mesh.getNumFaces(); ++f)
    mesh.vcFace[f].setTVerts(static_cast<int>(mesh.faces[f].v[0]), static_cast<int>(mesh.faces[f].v[1]),
                             static_cast<int>(mesh.faces[f].v[2]));
  mesh_changed(m);
  return &ok;
}
// Colour faces for the colour vertices there are: face f's corners take
// colour vertices 3f, 3f+1, 3f+2 when there are three per face, else the
// face's own vertex numbers.
Value* build_vcfaces_cf(Value** a, int count) {
  check_arg_count_range("buildVCFaces", 1, 2, count);
  MeshTarget m = mesh_to_change(a[0], "buildVCFaces");
  Mesh& mesh = *m.mesh;
  bool per_corner = count == 2 ? a[1]->to_bool() : mesh.getNumVertCol() == 3 * mesh.getNumFaces();
  if (!per_corner) return default_vcfaces_cf(a, 1);
  mesh.setNumVertCol(3 * mesh.getNumFaces(), TRUE);
  mesh.setNumVCFaces(mesh.getNumFaces());
  for (int f = 0; f < mesh.getNumFaces(); ++f) mesh.vcFace[f].setTVerts(3 * f, 3 * f + 1, 3 * f + 2);
  mesh_changed(m);
  return &ok;
}

Value* update_cf(Value** a, int count) {
  check_arg_count_at_least("update", 1, count);
  if (dynamic_cast<TriMeshValue*>(a[0]) != nullptr || is_node_value(a[0]) ||
      dynamic_cast<ObjectValue*>(a[0]) != nullptr) {
    MeshTarget m = mesh_to_read(a[0], "update");
    mesh_changed(m);
    return &ok;
  }
  throw NoMethodError("update", a[0]);
}

Primitive get_num_verts_pf("getNumVerts", get_num_verts_cf);
Primitive get_num_faces_pf("getNumFaces", get_num_faces_cf);
Primitive set_num_verts_pf("setNumVerts", set_num_verts_cf);
Primitive set_num_faces_pf("setNumFaces", set_num_faces_cf);
Primitive get_vert_pf("getVert", get_vert_cf);
Primitive set_vert_pf("setVert", set_vert_cf);
Primitive get_face_pf("getFace", get_face_cf);
Primitive set_face_pf("setFace", set_face_cf);
Primitive get_face_mat_id_pf("getFaceMatID", get_face_mat_id_cf);
Primitive set_face_mat_id_pf("setFaceMatID", set_face_mat_id_cf);
Primitive get_face_smooth_group_pf("getFaceSmoothGroup", get_face_smooth_group_cf);
Primitive set_face_smooth_group_pf("setFaceSmoothGroup", set_face_smooth_group_cf);
Primitive get_face_normal_pf("getFaceNormal", get_face_normal_cf);
Primitive get_edge_vis_pf("getEdgeVis", get_edge_vis_cf);
Primitive set_edge_vis_pf("setEdgeVis", set_edge_vis_cf);
Primitive get_num_tverts_pf("getNumTVerts", get_num_tverts_cf);
Primitive get_tvert_pf("getTVert", get_tvert_cf);
Primitive get_tvface_pf("getTVFace", get_tvface_cf);
Primitive get_num_cpv_verts_pf("getNumCPVVerts", get_num_cpv_verts_cf);
Primitive set_num_cpv_verts_pf("setNumCPVVerts", set_num_cpv_verts_cf);
Primitive get_vert_color_pf("getVertColor", get_vert_color_cf);
Primitive set_vert_color_pf("setVertColor", set_vert_color_cf);
Primitive get_vcface_pf("getVCFace", get_vcface_cf);
Primitive set_vcface_pf("setVCFace", set_vcface_cf);
Primitive default_vcfaces_pf("defaultVCFaces", default_vcfaces_cf);
Primitive build_vcfaces_pf("buildVCFaces", build_vcfaces_cf);
Primitive update_pf("update", update_cf);

}  // namespace
