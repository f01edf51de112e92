// The base of everything the scene is made of: class identity, interfaces
// and flags (Animatable), and the objects nodes refer to (Object).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host/app_data.h"
#include "host/interval.h"
#include "host/plugin_classes.h"

// Superclasses of scene objects.
constexpr SClass_ID GEOMOBJECT_CLASS_ID = 0x10;
constexpr SClass_ID CAMERA_CLASS_ID = 0x20;
constexpr SClass_ID LIGHT_CLASS_ID = 0x30;
constexpr SClass_ID SHAPE_CLASS_ID = 0x40;
constexpr SClass_ID HELPER_CLASS_ID = 0x50;

// Animatable flag bits.
// Set while an undo record of the object is held in the current hold, so a
// second change within the hold records nothing more.
constexpr DWORD A_HELD = 0x1000;

// Change notification: which parts of an object changed, and how.
using PartID = DWORD;
using RefMessage = unsigned int;
enum RefResult { REF_FAIL = 0, REF_SUCCEED = 1, REF_DONTCARE = 2, REF_STOP = 3 };
constexpr PartID PART_ALL = 0x800037FF;
constexpr RefMessage REFMSG_CHANGE = 0x102;
// Sent by an object about to be freed, so what refers to it lets it go.
constexpr RefMessage REFMSG_TARGET_DELETED = 0x20;
// A super class mask that lets every dependent hear a notification.
constexpr SClass_ID NOTIFY_ALL = 0xFFFFFFF0;

// Keyframe queries on things that have no keys.
constexpr int NOT_KEYFRAMEABLE = -1;

class ParamList;

class Animatable {
 public:
  Animatable() = default;
  Animatable(const Animatable&) = delete;
  Animatable& operator=(const Animatable&) = delete;
  virtual ~Animatable();

  virtual Class_ID ClassID() = 0;
  virtual SClass_ID SuperClassID() = 0;
  virtual void GetClassName(std::string& s) = 0;
  // Whether the object is of that class or derives from it.
  virtual BOOL IsSubClassOf(Class_ID classID) { return classID == ClassID() ? TRUE : FALSE; }
  // An interface the object offers by its id, or null.
  virtual void* GetInterface(ULONG id) {
    (void)id;
    return nullptr;
  }
  // The object's named parameters (host/param_list.h), or null.
  virtual ParamList* GetParamList() { return nullptr; }
  // A copy of the object with its own parameters (what copying a node or a
  // modifier makes), which the caller owns; null for classes that cannot
  // be copied.
  virtual Animatable* Clone() { return nullptr; }
  // Frees the object; whoever owns it calls this instead of delete.
  virtual void DeleteThis() { delete this; }
  // The objects this one refers to (a light's projector map, a material's
  // maps, ...); a slot may be empty.
  virtual int NumRefs() { return 0; }
  virtual Animatable* GetReference(int i) {
    (void)i;
    return nullptr;
  }

  // Keys: how many (NOT_KEYFRAMEABLE when it cannot have any) and when.
  virtual int NumKeys() { return NOT_KEYFRAMEABLE; }
  virtual TimeValue GetKeyTime(int index) {
    (void)index;
    return 0;
  }
  virtual BOOL IsAnimated() { return FALSE; }

  // Dependents are what must hear when this object changes (a node hears its
  // controllers). A dependent registers itself and unregisters before it
  // goes; the object does not own its dependents.
  void RegisterDependent(Animatable* dependent);
  void UnregisterDependent(Animatable* dependent);
  // Tells each dependent whose super class passes sclass (NOTIFY_ALL: every
  // one) that this object changed; with propagate, each passes it on to its
  // own dependents unless it answers REF_STOP.
  RefResult NotifyDependents(Interval changeInt, PartID partID, RefMessage message,
                             SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                             Animatable* hTarg = nullptr);
  // What a dependent does when something it depends on changed.
  virtual RefResult NotifyRefChanged(const Interval& changeInt, Animatable* hTarget, PartID& partID,
                                     RefMessage message) {
    (void)changeInt;
    (void)hTarget;
    (void)partID;
    (void)message;
    return REF_SUCCEED;
  }

  void SetAFlag(DWORD mask) { aflag_ |= mask; }
  void ClearAFlag(DWORD mask) { aflag_ &= ~mask; }
  bool TestAFlag(DWORD mask) const { return (aflag_ & mask) != 0; }

  // App data (host/app_data.h). Add takes data (malloc'ed) and keeps every
  // chunk added, even several under one key; Get finds the first added of a
  // key, or null; Remove frees that one and says whether there was one.
  void AddAppDataChunk(Class_ID cid, SClass_ID sid, DWORD sbid, DWORD len, void* data);
  AppDataChunk* GetAppDataChunk(Class_ID cid, SClass_ID sid, DWORD sbid);
  BOOL RemoveAppDataChunk(Class_ID cid, SClass_ID sid, DWORD sbid);
  void ClearAllAppData();
  // The chunks in the order they were added; read them under an AppDataLock.
  int NumAppDataChunks() const { return static_cast<int>(app_data_.size()); }
  AppDataChunk* GetAppDataChunkByIndex(int i) const {
    return i >= 0 && i < NumAppDataChunks() ? app_data_[i].get() : nullptr;
  }

 private:
  DWORD aflag_ = 0;
  std::vector<std::unique_ptr<AppDataChunk>> app_data_;
  std::vector<Animatable*> dependents_;
};

// What a scene node shows: geometry, a shape, a camera, a light, a helper.
class Object : public Animatable {
 public:
  // Nonzero when the renderer draws the object.
  virtual int IsRenderable() = 0;
  // Nonzero when the object's points can be moved one by one (a mesh).
  virtual int IsDeformable() { return 0; }
  // The object at the bottom of its modifier stack: itself unless it is a
  // derived object (host/modifiers.h).
  virtual Object* FindBaseObject() { return this; }
  // Whether the object can give itself as an object of class obtype
  // (triObjectClassID: a triangle mesh).
  virtual int CanConvertToType(Class_ID obtype) {
    (void)obtype;
    return 0;
  }
  // The object as one of class obtype at time t: the object itself when it
  // is of that class already, else a new object the caller deletes with
  // DeleteThis; null when it cannot convert.
  virtual Object* ConvertToType(TimeValue t, Class_ID obtype) {
    (void)t;
    (void)obtype;
    return nullptr;
  }
};

// What a node evaluates to at a time: its object at the top of its stack.
struct ObjectState {
  Object* obj = nullptr;
};

class GeomObject : public Object {
 public:
  SClass_ID SuperClassID() override { return GEOMOBJECT_CLASS_ID; }
  int IsRenderable() override { return 1; }
};
