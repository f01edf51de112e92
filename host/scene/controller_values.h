// Controllers as script values: $b.pos.controller, $omni.multiplier.controller.
#pragma once

#include "host/control.h"
#include "host/host_objects.h"

// A controller of a node or scene object. It holds on to its owner's value
// and refuses every access once the owner was deleted, so a controller of a
// deleted node never reaches freed memory. Printed "Controller:Bezier_Float".
class ControllerValue : public HostObjectWrapper {
 public:
  ControllerValue(HostObjectWrapper* owner, Control* control);
  Animatable* GetReference(int i) override;
  Control* to_controller() override { return checked(); }
  Control* checked();
  void gc_trace() override;
  void sprin1(CharStream* s) override;
  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* new_value) override;
  void get_prop_names(std::vector<Value*>& names) override;
  Value* get_property_controller(Value* prop) override;
  Value* eq_vf(Value** arg_list, int count) override;

 private:
  HostObjectWrapper* owner_;
  Control* control_;
};

// The script value of control, owned by owner's scene object; undefined for null.
Value* wrap_controller(HostObjectWrapper* owner, Control* control);
