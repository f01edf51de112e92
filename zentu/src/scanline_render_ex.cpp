// scanlineRenderEx: the default scanline renderer's settings that scripts
// cannot otherwise reach. Eight switches read and write; six numbers the
// renderer lets a plug-in set but not read are write-only.
#include "host/renderers.h"

#include "messages.h"
#include "zentu_functions.h"

namespace {

// The current renderer, which must be the default scanline renderer.
IScanRenderer* scanline_renderer() {
  Renderer* renderer = GetCOREInterface()->GetCurrentRenderer();
  if (renderer == nullptr) throw RuntimeError(zentu::msg::kNoRenderer);
  if (renderer->ClassID() != Class_ID(SREND_CLASS_ID, 0)) throw RuntimeError(zentu::msg::kNotScanline);
  return static_cast<IScanRenderer*>(renderer);
}

using BoolGet = BOOL (IScanRenderer::*)();
using BoolSet = void (IScanRenderer::*)(BOOL);

Value* get_switch(BoolGet get) { return bool_result((scanline_renderer()->*get)() != 0); }

Value* set_switch(BoolSet set, Value* v) {
  IScanRenderer* renderer = scanline_renderer();
  bool on = v->to_bool();
  (renderer->*set)(on ? TRUE : FALSE);
  return bool_result(on);
}

template <void (IScanRenderer::*Set)(int)>
Value* set_int(Value* v) {
  IScanRenderer* renderer = scanline_renderer();
  int n = v->to_int();
  (renderer->*Set)(n);
  return Integer::intern(n);
}

template <void (IScanRenderer::*Set)(float)>
Value* set_float(Value* v) {
  IScanRenderer* renderer = scanline_renderer();
  float f = v->to_float();
  (renderer->*Set)(f);
  return new Float(f);
}

#define SWITCH(name, get, set)                                    \
  Value* get_##name() { return get_switch(&IScanRenderer::get); } \
  Value* set_##name(Value* v) { return set_switch(&IScanRenderer::set, v); }

SWITCH(antiAliasing, GetAntialias, SetAntialias)
SWITCH(filterMaps, GetFilter, SetFilter)
SWITCH(shadows, GetShadows, SetShadows)
SWITCH(mapping, GetMapping, SetMapping)
SWITCH(forceWireframe, GetForceWire, SetForceWire)
SWITCH(autoReflect, GetAutoReflect, SetAutoReflect)
SWITCH(objectMotionBlur, GetObjMotBlur, SetObjMotBlur)
SWITCH(imageMotionBlur, GetVelMotBlur, SetVelMotBlur)
#undef SWITCH

#define WRITE_ONLY(name, kind, set)                                   \
  Value* get_##name() { throw RuntimeError(#name " is write-only"); } \
  Value* set_##name(Value* v) { return kind<&IScanRenderer::set>(v); }

WRITE_ONLY(autoReflectLevels, set_int, SetAutoReflLevels)
WRITE_ONLY(wireThickness, set_float, SetWireThickness)
WRITE_ONLY(objectBlurDuration, set_float, SetObjBlurDuration)
WRITE_ONLY(imageBlurDuration, set_float, SetVelBlurDuration)
WRITE_ONLY(objectBlurSubdivisions, set_int, SetNBlurFrames)
WRITE_ONLY(objectBlurSamples, set_int, SetNBlurSamples)
#undef WRITE_ONLY

}  // namespace

void define_scanline_render_ex() {
  struct Property {
    const char* name;
    getter_cf get;
    setter_cf set;
  };
  static const Property properties[] = {
      {"antiAliasing", get_antiAliasing, set_antiAliasing},
      {"filterMaps", get_filterMaps, set_filterMaps},
      {"shadows", get_shadows, set_shadows},
      {"mapping", get_mapping, set_mapping},
      {"forceWireframe", get_forceWireframe, set_forceWireframe},
      {"autoReflect", get_autoReflect, set_autoReflect},
      {"objectMotionBlur", get_objectMotionBlur, set_objectMotionBlur},
      {"imageMotionBlur", get_imageMotionBlur, set_imageMotionBlur},
      {"autoReflectLevels", get_autoReflectLevels, set_autoReflectLevels},
      {"wireThickness", get_wireThickness, set_wireThickness},
      {"objectBlurDuration", get_objectBlurDuration, set_objectBlurDuration},
      {"imageBlurDuration", get_imageBlurDuration, set_imageBlurDuration},
      {"objectBlurSubdivisions", get_objectBlurSubdivisions, set_objectBlurSubdivisions},
      {"objectBlurSamples", get_objectBlurSamples, set_objectBlurSamples},
  };
  for (const Property& p : properties) define_struct_global(p.name, "scanlineRenderEx", p.get, p.set);
}
