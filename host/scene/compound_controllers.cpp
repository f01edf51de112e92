// Position_XYZ, Euler_XYZ and Position_Rotation_Scale: controllers made of
// sub-controllers, each of which keeps its own keys and undo records.
#include <algorithm>
#include <cmath>

#include "key_controllers.h"

namespace host::scene {

void decompose(const Matrix3& m, Point3& position, Quat& rotation, Point3& scale) {
  position = m.GetTrans();
  scale = Point3(Length(m.m[0]), Length(m.m[1]), Length(m.m[2]));
  // A mirroring matrix: negative scale on every axis leaves a proper rotation.
  if (m.Determinant() < 0) scale = scale * -1.0f;
  Matrix3 r = Matrix3::Identity();
  for (int i = 0; i < 3; ++i) r.m[i] = scale[i] != 0.0f ? m.m[i] * (1.0f / scale[i]) : r.m[i];
  rotation = MatrixToQuat(r);
}

namespace {

const char* const kPositionNames[3] = {"X_Position", "Y_Position", "Z_Position"};
const char* const kRotationNames[3] = {"X_Rotation", "Y_Rotation", "Z_Rotation"};
const char* const kPRSNames[3] = {"Position", "Rotation", "Scale"};

}  // namespace

XYZController::XYZController(Kind kind, const Point3& initial) : kind_(kind) {
  for (int i = 0; i < 3; ++i) {
    axes_[i] = make_bezier_float(initial[i]);
    axes_[i]->RegisterDependent(this);
  }
}

XYZController::~XYZController() {
  for (auto& a : axes_) a->UnregisterDependent(this);
}

std::unique_ptr<XYZController> XYZController::clone() const {
  auto copy = std::make_unique<XYZController>(kind_, Point3());
  for (int i = 0; i < 3; ++i) {
    copy->axes_[i]->UnregisterDependent(copy.get());
    copy->axes_[i] = axes_[i]->clone();
    copy->axes_[i]->RegisterDependent(copy.get());
  }
  return copy;
}

Class_ID XYZController::ClassID() {
  return kind_ == Kind::position ? IPOS_CONTROL_CLASS_ID : Class_ID(EULER_CONTROL_CLASS_ID, 0);
}

SClass_ID XYZController::SuperClassID() {
  return kind_ == Kind::position ? CTRL_POSITION_CLASS_ID : CTRL_ROTATION_CLASS_ID;
}

void XYZController::GetClassName(std::string& s) {
  s = kind_ == Kind::position ? "Position_XYZ" : "Euler_XYZ";
}

Point3 XYZController::angles_or_point_at(TimeValue t) const {
  return Point3(axes_[0]->value_at(t), axes_[1]->value_at(t), axes_[2]->value_at(t));
}

void XYZController::GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method) {
  Point3 p = angles_or_point_at(t);
  if (IsAnimated()) valid &= Interval(t, t);
  if (kind_ == Kind::position) {
    Point3* out = static_cast<Point3*>(val);
    *out = method == CTRL_RELATIVE ? *out + p : p;
    return;
  }
  float angles[3] = {p.x, p.y, p.z};
  Quat q = MatrixToQuat(EulerToMatrix(angles));
  Quat* out = static_cast<Quat*>(val);
  *out = method == CTRL_RELATIVE ? *out * q : q;
}

void XYZController::SetValue(TimeValue t, void* val, int commit, GetSetMethod method) {
  Point3 p;
  if (kind_ == Kind::position) {
    p = *static_cast<Point3*>(val);
    if (method == CTRL_RELATIVE) p = p + angles_or_point_at(t);
  } else {
    Quat q = *static_cast<Quat*>(val);
    if (method == CTRL_RELATIVE) {
      Quat current;
      Interval valid = FOREVER;
      GetValue(t, &current, valid);
      q = current * q;
    }
    float angles[3];
    MatrixToEuler(QuatToMatrix(q), angles);
    p = Point3(angles[0], angles[1], angles[2]);
  }
  for (int i = 0; i < 3; ++i) {
    float v = p[i];
    // An axis whose value does not change keeps its keys as they are.
    if (v == axes_[i]->value_at(t) && !(Animating() && axes_[i]->IsAnimated())) continue;
    axes_[i]->SetValue(t, &v, commit);
  }
}

Control* XYZController::SubControl(int i) { return i >= 0 && i < 3 ? axes_[i].get() : nullptr; }

