// The scene as it is now, as plain rows (scene_data.h).
#pragma once

#include "scene_data.h"

namespace scenefile {

// Throws FileError when the scene holds something the file cannot keep
// (an object, modifier or material of a class it does not know).
SceneData capture_scene();

}  // namespace scenefile
