// Checks a file's rows as a whole.
#include "scene_check.h"

#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "../key_controllers.h"
#include "../render_objects.h"
#include "controller_classes.h"
#include "global_values.h"
#include "host/messages.h"
#include "host/param_list.h"
#include "object_classes.h"

namespace scenefile {
namespace {

[[noreturn]] void fault(const char* table, const std::string& what) {
  throw FileError(std::string(table) + ": " + what);
}

template <typename Row, typename Key>
std::map<Id, const Row*> index_rows(const std::vector<Row>& rows, Key key, const char* table) {
  std::map<Id, const Row*> index;
  for (const Row& row : rows)
    if (!index.emplace(key(row), &row).second)
      fault(table, host::msg::kSceneFileDuplicateId + std::to_string(key(row)));
  return index;
}

void check_params(const SceneData& data, Owner kind, Id owner, Animatable* made, const char* table) {
  ParamList* params = made != nullptr ? made->GetParamList() : nullptr;
  for (const ParamRow& p : data.params)
    if (p.owner_kind == kind && p.owner == owner &&
        (params == nullptr || params->FindParam(p.name.c_str()) < 0))
      fault(table, host::msg::kSceneFileUnknownParam + p.name);
}

class Checker {
 public:
  explicit Checker(const SceneData& data) : d(data) {}

  void run() {
    nodes_ = index_rows(
        d.nodes, [](const NodeRow& r) { return r.id; }, "nodes");
    objects_ = index_rows(
        d.objects, [](const ObjectRow& r) { return r.id; }, "objects");
    modifiers_ = index_rows(
        d.modifiers, [](const ModifierRow& r) { return r.id; }, "modifiers");
    materials_ = index_rows(
        d.materials, [](const MaterialRow& r) { return r.id; }, "materials");
    check_nodes();
    check_objects();
    check_modifiers();
    check_controllers();
    check_keys();
    check_target_loops();
    check_materials();
    check_app_data();
    check_environment();
  }

 private:
  void check_nodes() {
    std::set<Id> seen;
    for (const NodeRow& n : d.nodes) {
      // A parent must come first: that also rules out loops.
      if (n.parent != 0 && seen.count(n.parent) == 0)
        fault("nodes", host::msg::kSceneFileParentOrder + std::to_string(n.id));
      seen.insert(n.id);
      if (objects_.count(n.object) == 0)
        fault("nodes", host::msg::kSceneFileMissingObject + std::to_string(n.object));
      if (n.material != 0) {
        auto m = materials_.find(n.material);
        if (m == materials_.end() || m->second->super_class != MATERIAL_CLASS_ID)
          fault("nodes", host::msg::kSceneFileMissingMaterial + std::to_string(n.material));
      }
      own(n.object);
    }
  }

  // Objects may have several holders (instances, references' stacks), but
  // none may go without one.
  void own(Id object) { owned_.insert(object); }

  template <typename Row>
  std::set<Id> rows_for(const std::vector<Row>& rows, const char* table) {
    std::set<Id> ids;
    for (const Row& r : rows) {
      if (!ids.insert(r.object).second)
        fault(table, host::msg::kSceneFileDuplicateId + std::to_string(r.object));
      if (objects_.count(r.object) == 0)
        fault(table, host::msg::kSceneFileMissingObject + std::to_string(r.object));
    }
    return ids;
  }

  void check_objects() {
    std::set<Id> meshes = rows_for(d.meshes, "meshes");
    std::set<Id> lights = rows_for(d.lights, "lights");
    std::set<Id> cameras = rows_for(d.cameras, "cameras");
    std::set<Id> targets = rows_for(d.targets, "targets");
    for (const ObjectRow& o : d.objects) {
      ObjectKind kind = object_kind(o);
      if (kind == ObjectKind::kUnknown)
        fault("objects", host::msg::kSceneFileUnknownClass + std::to_string(o.id));
      if (kind == ObjectKind::kStack) {
        auto base = objects_.find(o.base);
        if (base == objects_.end())
          fault("objects", host::msg::kSceneFileMissingObject + std::to_string(o.base));
        own(o.base);
      } else if (o.base != 0) {
        fault("objects", host::msg::kSceneFileMissingObject + std::to_string(o.base));
      }
      bool has_row = (kind == ObjectKind::kMesh && meshes.count(o.id) != 0) ||
                     (kind == ObjectKind::kLight && lights.count(o.id) != 0) ||
                     (kind == ObjectKind::kCamera && cameras.count(o.id) != 0) ||
                     (kind == ObjectKind::kTarget && targets.count(o.id) != 0) ||
                     kind == ObjectKind::kParams || kind == ObjectKind::kStack;
      if (!has_row)
        fault("objects", host::msg::kSceneFileMissingRow + std::string("object ") + std::to_string(o.id));
      if (kind == ObjectKind::kParams) {
        std::unique_ptr<Object, void (*)(Object*)> made(new_object(o), [](Object* x) { x->DeleteThis(); });
        check_params(d, Owner::kObject, o.id, made.get(), "params");
      }
    }
    check_stack_chains();
    for (const Id id : owned_)
      if (objects_.count(id) == 0) fault("objects", host::msg::kSceneFileMissingObject + std::to_string(id));
    for (const ObjectRow& o : d.objects)
      if (owned_.count(o.id) == 0) fault("objects", host::msg::kSceneFileUnusedObject + std::to_string(o.id));
    std::set<std::pair<Id, int>> channels;
    for (const MapChannelRow& m : d.map_channels) {
      if (meshes.count(m.object) == 0)
        fault("map_channels", host::msg::kSceneFileMissingObject + std::to_string(m.object));
      if (!channels.insert({m.object, m.channel}).second)
        fault("map_channels", host::msg::kSceneFileDuplicateId + std::to_string(m.channel));
    }
    for (const ExclusionRow& e : d.exclusions) {
      if (lights.count(e.light) == 0)
        fault("exclusions", host::msg::kSceneFileMissingObject + std::to_string(e.light));
      if (nodes_.count(e.node) == 0)
        fault("exclusions", host::msg::kSceneFileMissingNode + std::to_string(e.node));
    }
  }

