// The bake's two passes as their loops are written, made no faster: every
// face scanned for every vertex, every triangle of every other mesh tried
// for every shadow ray, one thread. The fast passes must give the same
// colours, bit for bit.
#pragma once

#include "color_passes.h"

int PlainMixedColors(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps,
                     VertexColorList& out);
int PlainCornerColors(INode* node, TimeValue t, int lighting_mode, bool cast_shadows, bool use_maps,
                      FaceColorList& out);
