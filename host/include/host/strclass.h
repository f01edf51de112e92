// CStr: the host's owned text, as host functions return names and file names.
#pragma once

#include <string>

class CStr {
 public:
  CStr() = default;
  CStr(const char* text) : text_(text ? text : "") {}
  const char* data() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }

 private:
  std::string text_;
};
