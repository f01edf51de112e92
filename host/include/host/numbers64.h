// The wide numbers: 64-bit integers (5L) and double-precision floats (1.5d0).
#pragma once

#include <cstdint>

#include "host/classes.h"
#include "host/value.h"

extern ValueMetaClass Integer64_class;
extern ValueMetaClass Double_class;

// A 64-bit signed integer; arithmetic wraps like the host's 64-bit integers.
class Integer64 : public Value {
 public:
  explicit Integer64(std::int64_t v);
  std::int64_t value;
  void sprin1(CharStream* s) override;
  int to_int() override;
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

class Double : public Value {
 public:
  explicit Double(double v);
  double value;
  void sprin1(CharStream* s) override;
  int to_int() override;
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

// Any number (Integer, Integer64, Float, Double) or time as a 64-bit integer
// (floats truncate toward zero and saturate) or as a double; anything else
// raises the conversion error.
std::int64_t number_to_int64(Value* v);
double number_to_double(Value* v);
// Whether v is one of the four number classes.
bool is_number(Value* v);
