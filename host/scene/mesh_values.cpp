// TriMesh values, Editable_mesh nodes, and how mesh functions find the mesh
// they work on.
#include "mesh_values.h"

#include "host/checks.h"
#include "host/hold.h"
#include "host/properties.h"
#include "host/script_context.h"
#include "host/script_time.h"
#include "host/streams.h"
#include "host/values.h"
#include "scene_internal.h"

namespace {

// Records an editable mesh's whole mesh before its first change in a hold.
class MeshRestore : public RestoreObj {
 public:
  explicit MeshRestore(TriObject* object) : object_(object), saved_(object->GetMesh()) {
    object_->SetAFlag(A_HELD);
  }
  void Restore(int) override { swap(); }
  void Redo() override { swap(); }
  void EndHold() override { object_->ClearAFlag(A_HELD); }
  int Size() override {
    return static_cast<int>(sizeof(Point3) * saved_.getNumVerts() + sizeof(Face) * saved_.getNumFaces());
  }

 private:
  void swap() {
    Mesh current = object_->GetMesh();
    object_->GetMesh() = saved_;
    saved_ = std::move(current);
  }
  TriObject* object_;
  Mesh saved_;
};

void hold_mesh(TriObject* object) {
  if (theHold.Holding() && !object->TestAFlag(A_HELD)) theHold.Put(new MeshRestore(object));
}

std::size_t mesh_bytes(Mesh& m) {
  std::size_t bytes = sizeof(Point3) * m.getNumVerts() + sizeof(Face) * m.getNumFaces();
  for (int mp = 0; mp < m.getNumMaps(); ++mp)
    if (m.mapSupport(mp))
      bytes += sizeof(UVVert) * m.getNumMapVerts(mp) + sizeof(TVFace) * m.getNumMapFaces(mp);
  return bytes;
}

// The frame of the innermost coordsys context, in world space.
Matrix3 working_frame(INode* node) {
  Value* system = MAXScript_coordsys();
  TimeValue t = MAXScript_time();
  if (system == nullptr) return Matrix3::Identity();
  if (is_node_value(system)) return node_arg(system, "coordsys")->GetNodeTM(t);
  if (system == Name::intern("local")) return node->GetNodeTM(t);
  if (system == Name::intern("parent")) return node->GetParentNode()->GetNodeTM(t);
  return Matrix3::Identity();
}

Matrix3 node_to_working(INode* node) {
  Matrix3 frame_inverse;
  if (!Inverse(working_frame(node), &frame_inverse)) frame_inverse = Matrix3::Identity();
  return node->GetObjectTM(MAXScript_time()) * frame_inverse;
}

[[noreturn]] void no_mesh_function(const char* fn, Value* v) { throw NoMethodError(fn, v); }

Value* get_numverts(Value* self) {
  return Integer::intern(mesh_to_read(self, "numverts").mesh->getNumVerts());
}
Value* get_numfaces(Value* self) {
  return Integer::intern(mesh_to_read(self, "numfaces").mesh->getNumFaces());
}
void set_mesh(Value* self, Value* v) {
  auto* source = check_class<TriMeshValue>(v, &TriMesh_class, "mesh");
  MeshTarget target = mesh_to_change(self, "mesh");
  *target.mesh = source->mesh();
  mesh_changed(target);
}

PropertyTable editable_mesh_properties{
    {"numverts", "integer", get_numverts},
    {"numfaces", "integer", get_numfaces},
    {"mesh", "TriMesh", get_node_mesh, set_mesh},
};

Value* make_editable_mesh(Value** arg_list, int count) {
  check_positional_count("Editable_mesh", 0, arg_list, count);
  return create_node_for(CreateNewTriObject(), arg_list, count);
}

}  // namespace

ValueMetaClass Editable_Mesh_class("Editable_mesh", &GeometryClass_class, make_editable_mesh,
                                   &editable_mesh_properties);
ValueMetaClass TriMesh_class("TriMesh");

TriMeshValue::TriMeshValue(const Mesh& m) : mesh_(m) {
  tag = &TriMesh_class;
  size_changed();
}

void TriMeshValue::sprin1(CharStream* s) { s->puts("TriMesh"); }

void TriMeshValue::size_changed() { bytes_.set(mesh_bytes(mesh_)); }

Point3 MeshTarget::from_script(const Point3& p) const {
  Matrix3 inverse;
  return Inverse(to_working, &inverse) ? p * inverse : p;
}

Point3 MeshTarget::normal_to_script(const Point3& n) const {
  return Normalize(VectorTransform(n, to_working));
}

namespace {

// The target's TriMesh, or its node or object: the node's evaluated object
// (for reading) or its base object (for changing). Null object for a TriMesh.
Object* resolve(Value* v, const char* fn, bool evaluated, MeshTarget& target) {
  if (auto* trimesh = dynamic_cast<TriMeshValue*>(v)) {
    target.mesh = &trimesh->mesh();
    target.trimesh = trimesh;
    return nullptr;
  }
  Object* object = nullptr;
  if (is_node_value(v)) {
    target.node = node_arg(v, fn);
    object = evaluated ? target.node->EvalWorldState(MAXScript_time()).obj
                       : target.node->GetObjectRef()->FindBaseObject();
    target.to_working = node_to_working(target.node);
  } else if (auto* wrapper = dynamic_cast<ObjectValue*>(v)) {
    wrapper->check_not_deleted();
    object = wrapper->base_object();
  }
  if (object == nullptr) no_mesh_function(fn, v);
  return object;
}

}  // namespace

MeshTarget mesh_to_read(Value* v, const char* fn) {
  MeshTarget target;
  Object* object = resolve(v, fn, true, target);
  if (target.trimesh != nullptr) return target;
  if (!object->CanConvertToType(triObjectClassID)) no_mesh_function(fn, v);
  Object* tri = object->ConvertToType(MAXScript_time(), triObjectClassID);
  if (tri == nullptr) no_mesh_function(fn, v);
  if (tri != object) target.converted.reset(tri);
  target.mesh = &static_cast<TriObject*>(tri)->GetMesh();
  return target;
}

MeshTarget mesh_to_change(Value* v, const char* fn) {
  MeshTarget target;
  Object* object = resolve(v, fn, false, target);
  if (target.trimesh != nullptr) return target;
  auto* tri = dynamic_cast<TriObject*>(object);
  if (tri == nullptr) no_mesh_function(fn, v);
  hold_mesh(tri);
  target.mesh = &tri->GetMesh();
  return target;
}

void mesh_changed(MeshTarget& target) {
  target.mesh->InvalidateGeomCache();
  target.mesh->InvalidateTopologyCache();
  if (target.trimesh != nullptr) target.trimesh->size_changed();
}

Value* get_node_mesh(Value* self) {
  MeshTarget target = mesh_to_read(self, "mesh");
  return new TriMeshValue(*target.mesh);
}
