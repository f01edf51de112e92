// Lists of materials and maps.
#include <algorithm>

#include "host/materials.h"

int MtlBaseList::AddMtl(MtlBase* m, BOOL checkUnique) {
  if (checkUnique) {
    int found = FindMtl(m);
    if (found >= 0) return found;
  }
  items_.push_back(m);
  return Count() - 1;
}

int MtlBaseList::FindMtl(MtlBase* m) const {
  auto found = std::find(items_.begin(), items_.end(), m);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void MtlBaseList::RemoveEntry(int n) {
  if (n >= 0 && n < Count()) items_.erase(items_.begin() + n);
}
