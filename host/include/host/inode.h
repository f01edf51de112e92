// Scene nodes: a name, a place in the hierarchy, a transform, the object
// they show and their display and render flags. The scene (host/core_interface.h)
// makes and deletes them; while theHold is holding, every change a node's
// setters make is recorded so undo and redo restore it.
//
// A node's transform is fixed until something asks for its transform
// controller (host/control.h); from then on the controller gives it at each
// time, and setting it while animating plants keys.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host/animatable.h"
#include "host/geometry.h"
#include "host/strclass.h"
#include "host/value.h"

class Control;
class Mtl;
namespace host::scene {
class LookAtController;
}

// Nodes' super class and class id.
constexpr SClass_ID BASENODE_CLASS_ID = 0x1;

class INode : public Animatable {
 public:
  ~INode() override;

  Class_ID ClassID() override { return Class_ID(BASENODE_CLASS_ID, 0); }
  SClass_ID SuperClassID() override { return BASENODE_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "Node"; }

  const char* GetName() const { return name_.c_str(); }
  void SetName(const char* name);

  // The scene's root for top-level nodes; null for the root itself.
  INode* GetParentNode() const { return parent_; }
  int NumberOfChildren() const { return static_cast<int>(children_.size()); }
  INode* GetChildNode(int i) const { return children_[i]; }
  bool IsRootNode() const { return is_root_; }
  // Makes child a child of this node. With keepTM the child stays where it
  // is in the world; without, its transform relative to its parent is kept.
  // Attaching a node to itself or to one of its descendants, or to or from a
  // deleted node, does nothing.
  void AttachChild(INode* child, int keepTM = 1);
  // Makes the node a top-level node.
  void Detach(TimeValue t, int keepTM = 1);

  // The node's pivot in world space.
  Matrix3 GetNodeTM(TimeValue t) const;
  void SetNodeTM(TimeValue t, const Matrix3& tm);
  // Where the object sits: the object offset, then the node transform.
  Matrix3 GetObjectTM(TimeValue t) const;
  // The node's Position_Rotation_Scale controller, made on first request
  // from the node's transform (the node keeps it). Null for the root.
  Control* GetTMController();
  // Whether the transform has keys.
  bool TransformAnimated() const;
  // The node the transform aims at (a target spot's target) while that one
  // is in the scene; null for none.
  INode* GetTarget() const;
  // Makes the node aim at target (null: at nothing), giving it a LookAt
  // transform controller first if it has another (its keys go; its position
  // and scale at time 0 stay); recorded for undo. False, with nothing
  // changed, when target's transform depends on the node's.
  bool SetTarget(INode* target);
  // Whether other is this node or its transform depends on other's, through
  // parents and the targets of look-at transforms.
  bool TransformDependsOn(const INode* other) const;
  // The object's transform before world-space modifiers (GetObjectTM), and
  // after them: the identity while a world-space modifier (a space-warp
  // binding) is on the node's stack, as the evaluated mesh is then in world
  // space already.
  Matrix3 GetObjTMBeforeWSM(TimeValue t) const { return GetObjectTM(t); }
  Matrix3 GetObjTMAfterWSM(TimeValue t) const;
  Point3 GetObjOffsetPos() const { return offset_pos_; }
  void SetObjOffsetPos(const Point3& p);
  Quat GetObjOffsetRot() const { return offset_rot_; }
  void SetObjOffsetRot(const Quat& q);
  Point3 GetObjOffsetScale() const { return offset_scale_; }
  void SetObjOffsetScale(const Point3& s);

  Object* GetObjectRef() const { return object_; }
  // Makes the node show object (the node takes it) in place of its current
  // one, which is freed, or kept by theHold while it is holding so undo can
  // put it back.
  void SetObjectRef(Object* object);
  // The node's object as evaluated at time t: the object itself, or for a
  // node with modifiers the mesh they make of it, which the node keeps until
  // it is evaluated again (in world space when world-space modifiers are on
  // the stack). A particle system evaluates to itself, emitting from the
  // node's place, with the force fields of the warps it is bound to. Hidden
  // nodes evaluate too.
  ObjectState EvalWorldState(TimeValue t, BOOL evalHidden = TRUE) const;

