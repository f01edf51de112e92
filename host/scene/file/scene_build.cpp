// Builds the scene from rows: materials and maps first, then objects and
// their stacks, then nodes in order, then what refers to nodes (modifiers
// binding warps, light lists, controllers aiming at targets).
#include "scene_build.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <type_traits>
#include <vector>

#include "../key_controllers.h"
#include "../light_objects.h"
#include "../look_at_controller.h"
#include "../material_objects.h"
#include "../render_objects.h"
#include "../scene_internal.h"
#include "controller_classes.h"
#include "global_values.h"
#include "host/advanced_lighting.h"
#include "host/globals.h"
#include "host/param_list.h"
#include "host/script_context.h"
#include "host/script_time.h"
#include "host/triobject.h"
#include "host/values.h"
#include "object_classes.h"
#include "scene_access.h"
#include "tables.h"

namespace scenefile {
namespace {

class Builder {
 public:
  explicit Builder(const SceneData& data) : d(data) {}

  void run() {
    build_materials();
    build_objects();
    build_nodes();
    share_objects();
    build_modifiers();
    build_exclusions();
    build_controllers();
    build_app_data();
    build_environment();
    build_globals();
  }

 private:
  void set_params(Animatable* a, Owner kind, Id id) {
    ParamList* params = a->GetParamList();
    for (const ParamRow& p : d.params)
      if (p.owner_kind == kind && p.owner == id) params->SetValue(params->FindParam(p.name.c_str()), p.value);
  }

  void build_materials() {
    for (const MaterialRow& m : d.materials) {
      MtlBase* made = new_material(m);
      made->SetName(m.name);
      note_material_name(m.name);
      keep_for_run(made);  // as the materials scripts make
      materials_[m.id] = made;
    }
    for (const StandardMaterialRow& s : d.standard_materials) {
      StandardMtl::State& state = static_cast<StandardMtl*>(materials_.at(s.material))->state();
      state.ambient = s.ambient;
      state.diffuse = s.diffuse;
      state.specular = s.specular;
      state.glossiness = s.glossiness;
      state.specular_level = s.specular_level;
      state.self_illum = s.self_illum;
      state.opacity = s.opacity;
    }
    for (const MapSlotRow& s : d.map_slots) {
      StandardMtl::State& state = static_cast<StandardMtl*>(materials_.at(s.material))->state();
      state.maps[s.slot] = s.map != 0 ? static_cast<Texmap*>(materials_.at(s.map)) : nullptr;
      state.enabled[s.slot] = s.enabled;
    }
    for (const SubMaterialRow& s : d.sub_materials) {
      auto* multi = static_cast<MultiMaterial*>(materials_.at(s.material));
      Mtl* sub = s.sub != 0 ? static_cast<Mtl*>(materials_.at(s.sub)) : nullptr;
      multi->state().entries.push_back({sub, static_cast<MtlID>(s.mtl_id)});
    }
    for (const TwoColorMapRow& s : d.two_color_maps) {
      TwoColorMap::State& state = static_cast<TwoColorMap*>(materials_.at(s.map))->state();
      state.colors[0] = s.color1;
      state.colors[1] = s.color2;
      state.size = s.size;
    }
    for (const BitmapMapRow& s : d.bitmap_maps)
      static_cast<BitmapMap*>(materials_.at(s.map))->state().file_name = s.file_name;
    for (const MapCoordsRow& s : d.map_coords) {
      auto* map = static_cast<Texmap*>(materials_.at(s.map));
      StandardUV::State& state = static_cast<StandardUV*>(map->GetTheUVGen())->state();
      state = {s.channel, s.u_tiling, s.v_tiling, s.u_offset, s.v_offset};
    }
  }

  void build_mesh(const MeshRow& row) {
    Mesh& mesh = static_cast<TriObject*>(objects_.at(row.object))->GetMesh();
    mesh.setNumVerts(static_cast<int>(row.verts.size()));
    for (std::size_t i = 0; i < row.verts.size(); ++i) mesh.verts[i] = row.verts[i];
    mesh.setNumFaces(static_cast<int>(row.faces.size()));
    for (std::size_t i = 0; i < row.faces.size(); ++i) mesh.faces[i] = row.faces[i];
    mesh.setNumMaps(row.num_maps);
    for (int mp = 0; mp < mesh.getNumMaps(); ++mp) mesh.setMapSupport(mp, FALSE);
    mesh.vertSel = row.vert_sel;
    mesh.faceSel = row.face_sel;
    mesh.selLevel = row.sel_level;
    mesh.InvalidateGeomCache();
    mesh.InvalidateTopologyCache();
  }

  void build_map_channel(const MapChannelRow& row) {
    Mesh& mesh = static_cast<TriObject*>(objects_.at(row.object))->GetMesh();
    mesh.setMapSupport(row.channel, TRUE);
    mesh.setNumMapVerts(row.channel, static_cast<int>(row.verts.size()));
    mesh.setNumMapFaces(row.channel, static_cast<int>(row.faces.size()));
    UVVert* verts = mesh.mapVerts(row.channel);
    TVFace* faces = mesh.mapFaces(row.channel);
    for (std::size_t i = 0; i < row.verts.size(); ++i) verts[i] = row.verts[i];
    for (std::size_t i = 0; i < row.faces.size(); ++i) faces[i] = row.faces[i];
  }

