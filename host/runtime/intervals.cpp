// Interval values, the scene's animation range, the frame rate globals and
// normTime.
#include "number_ops.h"

#include <cmath>

namespace {

TimeValue g_range_start = 0;
TimeValue g_range_end = 100 * 160;

Value* make_interval(Value** arg_list, int count) {
  check_arg_count("interval", 2, count);
  return new MSInterval(arg_list[0]->to_timevalue(), arg_list[1]->to_timevalue());
}

Value* animation_range_getter() { return new MSInterval(g_range_start, g_range_end); }
Value* animation_range_setter(Value* v) {
  check_exact_class(v, &Interval_class, "animationRange");
  auto* range = static_cast<MSInterval*>(v);
  g_range_start = range->start;
  g_range_end = range->end;
  return v;
}

// Times keep their ticks when the rate changes; the range is kept in frames,
// as the time slider keeps it.
Value* frame_rate_getter() { return Integer::intern(GetFrameRate()); }
Value* frame_rate_setter(Value* v) {
  int rate = v->to_int();
  if (rate < 1 || rate > TICKS_PER_SECOND) throw RuntimeError(host::msg::kFrameRateRange, v);
  int old_ticks = GetTicksPerFrame();
  host::set_frame_rate(rate);
  g_range_start =
      host::checked_ticks(static_cast<std::int64_t>(g_range_start / old_ticks) * GetTicksPerFrame());
  g_range_end = host::checked_ticks(static_cast<std::int64_t>(g_range_end / old_ticks) * GetTicksPerFrame());
  return v;
}

Value* ticks_per_frame_getter() { return Integer::intern(GetTicksPerFrame()); }
Value* read_only_setter(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }

// normTime 0.5: the time halfway through the animation range.
Value* norm_time_cf(Value** arg_list, int count) {
  check_arg_count("normTime", 1, count);
  double fraction = number_to_double(arg_list[0]);
  double length = static_cast<double>(g_range_end) - g_range_start;
  return new MSTime(host::checked_ticks(std::round(g_range_start + fraction * length)));
}

Primitive norm_time_pf("normTime", norm_time_cf);

struct TimeGlobals {
  TimeGlobals() {
    define_system_global("animationRange", animation_range_getter, animation_range_setter);
    define_system_global("frameRate", frame_rate_getter, frame_rate_setter);
    define_system_global("ticksPerFrame", ticks_per_frame_getter, read_only_setter);
  }
} time_globals;

}  // namespace

ValueMetaClass Interval_class("Interval", nullptr, make_interval, &host::interval_properties);

TimeValue animation_range_start() { return g_range_start; }
TimeValue animation_range_end() { return g_range_end; }

MSInterval::MSInterval(TimeValue s, TimeValue e) : start(s), end(e) { tag = &Interval_class; }

void MSInterval::sprin1(CharStream* s) {
  s->puts("(interval ");
  MSTime(start).sprin1(s);
  s->puts(" ");
  MSTime(end).sprin1(s);
  s->puts(")");
}

Value* MSInterval::eq_vf(Value** a, int) {
  auto* other = dynamic_cast<MSInterval*>(a[0]);
  return bool_result(other != nullptr && other->start == start && other->end == end);
}
Value* MSInterval::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