const char* XYZController::SubName(int i) {
  if (i < 0 || i >= 3) return "";
  return kind_ == Kind::position ? kPositionNames[i] : kRotationNames[i];
}

std::vector<TimeValue> XYZController::key_times() {
  std::vector<TimeValue> times;
  for (auto& a : axes_)
    for (int k = 0; k < a->NumKeys(); ++k) times.push_back(a->GetKeyTime(k));
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  return times;
}

int XYZController::NumKeys() { return static_cast<int>(key_times().size()); }

TimeValue XYZController::GetKeyTime(int index) {
  std::vector<TimeValue> times = key_times();
  return index >= 0 && index < static_cast<int>(times.size()) ? times[static_cast<size_t>(index)] : 0;
}

BOOL XYZController::IsAnimated() {
  return axes_[0]->IsAnimated() || axes_[1]->IsAnimated() || axes_[2]->IsAnimated();
}

void XYZController::AddNewKey(TimeValue t) {
  for (auto& a : axes_) a->AddNewKey(t);
}

void XYZController::DeleteKeys() {
  for (auto& a : axes_) a->DeleteKeys();
}

PRSController::PRSController(const Matrix3& initial) {
  Point3 pos, scale;
  Quat rot;
  decompose(initial, pos, rot, scale);
  float angles[3];
  MatrixToEuler(QuatToMatrix(rot), angles);
  position_ = std::make_unique<XYZController>(XYZController::Kind::position, pos);
  rotation_ = std::make_unique<XYZController>(XYZController::Kind::euler_rotation,
                                              Point3(angles[0], angles[1], angles[2]));
  scale_ = make_bezier_scale(scale);
  listen();
}

PRSController::PRSController(std::unique_ptr<XYZController> position, std::unique_ptr<XYZController> rotation,
                             std::unique_ptr<Point3KeyController> scale)
    : position_(std::move(position)), rotation_(std::move(rotation)), scale_(std::move(scale)) {
  listen();
}

void PRSController::listen() {
  position_->RegisterDependent(this);
  rotation_->RegisterDependent(this);
  scale_->RegisterDependent(this);
}

std::unique_ptr<PRSController> PRSController::clone() const {
  return std::unique_ptr<PRSController>(
      new PRSController(position_->clone(), rotation_->clone(), scale_->clone()));
}

PRSController::~PRSController() {
  position_->UnregisterDependent(this);
  rotation_->UnregisterDependent(this);
  scale_->UnregisterDependent(this);
}

void PRSController::GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method) {
  Point3 pos;
  Quat rot;
  position_->GetValue(t, &pos, valid);
  rotation_->GetValue(t, &rot, valid);
  Point3 scale = scale_->value_at(t);
  if (scale_->IsAnimated()) valid &= Interval(t, t);
  Matrix3 m = ScaleMatrix(scale) * QuatToMatrix(rot) * TransMatrix(pos);
  Matrix3* out = static_cast<Matrix3*>(val);
  *out = method == CTRL_RELATIVE ? m * *out : m;
}

void PRSController::SetValue(TimeValue t, void* val, int commit, GetSetMethod method) {
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
  // Only the parts that change take the value, so a move plants no rotation
  // or scale keys.
  Point3 old_pos, old_scale = scale_->value_at(t);
  Quat old_rot;
  Interval valid = FOREVER;
  position_->GetValue(t, &old_pos, valid);
  rotation_->GetValue(t, &old_rot, valid);
  if (!(pos == old_pos)) position_->SetValue(t, &pos, commit);
  Matrix3 rot_now = QuatToMatrix(old_rot), rot_new = QuatToMatrix(rot);
  bool rotation_changed = false;
  for (int i = 0; i < 3; ++i)
    if (Length(rot_now.m[i] - rot_new.m[i]) > 1e-6f) rotation_changed = true;
  if (rotation_changed) rotation_->SetValue(t, &rot, commit);
  if (Length(scale - old_scale) > 1e-6f * std::max(1.0f, Length(old_scale)))
    scale_->SetValue(t, &scale, commit);
}

Control* PRSController::SubControl(int i) {
  switch (i) {
    case 0:
      return position_.get();
    case 1:
      return rotation_.get();
    case 2:
      return scale_.get();
    default:
      return nullptr;
  }
}

const char* PRSController::SubName(int i) { return i >= 0 && i < 3 ? kPRSNames[i] : ""; }

BOOL PRSController::IsAnimated() {
  return position_->IsAnimated() || rotation_->IsAnimated() || scale_->IsAnimated();
}

}  // namespace host::scene
