// Writing baked colours into a mesh's vertex-colour channel, replacing
// what it held. An empty list leaves the mesh as it was; a list shorter than
// the mesh leaves the rest white.
#pragma once

#include "color_passes.h"

// One colour per vertex; each colour face repeats its face's vertices.
void WriteVertexColors(Mesh& mesh, const VertexColorList& colors);

// Three colours per face, its own: colour face f is (3f, 3f + 1, 3f + 2).
void WriteCornerColors(Mesh& mesh, const FaceColorList& colors);
