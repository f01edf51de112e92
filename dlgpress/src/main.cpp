// dlgpress: posts a command (such as the OK button) to a top-level window
// found by its exact title, now or from a copy that waits for the window, and
// lists the titles of all top-level windows.
#include "commands.h"
#include "decimal.h"
#include "usage.h"

int main(int argc, char** argv) {
  switch (argc - 1) {
    case 0:
      dlgpress::print_usage();
      return 0;
    case 1:  // documented as -l; any word lists
      return dlgpress::list_windows();
    case 2:
      return dlgpress::send_once(argv[1], dlgpress::parse_decimal(argv[2]));
    case 3:
      return dlgpress::start_waiting_copy(argv[0], argv[1], argv[2], argv[3]);
    case 4:  // the copy, given "spawn" as its fourth word
      return dlgpress::wait_and_send(argv[1], dlgpress::parse_decimal(argv[2]),
                                     dlgpress::parse_decimal(argv[3]));
    default:
      return 0;
  }
}
