// The LookAt transform controller: what turns a target spot (or any node
// given a target) toward its target node.
#pragma once

#include <memory>
#include <string>

#include "key_controllers.h"

class INode;

namespace host::scene {

// A node's transform that aims the node's -Z axis at a target node: a
// position (relative to the parent), a roll angle about the aiming axis (in
// radians) and a scale, each a key controller of its own. The node's Y axis
// leans toward the world's up (+Z); aimed straight up or down, the node's X
// axis stays the world's X. Without a target in the scene, or with one at
// the node's own place, the node is turned by its roll alone.
//
// The controller is one of the target's dependents, so a target that is
// freed leaves it aiming at nothing.
class LookAtController : public Control {
 public:
  // owner: the node whose transform it is; initial: that transform relative
  // to its parent (its position and scale are kept).
  LookAtController(INode* owner, const Matrix3& initial, INode* target);
  ~LookAtController() override;

  Class_ID ClassID() override { return Class_ID(LOOKAT_CONTROL_CLASS_ID, 0); }
  SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "LookAt"; }

  // val: a Matrix3, the owner's transform relative to its parent.
  void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) override;
  // Takes the position and scale of val (relative to the parent); the
  // rotation is the target's to decide.
  void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) override;
  Control* GetPositionController() override { return position_.get(); }
  Control* GetRollController() override { return roll_.get(); }
  Control* GetScaleController() override { return scale_.get(); }
  int NumSubs() override { return 3; }
  Control* SubControl(int i) override;
  const char* SubName(int i) override;
  BOOL IsAnimated() override;
  RefResult NotifyRefChanged(const Interval& changeInt, Animatable* hTarget, PartID& partID,
                             RefMessage message) override;

  // The node aimed at, in the scene or not (a deleted one undo may bring
  // back); null for none.
  INode* target() const { return target_; }
  // Aims at node (null: at nothing); recorded for undo while holding.
  void set_target(INode* node);
  // The owner's world transform, given its parent's and where the target is
  // (null: no target).
  Matrix3 world_tm(TimeValue t, const Matrix3& parent_world, const Point3* target_pos) const;
  // A new controller of owner with the same keys and target.
  std::unique_ptr<LookAtController> clone(INode* owner) const;

 private:
  void aim_at(INode* node);
  void listen();

  INode* owner_;
  INode* target_ = nullptr;
  std::unique_ptr<Point3KeyController> position_;
  std::unique_ptr<FloatKeyController> roll_;
  std::unique_ptr<Point3KeyController> scale_;
};

}  // namespace host::scene
