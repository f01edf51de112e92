// IAdvancedLighting: the scene's advanced-lighting plug-in; ImageFileInfo:
// questions about image files, asked with the bitmap manager kept silent.
#include <vector>

#include "host/advanced_lighting.h"
#include "host/bitmap.h"

#include "conventions.h"
#include "messages.h"
#include "zentu_functions.h"

namespace {

SceneRadiosity* scene_radiosity() {
  return static_cast<SceneRadiosity*>(GetCOREInterface(SCENERADIOSITY_INTERFACE));
}

// The bitmap manager shows no dialogs while one lives; the mode it had comes
// back however the call ends.
class SilentModeScope {
 public:
  SilentModeScope() : previous_(TheManager->SetSilentMode(TRUE)) {}
  ~SilentModeScope() { TheManager->SetSilentMode(previous_); }
  SilentModeScope(const SilentModeScope&) = delete;
  SilentModeScope& operator=(const SilentModeScope&) = delete;

 private:
  BOOL previous_;
};

struct BitmapOwner {
  Bitmap* bitmap;
  ~BitmapOwner() {
    if (bitmap != nullptr) bitmap->DeleteThis();
  }
};

// Whether the file's image information reads; its type in *type.
bool image_info(Value* file, int* type) {
  BitmapInfo info(file->to_string());
  SilentModeScope silent;
  bool ok = TheManager->GetImageInfo(&info) == BMMRES_SUCCESS;
  *type = info.Type();
  return ok;
}

}  // namespace

Value* AdvancedLightingRemove_cf(Value**, int count) {
  check_arg_count("Remove", 0, count);
  SceneRadiosity* radiosity = scene_radiosity();
  if (radiosity == nullptr) return &false_value;
  radiosity->setRadiosity(nullptr);
  return &true_value;
}

Value* AdvancedLightingIsActive_cf(Value**, int count) {
  check_arg_count("IsActive", 0, count);
  SceneRadiosity* radiosity = scene_radiosity();
  RadiosityEffect* plugin = radiosity != nullptr ? radiosity->getRadiosity() : nullptr;
  if (plugin == nullptr) return &false_value;
  return bool_result(plugin->IsActive(zentu_script_time()));
}

Value* AdvancedLightingSetActive_cf(Value** arg_list, int count) {
  check_arg_count("SetActive", 1, count);
  bool on = arg_list[0]->to_bool();
  SceneRadiosity* radiosity = scene_radiosity();
  RadiosityEffect* plugin = radiosity != nullptr ? radiosity->getRadiosity() : nullptr;
  if (plugin == nullptr) return &false_value;
  plugin->SetActive(on, zentu_script_time());
  return &true_value;
}

Value* ImageFileIsValid_cf(Value** arg_list, int count) {
  check_arg_count("IsValid", 1, count);
  int type = 0;
  return bool_result(image_info(arg_list[0], &type));
}

Value* ImageFileIs8BitGrayscale_cf(Value** arg_list, int count) {
  check_arg_count("Is8BitGrayscale", 1, count);
  int type = 0;
  return bool_result(image_info(arg_list[0], &type) && type == BMM_GRAY_8);
}

Value* ImageFileIsMonochrome_cf(Value** arg_list, int count) {
  check_arg_count("IsMonochrome", 1, count);
  const char* file = arg_list[0]->to_string();
  BitmapInfo info(file);
  SilentModeScope silent;
  BMMRES status = BMMRES_SUCCESS;
  BitmapOwner loaded{TheManager->Load(&info, &status)};
  if (status != BMMRES_SUCCESS || loaded.bitmap == nullptr)
    throw RuntimeError(zentu::msg::kCannotLoadFile, file);
  if (info.Type() == BMM_GRAY_8) return &true_value;
  int width = loaded.bitmap->Width(), height = loaded.bitmap->Height();
  std::vector<BMM_Color_64> row(static_cast<size_t>(width > 0 ? width : 0));
  for (int y = 0; y < height; ++y) {
    loaded.bitmap->GetPixels(0, y, width, row.data());
    for (const BMM_Color_64& p : row)
      if (p.r != p.g || p.r != p.b) return &false_value;
  }
  return &true_value;
}
