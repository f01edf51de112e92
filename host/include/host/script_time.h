// The script time context: `at time t (...)` sets it for a block.
#pragma once

#include "host/value.h"

// The time of the current time context if one is set, else the host's
// current time-slider time.
TimeValue MAXScript_time();
bool MAXScript_time_context_set();

// Sets the time context for the scope of the object.
class ScopedTimeContext {
 public:
  explicit ScopedTimeContext(TimeValue t);
  ~ScopedTimeContext();
  ScopedTimeContext(const ScopedTimeContext&) = delete;
  ScopedTimeContext& operator=(const ScopedTimeContext&) = delete;

 private:
  bool had_;
  TimeValue previous_;
};

// The host's time slider.
TimeValue host_slider_time();
void set_host_slider_time(TimeValue t);
