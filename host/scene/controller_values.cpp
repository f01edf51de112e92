// Controllers, their key arrays and keys as script values, and the key
// functions scripts call on them (numKeys, getKeyTime, addNewKey, ...).
#include "controller_values.h"

#include <cmath>
#include <cstring>
#include <string>

#include "../runtime/geometry_internal.h"
#include "host/checks.h"
#include "host/classes.h"
#include "host/locals.h"
#include "host/messages.h"
#include "host/script_time.h"
#include "host/values.h"
#include "key_controllers.h"

namespace {

constexpr float kRadToDeg = 57.29577951308232f;

std::string class_name_of(Control* c) {
  std::string s;
  c->GetClassName(s);
  return s;
}

bool is_color(Control* c) { return c->ClassID() == Class_ID(HYBRIDINTERP_COLOR_CLASS_ID, 0); }

// The controller's value at t as a script value; scale turns a float track's
// radians into degrees.
Value* value_at(Control* c, TimeValue t, float scale) {
  Interval valid = FOREVER;
  switch (c->SuperClassID()) {
    case CTRL_FLOAT_CLASS_ID: {
      float f = 0;
      c->GetValue(t, &f, valid);
      return new Float(f * scale);
    }
    case CTRL_ROTATION_CLASS_ID: {
      Quat q;
      c->GetValue(t, &q, valid);
      return new QuatValue(q);
    }
    case CTRL_MATRIX3_CLASS_ID: {
      Matrix3 m;
      c->GetValue(t, &m, valid);
      return new Matrix3Value(m);
    }
    default: {
      Point3 p;
      c->GetValue(t, &p, valid);
      if (is_color(c)) return new ColorValue(AColor(p.x, p.y, p.z));
      return new Point3Value(p);
    }
  }
}

void set_value_at(Control* c, TimeValue t, Value* v, float scale) {
  switch (c->SuperClassID()) {
    case CTRL_FLOAT_CLASS_ID: {
      float f = v->to_float() / scale;
      c->SetValue(t, &f);
      return;
    }
    case CTRL_ROTATION_CLASS_ID: {
      Quat q = host::geometry::rotation_of(v);
      c->SetValue(t, &q);
      return;
    }
    case CTRL_MATRIX3_CLASS_ID: {
      Matrix3 m = host::geometry::matrix_of(v, "value");
      c->SetValue(t, &m);
      return;
    }
    default: {
      Point3 p;
      if (is_color(c)) {
        AColor col = v->to_acolor();
        p = Point3(col.r, col.g, col.b);
      } else {
        p = v->to_point3();
      }
      c->SetValue(t, &p);
    }
  }
}

ValueMetaClass FloatController_class("FloatController", &MAXWrapper_class);
ValueMetaClass Point3Controller_class("Point3Controller", &MAXWrapper_class);
ValueMetaClass PositionController_class("PositionController", &MAXWrapper_class);
ValueMetaClass RotationController_class("RotationController", &MAXWrapper_class);
ValueMetaClass ScaleController_class("ScaleController", &MAXWrapper_class);
ValueMetaClass Matrix3Controller_class("Matrix3Controller", &MAXWrapper_class);
ValueMetaClass BezierFloat_class("Bezier_Float", &FloatController_class);
ValueMetaClass BezierPoint3_class("Bezier_Point3", &Point3Controller_class);
ValueMetaClass BezierColor_class("Bezier_Color", &Point3Controller_class);
ValueMetaClass BezierPosition_class("Bezier_Position", &PositionController_class);
ValueMetaClass BezierScale_class("Bezier_Scale", &ScaleController_class);
ValueMetaClass PositionXYZ_class("Position_XYZ", &PositionController_class);
ValueMetaClass EulerXYZ_class("Euler_XYZ", &RotationController_class);
ValueMetaClass PRS_class("PRS", &Matrix3Controller_class);

ValueMetaClass* class_of(Control* c) {
  static ValueMetaClass* const classes[] = {&BezierFloat_class,    &BezierPoint3_class, &BezierColor_class,
                                            &BezierPosition_class, &BezierScale_class,  &PositionXYZ_class,
                                            &EulerXYZ_class};
  std::string name = class_name_of(c);
  for (ValueMetaClass* k : classes)
    if (name == k->name) return k;
  if (name == "Position_Rotation_Scale") return &PRS_class;
  switch (c->SuperClassID()) {
    case CTRL_FLOAT_CLASS_ID:
      return &FloatController_class;
    case CTRL_POSITION_CLASS_ID:
      return &PositionController_class;
    case CTRL_ROTATION_CLASS_ID:
      return &RotationController_class;
    case CTRL_SCALE_CLASS_ID:
      return &ScaleController_class;
    case CTRL_MATRIX3_CLASS_ID:
      return &Matrix3Controller_class;
    default:
      return &Point3Controller_class;
  }
}

// The sub-controller named name (x_position, position, ...), or -1.
int sub_index(Control* c, Value* name) {
  const char* text = name->to_string();
  for (int i = 0; i < c->NumSubs(); ++i)
    if (strcasecmp(c->SubName(i), text) == 0) return i;
  return -1;
}

float display_scale(Control* parent, int sub) {
  (void)sub;
  return parent->SuperClassID() == CTRL_ROTATION_CLASS_ID ? kRadToDeg : 1.0f;
}

// The keys of a controller: printed #keys(0f, 10f).
class KeyArrayValue : public Value {
 public:
  explicit KeyArrayValue(ControllerValue* controller) : controller_(controller) { tag = &MAXKeyArray_class; }
  void gc_trace() override { gc_mark(controller_); }
  void sprin1(CharStream* s) override;
  Value* get_property(Value* prop) override;
  Value* get_vf(Value** arg_list, int count) override;
  static ValueMetaClass MAXKeyArray_class;