  void Hide(BOOL on);
  int IsHidden() const { return hidden_ ? 1 : 0; }
  int CastShadows() const { return cast_shadows_ ? 1 : 0; }
  void SetCastShadows(BOOL on);
  int RcvShadows() const { return receive_shadows_ ? 1 : 0; }
  void SetRcvShadows(BOOL on);
  int Renderable() const { return renderable_ ? 1 : 0; }
  void SetRenderable(BOOL on);
  // A COLORREF: RGB(r, g, b).
  DWORD GetWireColor() const { return wire_color_; }
  void SetWireColor(DWORD color);
  int Selected() const { return selected_ ? 1 : 0; }
  // The node's material, or null; the node does not own it.
  Mtl* GetMtl() const { return mtl_; }
  void SetMtl(Mtl* mtl);
  // True once the node left the scene (deleted, or its creation undone).
  bool IsDeleted() const { return deleted_; }

  // Scene XRefs: other scene files this scene refers to, a list the root
  // node keeps (on other nodes it stays empty). Entries count from 0.
  int GetXRefFileCount() const { return static_cast<int>(xrefs_.size()); }
  // The entry's file name, or "" for an index outside the list.
  CStr GetXRefFile(int i) const;
  // Renames entry i; with reload, the file is read again at once (here: the
  // entry is resolved when the file exists), else it waits for a reload.
  // False for an index outside the list.
  BOOL SetXRefFile(int i, const char* file, BOOL reload);
  // Appends an entry; loadNow resolves it at once as SetXRefFile's reload does.
  BOOL AddNewXRefFile(const char* file, BOOL loadNow = TRUE);
  BOOL DeleteXRefFile(int i);
  // Whether the entry's file was read since it was last named (false for an
  // index outside the list).
  bool XRefFileResolved(int i) const;
  // An entry's number for as long as it is in the list, whatever its place.
  int XRefFileId(int i) const { return i >= 0 && i < GetXRefFileCount() ? xrefs_[i].id : 0; }

 private:
  friend class Scene;
  friend class NodeStateRestore;
  friend class NodeLinkRestore;
  friend class NodeExistenceRestore;
  friend class NodeObjectRestore;
  friend class NodeControllerRestore;
  friend class SceneFileAccess;

  // What undo restores of a node's own settings.
  struct State {
    std::string name;
    Matrix3 local_tm;
    Point3 offset_pos, offset_scale;
    Quat offset_rot;
    bool hidden, cast_shadows, receive_shadows, renderable;
    DWORD wire_color;
    Mtl* mtl;
  };

  INode(Object* object, bool is_root);
  State state() const;
  void set_state(const State& s);
  // Records the node's settings before a change, when holding.
  void hold_state();
  // Moves the node under new_parent at index (-1: last) with that local transform.
  void relink(INode* new_parent, int index, const Matrix3& local_tm);
  Matrix3 parent_tm(TimeValue t) const;
  // The transform relative to the parent at t.
  Matrix3 local_tm_at(TimeValue t) const;
  // What the node's own controller (or fixed transform) gives; for a
  // look-at transform local_tm_at needs the parent's and target's places too.
  Matrix3 own_tm_at(TimeValue t) const;
  host::scene::LookAtController* look_at() const;
  // GetNodeTM where a look-at transform is on the way: each node's world
  // transform once those it depends on are known.
  Matrix3 world_tm_through_targets(TimeValue t) const;
  void set_local_tm(TimeValue t, const Matrix3& local);

  std::string name_;
  INode* parent_ = nullptr;
  std::vector<INode*> children_;
  Matrix3 local_tm_ = Matrix3::Identity();  // relative to the parent
  Point3 offset_pos_;
  Quat offset_rot_;
  Point3 offset_scale_{1, 1, 1};
  Object* object_;  // owned; freed with DeleteThis
  bool is_root_;
  bool hidden_ = false, cast_shadows_ = true, receive_shadows_ = true, renderable_ = true;
  bool selected_ = false, deleted_ = false;
  DWORD wire_color_ = 0;
  struct XRefEntry {
    std::string file;
    bool resolved = false;
    int id = 0;
  };
  int next_xref_id_ = 1;
  std::vector<XRefEntry> xrefs_;
  struct ObjectDeleter {
    void operator()(Object* o) const { o->DeleteThis(); }
  };
  mutable std::unique_ptr<Object, ObjectDeleter> world_state_;  // the modifiers' result
  Mtl* mtl_ = nullptr;
  struct ControlDeleter {
    void operator()(Control* c) const;
  };
  std::unique_ptr<Control, ControlDeleter> tm_control_;  // null until asked for
};
