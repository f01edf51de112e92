// The LookAt controller: aiming, its parts, and its target's undo record.
#include "look_at_controller.h"

#include <algorithm>
#include <cmath>

#include "host/hold.h"
#include "host/inode.h"

namespace host::scene {

namespace {

const char* const kSubNames[3] = {"Position", "Roll_Angle", "Scale"};

// Swaps the controller's target with the one it keeps.
class LookAtTargetRestore : public RestoreObj {
 public:
  LookAtTargetRestore(LookAtController* controller, INode* target)
      : controller_(controller), target_(target) {}
  void Restore(int) override { swap(); }
  void Redo() override { swap(); }
  std::string Description() override { return "Target"; }

 private:
  void swap() {
    INode* current = controller_->target();
    theHold.Suspend();
    controller_->set_target(target_);
    theHold.Resume();
    target_ = current;
  }
  LookAtController* controller_;
  INode* target_;
};

// The rotation whose -Z axis points from `from` to `to`; the identity when
// they are one place (or not numbers).
Matrix3 aim(const Point3& from, const Point3& to) {
  Point3 dir = to - from;
  float length = Length(dir);
  if (!(length > 0.0f) || !std::isfinite(length)) return Matrix3::Identity();
  Point3 z = -(dir / length);
  Point3 x = CrossProd(Point3(0, 0, 1), z);
  float x_length = Length(x);
  // Straight up or down the world's up gives no side direction: X stays the world's.
  x = x_length > 1e-6f ? x / x_length : Point3(1, 0, 0);
  return Matrix3(x, CrossProd(z, x), z, Point3());
}

}  // namespace

LookAtController::LookAtController(INode* owner, const Matrix3& initial, INode* target) : owner_(owner) {
  Point3 pos, scale;
  Quat rot;
  decompose(initial, pos, rot, scale);
  position_ = make_bezier_position(pos);
  roll_ = make_bezier_float(0.0f);
  scale_ = make_bezier_scale(scale);
  listen();
  aim_at(target);
}

LookAtController::~LookAtController() {
  aim_at(nullptr);
  position_->UnregisterDependent(this);
  roll_->UnregisterDependent(this);
  scale_->UnregisterDependent(this);
}

void LookAtController::listen() {
  position_->RegisterDependent(this);
  roll_->RegisterDependent(this);
  scale_->RegisterDependent(this);
}

void LookAtController::aim_at(INode* node) {
  if (target_ != nullptr) target_->UnregisterDependent(this);
  target_ = node;
  if (target_ != nullptr) target_->RegisterDependent(this);
}

void LookAtController::set_target(INode* node) {
  if (node == target_) return;
  if (theHold.Holding()) theHold.Put(new LookAtTargetRestore(this, target_));
  aim_at(node);
  NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}

RefResult LookAtController::NotifyRefChanged(const Interval&, Animatable* hTarget, PartID&,
                                             RefMessage message) {
  // The target is being freed: it no longer counts as one.
  if (message == REFMSG_TARGET_DELETED && hTarget == target_) {
    target_->UnregisterDependent(this);
    target_ = nullptr;
    return REF_STOP;
  }
  return REF_SUCCEED;
}

Matrix3 LookAtController::world_tm(TimeValue t, const Matrix3& parent_world, const Point3* target_pos) const {
  Point3 place = position_->value_at(t) * parent_world;
  Matrix3 turn = target_pos != nullptr ? aim(place, *target_pos) : Matrix3::Identity();
  turn.SetTrans(place);
  return ScaleMatrix(scale_->value_at(t)) * RotateZMatrix(roll_->value_at(t)) * turn;
}

void LookAtController::GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method) {
  Matrix3 m;
  if (owner_ != nullptr) {
    // The owner knows its parent's and its target's places.
    Matrix3 parent =
        owner_->GetParentNode() != nullptr ? owner_->GetParentNode()->GetNodeTM(t) : Matrix3::Identity();
    Matrix3 inverse;
    m = Inverse(parent, &inverse) ? owner_->GetNodeTM(t) * inverse : owner_->GetNodeTM(t);
  } else {
    m = world_tm(t, Matrix3::Identity(), nullptr);
  }
  // Whatever the keys, the target may move at any time.
  valid &= Interval(t, t);
  Matrix3* out = static_cast<Matrix3*>(val);
  *out = method == CTRL_RELATIVE ? m * *out : m;
}

void LookAtController::SetValue(TimeValue t, void* val, int commit, GetSetMethod method) {
  Matrix3 m = *static_cast<Matrix3*>(val);
  if (method == CTRL_RELATIVE) {
    Matrix3 current;
    Interval valid = FOREVER;
    GetValue(t, &current, valid);
    m = m * current;
  }
  Point3 pos, scale;
  Quat rot;
  decompose(m, pos, rot, scale);
  // Only the parts that change take the value, so a move plants no scale key.
  if (!(pos == position_->value_at(t))) position_->SetValue(t, &pos, commit);
  Point3 old_scale = scale_->value_at(t);
  if (Length(scale - old_scale) > 1e-6f * std::max(1.0f, Length(old_scale)))
    scale_->SetValue(t, &scale, commit);
}

Control* LookAtController::SubControl(int i) {
  switch (i) {
    case 0:
      return position_.get();
    case 1:
      return roll_.get();
    case 2:
      return scale_.get();
    default:
      return nullptr;
  }
}

const char* LookAtController::SubName(int i) { return i >= 0 && i < 3 ? kSubNames[i] : ""; }

BOOL LookAtController::IsAnimated() {
  return position_->IsAnimated() || roll_->IsAnimated() || scale_->IsAnimated();
}

std::unique_ptr<LookAtController> LookAtController::clone(INode* owner) const {
  auto copy = std::make_unique<LookAtController>(owner, Matrix3::Identity(), target_);
  copy->position_->UnregisterDependent(copy.get());
  copy->roll_->UnregisterDependent(copy.get());
  copy->scale_->UnregisterDependent(copy.get());
  copy->position_ = position_->clone();
  copy->roll_ = roll_->clone();
  copy->scale_ = scale_->clone();
  copy->listen();
  return copy;
}

}  // namespace host::scene