  void build_objects() {
    for (const ObjectRow& o : d.objects)
      if (object_kind(o) != ObjectKind::kStack)
        objects_[o.id] = object_kind(o) == ObjectKind::kTarget ? nullptr : new_object(o);
    for (const TargetRow& t : d.targets) objects_[t.object] = new TargetObject(t.owner);
    for (const ObjectRow& o : d.objects)
      if (object_kind(o) == ObjectKind::kParams) set_params(objects_.at(o.id), Owner::kObject, o.id);
    for (const MeshRow& m : d.meshes) build_mesh(m);
    for (const MapChannelRow& m : d.map_channels) build_map_channel(m);
    for (const LightRow& l : d.lights) {
      auto* light = static_cast<StandardLight*>(objects_.at(l.object));
      Point3 color = l.color;
      light->SetRGBColor(0, color);
      light->SetIntensity(0, l.intensity);
      StandardLight::State& s = light->state();
      s.on = l.on;
      s.shadow = l.shadow;
      s.hotspot = l.hotspot;
      s.falloff = l.falloff;
      for (ULONG f : {NT_INCLUDE, NT_AFFECT_ILLUM, NT_AFFECT_SHADOWCAST})
        s.excl.SetFlag(f, (l.excl_flags & f) != 0);
    }
    for (const CameraRow& c : d.cameras)
      static_cast<StandardCamera*>(objects_.at(c.object))->SetFOV(0, c.fov);
    build_stacks();
  }

  // A stack comes after its base, which may be another stack (the checked
  // chains of bases end).
  void build_stacks() {
    bool made_one = true;
    while (made_one) {
      made_one = false;
      for (const ObjectRow& o : d.objects)
        if (object_kind(o) == ObjectKind::kStack && objects_.count(o.id) == 0 &&
            objects_.count(o.base) != 0) {
          objects_[o.id] = new IDerivedObject(objects_.at(o.base));
          made_one = true;
        }
    }
  }

  // Every holder of an object beyond the first (instances' nodes,
  // references' stacks) is one more share the scene counts.
  void share_objects() {
    std::map<Id, int> holders;
    for (const NodeRow& n : d.nodes) ++holders[n.object];
    for (const ObjectRow& o : d.objects)
      if (object_kind(o) == ObjectKind::kStack) ++holders[o.base];
    for (const auto& [id, count] : holders)
      for (int i = 1; i < count; ++i) Scene::get().share_object(objects_.at(id));
  }

  // After the nodes: a space-warp binding names the node of its warp.
  void build_modifiers() {
    for (const ModifierRow& m : d.modifiers) {
      Modifier* mod = new_modifier(m.class_a, m.class_b, m.warp_node != 0 ? nodes_.at(m.warp_node) : nullptr);
      set_params(mod, Owner::kModifier, m.id);
      mod->SetName(m.name.c_str());
      mod->SetEnabled(m.enabled);
      auto* context = new ModContext;
      context->tm = m.gizmo_tm;
      context->box = Box3(m.box_min, m.box_max);
      static_cast<IDerivedObject*>(objects_.at(m.stack))->AddModifier(mod, context, -1);
      modifiers_[m.id] = mod;
    }
  }

  void build_nodes() {
    INode* root = Scene::get().GetRootNode();
    for (const NodeRow& n : d.nodes) {
      INode* parent = n.parent != 0 ? nodes_.at(n.parent) : root;
      Mtl* mtl = n.material != 0 ? static_cast<Mtl*>(materials_.at(n.material)) : nullptr;
      nodes_[n.id] = SceneFileAccess::add_node(objects_.at(n.object), parent, n, mtl);
    }
  }

  template <typename T>
  static void fill_track(Control* c, const ControllerRow& row, const std::vector<const KeyRow*>& keys) {
    host::scene::KeyTrack<T> track;
    track.constant = key_value<T>(row.value);
    for (const KeyRow* k : keys) track.keys.push_back({k->time, key_value<T>(k->value)});
    auto* controller = static_cast<host::scene::KeyController<T>*>(c);
    controller->set_track(track);
    *controller->GetFlagWord() = row.flags;
  }
  template <typename T>
  static T key_value(const Bytes& b) {
    if constexpr (std::is_same_v<T, float>)
      return unpack_floats(b, 1, "controllers.value")[0];
    else
      return unpack_point(b, "controllers.value");
  }

