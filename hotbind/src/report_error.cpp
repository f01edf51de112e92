#include "report_error.h"

#include <cstdarg>
#include <cstdio>

namespace hotbind {

HANDLE event_source = nullptr;

void ReportError(const char* format, ...) {
  if (event_source == nullptr) return;
  char message[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  LPCSTR strings[1] = {message};
  ReportEventA(event_source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr);
}

}  // namespace hotbind
