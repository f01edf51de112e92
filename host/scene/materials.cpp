// Materials and maps: their settings, each change recorded for undo.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "material_objects.h"

namespace {

struct DeleteThis {
  void operator()(MtlBase* object) const { object->DeleteThis(); }
};

// Reached from a static pointer, so the run's end does not report it lost.
std::vector<std::unique_ptr<MtlBase, DeleteThis>>& kept() {
  static auto* objects = new std::vector<std::unique_ptr<MtlBase, DeleteThis>>;
  return *objects;
}

const char* const kSlotNames[NTEXMAPS] = {
    "Ambient Color", "Diffuse Color", "Specular Color", "Glossiness", "Specular Level", "Self-Illumination",
    "Opacity",       "Filter Color",  "Bump",           "Reflection", "Refraction",     "Displacement"};

bool is_slot(int i) { return i >= 0 && i < NTEXMAPS; }

}  // namespace

bool contains_material(Mtl* mtl, Mtl* target) {
  std::vector<Mtl*> pending{mtl}, seen;
  while (!pending.empty()) {
    Mtl* m = pending.back();
    pending.pop_back();
    if (m == nullptr || std::find(seen.begin(), seen.end(), m) != seen.end()) continue;
    if (m == target) return true;
    seen.push_back(m);
    for (int i = 0; i < m->NumSubMtls(); ++i) pending.push_back(m->GetSubMtl(i));
  }
  return false;
}

void keep_for_run(MtlBase* object) { kept().emplace_back(object); }

namespace {

constexpr const char* kMaterialStem = "Material #";
constexpr const char* kMapStem = "Map #";

int& material_count() {
  static int count = 0;
  return count;
}

int& map_count() {
  static int count = 0;
  return count;
}

// Raises count to the number of a name stem + digits.
void note_number(const std::string& name, const std::string& stem, int& count) {
  if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0 || name.size() - stem.size() > 9)
    return;
  int number = 0;
  for (std::size_t i = stem.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return;
    number = number * 10 + (name[i] - '0');
  }
  count = std::max(count, number);
}

}  // namespace

std::string next_material_name() { return kMaterialStem + std::to_string(++material_count()); }

std::string next_map_name() { return kMapStem + std::to_string(++map_count()); }

void reset_material_names() {
  material_count() = 0;
  map_count() = 0;
}

void note_material_name(const std::string& name) {
  note_number(name, kMaterialStem, material_count());
  note_number(name, kMapStem, map_count());
}

StdMat2* NewDefaultStdMat() { return new StandardMtl; }

void StandardMtl::SetAmbient(Color c, TimeValue) {
  hold_state(this);
  state_.ambient = c;
}

void StandardMtl::SetDiffuse(Color c, TimeValue) {
  hold_state(this);
  state_.diffuse = c;
}

void StandardMtl::SetSpecular(Color c, TimeValue) {
  hold_state(this);
  state_.specular = c;
}

void StandardMtl::SetShininess(float v, TimeValue) {
  hold_state(this);
  state_.glossiness = v;
}

void StandardMtl::SetShinStr(float v, TimeValue) {
  hold_state(this);
  state_.specular_level = v;
}

void StandardMtl::SetSelfIllum(float v, TimeValue) {
  hold_state(this);
  state_.self_illum = v;
}

void StandardMtl::SetOpacity(float v, TimeValue) {
  hold_state(this);
  state_.opacity = v;
}

void StandardMtl::SetSelfIllumColorOn(bool on) {
  hold_state(this);
  state_.self_illum_color_on = on;
}

void StandardMtl::SetSelfIllumColor(Color c) {
  hold_state(this);
  state_.self_illum_color = c;
}

void StandardMtl::SetFaceMap(bool on) {
  hold_state(this);
  state_.face_map = on;
}

void StandardMtl::EnableMap(int id, BOOL onoff) {
  if (!is_slot(id)) return;
  hold_state(this);
  state_.enabled[id] = onoff != FALSE;
}

BOOL StandardMtl::MapEnabled(int id) { return is_slot(id) && state_.enabled[id] ? TRUE : FALSE; }

Texmap* StandardMtl::GetSubTexmap(int i) { return is_slot(i) ? state_.maps[i] : nullptr; }

void StandardMtl::SetSubTexmap(int i, Texmap* m) {
  if (!is_slot(i)) return;
  hold_state(this);
  state_.maps[i] = m;
}

std::string StandardMtl::GetSubTexmapSlotName(int i) { return is_slot(i) ? kSlotNames[i] : ""; }

MultiMaterial::MultiMaterial(int numsubs) { SetNumSubMtls(numsubs); }

Mtl* MultiMaterial::for_id(int mtl_num) {
  int i = SubMtlIndexForID(static_cast<MtlID>(mtl_num));
  return i < 0 ? nullptr : state_.entries[i].mtl;
}

