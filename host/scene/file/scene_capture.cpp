// Captures the scene into rows: nodes in order, then every object,
// modifier, controller, material and map they refer to, each given an id
// once however many refer to it, so shared ones stay shared.
#include "scene_capture.h"

#include <map>
#include <memory>

#include "../key_controllers.h"
#include "../light_objects.h"
#include "../look_at_controller.h"
#include "../material_objects.h"
#include "../render_objects.h"
#include "../scene_internal.h"
#include "../space_warp_objects.h"
#include "../standard_modifiers.h"
#include "controller_classes.h"
#include "global_values.h"
#include "host/advanced_lighting.h"
#include "host/globals.h"
#include "host/messages.h"
#include "host/scene_files.h"
#include "host/script_time.h"
#include "host/simple_objects.h"
#include "host/triobject.h"
#include "object_classes.h"
#include "scene_access.h"
#include "tables.h"

namespace scenefile {
namespace {

std::string class_name_of(Animatable* a) {
  std::string name;
  a->GetClassName(name);
  return name;
}

[[noreturn]] void cannot_keep(Animatable* a) {
  throw FileError(host::msg::kSceneFileCannotKeep + class_name_of(a));
}

class Capture {
 public:
  SceneData run() {
    data_.version = kSceneFileVersion;
    std::vector<INode*> nodes = Scene::get().nodes();
    for (INode* node : nodes) node_ids_[node] = static_cast<Id>(node_ids_.size() + 1);
    for (INode* node : nodes) add_node(node);
    add_environment();
    add_globals();
    return std::move(data_);
  }

 private:
  void add_app_data(Animatable* a, Owner kind, Id id) {
    AppDataLock lock;
    for (int i = 0; i < a->NumAppDataChunks(); ++i) {
      AppDataChunk* c = a->GetAppDataChunkByIndex(i);
      const auto* bytes = static_cast<const unsigned char*>(c->data);
      data_.app_data.push_back({kind, id, c->classID.PartA(), c->classID.PartB(), c->superClassID, c->subID,
                                bytes == nullptr ? Bytes{} : Bytes(bytes, bytes + c->length)});
    }
  }

  void add_params(Animatable* a, Owner kind, Id id) {
    ParamList* params = a->GetParamList();
    if (params == nullptr) return;
    for (int i = 0; i < params->NumParams(); ++i)
      data_.params.push_back({kind, id, params->GetParamDef(i).name, params->GetFloat(i)});
  }

  void add_node(INode* node) {
    NodeRow row;
    row.id = node_ids_.at(node);
    INode* parent = node->GetParentNode();
    row.parent = parent == nullptr || parent->IsRootNode() ? 0 : node_ids_.at(parent);
    row.name = node->GetName();
    row.local_tm = SceneFileAccess::local_tm(node, host_slider_time());
    row.offset_pos = node->GetObjOffsetPos();
    row.offset_rot = node->GetObjOffsetRot();
    row.offset_scale = node->GetObjOffsetScale();
    row.hidden = node->IsHidden() != 0;
    row.cast_shadows = node->CastShadows() != 0;
    row.receive_shadows = node->RcvShadows() != 0;
    row.renderable = node->Renderable() != 0;
    row.selected = SceneFileAccess::selected(node);
    row.wire_color = node->GetWireColor();
    row.material = node->GetMtl() != nullptr ? material_id(node->GetMtl()) : 0;
    row.object = object_id(node->GetObjectRef());
    data_.nodes.push_back(std::move(row));
    Id id = data_.nodes.back().id;
    add_app_data(node, Owner::kNode, id);
    if (Control* c = SceneFileAccess::tm_controller(node)) add_controller(c, 0, 0, Owner::kNode, id);
  }

  template <typename T>
  void add_keys(host::scene::KeyController<T>& c, ControllerRow& row) {
    row.flags = c.GetFlags();
    row.value = key_value(c.track().constant);
    for (const host::scene::Key<T>& k : c.track().keys)
      data_.keys.push_back({row.id, k.time, key_value(k.value)});
  }
  static Bytes key_value(float f) { return pack_floats({f}); }
  static Bytes key_value(const Point3& p) { return pack_point(p); }

