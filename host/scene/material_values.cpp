// Materials and maps for scripts: standardMaterial (also standard),
// multiMaterial, checker, noise and bitmapTexture, their properties, the
// coordinates of maps (.coords) and a node's material.
//   $b.material = standard diffuse:red diffuseMap:(checker color2:blue)
#include "material_values.h"

#include <algorithm>
#include <memory>

#include "host/checks.h"
#include "host/globals.h"
#include "host/locals.h"
#include "host/properties.h"
#include "host/script_time.h"
#include "host/streams.h"
#include "host/values.h"
#include "material_objects.h"
#include "node_values.h"
#include "scene_internal.h"

namespace {

MtlBase* self_mtl(Value* self) {
  auto* w = static_cast<MtlValue*>(self);
  w->check_not_deleted();
  return w->mtl();
}
// Each class's table is given only to values of its own C++ class (class_of_mtl).
StdMat2* standard_of(Value* self) { return static_cast<StdMat2*>(self_mtl(self)); }
MultiMtl* multi_of(Value* self) { return static_cast<MultiMtl*>(self_mtl(self)); }
NoiseTexmap* two_color_of(Value* self) { return static_cast<NoiseTexmap*>(self_mtl(self)); }
BitmapTex* bitmap_of(Value* self) { return static_cast<BitmapTex*>(self_mtl(self)); }
StdUVGen* uv_of(Value* self) { return static_cast<StdUVGen*>(self_mtl(self)); }

Value* color_value(const AColor& c) { return new ColorValue(AColor(c.r, c.g, c.b)); }
Color color_of(Value* v) {
  AColor c = v->to_acolor();
  return Color(c.r, c.g, c.b);
}

// The material or map v stands for, when it is of class c (undefined: null).
MtlBase* mtl_arg(Value* v, ValueMetaClass* c, const char* what) {
  if (v == &undefined) return nullptr;
  auto* w = dynamic_cast<MtlValue*>(v);
  if (w == nullptr || !v->is_kind_of(c)) throw TypeError(what, v, c);
  w->check_not_deleted();
  return w->mtl();
}

Value* get_name(Value* self) { return new String(self_mtl(self)->GetName().c_str()); }
void set_name(Value* self, Value* v) { self_mtl(self)->SetName(v->to_string()); }

// The standard material; amounts are percentages, as the application shows them.
Value* get_ambient(Value* self) { return color_value(standard_of(self)->GetAmbient()); }
void set_ambient(Value* self, Value* v) { standard_of(self)->SetAmbient(color_of(v), MAXScript_time()); }
Value* get_diffuse(Value* self) { return color_value(standard_of(self)->GetDiffuse()); }
void set_diffuse(Value* self, Value* v) { standard_of(self)->SetDiffuse(color_of(v), MAXScript_time()); }
Value* get_specular(Value* self) { return color_value(standard_of(self)->GetSpecular()); }
void set_specular(Value* self, Value* v) { standard_of(self)->SetSpecular(color_of(v), MAXScript_time()); }
Value* get_specular_level(Value* self) { return new Float(standard_of(self)->GetShinStr() * 100.0f); }
void set_specular_level(Value* self, Value* v) {
  standard_of(self)->SetShinStr(v->to_float() / 100.0f, MAXScript_time());
}
Value* get_glossiness(Value* self) { return new Float(standard_of(self)->GetShininess() * 100.0f); }
void set_glossiness(Value* self, Value* v) {
  standard_of(self)->SetShininess(v->to_float() / 100.0f, MAXScript_time());
}
Value* get_self_illum(Value* self) { return new Float(standard_of(self)->GetSelfIllum() * 100.0f); }
void set_self_illum(Value* self, Value* v) {
  standard_of(self)->SetSelfIllum(v->to_float() / 100.0f, MAXScript_time());
}
Value* get_opacity(Value* self) {
  return new Float(standard_of(self)->GetOpacity(MAXScript_time()) * 100.0f);
}
void set_opacity(Value* self, Value* v) {
  standard_of(self)->SetOpacity(v->to_float() / 100.0f, MAXScript_time());
}
// The standard material's own settings that StdMat2 does not reach.
StandardMtl* standard_mtl_of(Value* self) { return static_cast<StandardMtl*>(self_mtl(self)); }
Value* get_use_self_illum_color(Value* self) {
  return bool_result(standard_mtl_of(self)->GetSelfIllumColorOn(0, FALSE));
}
void set_use_self_illum_color(Value* self, Value* v) {
  standard_mtl_of(self)->SetSelfIllumColorOn(v->to_bool());
}
Value* get_self_illum_color(Value* self) {
  return color_value(standard_mtl_of(self)->GetSelfIllumColor(0, FALSE));
}
void set_self_illum_color(Value* self, Value* v) { standard_mtl_of(self)->SetSelfIllumColor(color_of(v)); }
Value* get_face_map(Value* self) { return bool_result(standard_mtl_of(self)->GetFaceMap()); }
void set_face_map(Value* self, Value* v) { standard_mtl_of(self)->SetFaceMap(v->to_bool()); }
Value* get_diffuse_map(Value* self) { return wrap_mtl(standard_of(self)->GetSubTexmap(ID_DI)); }
void set_diffuse_map(Value* self, Value* v) {
  auto* map = static_cast<Texmap*>(mtl_arg(v, &TextureMap_class, "diffuseMap"));
  standard_of(self)->SetSubTexmap(ID_DI, map);
}
Value* get_diffuse_map_enable(Value* self) { return bool_result(standard_of(self)->MapEnabled(ID_DI)); }
void set_diffuse_map_enable(Value* self, Value* v) { standard_of(self)->EnableMap(ID_DI, v->to_bool()); }

// The multi/sub-object material: IDs from 1 for scripts, from 0 on faces.
Value* get_numsubs(Value* self) { return Integer::intern(multi_of(self)->NumSubMtls()); }
void set_numsubs(Value* self, Value* v) {
  multi_of(self)->SetNumSubMtls(check_int_in_range(v, 1, 1000, host::msg::kNumSubsRange));
}
Value* get_material_list(Value* self) {
  MultiMtl* multi = multi_of(self);
  OneValueLocal list(new Array());
  for (int i = 0; i < multi->NumSubMtls(); ++i)
    static_cast<Array*>(list.value)->append(wrap_mtl(multi->GetSubMtl(i)));
  return list.value;
}
// The array's items in order; it may not be longer than the list.
Array* list_arg(MultiMtl* multi, Value* v, const char* what) {
  auto* items = check_class<Array>(v, &Array_class, what);
  if (items->size > multi->NumSubMtls()) throw RuntimeError(host::msg::kListLongerThanNumsubs, v);
  return items;
}
// A sub-material: a material but not a map; undefined for none.
Mtl* sub_material_arg(Value* v, const char* what) {
  if (v != &undefined && v->is_kind_of(&TextureMap_class)) throw TypeError(what, v, &Material_class);
  return static_cast<Mtl*>(mtl_arg(v, &Material_class, what));
}

void set_material_list(Value* self, Value* v) {
  MultiMtl* multi = multi_of(self);
  Array* items = list_arg(multi, v, "materialList");
  std::vector<Mtl*> mtls;
  for (int i = 0; i < items->size; ++i) {
    mtls.push_back(sub_material_arg(items->data[i], "materialList"));
    if (contains_material(mtls.back(), multi))
      throw RuntimeError(host::msg::kMaterialHoldsItself, items->data[i]);
  }
  for (std::size_t i = 0; i < mtls.size(); ++i) multi->SetSubMtl(static_cast<int>(i), mtls[i]);
}
Value* get_material_ids(Value* self) {
  MultiMtl* multi = multi_of(self);
  OneValueLocal list(new Array());
  for (int i = 0; i < multi->NumSubMtls(); ++i)
    static_cast<Array*>(list.value)->append(Integer::intern(multi->GetSubMtlID(i) + 1));
  return list.value;
}
void set_material_ids(Value* self, Value* v) {
  MultiMtl* multi = multi_of(self);
  Array* items = list_arg(multi, v, "materialIDList");
  std::vector<int> ids;
  for (int i = 0; i < items->size; ++i)
    ids.push_back(check_int_in_range(items->data[i], 1, 65535, host::msg::kMaterialIDRange));
  for (std::size_t i = 0; i < ids.size(); ++i)
    multi->SetSubMtlID(static_cast<int>(i), static_cast<MtlID>(ids[i] - 1));
}

// Checker and noise.
Value* get_color1(Value* self) { return color_value(two_color_of(self)->GetColor(0)); }
void set_color1(Value* self, Value* v) { two_color_of(self)->SetColor(0, v->to_acolor(), MAXScript_time()); }
Value* get_color2(Value* self) { return color_value(two_color_of(self)->GetColor(1)); }
void set_color2(Value* self, Value* v) { two_color_of(self)->SetColor(1, v->to_acolor(), MAXScript_time()); }
Value* get_size(Value* self) { return new Float(two_color_of(self)->GetSize(MAXScript_time())); }
void set_size(Value* self, Value* v) { two_color_of(self)->SetSize(v->to_float(), MAXScript_time()); }
Value* get_coords(Value* self) { return wrap_mtl(static_cast<Texmap*>(self_mtl(self))->GetTheUVGen()); }

Value* get_filename(Value* self) { return new String(bitmap_of(self)->GetMapName().c_str()); }
void set_filename(Value* self, Value* v) { bitmap_of(self)->SetMapName(v->to_string()); }

Value* get_u_tiling(Value* self) { return new Float(uv_of(self)->GetUScl(MAXScript_time())); }
void set_u_tiling(Value* self, Value* v) { uv_of(self)->SetUScl(v->to_float(), MAXScript_time()); }
Value* get_v_tiling(Value* self) { return new Float(uv_of(self)->GetVScl(MAXScript_time())); }
void set_v_tiling(Value* self, Value* v) { uv_of(self)->SetVScl(v->to_float(), MAXScript_time()); }
Value* get_u_offset(Value* self) { return new Float(uv_of(self)->GetUOffs(MAXScript_time())); }
void set_u_offset(Value* self, Value* v) { uv_of(self)->SetUOffs(v->to_float(), MAXScript_time()); }
Value* get_v_offset(Value* self) { return new Float(uv_of(self)->GetVOffs(MAXScript_time())); }
void set_v_offset(Value* self, Value* v) { uv_of(self)->SetVOffs(v->to_float(), MAXScript_time()); }
Value* get_map_channel(Value* self) { return Integer::intern(uv_of(self)->GetMapChannel()); }
void set_map_channel(Value* self, Value* v) {
  uv_of(self)->SetMapChannel(check_int_in_range(v, 1, 99, host::msg::kMapChannelRange));
}

PropertyTable material_properties{{"name", "string", get_name, set_name}};
PropertyTable standard_properties{
    {"ambient", "color", get_ambient, set_ambient},
    {"diffuse", "color", get_diffuse, set_diffuse},
    {"specular", "color", get_specular, set_specular},
    {"specularLevel", "float", get_specular_level, set_specular_level},
    {"glossiness", "float", get_glossiness, set_glossiness},
    {"selfIllumAmount", "float", get_self_illum, set_self_illum},
    {"useSelfIllumColor", "boolean", get_use_self_illum_color, set_use_self_illum_color},
    {"selfIllumColor", "color", get_self_illum_color, set_self_illum_color},
    {"opacity", "float", get_opacity, set_opacity},
    {"diffuseMap", "texturemap", get_diffuse_map, set_diffuse_map},
    {"diffuseMapEnable", "boolean", get_diffuse_map_enable, set_diffuse_map_enable},
    {"faceMap", "boolean", get_face_map, set_face_map},
};
PropertyTable multi_properties{
    {"numsubs", "integer", get_numsubs, set_numsubs},
    {"materialList", "array", get_material_list, set_material_list},
    {"materialIDList", "array", get_material_ids, set_material_ids},
};
PropertyTable checker_properties{
    {"color1", "color", get_color1, set_color1},
    {"color2", "color", get_color2, set_color2},
    {"coords", "StandardUVGen", get_coords},
    {"coordinates", "StandardUVGen", get_coords, nullptr, true},
};
PropertyTable noise_properties{
    {"color1", "color", get_color1, set_color1},
    {"color2", "color", get_color2, set_color2},
    {"size", "float", get_size, set_size},
    {"coords", "StandardUVGen", get_coords},
    {"coordinates", "StandardUVGen", get_coords, nullptr, true},
};
PropertyTable bitmap_properties{
    {"filename", "string", get_filename, set_filename},
    {"coords", "StandardUVGen", get_coords},
    {"coordinates", "StandardUVGen", get_coords, nullptr, true},
};
PropertyTable uvgen_properties{
    {"U_Tiling", "float", get_u_tiling, set_u_tiling},
    {"V_Tiling", "float", get_v_tiling, set_v_tiling},
    {"U_Offset", "float", get_u_offset, set_u_offset},
    {"V_Offset", "float", get_v_offset, set_v_offset},
    {"mapChannel", "integer", get_map_channel, set_map_channel},
};

// Applies each keyword argument that names a property of the new value
// (skip: one the constructor took itself), in the order written.
Value* construct(MtlBase* made, Value** arg_list, int count, const char* fn, Value* skip = nullptr) {
  keep_for_run(made);
  OneValueLocal result(wrap_mtl(made));
  for (int i = positional_count(arg_list, count) + 1; i + 1 < count; i += 2)
    if (arg_list[i] != skip && find_property(result.value->tag, arg_list[i]) != nullptr)
      result.value->set_property(arg_list[i], arg_list[i + 1]);
  (void)fn;
  return result.value;
}

template <typename T>
T* named(T* object, std::string name) {
  object->SetName(name);
  return object;
}

Value* make_standard(Value** a, int count) {
  check_positional_count("standardMaterial", 0, a, count);
  return construct(named(new StandardMtl, next_material_name()), a, count, "standardMaterial");
}
Value* make_multi(Value** a, int count) {
  check_positional_count("multiMaterial", 0, a, count);
  static Value* numsubs_key = Name::intern("numsubs");
  Value* n = _get_key_arg_or_default(a, count, numsubs_key, Integer::intern(10));
  int numsubs = check_int_in_range(n, 1, 1000, host::msg::kNumSubsRange);
  return construct(named(new MultiMaterial(numsubs), next_material_name()), a, count, "multiMaterial",
                   numsubs_key);
}
Value* make_checker(Value** a, int count) {
  check_positional_count("checker", 0, a, count);
  return construct(named(new TwoColorMap(CHECKER_CLASS_ID), next_map_name()), a, count, "checker");
}
Value* make_noise(Value** a, int count) {
  check_positional_count("noise", 0, a, count);
  return construct(named(new TwoColorMap(NOISE_CLASS_ID), next_map_name()), a, count, "noise");
}
Value* make_bitmap(Value** a, int count) {
  check_positional_count("bitmapTexture", 0, a, count);
  return construct(named(new BitmapMap, next_map_name()), a, count, "bitmapTexture");
}

}  // namespace

