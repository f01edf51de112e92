// The primitive geometry objects (box, sphere, cylinder, plane): each keeps
// its creation parameters; the mesh they stand for is built from those.
#pragma once

#include <string>
#include <vector>

#include "host/animatable.h"
#include "host/mesh.h"

constexpr ULONG BOXOBJ_CLASS_ID = 0x10;
constexpr ULONG SPHERE_CLASS_ID = 0x11;
constexpr ULONG CYLINDER_CLASS_ID = 0x12;
inline const Class_ID PLANE_CLASS_ID{0x81f1dfc, 0x77566f65};

// One creation parameter: its script name, whether it holds an integer, its
// default and the least value it takes (integers only; larger ones are kept).
struct SimpleParamDef {
  const char* name;
  bool is_int;
  float default_value;
  int least = 0;
};

class SimpleObject : public GeomObject {
 public:
  int NumParams() const { return static_cast<int>(defs_.size()); }
  const SimpleParamDef& GetParamDef(int i) const { return defs_[i]; }
  // The parameter of that name (case-insensitive), or -1.
  int FindParam(const char* name) const;
  float GetFloat(int i) const { return values_[i]; }
  int GetInt(int i) const { return static_cast<int>(values_[i]); }
  // Sets a parameter (an integer one is truncated and kept at least at its
  // least value); while theHold is holding, the change can be undone.
  void SetValue(int i, float value);
  void GetClassName(std::string& s) override { s = class_name_; }
  // A primitive converts to a new triangle-mesh object built from its
  // parameters; the caller deletes it.
  int CanConvertToType(Class_ID obtype) override;
  Object* ConvertToType(TimeValue t, Class_ID obtype) override;
  // The mesh the parameters stand for.
  virtual void BuildMesh(Mesh& mesh) const = 0;

 protected:
  SimpleObject(const char* class_name, std::vector<SimpleParamDef> defs);

 private:
  friend class SimpleParamRestore;
  const char* class_name_;
  std::vector<SimpleParamDef> defs_;
  std::vector<float> values_;
};

class BoxObject : public SimpleObject {
 public:
  enum { kLength, kWidth, kHeight, kLengthSegs, kWidthSegs, kHeightSegs };
  BoxObject();
  void BuildMesh(Mesh& mesh) const override;
  Class_ID ClassID() override { return Class_ID(BOXOBJ_CLASS_ID, 0); }
};

class SphereObject : public SimpleObject {
 public:
  enum { kRadius, kSegs };
  SphereObject();
  void BuildMesh(Mesh& mesh) const override;
  Class_ID ClassID() override { return Class_ID(SPHERE_CLASS_ID, 0); }
};

class CylinderObject : public SimpleObject {
 public:
  enum { kRadius, kHeight, kHeightSegs, kCapSegs, kSides };
  CylinderObject();
  void BuildMesh(Mesh& mesh) const override;
  Class_ID ClassID() override { return Class_ID(CYLINDER_CLASS_ID, 0); }
};

class PlaneObject : public SimpleObject {
 public:
  enum { kLength, kWidth, kLengthSegs, kWidthSegs };
  PlaneObject();
  void BuildMesh(Mesh& mesh) const override;
  Class_ID ClassID() override { return PLANE_CLASS_ID; }
};
