// Time values, the frame rate and the script time context.
#include <cmath>
#include <cstdint>

#include "number_ops.h"

namespace {
thread_local bool t_has_context = false;
thread_local TimeValue t_context = 0;
TimeValue g_slider_time = 0;
int g_frame_rate = FRAMES_PER_SECOND;

bool is_time(Value* v) { return v->tag == &MSTime_class; }

// A time or a number of frames as ticks, exactly, for comparisons that must
// not fail on numbers beyond the time line.
double ticks_of(Value* v) {
  if (is_time(v)) return static_cast<MSTime*>(v)->time;
  if (is_number(v)) return number_to_double(v) * GetTicksPerFrame();
  return static_cast<double>(v->to_timevalue());
}
}  // namespace

int GetTicksPerFrame() { return TICKS_PER_SECOND / g_frame_rate; }
int GetFrameRate() { return g_frame_rate; }
namespace host {
void set_frame_rate(int frames_per_second) { g_frame_rate = frames_per_second; }
}  // namespace host

TimeValue MAXScript_time() { return t_has_context ? t_context : g_slider_time; }
bool MAXScript_time_context_set() { return t_has_context; }

ScopedTimeContext::ScopedTimeContext(TimeValue t) : had_(t_has_context), previous_(t_context) {
  t_has_context = true;
  t_context = t;
}
ScopedTimeContext::~ScopedTimeContext() {
  t_has_context = had_;
  t_context = previous_;
}

TimeValue host_slider_time() { return g_slider_time; }
void set_host_slider_time(TimeValue t) { g_slider_time = t; }

MSTime::MSTime(TimeValue t) : time(t) { tag = &MSTime_class; }

// Frames, with a fraction only when the time falls between frames (10f, 2.5f).
void MSTime::sprin1(CharStream* s) {
  if (time % GetTicksPerFrame() == 0)
    s->printf("%df", time / GetTicksPerFrame());
  else
    s->printf("%gf", static_cast<double>(time) / GetTicksPerFrame());
}

int MSTime::to_int() { return time / GetTicksPerFrame(); }
float MSTime::to_float() { return static_cast<float>(static_cast<double>(time) / GetTicksPerFrame()); }

// Sums and differences are exact in 64 bits; a result beyond the time line
// is an error rather than a wrapped time.
Value* MSTime::plus_vf(Value** a, int) {
  return new MSTime(host::checked_ticks(std::int64_t{time} + a[0]->to_timevalue()));
}
Value* MSTime::minus_vf(Value** a, int) {
  return new MSTime(host::checked_ticks(std::int64_t{time} - a[0]->to_timevalue()));
}
Value* MSTime::times_vf(Value** a, int) {
  return new MSTime(host::checked_ticks(std::round(static_cast<double>(time) * a[0]->to_float())));
}
Value* MSTime::div_vf(Value** a, int) {
  double d = a[0]->to_float();
  if (d == 0.0) throw RuntimeError(host::msg::kDivideByZero);
  return new MSTime(host::checked_ticks(std::round(time / d)));
}
Value* MSTime::uminus_vf(Value**, int) { return new MSTime(host::checked_ticks(-std::int64_t{time})); }

#define TIME_COMPARE(method, op) \
  Value* MSTime::method(Value** a, int) { return bool_result(static_cast<double>(time) op ticks_of(a[0])); }
TIME_COMPARE(lt_vf, <)
TIME_COMPARE(gt_vf, >)
TIME_COMPARE(le_vf, <=)
TIME_COMPARE(ge_vf, >=)
#undef TIME_COMPARE
Value* MSTime::eq_vf(Value** a, int) {
  return bool_result(is_time(a[0]) && static_cast<MSTime*>(a[0])->time == time);
}
Value* MSTime::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
