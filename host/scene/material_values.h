// Materials and maps as script values, and a node's material property.
#pragma once

#include "host/classes.h"
#include "host/host_objects.h"
#include "host/materials.h"

// A material, map or map coordinates: printed "Material #1:Standard".
class MtlValue : public HostObjectWrapper {
 public:
  Animatable* GetReference(int i) override {
    return i == 0 && !is_deleted() ? static_cast<MtlBase*>(object()) : nullptr;
  }
  MtlValue(WrapperRegistry* registry, void* object);
  MtlBase* mtl() const { return static_cast<MtlBase*>(object()); }
  // Maps are not materials: they raise the conversion error.
  Mtl* to_mtl() override;
  // Materials are not maps, nor are map coordinates.
  Texmap* to_texmap() override;
  void sprin1(CharStream* s) override;
};

// The one script value of a material or map; undefined for null.
Value* wrap_mtl(MtlBase* mtl);

// $b.material: the node's material or undefined; set to a material or undefined.
Value* get_node_material(Value* self);
void set_node_material(Value* self, Value* v);

extern ValueMetaClass Material_class;
extern ValueMetaClass TextureMap_class;
