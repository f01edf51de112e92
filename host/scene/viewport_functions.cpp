// Viewport redraws and the progress bar for scripts:
//   disableSceneRedraw() ... enableSceneRedraw(); isSceneRedrawDisabled()
//   redrawViews(), completeRedraw(), forceCompleteRedraw doDisabled:true,
//   max views redraw
//   progressStart "Working"; progressUpdate 50; progressEnd()
//   getProgressCancel(), setProgressCancel true
#include <algorithm>
#include <cmath>

#include "host/checks.h"
#include "host/core_interface.h"
#include "host/functions.h"
#include "host/max_commands.h"
#include "host/values.h"

namespace {

Value* disable_scene_redraw_cf(Value**, int count) {
  check_arg_count("disableSceneRedraw", 0, count);
  GetCOREInterface()->DisableSceneRedraw();
  return &ok;
}

Value* enable_scene_redraw_cf(Value**, int count) {
  check_arg_count("enableSceneRedraw", 0, count);
  GetCOREInterface()->EnableSceneRedraw();
  return &ok;
}

Value* is_scene_redraw_disabled_cf(Value**, int count) {
  check_arg_count("isSceneRedrawDisabled", 0, count);
  return bool_result(GetCOREInterface()->IsSceneRedrawDisabled());
}

Value* redraw_views_cf(Value**, int count) {
  check_arg_count("redrawViews", 0, count);
  GetCOREInterface()->RedrawViews(GetCOREInterface()->GetTime());
  return &ok;
}

Value* complete_redraw_cf(Value**, int count) {
  check_arg_count("completeRedraw", 0, count);
  GetCOREInterface()->ForceCompleteRedraw(FALSE);
  return &ok;
}

// forceCompleteRedraw [doDisabled:<bool>]
Value* force_complete_redraw_cf(Value** a, int count) {
  check_positional_count("forceCompleteRedraw", 0, a, count);
  Value* do_disabled = _get_key_arg_or_default(a, count, Name::intern("doDisabled"), &false_value);
  GetCOREInterface()->ForceCompleteRedraw(do_disabled->to_bool() ? TRUE : FALSE);
  return &ok;
}

void redraw_views_command() { GetCOREInterface()->RedrawViews(GetCOREInterface()->GetTime()); }

struct ViewCommands {
  ViewCommands() { register_max_command("views redraw", redraw_views_command); }
} view_commands;

// progressStart <caption> [allowCancel:<bool>]
Value* progress_start_cf(Value** a, int count) {
  check_positional_count("progressStart", 1, a, count);
  const char* title = a[0]->to_string();
  return bool_result(GetCOREInterface()->ProgressStart(title, TRUE, nullptr, nullptr));
}

// progressUpdate <percent> [stepName:<string>]: false once cancelled.
Value* progress_update_cf(Value** a, int count) {
  check_positional_count("progressUpdate", 1, a, count);
  float pct = a[0]->to_float();
  // Kept in range before the conversion: a float beyond int's range does not convert.
  pct = std::isnan(pct) ? 0.0f : std::clamp(pct, -1.0f, 101.0f);
  Value* step = _get_key_arg_or_default(a, count, Name::intern("stepName"), nullptr);
  const char* title = step != nullptr && step != &unsupplied ? step->to_string() : nullptr;
  GetCOREInterface()->ProgressUpdate(static_cast<int>(pct), TRUE, title);
  return bool_result(!GetCOREInterface()->GetCancel());
}

Value* progress_end_cf(Value**, int count) {
  check_arg_count("progressEnd", 0, count);
  GetCOREInterface()->ProgressEnd();
  return &ok;
}

Value* get_progress_cancel_cf(Value**, int count) {
  check_arg_count("getProgressCancel", 0, count);
  return bool_result(GetCOREInterface()->GetCancel());
}

Value* set_progress_cancel_cf(Value** a, int count) {
  check_arg_count("setProgressCancel", 1, count);
  GetCOREInterface()->SetCancel(a[0]->to_bool() ? TRUE : FALSE);
  return &ok;
}

Primitive disable_scene_redraw_pf("disableSceneRedraw", disable_scene_redraw_cf);
Primitive enable_scene_redraw_pf("enableSceneRedraw", enable_scene_redraw_cf);
Primitive is_scene_redraw_disabled_pf("isSceneRedrawDisabled", is_scene_redraw_disabled_cf);
Primitive redraw_views_pf("redrawViews", redraw_views_cf);
Primitive complete_redraw_pf("completeRedraw", complete_redraw_cf);
Primitive force_complete_redraw_pf("forceCompleteRedraw", force_complete_redraw_cf);
Primitive progress_start_pf("progressStart", progress_start_cf);
Primitive progress_update_pf("progressUpdate", progress_update_cf);
Primitive progress_end_pf("progressEnd", progress_end_cf);
Primitive get_progress_cancel_pf("getProgressCancel", get_progress_cancel_cf);
Primitive set_progress_cancel_pf("setProgressCancel", set_progress_cancel_cf);

}  // namespace
