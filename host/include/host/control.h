// Animation controllers: what gives an animated value (a node's position, a
// light's colour) at each time. Key controllers keep keys and interpolate
// between them; compound controllers (a node's position/rotation/scale)
// combine sub-controllers.
//
// Setting a value while Animating() is true plants a key at that time (and,
// for a track's first key at a time other than 0, one at 0 holding the value
// from before). Without animating, a track with keys moves as a whole by the
// change; one without keys just takes the value. While theHold is holding,
// every change is recorded for undo.
#pragma once

#include <windows.h>

#include "host/animatable.h"
#include "host/geometry.h"

// Controllers' super classes, by the kind of value they give.
constexpr SClass_ID CTRL_FLOAT_CLASS_ID = 0x9003;
constexpr SClass_ID CTRL_POINT3_CLASS_ID = 0x9005;
constexpr SClass_ID CTRL_MATRIX3_CLASS_ID = 0x9008;
constexpr SClass_ID CTRL_POSITION_CLASS_ID = 0x900B;
constexpr SClass_ID CTRL_ROTATION_CLASS_ID = 0x900C;
constexpr SClass_ID CTRL_SCALE_CLASS_ID = 0x900D;

// Class ids of the host's controllers.
constexpr DWORD HYBRIDINTERP_FLOAT_CLASS_ID = 0x2007;
constexpr DWORD HYBRIDINTERP_POSITION_CLASS_ID = 0x2008;
constexpr DWORD HYBRIDINTERP_POINT3_CLASS_ID = 0x200A;
constexpr DWORD HYBRIDINTERP_SCALE_CLASS_ID = 0x2010;
constexpr DWORD HYBRIDINTERP_COLOR_CLASS_ID = 0x2011;
constexpr DWORD PRS_CONTROL_CLASS_ID = 0x2005;
constexpr DWORD LOOKAT_CONTROL_CLASS_ID = 0x2006;
constexpr DWORD EULER_CONTROL_CLASS_ID = 0x2012;
const Class_ID IPOS_CONTROL_CLASS_ID(0x118F7E02, 0xFFEE238A);

// Absolute: the value replaces; relative: it is combined with the current one.
enum GetSetMethod { CTRL_ABSOLUTE, CTRL_RELATIVE };

// The keyable-property interface of key controllers, by GetInterface.
constexpr ULONG I_KEYABLE_PROPERTY = 0x1060;
// In the interface's flag word: set when the controller takes no keys.
constexpr DWORD KEYABLE_PROP_NOT_KEYABLE = 0x200;

class Control;

class IKeyableProperty {
 public:
  virtual Control* GetController() = 0;
  virtual BOOL IsKeyable() = 0;
  virtual void SetKeyable(BOOL keyable) = 0;
  virtual int NumKeys() = 0;
  virtual TimeValue GetKeyTime(int index) = 0;
  virtual DWORD GetFlags() = 0;
  // The controller's flag word itself (KEYABLE_PROP_NOT_KEYABLE, ...).
  virtual DWORD* GetFlagWord() = 0;

 protected:
  ~IKeyableProperty() = default;
};

class Control : public Animatable {
 public:
  // val points at the value's type: float, Point3 (positions, points,
  // colours 0..1, scales), Quat (rotations) or Matrix3 (a node's transform
  // relative to its parent). valid narrows to how long the value holds.
  virtual void GetValue(TimeValue t, void* val, Interval& valid, GetSetMethod method = CTRL_ABSOLUTE) = 0;
  virtual void SetValue(TimeValue t, void* val, int commit = 1, GetSetMethod method = CTRL_ABSOLUTE) = 0;

  // A transform controller's parts; null for other controllers.
  virtual Control* GetPositionController() { return nullptr; }
  virtual Control* GetRotationController() { return nullptr; }
  virtual Control* GetScaleController() { return nullptr; }
  // A look-at transform's roll about its aiming axis; null for others.
  virtual Control* GetRollController() { return nullptr; }

  // Sub-controllers scripts reach by name (x_position, ...).
  virtual int NumSubs() { return 0; }
  virtual Control* SubControl(int i) {
    (void)i;
    return nullptr;
  }
  virtual const char* SubName(int i) {
    (void)i;
    return "";
  }

  // Keys: add one holding the value at t (none when one is there), delete
  // all. NumKeys/GetKeyTime/IsAnimated come from Animatable.
  virtual void AddNewKey(TimeValue t) { (void)t; }
  virtual void DeleteKeys() {}
};

// Whether a value set now plants keys: inside a script's animate context
// its state, else the host's Auto Key switch (off at start).
BOOL Animating();
void AnimateOn();
void AnimateOff();
