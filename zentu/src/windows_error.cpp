#include "windows_error.h"

#include <memory>
#include <string>

#include "host/maxscript.h"

#include "messages.h"

namespace {

struct LocalText {
  void operator()(char* text) const { LocalFree(text); }
};

}  // namespace

void RaiseWindowsError(DWORD code) {
  char* allocated = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&allocated), 0, nullptr);
  std::unique_ptr<char, LocalText> text(allocated);
  // The system's text is released before the error leaves this call.
  std::string message = text != nullptr ? text.get() : "";
  text.reset();
  throw RuntimeError(zentu::msg::kWindowsError, message.c_str());
}
