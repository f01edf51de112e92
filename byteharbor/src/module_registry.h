// The tables of the module help registry that a family of extension modules
// shares: module signatures in registration order and, beside each, the help
// text its module sent. Records arrive as tagged texts: "QVXT" + signature,
// then "HELP" + help text for the module whose signature came last.
#pragma once

#include <optional>
#include <string>
#include <vector>

class ModuleRegistry {
 public:
  static constexpr int kCapacity = 2000;

  enum class Outcome {
    signature_added,
    help_added,
    not_a_record,        // no tag (or a text shorter than a tag)
    table_full,          // a signature beyond kCapacity is refused
    help_without_module  // a help text with no stored signature to go with it
  };

  // Takes one record; only texts with an exact, case-sensitive tag count.
  Outcome add_record(const char* text);

  int count() const { return static_cast<int>(signatures_.size()); }
  // index counts from 0; callers keep it below count().
  const std::string& signature(int index) const { return signatures_[index]; }
  // nullptr when the module never sent a help text.
  const std::string* help(int index) const;

 private:
  std::vector<std::string> signatures_;
  std::vector<std::optional<std::string>> help_;
  bool last_signature_refused_ = false;  // its help text must not land on another module
};
