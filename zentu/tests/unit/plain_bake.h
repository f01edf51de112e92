// The bake's two passes as their loops are written, made no faster: every
// face scanned for every vertex, every triangle of every other mesh tried
// for every shadow ray, one thread. The fast passes must give the same
// colours, bit for bit.
#pragma once

#include "color_passes.h"

// limit, when not negative, stops after that many vertices or faces (to
// time a sample of a pass too slow to finish).
int PlainMixedColors(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps,
                     VertexColorList& out, int limit = -1);
int PlainCornerColors(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps,
                      FaceColorList& out, int limit = -1);
