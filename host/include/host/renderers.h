// Renderers: the scene's current renderer (Interface::GetCurrentRenderer)
// and the default scanline renderer's settings. Nothing renders: the
// renderers keep what is set so it can be read back.
#pragma once

#include <windows.h>

#include "host/animatable.h"

constexpr SClass_ID RENDERER_CLASS_ID = 0xF00;
constexpr ULONG SREND_CLASS_ID = 1;     // the default scanline renderer: (1, 0)
constexpr ULONG VUE_REND_CLASS_ID = 5;  // the VUE file renderer: (5, 0)

class Renderer : public Animatable {
 public:
  SClass_ID SuperClassID() override { return RENDERER_CLASS_ID; }
};

// The scanline renderer's settings. The booleans read and write; the
// numbers after them can be set but not read back through this interface.
class IScanRenderer : public Renderer {
 public:
  virtual void SetAntialias(BOOL b) = 0;
  virtual BOOL GetAntialias() = 0;
  virtual void SetFilter(BOOL b) = 0;  // filtering of texture maps
  virtual BOOL GetFilter() = 0;
  virtual void SetShadows(BOOL b) = 0;
  virtual BOOL GetShadows() = 0;
  virtual void SetMapping(BOOL b) = 0;
  virtual BOOL GetMapping() = 0;
  virtual void SetForceWire(BOOL b) = 0;  // everything as wireframe
  virtual BOOL GetForceWire() = 0;
  virtual void SetAutoReflect(BOOL b) = 0;  // automatic reflection and refraction maps
  virtual BOOL GetAutoReflect() = 0;
  virtual void SetObjMotBlur(BOOL b) = 0;
  virtual BOOL GetObjMotBlur() = 0;
  virtual void SetVelMotBlur(BOOL b) = 0;  // image (velocity) motion blur
  virtual BOOL GetVelMotBlur() = 0;
  virtual void SetPixelSize(float size) = 0;
  virtual void SetAutoReflLevels(int n) = 0;
  virtual void SetWireThickness(float t) = 0;
  virtual void SetObjBlurDuration(float dur) = 0;
  virtual void SetVelBlurDuration(float dur) = 0;
  virtual void SetNBlurFrames(int n) = 0;   // object blur subdivisions
  virtual void SetNBlurSamples(int n) = 0;  // object blur samples
};
