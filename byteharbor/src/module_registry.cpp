#include "module_registry.h"

#include <cstring>

namespace {
constexpr char kSignatureTag[] = "QVXT";
constexpr char kHelpTag[] = "HELP";
constexpr std::size_t kTagLength = 4;

bool has_tag(const char* text, const char* tag) { return std::memcmp(text, tag, kTagLength) == 0; }
}  // namespace

ModuleRegistry::Outcome ModuleRegistry::add_record(const char* text) {
  if (text == nullptr || std::strlen(text) < kTagLength) return Outcome::not_a_record;
  const char* body = text + kTagLength;
  if (has_tag(text, kSignatureTag)) {
    last_signature_refused_ = count() >= kCapacity;
    if (last_signature_refused_) return Outcome::table_full;
    signatures_.emplace_back(body);
    help_.emplace_back();
    return Outcome::signature_added;
  }
  if (has_tag(text, kHelpTag)) {
    if (signatures_.empty() || last_signature_refused_) return Outcome::help_without_module;
    help_.back() = std::string(body);
    return Outcome::help_added;
  }
  return Outcome::not_a_record;
}

const std::string* ModuleRegistry::help(int index) const {
  const std::optional<std::string>& entry = help_[static_cast<std::size_t>(index)];
  return entry ? &*entry : nullptr;
}
