// Output streams: the current script output and the listener's own.
#pragma once

#include <string>

#include <windows.h>

#include "host/value.h"

class CharStream : public Value {
 public:
  CharStream();
  virtual void puts(const char* text) = 0;
  int printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  virtual void flush() {}
};

// A stream that collects its text in memory.
class StringCharStream : public CharStream {
 public:
  void puts(const char* text) override { text_ += text; }
  const std::string& text() const { return text_; }
  void clear() { text_.clear(); }

 private:
  std::string text_;
};

// The current script output stream of this thread.
CharStream* thread_local_output();
// Replaces it; returns the previous one.
CharStream* set_thread_local_output(CharStream* s);

// The host's listener: its own output stream and its edit window.
class Listener {
 public:
  CharStream* edit_stream = nullptr;
  HWND edit_box = nullptr;
};
extern Listener* the_listener;
