// Checks rows read from a file before anything is built from them: ids are
// unique, every reference names a row of the right kind, every class is
// known, parents come before their children and nothing holds itself.
#pragma once

#include "scene_data.h"

namespace scenefile {

// Throws FileError naming the first fault found.
void check_scene(const SceneData& data);

}  // namespace scenefile
