// Intervals of animation time, and the scene's animation range.
#pragma once

#include "host/classes.h"
#include "host/value.h"

extern ValueMetaClass Interval_class;

// interval 0f 100f: printed (interval 0f 100f).
class MSInterval : public Value {
 public:
  MSInterval(TimeValue s, TimeValue e);
  TimeValue start, end;
  void sprin1(CharStream* s) override;
  Value* eq_vf(Value** arg_list, int count) override;
  Value* ne_vf(Value** arg_list, int count) override;
};

// The scene's active segment (animationRange), 0f to 100f at start-up.
TimeValue animation_range_start();
TimeValue animation_range_end();
