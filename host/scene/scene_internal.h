// The scene behind GetCOREInterface(): it owns the nodes in it, and the
// wrappers scripts see of them.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core_interface.h"
#include "host/host_objects.h"
#include "host/modifiers.h"

class Control;

// A node now shows an object of another class: its script value follows.
void node_changed_class(INode* node);

// Appends every node below node, each parent before its children.
void add_subtree(INode* node, std::vector<INode*>& out);

// Called with every scene object as it is freed, or nothing when null.
void set_animatable_destroy_hook(void (*hook)(Animatable*));

class Scene : public Interface {
 public:
  static Scene& get();
  ~Scene() override;

  TimeValue GetTime() override;
  INode* GetRootNode() override { return root_.get(); }
  INode* GetINodeByName(const char* name) override;
  INode* CreateObjectNode(Object* object) override;
  void DeleteNode(INode* node, BOOL redraw = TRUE) override;
  int GetSelNodeCount() override;
  INode* GetSelNode(int i) override;
  void SelectNode(INode* node, int clearSel = 1) override;
  void DeselectNode(INode* node) override;
  void ClearNodeSelection(BOOL redraw = TRUE) override;
  void* CreateInstance(SClass_ID superID, Class_ID classID) override;
  Renderer* GetCurrentRenderer(bool createRendererIfItDoesntExist = true) override;
  void AssignCurRenderer(Renderer* rend) override;
  Point3 GetAmbient(TimeValue t) override;
  void SetAmbient(TimeValue t, Point3 col) override;

  // Every node but the root, each parent before its children, siblings in
  // the order they were linked.
  std::vector<INode*> nodes() const;
  // Whether the node is in the scene now (not deleted, nor freed).
  bool contains(const INode* node) const;
  // base followed by one more than the highest three-digit number a node
  // named base### has: Box001, Box002, ...
  std::string unique_name(const std::string& base) const;
  // One script value for each node and object in the scene.
  WrapperRegistry& registry() { return registry_; }

  // Takes a node out of the scene (its wrappers become deleted ones) and
  // puts one back under parent at index; used by deletion and undo.
  // The wrappers a removal took out (either may be null); gc_mark them
  // while kept.
  struct HeldWrappers {
    HostObjectWrapper* node = nullptr;
    HostObjectWrapper* object = nullptr;
  };
  std::unique_ptr<INode> remove(INode* node, HeldWrappers* held = nullptr);
  // Gives a node put back into the scene its old script values again.
  void revive(INode* node, HeldWrappers& held);
  void insert(std::unique_ptr<INode> node, INode* parent, int index);
  // An object no node shows any more: freed, or kept to the end of the run
  // while undo entries might name it.
  void retire_object(Object* object);
  // Modifiers scripts made that are on no stack yet belong to the scene;
  // adopt takes one off that list when a stack takes it.
  void keep_loose_modifier(Modifier* mod);
  void adopt_modifier(Modifier* mod);
  // True when the modifier is on a stack already.
  bool modifier_in_use(Modifier* mod) const;
  // A modifier taken off its stack outside a hold: freed, or kept while
  // undo entries might name it.
  void retire_modifier(Modifier* mod);
  // Objects several holders share: the nodes of instances, the stacks of
  // references, undo records. share_object adds a holder; release_object
  // lets one go and is true when it was the last (who then frees it).
  void share_object(Object* object);
  bool release_object(Object* object);
  // The nodes in the scene that show object, in scene order.
  std::vector<INode*> nodes_showing(Object* object) const;
  // A new node showing object (taken) with source's settings, transform,
  // parent and material, named after it with the next free number;
  // recorded for undo like a creation.
  INode* clone_node(INode* source, Object* object);

  // Puts the node's object at the bottom of stack (taken), which the node
  // then refers to, and so do the node's instances.
  void wrap_in_stack(INode* node, IDerivedObject* stack, Object* base);
  // A controller no node uses any more (taken): kept to the end of the run,
  // as script values of it stay valid.
  void keep_controller(Control* control);

 private:
  friend class SceneFileAccess;
  Scene();
  std::unique_ptr<INode> root_;
  std::vector<std::unique_ptr<INode>> owned_;
  // Nodes deleted outside a hold while undo entries might still name them:
  // kept until the end of the run, so undoing such an entry finds them.
  std::vector<std::unique_ptr<INode>> kept_;
  struct ObjectDeleter {
    void operator()(Object* o) const { o->DeleteThis(); }
  };
  std::vector<std::unique_ptr<Object, ObjectDeleter>> kept_objects_;
  struct ModifierDeleter {
    void operator()(Modifier* m) const { m->DeleteThis(); }
  };
  std::vector<std::unique_ptr<Modifier, ModifierDeleter>> loose_modifiers_;
  std::vector<std::unique_ptr<Modifier, ModifierDeleter>> kept_modifiers_;
  struct ControlDeleter {
    void operator()(Control* c) const;
  };
  std::vector<std::unique_ptr<Control, ControlDeleter>> kept_controllers_;
  WrapperRegistry registry_;
  std::unordered_map<Object*, int> extra_holders_;  // holders beyond the first
};
