// Parameter lists, and the primitive objects' creation parameters.
#include "host/simple_objects.h"

#include <strings.h>

#include <algorithm>
#include <cmath>

#include "host/hold.h"

class ParamRestore : public RestoreObj {
 public:
  ParamRestore(ParamList* params, int index)
      : params_(params), index_(index), value_(params->values_[index]) {}
  void Restore(int) override { std::swap(params_->values_[index_], value_); }
  void Redo() override { std::swap(params_->values_[index_], value_); }

 private:
  ParamList* params_;
  int index_;
  float value_;
};

ParamList::ParamList(std::vector<SimpleParamDef> defs) : defs_(std::move(defs)) {
  for (const SimpleParamDef& d : defs_) values_.push_back(d.default_value);
}

int ParamList::FindParam(const char* name) const {
  for (int i = 0; i < NumParams(); ++i)
    if (strcasecmp(defs_[i].name, name) == 0) return i;
  return -1;
}

void ParamList::SetValue(int i, float value) {
  if (defs_[i].is_int) {
    // Not a number, or beyond what an int holds, must not reach the cast.
    double v = std::isnan(value) ? defs_[i].least : std::clamp<double>(value, defs_[i].least, 2147483520.0);
    value = static_cast<float>(static_cast<int>(v));
  }
  if (theHold.Holding()) theHold.Put(new ParamRestore(this, i));
  values_[i] = value;
}

BoxObject::BoxObject()
    : SimpleObject("Box", {{"length", false, 25},
                           {"width", false, 25},
                           {"height", false, 25},
                           {"lengthsegs", true, 1, 1},
                           {"widthsegs", true, 1, 1},
                           {"heightsegs", true, 1, 1}}) {}

SphereObject::SphereObject() : SimpleObject("Sphere", {{"radius", false, 25}, {"segs", true, 16, 4}}) {}

CylinderObject::CylinderObject()
    : SimpleObject("Cylinder", {{"radius", false, 15},
                                {"height", false, 25},
                                {"heightsegs", true, 1, 1},
                                {"capsegs", true, 1, 1},
                                {"sides", true, 24, 3}}) {}

PlaneObject::PlaneObject()
    : SimpleObject("Plane", {{"length", false, 25},
                             {"width", false, 25},
                             {"lengthsegs", true, 4, 1},
                             {"widthsegs", true, 4, 1}}) {}

TeapotObject::TeapotObject()
    : SimpleObject("Teapot", {{"radius", false, 25},
                              {"segs", true, 4, 1},
                              {"smooth", true, 1, 0, true},
                              {"body", true, 1, 0, true},
                              {"handle", true, 1, 0, true},
                              {"spout", true, 1, 0, true},
                              {"lid", true, 1, 0, true},
                              {"mapcoords", true, 0, 0, true}}) {}