ValueMetaClass Material_class("material", &MAXWrapper_class, nullptr, &material_properties);
ValueMetaClass TextureMap_class("textureMap", &Material_class);
ValueMetaClass Standardmaterial_class("Standardmaterial", &Material_class, make_standard,
                                      &standard_properties);
ValueMetaClass Multimaterial_class("Multimaterial", &Material_class, make_multi, &multi_properties);
ValueMetaClass Checker_class("Checker", &TextureMap_class, make_checker, &checker_properties);
ValueMetaClass Noise_class("Noise", &TextureMap_class, make_noise, &noise_properties);
ValueMetaClass Bitmaptexture_class("Bitmaptexture", &TextureMap_class, make_bitmap, &bitmap_properties);
ValueMetaClass UVGenClass_class("UVGenClass", &MAXWrapper_class);
ValueMetaClass StandardUVGen_class("StandardUVGen", &UVGenClass_class, nullptr, &uvgen_properties);

namespace {

ValueMetaClass* class_of_mtl(MtlBase* m) {
  if (dynamic_cast<StandardMtl*>(m) != nullptr) return &Standardmaterial_class;
  if (dynamic_cast<MultiMaterial*>(m) != nullptr) return &Multimaterial_class;
  if (auto* map = dynamic_cast<TwoColorMap*>(m))
    return map->ClassID() == Class_ID(CHECKER_CLASS_ID, 0) ? &Checker_class : &Noise_class;
  if (dynamic_cast<BitmapMap*>(m) != nullptr) return &Bitmaptexture_class;
  if (dynamic_cast<StandardUV*>(m) != nullptr) return &StandardUVGen_class;
  if (m->SuperClassID() == MATERIAL_CLASS_ID) return &Material_class;
  if (m->SuperClassID() == TEXMAP_CLASS_ID) return &TextureMap_class;
  return &MAXWrapper_class;
}

// standard is another name of standardMaterial.
Value* get_standard() { return &Standardmaterial_class; }
Value* read_only(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }
struct MaterialGlobals {
  MaterialGlobals() { define_system_global("standard", get_standard, read_only); }
} material_globals;

}  // namespace

