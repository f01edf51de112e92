// Path name values and the scene's resolver hook.
#include "host/scene_paths.h"

#include "runtime_internal.h"

ValueMetaClass PathName_class("PathName");

namespace {
PathResolver g_resolver = nullptr;

bool is_wildcard(char c) { return c == '*' || c == '?'; }
}  // namespace

void set_path_resolver(PathResolver resolver) { g_resolver = resolver; }
PathResolver path_resolver() { return g_resolver; }

PathNameValue::PathNameValue(const std::string& text) : text_(text) {
  tag = &PathName_class;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '/') {
    rooted_ = true;
    ++i;
  }
  std::string level;
  bool in_quotes = false;
  auto end_level = [&] {
    if (!level.empty()) levels_.push_back(level);
    level.clear();
  };
  while (i < text.size()) {
    char c = text[i];
    if (c == '\'') {
      in_quotes = !in_quotes;
      ++i;
    } else if (c == '\\' && i + 1 < text.size()) {
      level += text.substr(i, 2);  // kept escaped: \* is a star in the name
      i += 2;
    } else if (!in_quotes && text.compare(i, 3, "...") == 0) {
      end_level();
      levels_.push_back("...");
      i += 3;
    } else if (!in_quotes && c == '/') {
      end_level();
      ++i;
    } else {
      if (is_wildcard(c)) wildcard_ = true;
      level += c;
      ++i;
    }
  }
  end_level();
}

void PathNameValue::sprin1(CharStream* s) {
  s->puts("$");
  s->puts(text_.c_str());
}
