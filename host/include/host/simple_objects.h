// The primitive geometry objects (box, sphere, cylinder, plane): each keeps
// its creation parameters; the mesh they stand for is built from those.
#pragma once

#include <string>
#include <vector>

#include "host/animatable.h"
#include "host/mesh.h"
#include "host/param_list.h"

constexpr ULONG BOXOBJ_CLASS_ID = 0x10;
constexpr ULONG SPHERE_CLASS_ID = 0x11;
constexpr ULONG CYLINDER_CLASS_ID = 0x12;
inline const Class_ID TEAPOT_CLASS_ID{0xacad13d3, 0xacad26d9};
inline const Class_ID PLANE_CLASS_ID{0x81f1dfc, 0x77566f65};

class SimpleObject : public GeomObject {
 public:
  int NumParams() const { return params_.NumParams(); }
  const SimpleParamDef& GetParamDef(int i) const { return params_.GetParamDef(i); }
  // The parameter of that name (case-insensitive), or -1.
  int FindParam(const char* name) const { return params_.FindParam(name); }
  float GetFloat(int i) const { return params_.GetFloat(i); }
  int GetInt(int i) const { return params_.GetInt(i); }
  // Sets a parameter (an integer one is truncated and kept at least at its
  // least value); while theHold is holding, the change can be undone.
  void SetValue(int i, float value) { params_.SetValue(i, value); }
  ParamList* GetParamList() override { return &params_; }
  void GetClassName(std::string& s) override { s = class_name_; }
  // A primitive converts to a new triangle-mesh object built from its
  // parameters; the caller deletes it.
  int CanConvertToType(Class_ID obtype) override;
  Object* ConvertToType(TimeValue t, Class_ID obtype) override;
  // The mesh the parameters stand for.
  virtual void BuildMesh(Mesh& mesh) const = 0;

 protected:
  SimpleObject(const char* class_name, std::vector<SimpleParamDef> defs)
      : class_name_(class_name), params_(std::move(defs)) {}

 private:
  const char* class_name_;
  ParamList params_;
};

class BoxObject : public SimpleObject {
 public:
  enum { kLength, kWidth, kHeight, kLengthSegs, kWidthSegs, kHeightSegs };
  BoxObject();
  void BuildMesh(Mesh& mesh) const override;
  Animatable* Clone() override { return clone_with_params(*this); }
  Class_ID ClassID() override { return Class_ID(BOXOBJ_CLASS_ID, 0); }
};

class SphereObject : public SimpleObject {
 public:
  enum { kRadius, kSegs };
  SphereObject();
  void BuildMesh(Mesh& mesh) const override;
  Animatable* Clone() override { return clone_with_params(*this); }
  Class_ID ClassID() override { return Class_ID(SPHERE_CLASS_ID, 0); }
};

class CylinderObject : public SimpleObject {
 public:
  enum { kRadius, kHeight, kHeightSegs, kCapSegs, kSides };
  CylinderObject();
  void BuildMesh(Mesh& mesh) const override;
  Animatable* Clone() override { return clone_with_params(*this); }
  Class_ID ClassID() override { return Class_ID(CYLINDER_CLASS_ID, 0); }
};

class PlaneObject : public SimpleObject {
 public:
  enum { kLength, kWidth, kLengthSegs, kWidthSegs };
  PlaneObject();
  void BuildMesh(Mesh& mesh) const override;
  Animatable* Clone() override { return clone_with_params(*this); }
  Class_ID ClassID() override { return PLANE_CLASS_ID; }
};

class TeapotObject : public SimpleObject {
 public:
  enum { kRadius, kSegs, kSmooth, kBody, kHandle, kSpout, kLid, kMapCoords };
  TeapotObject();
  void BuildMesh(Mesh& mesh) const override;
  Animatable* Clone() override { return clone_with_params(*this); }
  Class_ID ClassID() override { return TEAPOT_CLASS_ID; }
};