MtlValue::MtlValue(WrapperRegistry* registry, void* object) : HostObjectWrapper(registry, object) {
  tag = class_of_mtl(mtl());
}

void MtlValue::sprin1(CharStream* s) {
  std::string class_name;
  mtl()->GetClassName(class_name);
  std::string name = mtl()->GetName();
  s->printf("%s%s%s", name.c_str(), name.empty() ? "" : ":", class_name.c_str());
}

Value* wrap_mtl(MtlBase* mtl) {
  if (mtl == nullptr) return &undefined;
  return Scene::get().registry().wrap(
      mtl, [](WrapperRegistry* r, void* m) -> HostObjectWrapper* { return new MtlValue(r, m); });
}

Value* get_node_material(Value* self) { return wrap_mtl(node_arg(self, "material")->GetMtl()); }

void set_node_material(Value* self, Value* v) {
  INode* node = node_arg(self, "material");
  node->SetMtl(sub_material_arg(v, "material"));
}

Texmap* MtlValue::to_texmap() {
  check_not_deleted();
  if (auto* m = dynamic_cast<Texmap*>(mtl())) return m;
  return Value::to_texmap();
}

Mtl* MtlValue::to_mtl() {
  check_not_deleted();
  if (auto* m = dynamic_cast<Mtl*>(mtl())) return m;
  return Value::to_mtl();
}
