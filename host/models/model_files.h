// Model files through Assimp: importing a file's meshes into the scene and
// exporting the scene's meshes to a file.
#pragma once

#include <string>

namespace host::models {

struct Outcome {
  bool ok = false;
  std::string error;   // why not, when !ok
  int node_count = 0;  // nodes made (import) or written (export)
};

// Adds one node for each triangle mesh of the file (OBJ, 3DS, PLY, STL,
// glTF/GLB and whatever else Assimp reads), under the file's hierarchy with
// its names and transforms; nodes without meshes leave their transform to
// their children. Nothing is added unless the whole file was read.
Outcome import_model_file(const std::string& path);

// Writes every node whose object converts to a triangle mesh (only the
// selected ones when selected_only), in world space, to path in the Assimp
// export format format_id ("obj", "ply", "stl", "gltf2", "glb2", ...).
Outcome export_model_file(const std::string& path, const std::string& format_id, bool selected_only);

// The export format of a file name's extension, or "" when none fits.
std::string export_format_for(const std::string& path);

}  // namespace host::models
