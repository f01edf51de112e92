// The two passes that work out a node's baked colours: one colour per mesh
// vertex (averaged over the faces using it) or one per face corner. Both
// shade the node's material (or its wire colour) at the points of its
// world-space mesh under one of three lightings:
//   0  a headlight 5 units out along each point's normal, white ambient;
//   1  the scene's lights for the node (two default lights when the scene
//      has no light at all) and the scene's ambient, with shadows on request;
//   other: no light, white ambient.
#pragma once

#include <vector>

#include "host/maxscript.h"

class MeshInstance;

using VertexColorList = std::vector<Color>;

struct FaceCornerColors {
  Color corner[3];  // in the order of the face's vertices
};
using FaceColorList = std::vector<FaceCornerColors>;

// Told how far a pass has come (0 to 1); answers non-zero to cancel it.
class PassProgress {
 public:
  virtual ~PassProgress() = default;
  virtual int progress(float fraction) = 0;
};

// Where a pass spent its time, in seconds.
struct PassTimings {
  double snapshot = 0;  // the scene's meshes copied into world space
  double setup = 0;     // lights, material, the shadow searches
  double shading = 0;   // every point shaded, shadows included
};

struct PassOptions {
  int threads = 0;                 // how many shade: 0 for one per core
  PassTimings* timings = nullptr;  // filled when given
};

// Fill out (emptied first) and answer 1, or answer 0 when progress asked to
// cancel. A node without a mesh leaves out empty and answers 1.
int EvaluateMixedVertexColors(INode* node, TimeValue t, int lightingMode, bool castShadows, bool useMaps,
                              VertexColorList& out, PassProgress* progress, PassOptions options = {});
int EvaluateFaceCornerColors(INode* node, TimeValue t, int lightingMode, bool castShadows, bool useMaps,
                             FaceColorList& out, PassProgress* progress, PassOptions options = {});

// The unit mean of the (world) normals of the faces using vertex, one for
// each corner that names it; marks the faces in faceMarks.
Point3 AverageVertexNormal(Mesh& mesh, int vertex, BitArray& faceMarks);

// The bake's constants.
inline constexpr float kViewOffset = 5.0f;
inline const Color kHeadlightColor(0.8f, 0.8f, 0.8f);
inline const Point3 kDefaultLight1(-900000.0f, -1000000.0f, 1500000.0f);
inline const Point3 kDefaultLight2(900000.0f, 1000000.0f, -1500000.0f);