  // The controller, then each of its parts after it.
  void add_controller(Control* c, Id parent, int sub, Owner kind, Id owner) {
    Class_ID cid = c->ClassID();
    ControllerRow row{static_cast<Id>(data_.controllers.size() + 1),
                      parent,
                      sub,
                      kind,
                      owner,
                      c->SuperClassID(),
                      cid.PartA(),
                      cid.PartB(),
                      0,
                      {},
                      0};
    switch (controller_kind(c)) {
      case ControllerKind::kFloatKeys:
        add_keys(*static_cast<host::scene::FloatKeyController*>(c), row);
        break;
      case ControllerKind::kPointKeys:
        add_keys(*static_cast<host::scene::Point3KeyController*>(c), row);
        break;
      case ControllerKind::kLookAt: {
        // A target out of the scene (deleted, undo could bring it back) is not kept.
        auto found = node_ids_.find(static_cast<host::scene::LookAtController*>(c)->target());
        if (found != node_ids_.end()) row.target = found->second;
        break;
      }
      case ControllerKind::kXYZ:
      case ControllerKind::kPositionRotationScale:
        break;
      case ControllerKind::kUnknown:
        cannot_keep(c);
    }
    Id id = row.id;
    data_.controllers.push_back(std::move(row));
    add_app_data(c, Owner::kController, id);
    for (int i = 0; i < c->NumSubs(); ++i) add_controller(c->SubControl(i), id, i, Owner::kNone, 0);
  }

  Id object_id(Object* object) {
    auto found = object_ids_.find(object);
    if (found != object_ids_.end()) return found->second;
    Id id = static_cast<Id>(object_ids_.size() + 1);
    object_ids_[object] = id;
    Class_ID cid = object->ClassID();
    ObjectRow row{id, object->SuperClassID(), cid.PartA(), cid.PartB(), 0};
    std::size_t index = data_.objects.size();
    data_.objects.push_back(row);
    if (auto* stack = dynamic_cast<IDerivedObject*>(object)) {
      if (stack->GetObjRef() == nullptr) cannot_keep(object);
      data_.objects[index].base = object_id(stack->GetObjRef());
      for (int i = 0; i < stack->NumModifiers(); ++i) add_modifier(stack, i, id);
    } else if (auto* tri = dynamic_cast<TriObject*>(object)) {
      add_mesh(tri->GetMesh(), id);
    } else if (object_kind(row) == ObjectKind::kParams) {
      add_params(object, Owner::kObject, id);
    } else if (auto* light = dynamic_cast<StandardLight*>(object)) {
      add_light(light, id);
    } else if (auto* camera = dynamic_cast<StandardCamera*>(object)) {
      data_.cameras.push_back({id, camera->GetFOV(0)});
    } else if (auto* target = dynamic_cast<TargetObject*>(object)) {
      data_.targets.push_back({id, target->owner_super_class()});
    } else {
      cannot_keep(object);
    }
    add_app_data(object, Owner::kObject, id);
    return id;
  }

  void add_mesh(Mesh& mesh, Id id) {
    MeshRow row;
    row.object = id;
    row.verts.assign(mesh.verts, mesh.verts + mesh.getNumVerts());
    row.faces.assign(mesh.faces, mesh.faces + mesh.getNumFaces());
    row.vert_sel = mesh.vertSel;
    row.face_sel = mesh.faceSel;
    row.sel_level = mesh.selLevel;
    row.num_maps = mesh.getNumMaps();
    data_.meshes.push_back(std::move(row));
    for (int mp = 0; mp < mesh.getNumMaps(); ++mp) {
      if (!mesh.mapSupport(mp)) continue;
      MapChannelRow channel{id, mp, {}, {}};
      const UVVert* verts = mesh.mapVerts(mp);
      const TVFace* faces = mesh.mapFaces(mp);
      if (verts != nullptr) channel.verts.assign(verts, verts + mesh.getNumMapVerts(mp));
      if (faces != nullptr) channel.faces.assign(faces, faces + mesh.getNumMapFaces(mp));
      data_.map_channels.push_back(std::move(channel));
    }
  }

  void add_light(StandardLight* light, Id id) {
    const StandardLight::State& s = light->state();
    ULONG flags = 0;
    for (ULONG f : {NT_INCLUDE, NT_AFFECT_ILLUM, NT_AFFECT_SHADOWCAST})
      if (s.excl.TestFlag(f)) flags |= f;
    data_.lights.push_back({id, light->Type(), light->GetRGBColor(host_slider_time()),
                            light->GetIntensity(host_slider_time()), s.on, s.shadow, s.hotspot, s.falloff,
                            flags});
    add_controller(light->color_controller(), 0, 0, Owner::kObject, id);
    add_controller(light->intensity_controller(), 0, 1, Owner::kObject, id);
    for (int i = 0; i < s.excl.Count(); ++i) {
      // A node deleted while undo could still bring it back is out of the
      // scene: the file keeps the scene as it is now.
      auto found = node_ids_.find(s.excl[i]);
      if (found != node_ids_.end()) data_.exclusions.push_back({id, found->second});
    }
  }

