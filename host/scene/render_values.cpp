// Renderers and advanced lighting for scripts: Default_Scanline_Renderer,
// VUE_File_Renderer and renderers.current; Light_Tracer (also LightTrace)
// and SceneRadiosity.radiosity; the ambientColor global.
//   renderers.current = Default_Scanline_Renderer()
//   sceneRadiosity.radiosity = Light_Tracer()
#include <memory>

#include "host/advanced_lighting.h"
#include "host/checks.h"
#include "host/globals.h"
#include "host/host_objects.h"
#include "host/locals.h"
#include "host/script_time.h"
#include "host/streams.h"
#include "host/values.h"
#include "render_objects.h"
#include "scene_internal.h"

ValueMetaClass RendererClass_class("RendererClass", &MAXWrapper_class);
ValueMetaClass RadiosityEffect_class("RadiosityEffect", &MAXWrapper_class);

namespace {

Value* make_scanline(Value** a, int count);
Value* make_vue(Value** a, int count);
Value* make_light_tracer(Value** a, int count);

}  // namespace

ValueMetaClass DefaultScanlineRenderer_class("Default_Scanline_Renderer", &RendererClass_class,
                                             make_scanline);
ValueMetaClass VueFileRenderer_class("VUE_File_Renderer", &RendererClass_class, make_vue);
ValueMetaClass LightTracer_class("Light_Tracer", &RadiosityEffect_class, make_light_tracer);

namespace {

ValueMetaClass* class_of_render_object(Animatable* a) {
  Class_ID id = a->ClassID();
  if (a->SuperClassID() == RENDERER_CLASS_ID) {
    if (id == Class_ID(SREND_CLASS_ID, 0)) return &DefaultScanlineRenderer_class;
    if (id == Class_ID(VUE_REND_CLASS_ID, 0)) return &VueFileRenderer_class;
    return &RendererClass_class;
  }
  return id == LIGHT_TRACER_CLASS_ID ? &LightTracer_class : &RadiosityEffect_class;
}

// A renderer prints as VUE_File_Renderer:VUE_File_Renderer, an
// advanced-lighting plug-in as ReferenceTarget:Light_Tracer.
class RenderValue : public HostObjectWrapper {
 public:
  RenderValue(WrapperRegistry* registry, void* object) : HostObjectWrapper(registry, object) {
    tag = class_of_render_object(animatable());
  }
  Animatable* animatable() const { return static_cast<Animatable*>(object()); }
  void sprin1(CharStream* s) override {
    std::string name;
    animatable()->GetClassName(name);
    bool renderer = animatable()->SuperClassID() == RENDERER_CLASS_ID;
    s->printf("%s:%s", renderer ? name.c_str() : "ReferenceTarget", name.c_str());
  }
};

Value* wrap(Animatable* a) {
  if (a == nullptr) return &undefined;
  return Scene::get().registry().wrap(
      a, [](WrapperRegistry* r, void* o) -> HostObjectWrapper* { return new RenderValue(r, o); });
}

// The object v stands for when it is of class c, or TypeError(what).
Animatable* render_arg(Value* v, ValueMetaClass* c, const char* what) {
  auto* w = dynamic_cast<RenderValue*>(v);
  if (w == nullptr || !v->is_kind_of(c)) throw TypeError(what, v, c);
  return w->animatable();
}

struct DeleteThis {
  void operator()(Animatable* a) const { a->DeleteThis(); }
};

Value* make(Animatable* made, Value** a, int count, const char* fn) {
  std::unique_ptr<Animatable, DeleteThis> owned(made);  // freed if the arguments are refused
  check_positional_count(fn, 0, a, count);
  keep_render_object(owned.release());
  return wrap(made);
}
Value* make_scanline(Value** a, int count) {
  return make(new ScanlineRenderer, a, count, "Default_Scanline_Renderer");
}
Value* make_vue(Value** a, int count) { return make(new VueFileRenderer, a, count, "VUE_File_Renderer"); }
Value* make_light_tracer(Value** a, int count) { return make(new LightTracer, a, count, "Light_Tracer"); }

Value* get_current_renderer() { return wrap(GetCOREInterface()->GetCurrentRenderer()); }
Value* set_current_renderer(Value* v) {
  auto* renderer = static_cast<Renderer*>(render_arg(v, &RendererClass_class, "renderers.current"));
  GetCOREInterface()->AssignCurRenderer(renderer);
  return v;
}

SceneRadiosity* scene_radiosity() {
  return static_cast<SceneRadiosity*>(GetCOREInterface(SCENERADIOSITY_INTERFACE));
}
Value* get_radiosity() { return wrap(scene_radiosity()->getRadiosity()); }
Value* set_radiosity(Value* v) {
  RadiosityEffect* effect = nullptr;
  if (v != &undefined)
    effect = static_cast<RadiosityEffect*>(render_arg(v, &RadiosityEffect_class, "sceneRadiosity.radiosity"));
  scene_radiosity()->setRadiosity(effect);
  return v;
}

Value* get_ambient() {
  Point3 c = GetCOREInterface()->GetAmbient(MAXScript_time());
  return new ColorValue(AColor(c.x, c.y, c.z));
}
Value* set_ambient(Value* v) {
  AColor c = v->to_acolor();
  GetCOREInterface()->SetAmbient(MAXScript_time(), Point3(c.r, c.g, c.b));
  return v;
}

Value* get_light_trace() { return &LightTracer_class; }
Value* read_only(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }

struct RenderGlobals {
  RenderGlobals() {
    define_struct_global("current", "renderers", get_current_renderer, set_current_renderer);
    define_struct_global("radiosity", "sceneRadiosity", get_radiosity, set_radiosity);
    define_system_global("ambientColor", get_ambient, set_ambient);
    define_system_global("LightTrace", get_light_trace, read_only);
  }
} render_globals;

}  // namespace
