// Time values and the script time context.
#include <cmath>

#include "runtime_internal.h"

namespace {
thread_local bool t_has_context = false;
thread_local TimeValue t_context = 0;
TimeValue g_slider_time = 0;

bool is_time(Value* v) { return v->tag == &MSTime_class; }
}  // namespace

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
float MSTime::to_float() { return static_cast<float>(time) / static_cast<float>(GetTicksPerFrame()); }

Value* MSTime::plus_vf(Value** a, int) { return new MSTime(time + a[0]->to_timevalue()); }
Value* MSTime::minus_vf(Value** a, int) { return new MSTime(time - a[0]->to_timevalue()); }
Value* MSTime::times_vf(Value** a, int) {
  return new MSTime(static_cast<TimeValue>(std::lround(time * a[0]->to_float())));
}
Value* MSTime::div_vf(Value** a, int) {
  float d = a[0]->to_float();
  if (d == 0.0f) throw RuntimeError("Divide by zero");
  return new MSTime(static_cast<TimeValue>(std::lround(time / d)));
}
Value* MSTime::uminus_vf(Value**, int) { return new MSTime(-time); }

#define TIME_COMPARE(method, op) \
  Value* MSTime::method(Value** a, int) { return bool_result(time op a[0]->to_timevalue()); }
TIME_COMPARE(lt_vf, <)
TIME_COMPARE(gt_vf, >)
TIME_COMPARE(le_vf, <=)
TIME_COMPARE(ge_vf, >=)
#undef TIME_COMPARE
Value* MSTime::eq_vf(Value** a, int) { return bool_result(is_time(a[0]) && a[0]->to_timevalue() == time); }
Value* MSTime::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
