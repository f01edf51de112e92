// The listener's output: standard output, with the rich-edit window that
// modules send text-colour requests to.
#pragma once

#include <windows.h>

#include "../runtime/host_stream.h"

namespace host::listener {

class ListenerStream : public HostStream {
 public:
  explicit ListenerStream(bool use_colour);
  ~ListenerStream() override;
  void puts(const char* text) override;
  void host_puts(const char* text) override;
  void flush() override;
  // A "set the selection's text colour" request: later script text shows in it.
  void set_text_colour(COLORREF colour);
  HWND window() const { return window_; }
  // The error number of the first write that failed (a full disk, a closed
  // pipe), or 0: the listener then exits with a failure status.
  int write_error() const { return write_error_; }

 private:
  void reset_colour();
  void write(const char* text);
  void note_failure(int result);
  int write_error_ = 0;
  bool use_colour_;
  bool colour_pending_ = false;
  bool colour_active_ = false;
  COLORREF colour_ = 0;
  HWND window_ = nullptr;
};

}  // namespace host::listener
