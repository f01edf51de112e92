// Output streams.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "runtime_internal.h"

CharStream::CharStream() { tag = &CharStream_class; }

int CharStream::printf(const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) return n;
  if (static_cast<std::size_t>(n) < sizeof small) {
    puts(small);
    return n;
  }
  std::string big(static_cast<std::size_t>(n) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(big.data(), big.size(), format, args);
  va_end(args);
  puts(big.c_str());
  return n;
}

namespace {

// Until a listener installs its own stream, output goes to standard output.
class StdoutStream : public CharStream {
 public:
  void puts(const char* text) override { std::fputs(text, stdout); }
  void flush() override { std::fflush(stdout); }
};

StdoutStream& stdout_stream() {
  static StdoutStream s;
  return s;
}

thread_local CharStream* t_output = nullptr;
Listener g_listener;

}  // namespace

CharStream* thread_local_output() { return t_output ? t_output : &stdout_stream(); }

CharStream* set_thread_local_output(CharStream* s) {
  CharStream* previous = t_output;
  t_output = s;
  return previous;
}

Listener* the_listener = &g_listener;
