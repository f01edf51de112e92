// The triangle-mesh object: what scene objects convert to when a plug-in
// needs their mesh (an editable mesh in the scene).
#pragma once

#include "host/animatable.h"
#include "host/mesh.h"

constexpr ULONG TRIOBJ_CLASS_ID = 0x0009;
inline const Class_ID triObjectClassID{TRIOBJ_CLASS_ID, 0};

class TriObject : public GeomObject {
 public:
  Mesh mesh;
  Mesh& GetMesh() { return mesh; }

  Class_ID ClassID() override { return triObjectClassID; }
  void GetClassName(std::string& s) override { s = "Editable_mesh"; }
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