  // A stack's base may be another stack (a reference of a reference), but
  // following bases must end at an object that is not a stack.
  void check_stack_chains() {
    for (const ObjectRow& o : d.objects) {
      const ObjectRow* at = &o;
      for (std::size_t steps = 0; object_kind(*at) == ObjectKind::kStack; ++steps) {
        if (steps > d.objects.size())
          fault("objects", host::msg::kSceneFileHoldsItself + std::to_string(o.id));
        at = objects_.at(at->base);
      }
    }
  }

  void check_modifiers() {
    for (const ModifierRow& m : d.modifiers) {
      auto stack = objects_.find(m.stack);
      if (stack == objects_.end() || object_kind(*stack->second) != ObjectKind::kStack)
        fault("modifiers", host::msg::kSceneFileMissingObject + std::to_string(m.stack));
      std::unique_ptr<Modifier> made(new_modifier(m.class_a, m.class_b));
      if (made == nullptr) fault("modifiers", host::msg::kSceneFileUnknownClass + std::to_string(m.id));
      if (m.warp_node != 0 && (!is_warp_binding(m.class_a, m.class_b) || nodes_.count(m.warp_node) == 0))
        fault("modifiers", host::msg::kSceneFileMissingNode + std::to_string(m.warp_node));
      check_params(d, Owner::kModifier, m.id, made.get(), "params");
    }
    for (const ParamRow& p : d.params) {
      bool found =
          p.owner_kind == Owner::kObject ? objects_.count(p.owner) != 0 : modifiers_.count(p.owner) != 0;
      if (!found) fault("params", host::msg::kSceneFileMissingOwner + std::to_string(p.owner));
    }
  }

  // Each row must name a controller where the host has one: a node's
  // transform, a light's colour or multiplier, or a part of one of those,
  // of the class found there. Rows are checked against controllers made
  // for the purpose.
  void check_controllers() {
    std::map<Id, Control*> made;
    std::vector<ControlPtr> wholes;
    std::set<std::tuple<Owner, Id, int>> slots;
    std::set<std::pair<Id, int>> parts;
    for (const ControllerRow& c : d.controllers) {
      if (made.count(c.id) != 0)
        fault("controllers", host::msg::kSceneFileDuplicateId + std::to_string(c.id));
      Control* there = nullptr;
      if (c.parent == 0) {
        there = owner_slot(c, wholes);
        if (!slots.insert({c.owner_kind, c.owner, c.sub}).second)
          fault("controllers", host::msg::kSceneFileDuplicateId + std::to_string(c.id));
      } else {
        auto parent = made.find(c.parent);
        if (parent == made.end() || c.owner_kind != Owner::kNone || c.owner != 0)
          fault("controllers", host::msg::kSceneFilePartOrder + std::to_string(c.id));
        if (c.sub < parent->second->NumSubs()) there = parent->second->SubControl(c.sub);
        if (there == nullptr || !parts.insert({c.parent, c.sub}).second)
          fault("controllers", host::msg::kSceneFileWrongController + std::to_string(c.id));
      }
      ControllerKind kind = controller_kind(c.super_class, c.class_a, c.class_b);
      if (kind == ControllerKind::kUnknown)
        fault("controllers", host::msg::kSceneFileUnknownClass + std::to_string(c.id));
      if (kind != controller_kind(there) || Class_ID(c.class_a, c.class_b) != there->ClassID())
        fault("controllers", host::msg::kSceneFileWrongController + std::to_string(c.id));
      if (c.value.size() != key_value_size(kind))
        fault("controllers", host::msg::kSceneFileValueSize + std::to_string(c.id));
      if (c.target != 0 && (kind != ControllerKind::kLookAt || nodes_.count(c.target) == 0))
        fault("controllers", host::msg::kSceneFileMissingNode + std::to_string(c.target));
      if (c.target != 0 && c.owner_kind == Owner::kNode && c.owner == c.target)
        fault("controllers", host::msg::kSceneFileTargetLoop + std::to_string(c.target));
      made[c.id] = there;
      controllers_[c.id] = &c;
    }
  }

