// Class identifiers and the class descriptors that plug-in modules (.gup)
// export through LibNumberClasses and LibClassDesc.
#pragma once

#include <windows.h>

using SClass_ID = ULONG;

class Class_ID {
 public:
  Class_ID() = default;
  Class_ID(ULONG a, ULONG b) : a_(a), b_(b) {}
  ULONG PartA() const { return a_; }
  ULONG PartB() const { return b_; }
  bool operator==(const Class_ID& o) const { return a_ == o.a_ && b_ == o.b_; }
  bool operator!=(const Class_ID& o) const { return !(*this == o); }

 private:
  ULONG a_ = 0xFFFFFFFF, b_ = 0xFFFFFFFF;
};

constexpr SClass_ID GUP_CLASS_ID = 0x10E0;

class ShortcutTable;

// What the host asks a module about each class it offers.
class ClassDesc {
 public:
  virtual ~ClassDesc() = default;
  virtual int IsPublic() = 0;
  virtual void* Create(BOOL loading = FALSE) = 0;
  virtual const char* ClassName() = 0;
  virtual SClass_ID SuperClassID() = 0;
  virtual Class_ID ClassID() = 0;
  virtual const char* Category() = 0;
  virtual int NumShortcutTables() { return 0; }
  virtual ShortcutTable* GetShortcutTable(int) { return nullptr; }
};

using LibNumberClassesFn = int (*)();
using LibClassDescFn = ClassDesc* (*)(int i);
