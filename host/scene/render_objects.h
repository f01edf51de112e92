// The host's renderers and advanced-lighting plug-in.
#pragma once

#include "host/advanced_lighting.h"
#include "host/renderers.h"

class ScanlineRenderer : public IScanRenderer {
 public:
  // Everything set, the write-only numbers too, for the host to read back.
  struct Settings {
    BOOL antialias = TRUE, filter = TRUE, shadows = TRUE, mapping = TRUE, force_wire = FALSE;
    BOOL auto_reflect = TRUE, obj_mot_blur = TRUE, vel_mot_blur = TRUE;
    float pixel_size = 1.0f;
    int auto_refl_levels = 1;
    float wire_thickness = 1.0f, obj_blur_duration = 0.5f, vel_blur_duration = 0.5f;
    int n_blur_frames = 10, n_blur_samples = 10;
  };
  const Settings& settings() const { return settings_; }

  Class_ID ClassID() override { return Class_ID(SREND_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "Default_Scanline_Renderer"; }
  void SetAntialias(BOOL b) override { settings_.antialias = b; }
  BOOL GetAntialias() override { return settings_.antialias; }
  void SetFilter(BOOL b) override { settings_.filter = b; }
  BOOL GetFilter() override { return settings_.filter; }
  void SetShadows(BOOL b) override { settings_.shadows = b; }
  BOOL GetShadows() override { return settings_.shadows; }
  void SetMapping(BOOL b) override { settings_.mapping = b; }
  BOOL GetMapping() override { return settings_.mapping; }
  void SetForceWire(BOOL b) override { settings_.force_wire = b; }
  BOOL GetForceWire() override { return settings_.force_wire; }
  void SetAutoReflect(BOOL b) override { settings_.auto_reflect = b; }
  BOOL GetAutoReflect() override { return settings_.auto_reflect; }
  void SetObjMotBlur(BOOL b) override { settings_.obj_mot_blur = b; }
  BOOL GetObjMotBlur() override { return settings_.obj_mot_blur; }
  void SetVelMotBlur(BOOL b) override { settings_.vel_mot_blur = b; }
  BOOL GetVelMotBlur() override { return settings_.vel_mot_blur; }
  void SetPixelSize(float size) override { settings_.pixel_size = size; }
  void SetAutoReflLevels(int n) override { settings_.auto_refl_levels = n; }
  void SetWireThickness(float t) override { settings_.wire_thickness = t; }
  void SetObjBlurDuration(float dur) override { settings_.obj_blur_duration = dur; }
  void SetVelBlurDuration(float dur) override { settings_.vel_blur_duration = dur; }
  void SetNBlurFrames(int n) override { settings_.n_blur_frames = n; }
  void SetNBlurSamples(int n) override { settings_.n_blur_samples = n; }

 private:
  Settings settings_;
};

// Writes the scene to a VUE file when it renders; here it keeps nothing.
class VueFileRenderer : public Renderer {
 public:
  Class_ID ClassID() override { return Class_ID(VUE_REND_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "VUE_File_Renderer"; }
};

class LightTracer : public RadiosityEffect {
 public:
  Class_ID ClassID() override { return LIGHT_TRACER_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "Light_Tracer"; }
  bool IsActive(TimeValue) override { return active_; }
  void SetActive(bool active, TimeValue) override { active_ = active; }

 private:
  bool active_ = true;
};

// Keeps a renderer or plug-in the scene was given until the end of the run
// (once, however often it is given).
void keep_render_object(Animatable* object);
