// A virtual X server for the tests of one process: started on a free display
// that it picks itself, named in $DISPLAY while it runs.
#pragma once

#include <sys/types.h>

#include <string>

namespace test_support {

class Xvfb {
 public:
  Xvfb();   // throws when the server does not come up
  ~Xvfb();  // ends the server and unsets $DISPLAY
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace test_support
