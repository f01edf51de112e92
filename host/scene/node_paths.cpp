// Path names ($box01, $'a b'/c, $box*, $torso/...*/hand, $) resolved in the scene.
#include <cctype>

#include "host/locals.h"
#include "host/scene_paths.h"
#include "host/values.h"
#include "node_values.h"
#include "scene_internal.h"

namespace {

bool same_char(char pattern, char name) {
  if (pattern == '_' && name == ' ') return true;
  return std::tolower(static_cast<unsigned char>(pattern)) == std::tolower(static_cast<unsigned char>(name));
}

// * matches any run of characters, ? any one; case does not matter. Each *
// is tried at one place at a time, going back only to the latest one, so a
// pattern of many stars takes time in proportion to the name, not beyond.
bool matches(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern != '\0' && (*pattern == '?' || same_char(*pattern, *name))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// The nodes a path names, in scene order. The first level looks through the
// whole scene unless the path is rooted ($/name); each later level through
// the children of the nodes before it, "..." through all their descendants.
std::vector<INode*> resolve(const PathNameValue* path) {
  const auto& levels = path->levels();
  Scene& scene = Scene::get();
  std::vector<INode*> candidates;
  if (path->is_rooted())
    for (int i = 0; i < scene.GetRootNode()->NumberOfChildren(); ++i)
      candidates.push_back(scene.GetRootNode()->GetChildNode(i));
  else
    candidates = scene.nodes();
  std::vector<INode*> found;
  for (std::size_t level = 0; level < levels.size(); ++level) {
    if (levels[level] == "...") {
      if (level == 0) continue;  // already the whole scene
      std::vector<INode*> below;
      for (INode* n : found) add_subtree(n, below);
      candidates = below;
      continue;
    }
    found.clear();
    for (INode* n : candidates)
      if (matches(levels[level].c_str(), n->GetName())) found.push_back(n);
    candidates.clear();
    for (INode* n : found)
      for (int i = 0; i < n->NumberOfChildren(); ++i) candidates.push_back(n->GetChildNode(i));
  }
  return found;
}

Value* nodes_value(const std::vector<INode*>& nodes) {
  OneValueLocal result(new Array());
  for (INode* n : nodes) static_cast<Array*>(result.value)->append(wrap_node(n));
  return result.value;
}

// $ is the selected node, or all of them as an array when there are several.
Value* resolve_path(PathNameValue* path) {
  if (path->is_selection()) {
    Scene& scene = Scene::get();
    int count = scene.GetSelNodeCount();
    if (count == 0) return &undefined;
    if (count == 1) return wrap_node(scene.GetSelNode(0));
    std::vector<INode*> selected;
    for (int i = 0; i < count; ++i) selected.push_back(scene.GetSelNode(i));
    return nodes_value(selected);
  }
  std::vector<INode*> found = resolve(path);
  if (path->has_wildcard()) return nodes_value(found);
  return found.empty() ? static_cast<Value*>(&undefined) : wrap_node(found.front());
}

struct InstallResolver {
  InstallResolver() { set_path_resolver(resolve_path); }
} install_resolver;

}  // namespace
