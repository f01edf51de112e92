// Change notification from scene objects to what depends on them.
#include <algorithm>

#include "host/animatable.h"

void Animatable::RegisterDependent(Animatable* dependent) {
  if (dependent != nullptr &&
      std::find(dependents_.begin(), dependents_.end(), dependent) == dependents_.end())
    dependents_.push_back(dependent);
}

void Animatable::UnregisterDependent(Animatable* dependent) {
  dependents_.erase(std::remove(dependents_.begin(), dependents_.end(), dependent), dependents_.end());
}

RefResult Animatable::NotifyDependents(Interval changeInt, PartID partID, RefMessage message,
                                       SClass_ID sclass, BOOL propagate, Animatable* hTarg) {
  Animatable* target = hTarg != nullptr ? hTarg : this;
  // A dependent may unregister while it hears: walk a copy.
  std::vector<Animatable*> dependents = dependents_;
  for (Animatable* d : dependents) {
    if (sclass != NOTIFY_ALL && d->SuperClassID() != sclass) continue;
    PartID part = partID;
    if (d->NotifyRefChanged(changeInt, target, part, message) == REF_STOP || !propagate) continue;
    d->NotifyDependents(changeInt, part, message, sclass, propagate, nullptr);
  }
  return REF_SUCCEED;
}
