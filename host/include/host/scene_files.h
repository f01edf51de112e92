// Scene files: the whole scene written to one file and read back, and the
// scene reset to a new, empty one. The file is an SQLite database in the
// host's own format (docs/scene-file-format.md); Interface::SaveToFile,
// LoadFromFile and FileReset come here.
//
// Saving writes a temporary file beside the target and renames it over the
// target, so a failed save leaves the old file as it was. Loading reads and
// checks the whole file before the scene changes: a file that is missing,
// damaged, cut short or written by a newer host leaves the scene as it was.
// Loading and resetting clear the undo history; the script values of the old
// scene's nodes then stand for deleted nodes.
#pragma once

#include <string>

// The format version this host writes; it reads this one and older ones.
constexpr int kSceneFileVersion = 2;

// What a save or load came to: ok, or the reason it failed.
struct SceneFileResult {
  bool ok = true;
  std::string error;
};

SceneFileResult SaveSceneFile(const char* path);
SceneFileResult LoadSceneFile(const char* path);
// A new scene: no nodes, no XRefs, the default renderer and no advanced
// lighting, black ambient light, time 0 and no persistent globals.
void ResetScene();
// The file last saved or loaded ("" after a reset or before either).
const std::string& CurrentSceneFile();
