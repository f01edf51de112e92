// Named numeric parameters of a scene object or modifier (a box's length,
// a bend's angle), each change recorded for undo while theHold is holding.
#pragma once

#include <vector>

// One parameter: its script name, whether it holds an integer, its default
// and the least value it takes (integers only; larger ones are kept). A
// switch is an integer, 0 or 1, that scripts see as false or true; a time
// is kept in frames and seen by scripts as a time.
struct SimpleParamDef {
  const char* name;
  bool is_int;
  float default_value;
  int least = 0;
  bool is_switch = false;
  bool is_time = false;
};

class ParamList {
 public:
  explicit ParamList(std::vector<SimpleParamDef> defs);
  int NumParams() const { return static_cast<int>(defs_.size()); }
  const SimpleParamDef& GetParamDef(int i) const { return defs_[i]; }
  // The parameter of that name (case-insensitive), or -1.
  int FindParam(const char* name) const;
  float GetFloat(int i) const { return values_[i]; }
  int GetInt(int i) const { return static_cast<int>(values_[i]); }
  // Sets a parameter (an integer one is truncated and kept at least at its
  // least value); while theHold is holding, the change can be undone.
  void SetValue(int i, float value);

 private:
  friend class ParamRestore;
  std::vector<SimpleParamDef> defs_;
  std::vector<float> values_;
};

// A new object of the class of from with the same parameter values (for
// classes that keep their parameters in a ParamList).
template <typename T>
T* clone_with_params(T& from) {
  T* copy = new T;
  *copy->GetParamList() = *from.GetParamList();
  return copy;
}
