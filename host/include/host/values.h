// The host's script values.
#pragma once

#include <cstddef>

#include "host/classes.h"
#include "host/geometry.h"
#include "host/value.h"

class Boolean : public Value {
 public:
  explicit Boolean(bool v);
  bool value;
  void sprin1(CharStream* s) override;
  bool to_bool() override { return value; }
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
};

class Undefined : public Value {
 public:
  Undefined();
  void sprin1(CharStream* s) override;
};

class Ok : public Value {
 public:
  Ok();
  void sprin1(CharStream* s) override;
};

// The value of a keyword parameter the caller did not give and that has no
// default.
class Unsupplied : public Value {
 public:
  Unsupplied();
  void sprin1(CharStream* s) override;
};

extern Boolean true_value;
extern Boolean false_value;
extern Undefined undefined;
extern Ok ok;
extern Unsupplied unsupplied;
// Separates positional from keyword arguments in an argument array:
// f a b key:v arrives as a, b, &keyarg_marker, #key, v.
extern Value keyarg_marker;

inline Value* bool_result(bool b) { return b ? static_cast<Value*>(&true_value) : &false_value; }

class Integer final : public Value {
 public:
  static void* operator new(std::size_t size) { return gc_allocate_leaf(size); }
  static void operator delete(void* p, std::size_t size) { gc_free_leaf(p, size); }
  int value;
  explicit Integer(int v);
  Integer(int v, MadeAsLeaf leaf);
  // A shared value for small integers, a new one otherwise.
  static Integer* intern(int v);
  void sprin1(CharStream* s) override;
  int to_int() override { return value; }
  float to_float() override { return static_cast<float>(value); }
  TimeValue to_timevalue() override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* pow_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* lt_vf(Value** arg_list, int count) override;
  Value* gt_vf(Value** arg_list, int count) override;
  Value* le_vf(Value** arg_list, int count) override;
  Value* ge_vf(Value** arg_list, int count) override;
};

class Float final : public Value {
 public:
  static void* operator new(std::size_t size) { return gc_allocate_leaf(size); }
  static void operator delete(void* p, std::size_t size) { gc_free_leaf(p, size); }
  float value;
  explicit Float(float v);
  void sprin1(CharStream* s) override;
  int to_int() override;
  float to_float() override { return value; }
  TimeValue to_timevalue() override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* pow_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* lt_vf(Value** arg_list, int count) override;
  Value* gt_vf(Value** arg_list, int count) override;
  Value* le_vf(Value** arg_list, int count) override;
  Value* ge_vf(Value** arg_list, int count) override;
};

// A text value; it keeps its own copy of the text.
class String : public Value {
 public:
  explicit String(const char* text);
  String(const char* bytes, std::size_t length);
  ~String() override;
  char* string;
  std::size_t length() const;
  void sprin1(CharStream* s) override;
  void sprint(CharStream* s) override;
  const char* to_string() override { return string; }
  Value* plus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* lt_vf(Value** arg_list, int count) override;
  Value* gt_vf(Value** arg_list, int count) override;
  Value* le_vf(Value** arg_list, int count) override;
  Value* ge_vf(Value** arg_list, int count) override;
  Value* get_vf(Value** arg_list, int count) override;
  Value* put_vf(Value** arg_list, int count) override;
};

// A unique symbolic value (#start). Names are case-insensitive, keep the
// spelling they were first interned with, compare by identity and are never
// collected.
class Name : public Value {
 public:
  static Value* intern(const char* text);
  const char* string;
  void sprin1(CharStream* s) override;
  void sprint(CharStream* s) override;
  const char* to_string() override { return string; }
  Value* lt_vf(Value** arg_list, int count) override;
  Value* gt_vf(Value** arg_list, int count) override;

 private:
  explicit Name(const char* text);
  friend class NameTable;
};

class Array : public Value {
 public:
  explicit Array(int init_size = 0);
  ~Array() override;
  Value** data;
  int size;
  int data_size;
  Value* append(Value* v);
  Value* get(int index) const;  // 0-based; undefined outside
  // Room for capacity items, and a size of new_size (new items undefined);
  // on failure both raise a script error and leave the array as it was.
  void reserve(int capacity);
  void resize(int new_size);
  void gc_trace() override;
  void sprin1(CharStream* s) override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* get_vf(Value** arg_list, int count) override;
  Value* put_vf(Value** arg_list, int count) override;
};

