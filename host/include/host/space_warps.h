// Space warps: scene objects that act on other nodes in world space once a
// node is bound to them. A warp gives a force field that moves particles
// (Gravity), or deforms the bound node's geometry (Space Ripple) through the
// world-space modifier that binding puts on the node's stack.
#pragma once

#include "host/modifiers.h"
#include "host/particles.h"

// The superclass of space-warp objects, and of the world-space modifiers
// that bind nodes to them.
constexpr SClass_ID WSM_OBJECT_CLASS_ID = 0x830;
constexpr SClass_ID WSM_CLASS_ID = 0x820;

class INode;

class WSMObject : public Object {
 public:
  SClass_ID SuperClassID() override { return WSM_OBJECT_CLASS_ID; }
  int IsRenderable() override { return 0; }
  // The force the warp shown by node exerts, as a new field the caller frees
  // with DeleteThis; null for warps that give none.
  virtual ForceField* GetForceField(INode* node) {
    (void)node;
    return nullptr;
  }
  // A new world-space modifier binding a node to the warp shown by node
  // (the caller owns it); null when the warp cannot be bound.
  virtual Modifier* CreateWSMMod(INode* node) = 0;
};

// A world-space modifier: ModifyObject runs after the node's object-space
// modifiers with the mesh already in world space, and is given the node.
class WSModifier : public Modifier {
 public:
  SClass_ID SuperClassID() override { return WSM_CLASS_ID; }

 protected:
  using Modifier::Modifier;
};
