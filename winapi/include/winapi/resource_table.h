// The resources compiled into a module: define one static ModuleResources in
// the module. It registers itself under the module that holds it when the
// module loads and leaves when the module unloads.
//
//   static const ModuleResources resources{
//       {{116, "MAXScript Shortcuts"}, {117, "Shortcut 01"}},
//       {{202, {{FVIRTKEY | FCONTROL | FALT, 'M', 999}}}}};
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct StringResource {
  UINT id;
  std::string text;
};

struct AcceleratorResource {
  UINT id;
  std::vector<ACCEL> entries;
};

class ModuleResources {
 public:
  ModuleResources(std::vector<StringResource> strings, std::vector<AcceleratorResource> accelerators);
  ~ModuleResources();
  ModuleResources(const ModuleResources&) = delete;
  ModuleResources& operator=(const ModuleResources&) = delete;

  const StringResource* find_string(UINT id) const;
  const AcceleratorResource* find_accelerators(UINT id) const;
  // Whether `table` is one of this module's accelerator tables.
  bool holds(const AcceleratorResource* table) const;

 private:
  std::vector<StringResource> strings_;
  std::vector<AcceleratorResource> accelerators_;
};
