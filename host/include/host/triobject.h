// The triangle-mesh object: what scene objects convert to when a plug-in
// needs their mesh (an editable mesh in the scene).
#pragma once

#include "host/animatable.h"
#include "host/mesh.h"

constexpr ULONG TRIOBJ_CLASS_ID = 0x0009;
inline const Class_ID triObjectClassID{TRIOBJ_CLASS_ID, 0};
// The editable mesh: the triangle-mesh object the host makes for the scene.
constexpr ULONG EDITTRIOBJ_CLASS_ID = 0xE44F10B3;

// Every triangle-mesh object of this host is an editable mesh: its class id
// is the editable mesh's, and it is a subclass of the triangle-mesh class.
class TriObject : public GeomObject {
 public:
  Mesh mesh;
  Mesh& GetMesh() { return mesh; }

  Class_ID ClassID() override { return Class_ID(EDITTRIOBJ_CLASS_ID, 0); }
  BOOL IsSubClassOf(Class_ID classID) override {
    return classID == triObjectClassID || classID == ClassID() ? TRUE : FALSE;
  }
  void GetClassName(std::string& s) override { s = "Editable_mesh"; }
  int IsDeformable() override { return 1; }
  int CanConvertToType(Class_ID obtype) override { return obtype == triObjectClassID ? 1 : 0; }
  Animatable* Clone() override {
    auto* copy = new TriObject;
    copy->mesh = mesh;
    return copy;
  }
  // Itself: a triangle mesh needs no conversion.
  Object* ConvertToType(TimeValue, Class_ID obtype) override {
    return obtype == triObjectClassID ? this : nullptr;
  }
};

// A new, empty triangle-mesh object; the caller owns it (DeleteThis).
TriObject* CreateNewTriObject();