class Point3Value : public Value {
 public:
  explicit Point3Value(const Point3& p);
  Point3Value(float x, float y, float z);
  Point3 p;
  void sprin1(CharStream* s) override;
  Point3 to_point3() override { return p; }
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* get_vf(Value** arg_list, int count) override;
  Value* put_vf(Value** arg_list, int count) override;
  AColor to_acolor() override;
};

// A colour, components kept 0..1 and shown 0..255.
class ColorValue : public Value {
 public:
  explicit ColorValue(const AColor& c);
  static ColorValue* intern(const AColor& c);
  static ColorValue* intern(float r, float g, float b, float a = 1.0f);
  AColor color;
  void sprin1(CharStream* s) override;
  AColor to_acolor() override { return color; }
  Point3 to_point3() override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
};

class BitArrayValue : public Value {
 public:
  BitArrayValue();
  explicit BitArrayValue(const BitArray& b);
  BitArray bits;
  void sprin1(CharStream* s) override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* get_vf(Value** arg_list, int count) override;
  Value* put_vf(Value** arg_list, int count) override;
};

// A time value in ticks (4800 a second, 160 a frame at the default 30
// frames a second). Scripts change the frame rate with frameRate.
constexpr int TICKS_PER_SECOND = 4800;
constexpr int FRAMES_PER_SECOND = 30;
int GetTicksPerFrame();
int GetFrameRate();

class MSTime : public Value {
 public:
  explicit MSTime(TimeValue t);
  static Value* intern(TimeValue t) { return new MSTime(t); }
  TimeValue time;
  void sprin1(CharStream* s) override;
  int to_int() override;
  float to_float() override;
  TimeValue to_timevalue() override { return time; }
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* lt_vf(Value** arg_list, int count) override;
  Value* gt_vf(Value** arg_list, int count) override;
  Value* le_vf(Value** arg_list, int count) override;
  Value* ge_vf(Value** arg_list, int count) override;
};

// ---- Geometry: 2D and 4D points, transform matrices and rotations ----------

class Point2Value : public Value {
 public:
  explicit Point2Value(const Point2& p);
  Point2 p;
  void sprin1(CharStream* s) override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* get_vf(Value** arg_list, int count) override;
  Value* put_vf(Value** arg_list, int count) override;
};

class Point4Value : public Value {
 public:
  explicit Point4Value(const Point4& p);
  Point4 p;
  void sprin1(CharStream* s) override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* get_vf(Value** arg_list, int count) override;
  Value* put_vf(Value** arg_list, int count) override;
};

class Matrix3Value : public Value {
 public:
  explicit Matrix3Value(const Matrix3& m);
  Matrix3 m;
  void sprin1(CharStream* s) override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
  Value* get_vf(Value** arg_list, int count) override;
  Value* put_vf(Value** arg_list, int count) override;
};

// A rotation as a quaternion, stored as the application stores it (Quat).
class QuatValue : public Value {
 public:
  explicit QuatValue(const Quat& q);
  Quat q;
  void sprin1(CharStream* s) override;
  Value* plus_vf(Value** arg_list, int count) override;
  Value* minus_vf(Value** arg_list, int count) override;
  Value* times_vf(Value** arg_list, int count) override;
  Value* div_vf(Value** arg_list, int count) override;
  Value* uminus_vf(Value** arg_list, int count) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
};

// Rotations about x, y and z in degrees, counter-clockwise, applied in that order.
class EulerAnglesValue : public Value {
 public:
  EulerAnglesValue(float x, float y, float z);
  float angles[3];
  void sprin1(CharStream* s) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
};

// A counter-clockwise rotation in degrees about an axis; angles past 360
// count whole turns.
class AngAxisValue : public Value {
 public:
  AngAxisValue(float degrees, const Point3& axis);
  float angle;
  Point3 axis;
  void sprin1(CharStream* s) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
};

extern ValueMetaClass Point2Value_class;
extern ValueMetaClass Point4Value_class;
extern ValueMetaClass Matrix3Value_class;
extern ValueMetaClass QuatValue_class;
extern ValueMetaClass EulerAnglesValue_class;
extern ValueMetaClass AngAxisValue_class;
