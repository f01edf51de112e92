// Modifiers and the modifier stack: a node with modifiers refers to a
// derived object that holds its base object and the modifiers above it; the
// node evaluates to the base object's mesh with each modifier applied, the
// lowest first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/animatable.h"
#include "host/box3.h"
#include "host/mesh.h"

// The parts of an object a modifier reads or changes (ChannelsUsed,
// ChannelsChanged).
using ChannelMask = DWORD;
constexpr ChannelMask TOPO_CHANNEL = 0x1;
constexpr ChannelMask GEOM_CHANNEL = 0x2;
constexpr ChannelMask TEXMAP_CHANNEL = 0x4;
constexpr ChannelMask MTL_CHANNEL = 0x8;
constexpr ChannelMask SELECT_CHANNEL = 0x10;
constexpr ChannelMask SUBSEL_TYPE_CHANNEL = 0x20;
constexpr ChannelMask DISP_ATTRIB_CHANNEL = 0x40;
constexpr ChannelMask VERTCOLOR_CHANNEL = 0x80;
constexpr ChannelMask GFX_DATA_CHANNEL = 0x100;
constexpr ChannelMask DISP_APPROX_CHANNEL = 0x200;
constexpr ChannelMask TM_CHANNEL = 0x400;
constexpr ChannelMask EXTENSION_CHANNEL = 0x2000;
constexpr ChannelMask GLOBMTL_CHANNEL = 0x80000000;

// Super classes: object-space modifiers, and derived objects.
constexpr SClass_ID OSM_CLASS_ID = 0x810;
constexpr SClass_ID GEN_DERIVOB_CLASS_ID = 0x2;
constexpr ULONG DERIVOB_CLASS_ID = 0x2;

// Where a modifier sits on an object: its gizmo frame (tm, object space to
// gizmo space; identity here) and the object's box when it was applied.
struct ModContext {
  Matrix3 tm = Matrix3::Identity();
  Box3 box;
};

class INode;

class Modifier : public Animatable {
 public:
  SClass_ID SuperClassID() override { return OSM_CLASS_ID; }
  virtual ChannelMask ChannelsUsed() = 0;
  virtual ChannelMask ChannelsChanged() = 0;
  // Changes the mesh of os->obj (a triangle-mesh object) at time t.
  virtual void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) = 0;

  // The name the modifier stack shows: the class name unless renamed.
  const std::string& GetName() const { return name_; }
  void SetName(const char* name) { name_ = name != nullptr ? name : ""; }
  // A disabled modifier is skipped when the stack is evaluated.
  bool IsEnabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }

 protected:
  explicit Modifier(const char* name) : name_(name) {}

 private:
  std::string name_;
  bool enabled_ = true;
};

// A base object with modifiers on it. Modifier 0 is the top of the stack.
class IDerivedObject : public Object {
 public:
  // Takes base (freed with this object unless handed back with TakeObjRef).
  explicit IDerivedObject(Object* base);
  ~IDerivedObject() override;

  Class_ID ClassID() override { return Class_ID(DERIVOB_CLASS_ID, 0); }
  SClass_ID SuperClassID() override { return GEN_DERIVOB_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "Derived Object"; }
  int IsRenderable() override { return base_ != nullptr ? base_->IsRenderable() : 0; }
  Object* FindBaseObject() override { return base_ != nullptr ? base_->FindBaseObject() : this; }
  // The base object's mesh with the enabled modifiers applied, lowest first:
  // always a new object the caller deletes.
  int CanConvertToType(Class_ID obtype) override {
    return base_ != nullptr ? base_->CanConvertToType(obtype) : 0;
  }
  Object* ConvertToType(TimeValue t, Class_ID obtype) override;
  // A copy of the base object with a copy of each modifier; null when one
  // of them cannot be copied.
  Animatable* Clone() override;

  int NumModifiers() const { return static_cast<int>(mods_.size()); }
  Modifier* GetModifier(int i) const { return i >= 0 && i < NumModifiers() ? mods_[i].mod.get() : nullptr; }
  ModContext* GetModContext(int i) const {
    return i >= 0 && i < NumModifiers() ? mods_[i].context.get() : nullptr;
  }
  Object* GetObjRef() const { return base_.get(); }
  // Puts base (taken) at the bottom of the stack in place of the one there.
  void SetObjRef(Object* base) { base_.reset(base); }
  // Puts mod (taken) at index (0 the top; -1 or past the end: the bottom).
  void AddModifier(Modifier* mod, ModContext* context, int index = 0);
  // Takes modifier i off the stack and gives it to the caller.
  Modifier* ReleaseModifier(int i, ModContext** context = nullptr);
  // Gives the base object to the caller; the derived object then holds none.
  Object* TakeObjRef() { return base_.release(); }

 private:
  struct Entry {
    std::unique_ptr<Modifier, void (*)(Modifier*)> mod;
    std::unique_ptr<ModContext> context;
  };
  std::unique_ptr<Object, void (*)(Object*)> base_;
  std::vector<Entry> mods_;
};