  // The controller a whole row stands for, made for the check.
  Control* owner_slot(const ControllerRow& c, std::vector<ControlPtr>& wholes) {
    auto missing = [&] { fault("controllers", host::msg::kSceneFileMissingOwner + std::to_string(c.owner)); };
    if (c.owner_kind == Owner::kNode) {
      if (nodes_.count(c.owner) == 0 || c.sub != 0) missing();
      wholes.push_back(new_transform_controller(c, nullptr));
      if (wholes.back() == nullptr)
        fault("controllers", host::msg::kSceneFileWrongController + std::to_string(c.id));
    } else if (c.owner_kind == Owner::kObject) {
      auto object = objects_.find(c.owner);
      if (object == objects_.end() || object_kind(*object->second) != ObjectKind::kLight || c.sub > 1)
        missing();
      if (c.sub == 0)
        wholes.push_back(ControlPtr(host::scene::make_bezier_color(Point3()).release()));
      else
        wholes.push_back(ControlPtr(host::scene::make_bezier_float(0).release()));
    } else {
      missing();
    }
    return wholes.back().get();
  }

  // Keys belong to key controllers, each one's in time order, one a time.
  void check_keys() {
    std::map<Id, TimeValue> last;
    for (const KeyRow& k : d.keys) {
      auto c = controllers_.find(k.controller);
      if (c == controllers_.end())
        fault("keys", host::msg::kSceneFileMissingOwner + std::to_string(k.controller));
      std::size_t size =
          key_value_size(controller_kind(c->second->super_class, c->second->class_a, c->second->class_b));
      if (size == 0) fault("keys", host::msg::kSceneFileNotKeyed + std::to_string(k.controller));
      if (k.value.size() != size)
        fault("keys", host::msg::kSceneFileValueSize + std::to_string(k.controller));
      auto before = last.find(k.controller);
      if (before != last.end() && before->second >= k.time)
        fault("keys", host::msg::kSceneFileKeyOrder + std::to_string(k.controller));
      last[k.controller] = k.time;
    }
  }

  // A node's place depends on its parent's and, aiming at a target, on the
  // target's: following those must never lead back to the node.
  void check_target_loops() {
    std::map<Id, Id> target_of;
    for (const ControllerRow& c : d.controllers)
      if (c.parent == 0 && c.owner_kind == Owner::kNode && c.target != 0) target_of[c.owner] = c.target;
    std::map<Id, int> state;  // 1: on the way, 2: done
    for (const NodeRow& start : d.nodes) {
      std::vector<std::pair<Id, bool>> pending{{start.id, false}};
      while (!pending.empty()) {
        auto [id, leaving] = pending.back();
        pending.pop_back();
        if (leaving) {
          state[id] = 2;
          continue;
        }
        if (state[id] == 2) continue;
        if (state[id] == 1) fault("controllers", host::msg::kSceneFileTargetLoop + std::to_string(id));
        state[id] = 1;
        pending.push_back({id, true});
        const NodeRow* n = nodes_.at(id);
        for (Id next : {n->parent, target_of.count(id) != 0 ? target_of.at(id) : Id{0}})
          if (next != 0 && state[next] != 2) pending.push_back({next, false});
      }
    }
  }

  const MaterialRow* material(Id id, const char* table) {
    auto found = materials_.find(id);
    if (found == materials_.end()) fault(table, host::msg::kSceneFileMissingMaterial + std::to_string(id));
    return found->second;
  }

