// MAXScriptShortcuts.txt: one entry a line, two quoted fields (the script
// file, then the display name); only the text inside the quotes counts.
#include <cstdio>
#include <cstring>
#include <string>

#include "hotbind_class_desc.h"
#include "hotbind_gup.h"
#include "messages.h"
#include "module_state.h"
#include "report_error.h"

using namespace hotbind;

namespace {

constexpr int kLineBuffer = 256;
constexpr int kReadLimit = 255;  // fgets keeps at most 254 characters and a NUL

// The text between the first double quote at or after `from` and the next
// one; false without both quotes.
bool quoted_field(const char* from, const char*& start, std::size_t& length, const char*& after) {
  const char* open = std::strchr(from, '"');
  if (open == nullptr) return false;
  const char* close = std::strchr(open + 1, '"');
  if (close == nullptr) return false;
  start = open + 1;
  length = static_cast<std::size_t>(close - start);
  after = close + 1;
  return true;
}

// Drops the line end and any trailing byte below 32 as a signed char (tabs,
// control characters, and bytes from 0x80 up).
void trim_end(char* line) {
  std::size_t n = std::strlen(line);
  while (n > 0 && static_cast<signed char>(line[n - 1]) < 32) line[--n] = '\0';
}

void copy_text(char* slot, std::size_t slot_size, const std::string& text) {
  std::size_t n = std::min(text.size(), slot_size - 1);
  std::memcpy(slot, text.data(), n);
  slot[n] = '\0';
}

}  // namespace

bool HotbindGUP::LoadShortcutConfig() {
  ShortcutTable* table = class_desc().GetShortcutTable(0);
  for (auto& slot : scripts_) slot[0] = '\0';

  const char* dir = Max()->GetDir(APP_SCRIPTS_DIR);
  if (std::strlen(dir) >= static_cast<std::size_t>(kPathLimit)) {
    ReportError(msg::kScriptsDirTooLong, dir, static_cast<long>(kPathLimit));
    return false;
  }
  char path[kPathLimit + 64];
  std::snprintf(path, sizeof path, "%s\\MAXScriptShortcuts.txt", dir);
  std::FILE* file = WinFopen(path, "r");
  if (file == nullptr) {
    ReportError(msg::kConfigMissing, path);
    return false;
  }

  auto give_name = [table](int entry, const char* text) {
    if (table == nullptr) return;
    if (ShortcutOperation* op = (*table)[entry + 1]) op->SetName(text);
  };
  int entry = 0;
  char line[kLineBuffer];
  while (std::fgets(line, kReadLimit, file) != nullptr) {
    if (line[0] == ';') continue;
    trim_end(line);
    if (line[0] == '\0') continue;
    const char *field, *after_field;
    std::size_t field_length;
    if (!quoted_field(line, field, field_length, after_field) || field_length < 2) continue;

    // A field with a drive letter is a whole path; others go below the scripts folder.
    std::string begun;
    if (field[1] != ':') {
      begun = dir;
      if (field[0] != '\\') begun += '\\';
    }
    if (begun.size() + field_length >= static_cast<std::size_t>(kPathLimit)) {
      ReportError(msg::kScriptPathTooLong, begun.c_str(), static_cast<int>(field_length), field,
                  static_cast<long>(kPathLimit));
      std::fclose(file);
      return false;
    }
    // There are only 50 slots: later accepted lines are reported once and not stored.
    if (entry == kShortcutCount) {
      ReportError(msg::kTooManyEntries, path, kShortcutCount);
      break;
    }
    copy_text(scripts_[entry], kScriptSlotSize, begun + std::string(field, field_length));

    const char *name, *after_name;
    std::size_t name_length;
    if (quoted_field(after_field, name, name_length, after_name) && name_length >= 2) {
      std::string shown =
          " " + std::string(name, std::min(name_length, static_cast<std::size_t>(kNameLimit)));
      copy_text(names_[entry], kNameSlotSize, shown);
      give_name(entry, names_[entry]);
    } else if (table != nullptr && (*table)[entry + 1] != nullptr) {
      // Keeps the entry's current name, and reports use it too.
      copy_text(names_[entry], kNameSlotSize, (*table)[entry + 1]->GetName());
    }
    ++entry;
  }
  std::fclose(file);
  for (int k = entry; k < kShortcutCount; ++k) {
    copy_text(names_[k], kNameSlotSize, msg::kUnusedShortcut);
    give_name(k, names_[k]);
  }
  return true;
}