Color MultiMaterial::GetAmbient(int mtlNum, BOOL backFace) {
  Mtl* m = for_id(mtlNum);
  return m != nullptr ? m->GetAmbient(0, backFace) : Color(0, 0, 0);
}

Color MultiMaterial::GetDiffuse(int mtlNum, BOOL backFace) {
  Mtl* m = for_id(mtlNum);
  return m != nullptr ? m->GetDiffuse(0, backFace) : Color(0, 0, 0);
}

Color MultiMaterial::GetSpecular(int mtlNum, BOOL backFace) {
  Mtl* m = for_id(mtlNum);
  return m != nullptr ? m->GetSpecular(0, backFace) : Color(0, 0, 0);
}

float MultiMaterial::GetShininess(int mtlNum, BOOL backFace) {
  Mtl* m = for_id(mtlNum);
  return m != nullptr ? m->GetShininess(0, backFace) : 0.0f;
}

float MultiMaterial::GetShinStr(int mtlNum, BOOL backFace) {
  Mtl* m = for_id(mtlNum);
  return m != nullptr ? m->GetShinStr(0, backFace) : 0.0f;
}

float MultiMaterial::GetXParency(int mtlNum, BOOL backFace) {
  Mtl* m = for_id(mtlNum);
  return m != nullptr ? m->GetXParency(0, backFace) : 0.0f;
}

void MultiMaterial::SetAmbient(Color c, TimeValue t) {
  for (Entry& e : state_.entries)
    if (e.mtl != nullptr) e.mtl->SetAmbient(c, t);
}

void MultiMaterial::SetDiffuse(Color c, TimeValue t) {
  for (Entry& e : state_.entries)
    if (e.mtl != nullptr) e.mtl->SetDiffuse(c, t);
}

void MultiMaterial::SetSpecular(Color c, TimeValue t) {
  for (Entry& e : state_.entries)
    if (e.mtl != nullptr) e.mtl->SetSpecular(c, t);
}

void MultiMaterial::SetShininess(float v, TimeValue t) {
  for (Entry& e : state_.entries)
    if (e.mtl != nullptr) e.mtl->SetShininess(v, t);
}

Mtl* MultiMaterial::GetSubMtl(int i) { return i >= 0 && i < NumSubMtls() ? state_.entries[i].mtl : nullptr; }

// A material that holds this one is refused: it would hold itself.
void MultiMaterial::SetSubMtl(int i, Mtl* m) {
  if (i < 0 || i >= NumSubMtls() || contains_material(m, this)) return;
  hold_state(this);
  state_.entries[i].mtl = m;
}

std::string MultiMaterial::GetSubMtlSlotName(int i) {
  return i >= 0 && i < NumSubMtls() ? "(" + std::to_string(state_.entries[i].id + 1) + ")" : "";
}

// New entries get new standard materials and the next IDs after the highest.
void MultiMaterial::SetNumSubMtls(int n) {
  n = std::max(n, 0);
  hold_state(this);
  auto& entries = state_.entries;
  if (n < NumSubMtls()) entries.resize(n);
  while (NumSubMtls() < n) {
    int next = 0;
    for (const Entry& e : entries) next = std::max(next, e.id + 1);
    auto* mtl = new StandardMtl;
    mtl->SetName(next_material_name());
    keep_for_run(mtl);
    entries.push_back({mtl, static_cast<MtlID>(next)});
  }
}

MtlID MultiMaterial::GetSubMtlID(int i) { return i >= 0 && i < NumSubMtls() ? state_.entries[i].id : 0; }

void MultiMaterial::SetSubMtlID(int i, MtlID id) {
  if (i < 0 || i >= NumSubMtls()) return;
  hold_state(this);
  state_.entries[i].id = id;
}

int MultiMaterial::SubMtlIndexForID(MtlID id) {
  if (state_.entries.empty()) return -1;
  for (int i = 0; i < NumSubMtls(); ++i)
    if (state_.entries[i].id == id) return i;
  return id % NumSubMtls();
}

void StandardUV::SetMapChannel(int i) {
  hold_state(this);
  state_.channel = i;
}

void StandardUV::SetUScl(float f, TimeValue) {
  hold_state(this);
  state_.u_tiling = f;
}

void StandardUV::SetVScl(float f, TimeValue) {
  hold_state(this);
  state_.v_tiling = f;
}

void StandardUV::SetUOffs(float f, TimeValue) {
  hold_state(this);
  state_.u_offset = f;
}

void StandardUV::SetVOffs(float f, TimeValue) {
  hold_state(this);
  state_.v_offset = f;
}

void TwoColorMap::SetColor(int i, AColor c, TimeValue) {
  hold_state(this);
  state_.colors[i == 0 ? 0 : 1] = c;
}

void TwoColorMap::SetSize(float f, TimeValue) {
  hold_state(this);
  state_.size = f;
}

void BitmapMap::SetMapName(const std::string& name) {
  hold_state(this);
  state_.file_name = name;
}
