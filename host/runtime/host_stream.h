// A stream that tells the script's own output apart from the host's lines, so
// the listener can colour them differently.
#pragma once

#include "runtime_internal.h"

namespace host {

class HostStream : public CharStream {
 public:
  // A line the host prints itself, in its normal colour.
  virtual void host_puts(const char* text) { puts(text); }
};

inline void host_puts(const char* text) {
  CharStream* out = thread_local_output();
  if (auto* hs = dynamic_cast<HostStream*>(out))
    hs->host_puts(text);
  else
    out->puts(text);
}

}  // namespace host