 private:
  ControllerValue* controller_;
};

// One key of a controller, by its index from 1: printed
// #Bezier Float key(1 @ 10f).
class KeyValue : public Value {
 public:
  KeyValue(ControllerValue* controller, int index) : controller_(controller), index_(index) {
    tag = &MAXKey_class;
  }
  void gc_trace() override { gc_mark(controller_); }
  void sprin1(CharStream* s) override;
  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* new_value) override;
  static ValueMetaClass MAXKey_class;

 private:
  Control* checked_key();
  ControllerValue* controller_;
  int index_;
};

ValueMetaClass KeyArrayValue::MAXKeyArray_class("MAXKeyArray");
ValueMetaClass KeyValue::MAXKey_class("MAXKey");

Value* keys_of(ControllerValue* cv) {
  Control* c = cv->checked();
  if (c->NumKeys() == NOT_KEYFRAMEABLE) return &undefined;
  return new KeyArrayValue(cv);
}

void KeyArrayValue::sprin1(CharStream* s) {
  Control* c = controller_->checked();
  s->puts("#keys(");
  for (int i = 0; i < c->NumKeys(); ++i) {
    if (i > 0) s->puts(", ");
    MSTime(c->GetKeyTime(i)).sprin1(s);
  }
  s->puts(")");
}

Value* KeyArrayValue::get_property(Value* prop) {
  if (prop == Name::intern("count")) return Integer::intern(controller_->checked()->NumKeys());
  return Value::get_property(prop);
}

Value* KeyArrayValue::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  int i = a[0]->to_int();
  if (i < 1 || i > controller_->checked()->NumKeys())
    throw RuntimeError(host::msg::kKeyIndexOutOfRange, a[0]);
  return new KeyValue(controller_, i);
}

Control* KeyValue::checked_key() {
  Control* c = controller_->checked();
  if (index_ > c->NumKeys()) throw RuntimeError(host::msg::kKeyIndexOutOfRange, Integer::intern(index_));
  return c;
}

void KeyValue::sprin1(CharStream* s) {
  Control* c = controller_->checked();
  std::string name = class_name_of(c);
  for (char& ch : name)
    if (ch == '_') ch = ' ';
  s->printf("#%s key(%d @ ", name.c_str(), index_);
  MSTime(index_ <= c->NumKeys() ? c->GetKeyTime(index_ - 1) : 0).sprin1(s);
  s->puts(")");
}

