// Builds the scene from checked rows (scene_check.h) into an empty scene.
#pragma once

#include "scene_data.h"

namespace scenefile {

void build_scene(const SceneData& data);

}  // namespace scenefile