  void add_modifier(IDerivedObject* stack, int i, Id stack_id) {
    Modifier* mod = stack->GetModifier(i);
    Class_ID cid = mod->ClassID();
    std::unique_ptr<Modifier> known(new_modifier(cid.PartA(), cid.PartB()));
    if (known == nullptr) cannot_keep(mod);
    Id warp_node = 0;
    // A binding whose warp left the scene or changed does nothing; so does
    // one without a node.
    if (auto* binding = dynamic_cast<WarpBinding*>(mod); binding != nullptr && binding->warp() != nullptr) {
      auto found = node_ids_.find(binding->warp_node());
      if (found != node_ids_.end()) warp_node = found->second;
    }
    Id id = static_cast<Id>(data_.modifiers.size() + 1);
    ModContext* mc = stack->GetModContext(i);
    data_.modifiers.push_back({id, stack_id, cid.PartA(), cid.PartB(), mod->GetName(), mod->IsEnabled(),
                               mc->tm, mc->box.pmin, mc->box.pmax, warp_node});
    add_params(mod, Owner::kModifier, id);
    add_app_data(mod, Owner::kModifier, id);
  }

  Id material_id(MtlBase* mtl) {
    auto found = material_ids_.find(mtl);
    if (found != material_ids_.end()) return found->second;
    Id id = static_cast<Id>(material_ids_.size() + 1);
    material_ids_[mtl] = id;
    data_.materials.push_back({id, mtl->SuperClassID(), mtl->ClassID().PartA(), mtl->GetName()});
    if (auto* standard = dynamic_cast<StandardMtl*>(mtl)) {
      const StandardMtl::State& s = standard->state();
      data_.standard_materials.push_back(
          {id, s.ambient, s.diffuse, s.specular, s.glossiness, s.specular_level, s.self_illum, s.opacity});
      for (int slot = 0; slot < NTEXMAPS; ++slot)
        if (s.maps[slot] != nullptr || !s.enabled[slot])
          data_.map_slots.push_back(
              {id, slot, s.maps[slot] != nullptr ? material_id(s.maps[slot]) : 0, s.enabled[slot]});
    } else if (auto* multi = dynamic_cast<MultiMaterial*>(mtl)) {
      for (const MultiMaterial::Entry& e : multi->state().entries)
        data_.sub_materials.push_back({id, e.mtl != nullptr ? material_id(e.mtl) : 0, e.id});
    } else if (auto* two = dynamic_cast<TwoColorMap*>(mtl)) {
      const TwoColorMap::State& s = two->state();
      data_.two_color_maps.push_back({id, s.colors[0], s.colors[1], s.size});
      add_coords(two, id);
    } else if (auto* bitmap = dynamic_cast<BitmapMap*>(mtl)) {
      data_.bitmap_maps.push_back({id, bitmap->state().file_name});
      add_coords(bitmap, id);
    } else {
      cannot_keep(mtl);
    }
    add_app_data(mtl, Owner::kMaterial, id);
    return id;
  }

  void add_coords(Texmap* map, Id id) {
    auto* uv = static_cast<StandardUV*>(map->GetTheUVGen());
    const StandardUV::State& s = uv->state();
    data_.map_coords.push_back({id, s.channel, s.u_tiling, s.v_tiling, s.u_offset, s.v_offset});
  }

  void add_environment() {
    Scene& scene = Scene::get();
    data_.environment.ambient = scene.GetAmbient(0);
    data_.environment.slider_time = host_slider_time();
    data_.xrefs = SceneFileAccess::xrefs(&data_.environment.next_xref_id);
    if (Renderer* r = scene.GetCurrentRenderer(false)) {
      RendererRow row{r->ClassID().PartA(), r->ClassID().PartB(), {}, {}};
      if (auto* scan = dynamic_cast<ScanlineRenderer*>(r)) {
        const ScanlineRenderer::Settings& s = scan->settings();
        row.switches = {s.antialias,        s.filter,        s.shadows,       s.mapping,
                        s.force_wire,       s.auto_reflect,  s.obj_mot_blur,  s.vel_mot_blur,
                        s.auto_refl_levels, s.n_blur_frames, s.n_blur_samples};
        row.numbers = {s.pixel_size, s.wire_thickness, s.obj_blur_duration, s.vel_blur_duration};
      } else if (dynamic_cast<VueFileRenderer*>(r) == nullptr) {
        cannot_keep(r);
      }
      data_.renderer.push_back(std::move(row));
    }
    auto* slot = static_cast<SceneRadiosity*>(GetCOREInterface(SCENERADIOSITY_INTERFACE));
    if (RadiosityEffect* effect = slot->getRadiosity()) {
      if (dynamic_cast<LightTracer*>(effect) == nullptr) cannot_keep(effect);
      data_.radiosity.push_back({effect->ClassID().PartA(), effect->ClassID().PartB(), effect->IsActive(0)});
    }
  }

  void add_globals() {
    for (Value* name : persistent_global_names()) {
      Bytes value = encode_global_value(get_global_value(name), node_ids_);
      data_.globals.push_back({name->to_string(), std::move(value)});
    }
  }

  SceneData data_;
  std::map<INode*, Id> node_ids_;
  std::map<Object*, Id> object_ids_;
  std::map<MtlBase*, Id> material_ids_;
};

}  // namespace

SceneData capture_scene() { return Capture().run(); }

}  // namespace scenefile
