// ApplyVertexColors: bakes the lit look of an editable mesh into its vertex
// colours, with the host's progress bar up and the user able to cancel.
#include <climits>
#include <cstdint>

#include "../conventions.h"
#include "../messages.h"
#include "../zentu_functions.h"
#include "color_passes.h"
#include "vertex_color_writer.h"

namespace {

// The last percentage the bar was sent; kept from one bake to the next.
int lastProgressPercent = -1;

class VertexColorApplier {
 public:
  Interface* ip = GetCOREInterface();
  int apply(INode* node, int lightingMode, bool mix, bool castShadows, bool useMaps);
};

class ColorEvalProgress final : public PassProgress {
 public:
  explicit ColorEvalProgress(VertexColorApplier* job) : job_(job) {}
  int progress(float fraction) override {
    int percent = static_cast<int>(fraction * 100.0);
    if (percent != lastProgressPercent) {
      job_->ip->ProgressUpdate(percent, TRUE, nullptr);
      lastProgressPercent = percent;
    }
    return job_->ip->GetCancel();
  }

 private:
  VertexColorApplier* job_;
};

DWORD WINAPI nothing_to_run(LPVOID) { return 0; }

// The bar is taken down however the pass ends.
class ProgressShown {
 public:
  explicit ProgressShown(Interface* ip) : ip_(ip) {
    ip_->ProgressStart(zentu::msg::kBakeProgressTitle, TRUE, nothing_to_run, nullptr);
  }
  ~ProgressShown() { ip_->ProgressEnd(); }
  ProgressShown(const ProgressShown&) = delete;
  ProgressShown& operator=(const ProgressShown&) = delete;

 private:
  Interface* ip_;
};

// Only a renderable object whose points can be worked on is baked.
bool bakeable(Object* object) {
  return object != nullptr && object->SuperClassID() == GEOMOBJECT_CLASS_ID && object->IsRenderable() &&
         object->IsDeformable();
}

int VertexColorApplier::apply(INode* node, int lightingMode, bool mix, bool castShadows, bool useMaps) {
  if (node == nullptr) return 0;
  TimeValue t = zentu_script_time();
  Object* object = node->EvalWorldState(t, TRUE).obj;
  if (!bakeable(object)) return 0;
  VertexColorList vertex_colors;
  FaceColorList corner_colors;
  int finished = 0;
  {
    ProgressShown bar(ip);
    ColorEvalProgress progress(this);
    finished = mix ? EvaluateMixedVertexColors(node, t, lightingMode, castShadows, useMaps, vertex_colors, &progress)
                   : EvaluateFaceCornerColors(node, t, lightingMode, castShadows, useMaps, corner_colors, &progress);
  }
  if (finished == 0) return 0;
  Mesh& mesh = static_cast<TriObject*>(object)->GetMesh();
  if (mix)
    WriteVertexColors(mesh, vertex_colors);
  else
    WriteCornerColors(mesh, corner_colors);
  ip->RedrawViews(t, REDRAW_NORMAL);
  return 1;
}

}  // namespace

Value* ApplyVertexColors_cf(Value** arg_list, int count) {
  check_arg_count("ApplyVertexColors", 5, count);
  INode* node = zentu_node_arg(arg_list[0], "ApplyVertexColors");
  Object* object = node->GetObjectRef();
  if (object == nullptr || object->ClassID() != Class_ID(EDITTRIOBJ_CLASS_ID, 0))
    throw RuntimeError(zentu::msg::kNotCollapsedMesh);
  int lighting_mode = arg_list[1]->to_int();
  bool mix = arg_list[2]->to_bool() != 0;
  bool cast_shadows = arg_list[3]->to_bool() != 0;
  bool use_maps = arg_list[4]->to_bool() != 0;
  if (!mix && object->IsSubClassOf(triObjectClassID) &&
      static_cast<TriObject*>(object)->GetMesh().getNumFaces() > INT_MAX / 3)
    throw RuntimeError(zentu::msg::kTooManyFaces);
  VertexColorApplier applier;
  return applier.apply(node, lighting_mode, mix, cast_shadows, use_maps) ? &true_value : &false_value;
}
