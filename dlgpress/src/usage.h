// The usage text that dlgpress prints when it is called without arguments.
#pragma once

namespace dlgpress {

void print_usage();

}  // namespace dlgpress
