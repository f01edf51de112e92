// The scene's renderer, ambient light and advanced-lighting slot.
#include <algorithm>
#include <memory>
#include <vector>

#include "render_objects.h"
#include "scene_internal.h"

namespace {

struct DeleteThis {
  void operator()(Animatable* a) const { a->DeleteThis(); }
};

// Reached from a static pointer, so the run's end does not report it lost.
std::vector<std::unique_ptr<Animatable, DeleteThis>>& kept() {
  static auto* objects = new std::vector<std::unique_ptr<Animatable, DeleteThis>>;
  return *objects;
}

struct RenderState {
  Renderer* renderer = nullptr;
  Point3 ambient{0, 0, 0};
};
RenderState& render_state() {
  static RenderState state;
  return state;
}

class SceneRadiosityImpl : public SceneRadiosity {
 public:
  RadiosityEffect* getRadiosity() const override { return radiosity_; }
  void setRadiosity(RadiosityEffect* op) override {
    if (op != nullptr) keep_render_object(op);
    radiosity_ = op;
  }

 private:
  RadiosityEffect* radiosity_ = nullptr;
};

}  // namespace

void keep_render_object(Animatable* object) {
  auto& objects = kept();
  if (std::none_of(objects.begin(), objects.end(), [object](const auto& p) { return p.get() == object; }))
    objects.emplace_back(object);
}

FPInterface* GetCOREInterface(Interface_ID id) {
  static auto* radiosity = new SceneRadiosityImpl;
  return id == SCENERADIOSITY_INTERFACE ? radiosity : nullptr;
}

Renderer* Scene::GetCurrentRenderer(bool createRendererIfItDoesntExist) {
  RenderState& state = render_state();
  if (state.renderer == nullptr && createRendererIfItDoesntExist) {
    state.renderer = new ScanlineRenderer;
    keep_render_object(state.renderer);
  }
  return state.renderer;
}

void Scene::AssignCurRenderer(Renderer* rend) {
  if (rend != nullptr) keep_render_object(rend);
  render_state().renderer = rend;
}

Point3 Scene::GetAmbient(TimeValue) { return render_state().ambient; }
void Scene::SetAmbient(TimeValue, Point3 col) { render_state().ambient = col; }
