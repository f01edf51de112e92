// The modifier stack: a base object and the modifiers on it.
#include "host/modifiers.h"
#include "host/space_warps.h"
#include "host/triobject.h"
#include "scene_internal.h"

namespace {
// A reference's stack shares its base with the node it was made from.
void delete_object(Object* o) {
  if (o != nullptr && Scene::get().release_object(o)) o->DeleteThis();
}
void delete_modifier(Modifier* m) {
  if (m != nullptr) m->DeleteThis();
}
}  // namespace

IDerivedObject::IDerivedObject(Object* base) : base_(base, delete_object) {}

IDerivedObject::~IDerivedObject() = default;

Object* IDerivedObject::ConvertToType(TimeValue t, Class_ID obtype) {
  if (obtype != triObjectClassID || base_ == nullptr) return nullptr;
  Object* converted = base_->ConvertToType(t, triObjectClassID);
  if (converted == nullptr) return nullptr;
  // A copy always: the stack must not change the base object's own mesh.
  TriObject* tri = CreateNewTriObject();
  tri->GetMesh() = static_cast<TriObject*>(converted)->GetMesh();
  if (converted != base_.get()) converted->DeleteThis();
  ObjectState os{tri};
  for (int i = NumModifiers() - 1; i >= 0; --i) {
    Modifier* mod = mods_[i].mod.get();
    // World-space modifiers run later, from the node (INode::EvalWorldState).
    if (mod->IsEnabled() && mod->SuperClassID() != WSM_CLASS_ID)
      mod->ModifyObject(t, *mods_[i].context, &os, nullptr);
  }
  return tri;
}

Animatable* IDerivedObject::Clone() {
  auto* base = base_ != nullptr ? static_cast<Object*>(base_->Clone()) : nullptr;
  if (base == nullptr) return nullptr;
  auto copy = std::make_unique<IDerivedObject>(base);
  for (int i = 0; i < NumModifiers(); ++i) {
    auto* mod = static_cast<Modifier*>(mods_[i].mod->Clone());
    if (mod == nullptr) return nullptr;
    copy->AddModifier(mod, new ModContext(*mods_[i].context), i);
  }
  return copy.release();
}

void IDerivedObject::AddModifier(Modifier* mod, ModContext* context, int index) {
  if (mod == nullptr) return;
  if (context == nullptr) context = new ModContext;
  if (index < 0 || index > NumModifiers()) index = NumModifiers();
  Entry entry{std::unique_ptr<Modifier, void (*)(Modifier*)>(mod, delete_modifier),
              std::unique_ptr<ModContext>(context)};
  mods_.insert(mods_.begin() + index, std::move(entry));
}

Modifier* IDerivedObject::ReleaseModifier(int i, ModContext** context) {
  if (i < 0 || i >= NumModifiers()) return nullptr;
  Modifier* mod = mods_[i].mod.release();
  ModContext* mc = mods_[i].context.release();
  mods_.erase(mods_.begin() + i);
  if (context != nullptr)
    *context = mc;
  else
    delete mc;
  return mod;
}
