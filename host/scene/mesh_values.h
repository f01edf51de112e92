// Meshes as scripts reach them: nodes whose object is a mesh (or converts to
// one), Editable_mesh objects, and TriMesh values.
#pragma once

#include <memory>

#include "host/mesh.h"
#include "host/triobject.h"
#include "node_values.h"

extern ValueMetaClass Editable_Mesh_class;
extern ValueMetaClass TriMesh_class;

// A mesh a script holds on its own (snapshotAsMesh, $b.mesh): a copy.
class TriMeshValue : public Value {
 public:
  explicit TriMeshValue(const Mesh& m);
  Mesh& mesh() { return mesh_; }
  void sprin1(CharStream* s) override;
  // Tells the collector how much memory the copy takes after a change.
  void size_changed();

 private:
  Mesh mesh_;
  ExternalBytes bytes_;
};

struct ObjectDeleter {
  void operator()(Object* o) const {
    if (o != nullptr) o->DeleteThis();
  }
};

// The mesh a script mesh function works on, and how its points map to the
// script's working coordinates (object space for objects and TriMesh values;
// for a node, its object transform into the coordsys context, world by default).
struct MeshTarget {
  Mesh* mesh = nullptr;
  INode* node = nullptr;
  TriMeshValue* trimesh = nullptr;
  Matrix3 to_working = Matrix3::Identity();
  std::unique_ptr<Object, ObjectDeleter> converted;  // a node's mesh made for reading

  Point3 to_script(const Point3& p) const { return p * to_working; }
  Point3 from_script(const Point3& p) const;
  Point3 normal_to_script(const Point3& n) const;
};

// Any node whose object converts to a mesh, an Editable_mesh object or a
// TriMesh; anything else raises "No "<fn>" function for <v>".
MeshTarget mesh_to_read(Value* v, const char* fn);
// An Editable_mesh node or object, or a TriMesh. The first change to an
// editable mesh within a hold records its mesh for undo.
MeshTarget mesh_to_change(Value* v, const char* fn);
// The mesh's changes are done: caches follow (update).
void mesh_changed(MeshTarget& target);

// Node properties of every geometry node: .mesh (a TriMesh copy of its
// object's mesh in object space), and of editable meshes .numverts / .numfaces.
Value* get_node_mesh(Value* self);