  void check_materials() {
    for (const MaterialRow& m : d.materials)
      if (material_kind(m) == MaterialKind::kUnknown)
        fault("materials", host::msg::kSceneFileUnknownClass + std::to_string(m.id));
    auto of_kind = [&](Id id, MaterialKind kind, const char* table) {
      if (material_kind(*material(id, table)) != kind)
        fault(table, host::msg::kSceneFileWrongKind + std::to_string(id));
    };
    for (const StandardMaterialRow& s : d.standard_materials)
      of_kind(s.material, MaterialKind::kStandard, "standard_materials");
    for (const MapSlotRow& s : d.map_slots) {
      of_kind(s.material, MaterialKind::kStandard, "map_slots");
      if (s.map != 0 && material(s.map, "map_slots")->super_class != TEXMAP_CLASS_ID)
        fault("map_slots", host::msg::kSceneFileWrongKind + std::to_string(s.map));
    }
    std::multimap<Id, Id> holds;
    for (const SubMaterialRow& s : d.sub_materials) {
      of_kind(s.material, MaterialKind::kMulti, "sub_materials");
      if (s.sub != 0 && material(s.sub, "sub_materials")->super_class != MATERIAL_CLASS_ID)
        fault("sub_materials", host::msg::kSceneFileWrongKind + std::to_string(s.sub));
      if (s.sub != 0) holds.emplace(s.material, s.sub);
    }
    for (const TwoColorMapRow& s : d.two_color_maps)
      of_kind(s.map, MaterialKind::kTwoColor, "two_color_maps");
    for (const BitmapMapRow& s : d.bitmap_maps) of_kind(s.map, MaterialKind::kBitmap, "bitmap_maps");
    for (const MapCoordsRow& s : d.map_coords) {
      MaterialKind kind = material_kind(*material(s.map, "map_coords"));
      if (kind != MaterialKind::kTwoColor && kind != MaterialKind::kBitmap)
        fault("map_coords", host::msg::kSceneFileWrongKind + std::to_string(s.map));
    }
    // A material holding itself, however far down, would never end.
    for (const MaterialRow& m : d.materials) {
      std::vector<Id> pending{m.id};
      std::set<Id> seen;
      while (!pending.empty()) {
        Id at = pending.back();
        pending.pop_back();
        auto [first, last] = holds.equal_range(at);
        for (auto it = first; it != last; ++it) {
          if (it->second == m.id)
            fault("sub_materials", host::msg::kSceneFileHoldsItself + std::to_string(m.id));
          if (seen.insert(it->second).second) pending.push_back(it->second);
        }
      }
    }
  }

  void check_app_data() {
    for (const AppDataRow& a : d.app_data) {
      bool found = false;
      switch (a.owner_kind) {
        case Owner::kNode:
          found = nodes_.count(a.owner) != 0;
          break;
        case Owner::kObject:
          found = objects_.count(a.owner) != 0;
          break;
        case Owner::kModifier:
          found = modifiers_.count(a.owner) != 0;
          break;
        case Owner::kMaterial:
          found = materials_.count(a.owner) != 0;
          break;
        case Owner::kController:
          found = controllers_.count(a.owner) != 0;
          break;
        case Owner::kNone:
          break;
      }
      if (!found) fault("app_data", host::msg::kSceneFileMissingOwner + std::to_string(a.owner));
    }
  }

  void check_environment() {
    if (d.renderer.size() > 1)
      fault("renderer", host::msg::kSceneFileDuplicateId + std::to_string(d.renderer.size()));
    for (const RendererRow& r : d.renderer) {
      Class_ID cid(r.class_a, r.class_b);
      bool scanline = cid == Class_ID(SREND_CLASS_ID, 0);
      if (!scanline && cid != Class_ID(VUE_REND_CLASS_ID, 0))
        fault("renderer", host::msg::kSceneFileUnknownClass + std::to_string(r.class_a));
      if (scanline && (r.switches.size() != 11 || r.numbers.size() != 4))
        fault("renderer", host::msg::kSceneFileCutShort);
    }
    if (d.radiosity.size() > 1)
      fault("radiosity", host::msg::kSceneFileDuplicateId + std::to_string(d.radiosity.size()));
    for (const RadiosityRow& r : d.radiosity)
      if (Class_ID(r.class_a, r.class_b) != LIGHT_TRACER_CLASS_ID)
        fault("radiosity", host::msg::kSceneFileUnknownClass + std::to_string(r.class_a));
    std::map<Id, INode*> node_ids;
    for (const NodeRow& n : d.nodes) node_ids[n.id] = nullptr;
    std::set<std::string> names;
    for (const GlobalRow& g : d.globals) {
      if (g.name.empty() || g.name.find('\0') != std::string::npos || !names.insert(g.name).second)
        fault("persistent_globals", host::msg::kSceneFileBadName + g.name);
      check_global_value(g.value, node_ids);
    }
    std::set<int> xref_ids;
    for (const XRefRow& x : d.xrefs)
      if (!xref_ids.insert(x.id).second || x.id >= d.environment.next_xref_id)
        fault("xrefs", host::msg::kSceneFileDuplicateId + std::to_string(x.id));
  }

  const SceneData& d;
  std::map<Id, const NodeRow*> nodes_;
  std::map<Id, const ObjectRow*> objects_;
  std::map<Id, const ModifierRow*> modifiers_;
  std::map<Id, const MaterialRow*> materials_;
  std::map<Id, const ControllerRow*> controllers_;
  std::set<Id> owned_;
};

}  // namespace

void check_scene(const SceneData& data) { Checker(data).run(); }

}  // namespace scenefile
