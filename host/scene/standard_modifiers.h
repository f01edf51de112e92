// The modifiers scripts can make: Bend, UVW Map and Volume Select. Each keeps
// its settings in a parameter list, so scripts read and set them by name.
#pragma once

#include "host/modifiers.h"
#include "host/param_list.h"

class ParamModifier : public Modifier {
 public:
  ParamList* GetParamList() override { return &params_; }
  void GetClassName(std::string& s) override { s = class_name_; }
  float Get(int i) const { return params_.GetFloat(i); }
  // A copy of this T with the same name, state and parameter values.
  template <typename T>
  T* clone_as() {
    T* copy = clone_with_params(static_cast<T&>(*this));
    copy->SetName(GetName().c_str());
    copy->SetEnabled(IsEnabled());
    return copy;
  }
  int GetInt(int i) const { return params_.GetInt(i); }

 protected:
  ParamModifier(const char* class_name, const char* name, std::vector<SimpleParamDef> defs)
      : Modifier(name), class_name_(class_name), params_(std::move(defs)) {}

 private:
  const char* class_name_;
  ParamList params_;
};

// Bends the object about its gizmo's Z axis (axis 2; 0 and 1 bend about X and
// Y): a point at height h turns by angle * h / H, where H is the height of the
// object's box, on a circle of radius H / angle; direction turns the plane
// of the bend about the axis.
class BendModifier : public ParamModifier {
 public:
  enum { kAngle, kDirection, kAxis };
  BendModifier();
  Animatable* Clone() override { return clone_as<BendModifier>(); }
  Class_ID ClassID() override { return Class_ID(0x00000010, 0x0000b3e1); }
  ChannelMask ChannelsUsed() override { return GEOM_CHANNEL | TOPO_CHANNEL; }
  ChannelMask ChannelsChanged() override { return GEOM_CHANNEL; }
  void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;
};

// Gives a map channel coordinates from the object's points: planar
// (maptype 0) across the gizmo's XY rectangle, or spherical (maptype 2).
// Channel 0 is the vertex colours.
class UVWMapModifier : public ParamModifier {
 public:
  enum { kMapType, kLength, kWidth, kHeight, kUTile, kVTile, kWTile, kMapChannel };
  UVWMapModifier();
  Animatable* Clone() override { return clone_as<UVWMapModifier>(); }
  Class_ID ClassID() override { return Class_ID(0x000f72b1, 0x00000000); }
  ChannelMask ChannelsUsed() override {
    return GEOM_CHANNEL | TOPO_CHANNEL | SELECT_CHANNEL | SUBSEL_TYPE_CHANNEL;
  }
  ChannelMask ChannelsChanged() override { return TEXMAP_CHANNEL | VERTCOLOR_CHANNEL; }
  void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;
};

// Selects the vertices (level 1) or faces (level 2) inside a box round the
// gizmo's centre of the given length, width and height; level 0 passes the
// whole object on.
class VolSelectModifier : public ParamModifier {
 public:
  enum { kLevel, kLength, kWidth, kHeight };
  VolSelectModifier();
  Animatable* Clone() override { return clone_as<VolSelectModifier>(); }
  Class_ID ClassID() override { return Class_ID(0x7fbc5c1d, 0x3a1b4c67); }
  ChannelMask ChannelsUsed() override {
    return GEOM_CHANNEL | TOPO_CHANNEL | SELECT_CHANNEL | SUBSEL_TYPE_CHANNEL;
  }
  ChannelMask ChannelsChanged() override { return SELECT_CHANNEL | SUBSEL_TYPE_CHANNEL; }
  void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;
};
