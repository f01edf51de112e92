// The meshop struct: map channels (getMapSupport, setMapSupport, getNumMaps,
// getNumMapVerts, setNumMapVerts, getMapVert, setMapVert, getMapFace),
// vertex and face counts, getVert with node:, and attach.
#include "host/checks.h"
#include "host/hold.h"
#include "host/locals.h"
#include "host/script_time.h"
#include "host/values.h"
#include "mesh_values.h"
#include "scene_internal.h"

namespace {

constexpr int kMaxMapChannel = 99;

int channel_arg(Value* v) {
  return check_int_in_range(v, 0, kMaxMapChannel, host::msg::kMapChannelOutOfRange);
}

// A channel the mesh supports, or "Map channel not supported: <v>".
int supported_channel(const MeshTarget& m, Value* v) {
  int mp = channel_arg(v);
  if (!m.mesh->mapSupport(mp)) throw RuntimeError(host::msg::kMapChannelNotSupported, v);
  return mp;
}

int map_vert_index(const MeshTarget& m, int mp, Value* v) {
  int i = v->to_int();
  if (i < 1 || i > m.mesh->getNumMapVerts(mp)) throw RuntimeError(host::msg::kMapVertexIndexOutOfRange, v);
  return i - 1;
}

Value* get_map_support_cf(Value** a, int count) {
  check_arg_count("getMapSupport", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getMapSupport");
  return bool_result(m.mesh->mapSupport(channel_arg(a[1])) != 0);
}
Value* set_map_support_cf(Value** a, int count) {
  check_arg_count("setMapSupport", 3, count);
  MeshTarget m = mesh_to_change(a[0], "setMapSupport");
  m.mesh->setMapSupport(channel_arg(a[1]), a[2]->to_bool());
  mesh_changed(m);
  return &ok;
}
Value* get_num_maps_cf(Value** a, int count) {
  check_arg_count("getNumMaps", 1, count);
  return Integer::intern(mesh_to_read(a[0], "getNumMaps").mesh->getNumMaps());
}
Value* set_num_maps_cf(Value** a, int count) {
  check_positional_count("setNumMaps", 2, a, count);
  MeshTarget m = mesh_to_change(a[0], "setNumMaps");
  int n = check_int_in_range(a[1], 1, kMaxMapChannel + 1, host::msg::kMapChannelOutOfRange);
  Value* keep = _get_key_arg_or_default(a, count, Name::intern("keep"), &false_value);
  m.mesh->setNumMaps(n, keep->to_bool());
  mesh_changed(m);
  return &ok;
}
Value* get_num_map_verts_cf(Value** a, int count) {
  check_arg_count("getNumMapVerts", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getNumMapVerts");
  return Integer::intern(m.mesh->getNumMapVerts(supported_channel(m, a[1])));
}
Value* set_num_map_verts_cf(Value** a, int count) {
  check_positional_count("setNumMapVerts", 3, a, count);
  MeshTarget m = mesh_to_change(a[0], "setNumMapVerts");
  int mp = supported_channel(m, a[1]);
  int n = a[2]->to_int();
  if (n < 0) throw RuntimeError(host::msg::kNegativeCount, a[2]);
  Value* keep = _get_key_arg_or_default(a, count, Name::intern("keep"), &false_value);
  m.mesh->setNumMapVerts(mp, n, keep->to_bool());
  mesh_changed(m);
  return &ok;
}
Value* get_num_map_faces_cf(Value** a, int count) {
  check_arg_count("getNumMapFaces", 2, count);
  MeshTarget m = mesh_to_read(a[0], "getNumMapFaces");
  return Integer::intern(m.mesh->getNumMapFaces(supported_channel(m, a[1])));
}
Value* get_map_vert_cf(Value** a, int count) {
  check_arg_count("getMapVert", 3, count);
  MeshTarget m = mesh_to_read(a[0], "getMapVert");
  int mp = supported_channel(m, a[1]);
  return new Point3Value(m.mesh->mapVerts(mp)[map_vert_index(m, mp, a[2])]);
}
Value* set_map_vert_cf(Value** a, int count) {
  check_arg_count("setMapVert", 4, count);
  MeshTarget m = mesh_to_change(a[0], "setMapVert");
  int mp = supported_channel(m, a[1]);
  int i = map_vert_index(m, mp, a[2]);
  m.mesh->mapVerts(mp)[i] = a[3]->to_point3();
  return &ok;
}
Value* get_map_face_cf(Value** a, int count) {
  check_arg_count("getMapFace", 3, count);
  MeshTarget m = mesh_to_read(a[0], "getMapFace");
  int mp = supported_channel(m, a[1]);
  int f = a[2]->to_int();
  if (f < 1 || f > m.mesh->getNumMapFaces(mp)) throw RuntimeError(host::msg::kFaceIndexOutOfRange, a[2]);
  const TVFace& tf = m.mesh->mapFaces(mp)[f - 1];
  return new Point3Value(Point3(static_cast<float>(tf.t[0] + 1), static_cast<float>(tf.t[1] + 1),
                                static_cast<float>(tf.t[2] + 1)));
}

Value* meshop_get_num_verts_cf(Value** a, int count) {
  check_arg_count("getNumVerts", 1, count);
  return Integer::intern(mesh_to_read(a[0], "getNumVerts").mesh->getNumVerts());
}
Value* meshop_get_num_faces_cf(Value** a, int count) {
  check_arg_count("getNumFaces", 1, count);
  return Integer::intern(mesh_to_read(a[0], "getNumFaces").mesh->getNumFaces());
}
// Object space, unless the mesh is a node or node: names one.
Value* meshop_get_vert_cf(Value** a, int count) {
  check_positional_count("getVert", 2, a, count);
  Value* node = _get_key_arg_or_default(a, count, Name::intern("node"), nullptr);
  MeshTarget m = mesh_to_read(a[0], "getVert");
  int i = a[1]->to_int();
  if (i < 1 || i > m.mesh->getNumVerts()) throw RuntimeError(host::msg::kVertexIndexOutOfRange, a[1]);
  Point3 p = m.mesh->getVert(i - 1);
  if (m.node == nullptr && node != nullptr && node != &unsupplied) {
    MeshTarget placed = mesh_to_read(node, "getVert");
    return new Point3Value(placed.to_script(p));
  }
  return new Point3Value(m.to_script(p));
}

// Source joins target: its points move into the target's object space, its
// faces, material IDs and map channels follow the target's, and a source
// node is deleted unless deleteSourceNode:false.
Value* attach_cf(Value** a, int count) {
  check_positional_count("attach", 2, a, count);
  Value* delete_source = _get_key_arg_or_default(a, count, Name::intern("deleteSourceNode"), &true_value);
  MeshTarget source = mesh_to_read(a[1], "attach");
  MeshTarget target = mesh_to_change(a[0], "attach");
  if (source.mesh == target.mesh) throw RuntimeError(host::msg::kAttachToItself, a[1]);
  TimeValue t = MAXScript_time();
  Matrix3 source_tm = source.node != nullptr ? source.node->GetObjectTM(t) : Matrix3::Identity();
  Matrix3 into_target = Matrix3::Identity();
  if (target.node != nullptr && !Inverse(target.node->GetObjectTM(t), &into_target))
    into_target = Matrix3::Identity();
  Matrix3 tm = source_tm * into_target;
  CombineMeshes(*target.mesh, *target.mesh, *source.mesh, nullptr, &tm);
  mesh_changed(target);
  if (source.node != nullptr && delete_source->to_bool()) Scene::get().DeleteNode(source.node);
  return &ok;
}

Primitive get_map_support_pf("getMapSupport", "meshop", get_map_support_cf);
Primitive set_map_support_pf("setMapSupport", "meshop", set_map_support_cf);
Primitive get_num_maps_pf("getNumMaps", "meshop", get_num_maps_cf);
Primitive set_num_maps_pf("setNumMaps", "meshop", set_num_maps_cf);
Primitive get_num_map_verts_pf("getNumMapVerts", "meshop", get_num_map_verts_cf);
Primitive set_num_map_verts_pf("setNumMapVerts", "meshop", set_num_map_verts_cf);
Primitive get_num_map_faces_pf("getNumMapFaces", "meshop", get_num_map_faces_cf);
Primitive get_map_vert_pf("getMapVert", "meshop", get_map_vert_cf);
Primitive set_map_vert_pf("setMapVert", "meshop", set_map_vert_cf);
Primitive get_map_face_pf("getMapFace", "meshop", get_map_face_cf);
Primitive get_num_verts_pf("getNumVerts", "meshop", meshop_get_num_verts_cf);
Primitive get_num_faces_pf("getNumFaces", "meshop", meshop_get_num_faces_cf);
Primitive get_vert_pf("getVert", "meshop", meshop_get_vert_cf);
Primitive attach_pf("attach", "meshop", attach_cf);

}  // namespace
