// The guard of printers that follow references (arrays, struct instances).
#include <algorithm>
#include <vector>

#include "runtime_internal.h"

namespace host {

namespace {
// Deeper than this, a printed value shows only its repeat mark: the listener
// line stays readable and the printer's recursion stays bounded.
constexpr std::size_t kMaxPrintNesting = 64;
thread_local std::vector<const Value*> t_printing;
}  // namespace

PrintNesting::PrintNesting(const Value* v)
    : repeated_(t_printing.size() >= kMaxPrintNesting ||
                std::find(t_printing.begin(), t_printing.end(), v) != t_printing.end()) {
  if (!repeated_) t_printing.push_back(v);
}

PrintNesting::~PrintNesting() {
  if (!repeated_) t_printing.pop_back();
}

}  // namespace host
