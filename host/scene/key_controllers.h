// The host's controllers: key controllers of one value kind (Bezier_Float,
// Bezier_Position, Bezier_Point3, Bezier_Color, Bezier_Scale), and the
// compound ones nodes use (Position_XYZ, Euler_XYZ, Position_Rotation_Scale).
//
// Key controllers interpolate smoothly: a cubic through the keys whose slope
// at a key is the slope between its neighbours (flat at the first and last
// key); before the first key and after the last the value stays.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/control.h"

namespace host::scene {

template <typename T>
struct Key {
  TimeValue time;
  T value;
};

// A key controller's data: its keys in time order, and its value while it
// has none.
template <typename T>
struct KeyTrack {
  std::vector<Key<T>> keys;
  T constant{};
  T value_at(TimeValue t) const;
  // The key at t, or null.
  Key<T>* key_at(TimeValue t);
  void set_key(TimeValue t, const T& v);
};

// What one kind of key controller is called and gives.
struct KeyControllerKind {
  Class_ID class_id;
  SClass_ID super_class;
  const char* class_name;
};

template <typename T>
class KeyController : public Control, public IKeyableProperty {
 public:
  KeyController(const KeyControllerKind& kind, T initial);

  Class_ID ClassID() override { return kind_.class_id; }
  SClass_ID SuperClassID() override { return kind_.super_class; }
  void GetClassName(std::string& s) override { s = kind_.class_name; }
  void* GetInterface(ULONG id) override;

  void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) override;
  void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) override;
  int NumKeys() override { return static_cast<int>(track_.keys.size()); }
  TimeValue GetKeyTime(int index) override;
  BOOL IsAnimated() override { return track_.keys.empty() ? FALSE : TRUE; }
  void AddNewKey(TimeValue t) override;
  void DeleteKeys() override;

  // IKeyableProperty
  Control* GetController() override { return this; }
  BOOL IsKeyable() override { return (flags_ & KEYABLE_PROP_NOT_KEYABLE) == 0; }
  void SetKeyable(BOOL keyable) override;
  DWORD GetFlags() override { return flags_; }
  DWORD* GetFlagWord() override { return &flags_; }

  T value_at(TimeValue t) const { return track_.value_at(t); }
  // A new controller of the same kind with the same keys and flags.
  std::unique_ptr<KeyController> clone() const;
  const KeyTrack<T>& track() const { return track_; }
  // Replaces the track whole (undo, scene files); tells dependents.
  void set_track(const KeyTrack<T>& track);
  // The key's value and time as scripts change them (index from 0).
  void set_key_value(int index, const T& v);
  void set_key_time(int index, TimeValue t);

 private:
  void hold();
  void changed();

  KeyControllerKind kind_;
  KeyTrack<T> track_;
  DWORD flags_ = 0;
};

using FloatKeyController = KeyController<float>;
using Point3KeyController = KeyController<Point3>;

std::unique_ptr<FloatKeyController> make_bezier_float(float initial);
std::unique_ptr<Point3KeyController> make_bezier_position(const Point3& initial);
std::unique_ptr<Point3KeyController> make_bezier_point3(const Point3& initial);
std::unique_ptr<Point3KeyController> make_bezier_color(const Point3& initial);  // components 0..1
std::unique_ptr<Point3KeyController> make_bezier_scale(const Point3& initial);

// Three float tracks giving one point (Position_XYZ) or one rotation as
// angles in radians about x, then y, then z (Euler_XYZ). Their keys are the
// times any of the three has one.
class XYZController : public Control {
 public:
  enum class Kind { position, euler_rotation };
  XYZController(Kind kind, const Point3& initial);
  ~XYZController() override;

  Class_ID ClassID() override;
  SClass_ID SuperClassID() override;
  void GetClassName(std::string& s) override;

  // Position_XYZ: a Point3; Euler_XYZ: a Quat.
  void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) override;
  void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) override;
  int NumSubs() override { return 3; }
  Control* SubControl(int i) override;
  const char* SubName(int i) override;
  int NumKeys() override;
  TimeValue GetKeyTime(int index) override;
  BOOL IsAnimated() override;
  void AddNewKey(TimeValue t) override;
  void DeleteKeys() override;
  RefResult NotifyRefChanged(const Interval&, Animatable*, PartID&, RefMessage) override {
    return REF_SUCCEED;
  }

  FloatKeyController* axis(int i) { return axes_[i].get(); }
  std::unique_ptr<XYZController> clone() const;
  Point3 angles_or_point_at(TimeValue t) const;

 private:
  std::vector<TimeValue> key_times();
  Kind kind_;
  std::unique_ptr<FloatKeyController> axes_[3];
};

// A node's transform relative to its parent, from a position, a rotation and
// a scale controller: scale first, then rotation, then position.
class PRSController : public Control {
 public:
  explicit PRSController(const Matrix3& initial);
  ~PRSController() override;

  Class_ID ClassID() override { return Class_ID(PRS_CONTROL_CLASS_ID, 0); }
  SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "Position_Rotation_Scale"; }

  // val: a Matrix3.
  void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) override;
  void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) override;
  Control* GetPositionController() override { return position_.get(); }
  Control* GetRotationController() override { return rotation_.get(); }
  Control* GetScaleController() override { return scale_.get(); }
  int NumSubs() override { return 3; }
  Control* SubControl(int i) override;
  const char* SubName(int i) override;
  BOOL IsAnimated() override;
  RefResult NotifyRefChanged(const Interval&, Animatable*, PartID&, RefMessage) override {
    return REF_SUCCEED;
  }
  // A new controller whose parts have the same keys.
  std::unique_ptr<PRSController> clone() const;

 private:
  PRSController(std::unique_ptr<XYZController> position, std::unique_ptr<XYZController> rotation,
                std::unique_ptr<Point3KeyController> scale);
  void listen();
  std::unique_ptr<XYZController> position_;
  std::unique_ptr<XYZController> rotation_;
  std::unique_ptr<Point3KeyController> scale_;
};

// m split into its parts, so that ScaleMatrix(scale) * QuatToMatrix(rotation)
// * TransMatrix(position) gives m back (a mirroring matrix has a negative
// scale; shear is lost).
void decompose(const Matrix3& m, Point3& position, Quat& rotation, Point3& scale);

}  // namespace host::scene
