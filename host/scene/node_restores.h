// What theHold records of node changes, so undo and redo restore them.
// Each restore swaps the state it keeps with the node's current one; it
// runs only while the node is in the scene, which undo's newest-first order
// ensures.
#pragma once

#include <memory>

#include "host/hold.h"
#include "host/inode.h"
#include "scene_internal.h"

// A node's own settings: name, transform, flags, wire colour.
class NodeStateRestore : public RestoreObj {
 public:
  explicit NodeStateRestore(INode* node);
  void Restore(int isUndo) override;
  void Redo() override;

 private:
  void swap();
  INode* node_;
  INode::State state_;
};

// A node's parent, its place among the parent's children and its transform
// relative to the parent.
class NodeLinkRestore : public RestoreObj {
 public:
  NodeLinkRestore(INode* node, INode* parent, int index, const Matrix3& local_tm);
  void Restore(int isUndo) override;
  void Redo() override;

 private:
  void swap();
  INode* node_;
  INode* parent_;
  int index_;
  Matrix3 local_tm_;
};

// A node's presence in the scene: created (undo takes it out) or deleted
// (undo puts it back). While the node is out of the scene, the restore owns it.
class NodeExistenceRestore : public RestoreObj {
 public:
  // A node just created, in the scene.
  explicit NodeExistenceRestore(INode* created);
  // A node just deleted from under parent, where it was child number index.
  NodeExistenceRestore(std::unique_ptr<INode> deleted, INode* parent, int index,
                       const Scene::HeldWrappers& held);
  void Restore(int isUndo) override;
  void Redo() override;

 private:
  void take_out();
  void put_back();
  INode* node_;
  std::unique_ptr<INode> owned_;
  INode* parent_ = nullptr;
  int index_ = -1;
  bool created_;
  // The node's script values while it is out of the scene, so scripts
  // holding them see the node again when it comes back.
  Scene::HeldWrappers held_;
  static void mark(void* self);
  ScopedRootMarker marker_{mark, this};
};

// The object a node shows, replaced by another (convertToMesh): the restore
// owns whichever of the two the node does not show at the time.
class NodeObjectRestore : public RestoreObj {
 public:
  NodeObjectRestore(INode* node, Object* replaced);
  ~NodeObjectRestore() override;
  void Restore(int isUndo) override;
  void Redo() override;

 private:
  void swap();
  INode* node_;
  Object* other_;
};

// A node's transform controller replaced by another (a node given a
// target): the restore holds whichever the node does not use, and hands it
// to the scene to keep when it goes, as script values may still name it.
class NodeControllerRestore : public RestoreObj {
 public:
  NodeControllerRestore(INode* node, std::unique_ptr<Control, INode::ControlDeleter> replaced);
  ~NodeControllerRestore() override;
  void Restore(int isUndo) override;
  void Redo() override;

 private:
  INode* node_;
  std::unique_ptr<Control, INode::ControlDeleter> other_;
};
