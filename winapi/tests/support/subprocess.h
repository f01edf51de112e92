// A child process whose standard output (and error) the test reads.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace test_support {

class Subprocess {
 public:
  // Starts argv[0] (searched in PATH) with the test's environment.
  explicit Subprocess(const std::vector<std::string>& argv);
  ~Subprocess();  // kills the child if it still runs
  Subprocess(const Subprocess&) = delete;
  Subprocess& operator=(const Subprocess&) = delete;

  pid_t pid() const { return pid_; }
  // The next line of output without its line end; nothing at the end of the
  // output or when none came within `timeout_ms` (a guard against hangs).
  std::optional<std::string> read_line(int timeout_ms = 10000);
  // All remaining output, until the child closes it.
  std::string read_all(int timeout_ms = 30000);
  // Waits for the end of the child; its exit code, or 128 + signal.
  int wait();
  void kill(int signal);

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
  bool eof_ = false;
  std::optional<int> status_;
  bool fill(int timeout_ms);
};

// The path of a helper program built beside the tests.
std::string helper_path(const std::string& name);

struct RunResult {
  int exit_code;
  std::string output;
};

// Runs a program to its end and returns its exit code and output.
RunResult run(const std::vector<std::string>& argv);

}  // namespace test_support
