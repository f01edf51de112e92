// Path names: $box01, $'name with blanks', $torso/left_arm, $box*, $torso...*,
// and $ alone (the current selection). A script's path literal is a
// PathNameValue; evaluating it asks the resolver the scene installs. With
// no resolver installed, every path gives undefined.
#pragma once

#include <string>
#include <vector>

#include "host/classes.h"
#include "host/value.h"

class PathNameValue : public Value {
 public:
  // The path as written after $: "box01", "'a b'/c", "torso...*", "" for $.
  explicit PathNameValue(const std::string& text);
  const std::string& text() const { return text_; }
  // The levels from the root down, quotes removed; "..." stands for any
  // number of levels between its neighbours. Empty for the selection.
  const std::vector<std::string>& levels() const { return levels_; }
  bool is_selection() const { return levels_.empty(); }
  // * or ? in a level not escaped with \: the path names a set of objects.
  bool has_wildcard() const { return wildcard_; }
  // $/name: the first level is at the top of the hierarchy.
  bool is_rooted() const { return rooted_; }
  void sprin1(CharStream* s) override;

 private:
  std::string text_;
  std::vector<std::string> levels_;
  bool wildcard_ = false;
  bool rooted_ = false;
};

extern ValueMetaClass PathName_class;

// Gives the value of a path: a node, the nodes of a wildcard path or of the
// selection (an Array lets for loops and mapped functions go over them), or
// undefined (null is taken as undefined).
// An underscore in a level also matches a blank in an object's name.
using PathResolver = Value* (*)(PathNameValue* path);
// Installs the resolver; null removes it.
void set_path_resolver(PathResolver resolver);
PathResolver path_resolver();