Value* KeyValue::get_property(Value* prop) {
  Control* c = checked_key();
  if (prop == Name::intern("time")) return new MSTime(c->GetKeyTime(index_ - 1));
  if (prop == Name::intern("value")) return value_at(c, c->GetKeyTime(index_ - 1), 1.0f);
  return Value::get_property(prop);
}

template <typename T>
bool set_key_part(Control* c, int index, Value* prop, Value* v, T value) {
  auto* k = dynamic_cast<host::scene::KeyController<T>*>(c);
  if (k == nullptr) return false;
  if (prop == Name::intern("time"))
    k->set_key_time(index, v->to_timevalue());
  else
    k->set_key_value(index, value);
  return true;
}

Value* KeyValue::set_property(Value* prop, Value* new_value) {
  Control* c = checked_key();
  if (prop != Name::intern("time") && prop != Name::intern("value"))
    return Value::set_property(prop, new_value);
  bool is_time = prop == Name::intern("time");
  bool done = false;
  if (c->SuperClassID() == CTRL_FLOAT_CLASS_ID)
    done = set_key_part<float>(c, index_ - 1, prop, new_value, is_time ? 0.0f : new_value->to_float());
  else if (!is_time && is_color(c)) {
    AColor col = new_value->to_acolor();
    done = set_key_part<Point3>(c, index_ - 1, prop, new_value, Point3(col.r, col.g, col.b));
  } else
    done = set_key_part<Point3>(c, index_ - 1, prop, new_value, is_time ? Point3() : new_value->to_point3());
  if (!done) throw RuntimeError(host::msg::kCompoundControllerKey, controller_);
  return new_value;
}

}  // namespace

ControllerValue::ControllerValue(HostObjectWrapper* owner, Control* control)
    : HostObjectWrapper(nullptr, control), owner_(owner), control_(control) {
  tag = class_of(control);
}

Control* ControllerValue::checked() {
  owner_->check_not_deleted();
  return control_;
}

Animatable* ControllerValue::GetReference(int i) {
  return i == 0 && !owner_->is_deleted() ? control_ : nullptr;
}

void ControllerValue::gc_trace() { gc_mark(owner_); }

void ControllerValue::sprin1(CharStream* s) {
  if (owner_->is_deleted()) {
    s->puts(host::msg::kDeletedObjectPrint);
    return;
  }
  s->printf("Controller:%s", class_name_of(control_).c_str());
}

Value* ControllerValue::eq_vf(Value** a, int count) {
  check_arg_count("=", 1, count);
  auto* other = dynamic_cast<ControllerValue*>(a[0]);
  return bool_result(other != nullptr && other->control_ == control_);
}

Value* ControllerValue::get_property(Value* prop) {
  Control* c = checked();
  if (prop == Name::intern("value")) return value_at(c, MAXScript_time(), 1.0f);
  if (prop == Name::intern("keys")) return keys_of(this);
  if (prop == Name::intern("isAnimated")) return bool_result(c->IsAnimated());
  int sub = sub_index(c, prop);
  if (sub >= 0) return value_at(c->SubControl(sub), MAXScript_time(), display_scale(c, sub));
  return HostObjectWrapper::get_property(prop);
}

Value* ControllerValue::set_property(Value* prop, Value* v) {
  Control* c = checked();
  if (prop == Name::intern("value")) {
    set_value_at(c, MAXScript_time(), v, 1.0f);
    return v;
  }
  int sub = sub_index(c, prop);
  if (sub >= 0) {
    set_value_at(c->SubControl(sub), MAXScript_time(), v, display_scale(c, sub));
    return v;
  }
  return HostObjectWrapper::set_property(prop, v);
}

void ControllerValue::get_prop_names(std::vector<Value*>& names) {
  Control* c = checked();
  for (int i = 0; i < c->NumSubs(); ++i) names.push_back(Name::intern(c->SubName(i)));
}

Value* ControllerValue::get_property_controller(Value* prop) {
  Control* c = checked();
  int sub = sub_index(c, prop);
  return sub >= 0 ? wrap_controller(owner_, c->SubControl(sub)) : nullptr;
}

Value* wrap_controller(HostObjectWrapper* owner, Control* control) {
  if (control == nullptr) return &undefined;
  return new ControllerValue(owner, control);
}