  // After the nodes: a LookAt names its target. A part is the controller
  // already there in the whole it belongs to.
  void build_controllers() {
    std::map<Id, std::vector<const KeyRow*>> keys;
    for (const KeyRow& k : d.keys) keys[k.controller].push_back(&k);
    for (const ControllerRow& c : d.controllers) {
      Control* control = nullptr;
      if (c.parent != 0) {
        control = controllers_.at(c.parent)->SubControl(c.sub);
      } else if (c.owner_kind == Owner::kNode) {
        ControlPtr made = new_transform_controller(c, nodes_.at(c.owner));
        control = made.get();
        SceneFileAccess::set_tm_controller(nodes_.at(c.owner), made.release());
      } else {
        auto* light = static_cast<StandardLight*>(objects_.at(c.owner));
        control =
            c.sub == 0 ? static_cast<Control*>(light->color_controller()) : light->intensity_controller();
      }
      controllers_[c.id] = control;
      switch (controller_kind(control)) {
        case ControllerKind::kFloatKeys:
          fill_track<float>(control, c, keys[c.id]);
          break;
        case ControllerKind::kPointKeys:
          fill_track<Point3>(control, c, keys[c.id]);
          break;
        case ControllerKind::kLookAt:
          static_cast<host::scene::LookAtController*>(control)->set_target(c.target != 0 ? nodes_.at(c.target)
                                                                                         : nullptr);
          break;
        default:
          break;
      }
    }
  }

  void build_exclusions() {
    for (const ExclusionRow& e : d.exclusions)
      static_cast<StandardLight*>(objects_.at(e.light))->state().excl.AddNode(nodes_.at(e.node));
  }

  void build_app_data() {
    for (const AppDataRow& a : d.app_data) {
      Animatable* owner = nullptr;
      switch (a.owner_kind) {
        case Owner::kNode:
          owner = nodes_.at(a.owner);
          break;
        case Owner::kObject:
          owner = objects_.at(a.owner);
          break;
        case Owner::kModifier:
          owner = modifiers_.at(a.owner);
          break;
        case Owner::kMaterial:
          owner = materials_.at(a.owner);
          break;
        case Owner::kController:
          owner = controllers_.at(a.owner);
          break;
        case Owner::kNone:
          continue;  // the check lets none through
      }
      // malloc, as the chunk frees it; at least one byte so an empty chunk has data.
      void* bytes = std::malloc(a.bytes.empty() ? 1 : a.bytes.size());
      if (bytes == nullptr) throw std::bad_alloc();
      if (!a.bytes.empty()) std::memcpy(bytes, a.bytes.data(), a.bytes.size());
      owner->AddAppDataChunk(Class_ID(a.class_a, a.class_b), a.super_class, a.sub_id,
                             static_cast<DWORD>(a.bytes.size()), bytes);
    }
  }

  void build_environment() {
    Scene& scene = Scene::get();
    scene.SetAmbient(0, d.environment.ambient);
    set_host_slider_time(d.environment.slider_time);
    SceneFileAccess::set_xrefs(d.xrefs, d.environment.next_xref_id);
    for (const RendererRow& r : d.renderer) {
      if (Class_ID(r.class_a, r.class_b) == Class_ID(VUE_REND_CLASS_ID, 0)) {
        scene.AssignCurRenderer(new VueFileRenderer);
        continue;
      }
      auto* scan = new ScanlineRenderer;
      scene.AssignCurRenderer(scan);
      const auto& s = r.switches;
      scan->SetAntialias(static_cast<BOOL>(s[0]));
      scan->SetFilter(static_cast<BOOL>(s[1]));
      scan->SetShadows(static_cast<BOOL>(s[2]));
      scan->SetMapping(static_cast<BOOL>(s[3]));
      scan->SetForceWire(static_cast<BOOL>(s[4]));
      scan->SetAutoReflect(static_cast<BOOL>(s[5]));
      scan->SetObjMotBlur(static_cast<BOOL>(s[6]));
      scan->SetVelMotBlur(static_cast<BOOL>(s[7]));
      scan->SetAutoReflLevels(static_cast<int>(s[8]));
      scan->SetNBlurFrames(static_cast<int>(s[9]));
      scan->SetNBlurSamples(static_cast<int>(s[10]));
      scan->SetPixelSize(r.numbers[0]);
      scan->SetWireThickness(r.numbers[1]);
      scan->SetObjBlurDuration(r.numbers[2]);
      scan->SetVelBlurDuration(r.numbers[3]);
    }
    auto* slot = static_cast<SceneRadiosity*>(GetCOREInterface(SCENERADIOSITY_INTERFACE));
    for (const RadiosityRow& r : d.radiosity) {
      auto* tracer = new LightTracer;
      tracer->SetActive(r.active, 0);
      slot->setRadiosity(tracer);
    }
  }

  void build_globals() {
    for (const GlobalRow& g : d.globals) {
      Value* name = Name::intern(g.name.c_str());
      mark_persistent_global(name);
      set_global_value(name, decode_global_value(g.value, nodes_));
    }
  }

  const SceneData& d;
  std::map<Id, MtlBase*> materials_;
  std::map<Id, Object*> objects_;
  std::map<Id, Modifier*> modifiers_;
  std::map<Id, INode*> nodes_;
  std::map<Id, Control*> controllers_;
};

}  // namespace

void build_scene(const SceneData& data) {
  // Values set while building are the file's, never keys planted now.
  ScopedAnimateContext no_keys(false);
  Builder(data).run();
}

}  // namespace scenefile
