// The meshes of the application's primitive objects, built as it builds
// them: the same vertices in the same order, faces, smoothing groups, edge
// visibility and material IDs.
#pragma once

#include "host/mesh.h"

// A box of one segment each way, centred on x and y with its base at z = 0:
// width along x, length along y, height along z. 8 vertices (the base's four
// first), 12 faces, two for each side in the order bottom, top, front (-y),
// right (+x), back (+y), left (-x); each side in its own smoothing group (2 to
// 7 in that order) with the diagonal of its quad hidden; material IDs 2, 1,
// 5, 4, 6, 3 (stored one less); map channel 1 mapped onto each side.
void build_box_mesh(Mesh& mesh, float length, float width, float height);

// A sphere centred on the origin: a pole at the top and bottom and
// segments / 2 - 1 rings of segments vertices between them, top to bottom
// (segments 4 to 200). All faces in smoothing group 1; map channel 1
// wrapped round it, seam at +x.
void build_sphere_mesh(Mesh& mesh, float radius, int segments);

// A plane in z = 0 centred on the origin, width along x, length along y:
// (lengthSegs + 1) * (widthSegs + 1) vertices (segments 1 to 1000) row by
// row from -y, two faces a cell, smoothing group 1, map channel 1 spanning 0
// to 1 across it.
void build_plane_mesh(Mesh& mesh, float length, float width, int lengthSegs, int widthSegs);

// A capped cylinder standing on z = 0 round the z axis: the base's centre,
// heightSegs + 1 rings of sides vertices from the base up, then the top's
// centre (sides 3 to 200, heightSegs 1 to 200). The sides are in
// smoothing group 1 with material ID 3, the caps in group 2 with material IDs
// 1 (top) and 2 (bottom), stored one less; map channel 1 wrapped round the
// side and laid flat on each cap.
void build_cylinder_mesh(Mesh& mesh, float radius, float height, int heightSegs, int sides);

// The teapot, Newell's 32 bicubic patches scaled so the body's widest
// circle has the radius given, standing on z = 0 with the spout toward +x.
// Each part shown (body with rim and bottom, handle, spout, lid) is every
// patch cut into segments x segments quads (segments 1 to 64), two faces
// each with the diagonal hidden, its vertices welded within the part (not
// across parts): 530 vertices and 1024 faces at 4 segments. smooth puts
// every face in smoothing group 1 (else none); mapCoords gives map channel
// 1 each patch's own 0..1 square.
struct TeapotParts {
  bool body = true, handle = true, spout = true, lid = true;
};
void build_teapot_mesh(Mesh& mesh, float radius, int segments, bool smooth, const TeapotParts& parts,
                       bool mapCoords);
