// The box primitive's mesh.
#include "host/primitives.h"

namespace {

// Corner i of the box: bit 0 on the +x side, bit 1 the +y side, bit 2 the top.
int x_bit(int i) { return i & 1; }
int y_bit(int i) { return (i >> 1) & 1; }
int z_bit(int i) { return (i >> 2) & 1; }

struct Side {
  int quad[4];  // round the side, counter-clockwise seen from outside
  int smoothing_group;
  MtlID material;  // as the user numbers it, from 1
  int map_set;     // which four texture vertices the side uses
  // Where a corner falls on the side's texture, seen from outside.
  int (*u)(int);
  int (*v)(int);
};

const Side kSides[6] = {
    {{0, 2, 3, 1}, 2, 2, 0, [](int i) { return 1 - x_bit(i); }, y_bit},  // bottom, seen from below
    {{4, 5, 7, 6}, 3, 1, 0, x_bit, y_bit},                               // top
    {{0, 1, 5, 4}, 4, 5, 1, x_bit, z_bit},                               // front (-y)
    {{1, 3, 7, 5}, 5, 4, 2, y_bit, z_bit},                               // right (+x)
    {{3, 2, 6, 7}, 6, 6, 1, [](int i) { return 1 - x_bit(i); }, z_bit},  // back (+y)
    {{2, 0, 4, 6}, 7, 3, 2, [](int i) { return 1 - y_bit(i); }, z_bit},  // left (-x)
};

}  // namespace

void build_box_mesh(Mesh& mesh, float length, float width, float height) {
  mesh.FreeAll();
  mesh.setNumVerts(8);
  for (int i = 0; i < 8; ++i)
    mesh.setVert(i, (x_bit(i) - 0.5f) * width, (y_bit(i) - 0.5f) * length, z_bit(i) * height);

  mesh.setNumFaces(12);
  mesh.setNumTVerts(12);
  mesh.setNumTVFaces(12);
  for (int set = 0; set < 3; ++set)
    for (int k = 0; k < 4; ++k)
      mesh.setTVert(set * 4 + k, static_cast<float>(k & 1), static_cast<float>(k >> 1), 0.0f);

  for (int s = 0; s < 6; ++s) {
    const Side& side = kSides[s];
    const int* q = side.quad;
    // Two triangles sharing the quad's diagonal q[2]-q[0], hidden in both.
    const int tris[2][3] = {{q[0], q[1], q[2]}, {q[2], q[3], q[0]}};
    for (int t = 0; t < 2; ++t) {
      int fi = s * 2 + t;
      Face& face = mesh.faces[fi];
      face.setVerts(tris[t][0], tris[t][1], tris[t][2]);
      face.setEdgeVisFlags(1, 1, 0);
      face.setSmGroup(DWORD{1} << (side.smoothing_group - 1));
      face.setMatID(static_cast<MtlID>(side.material - 1));
      int tv[3];
      for (int k = 0; k < 3; ++k) {
        int corner = tris[t][k];
        tv[k] = side.map_set * 4 + side.u(corner) + 2 * side.v(corner);
      }
      mesh.tvFace[fi].setTVerts(tv[0], tv[1], tv[2]);
    }
  }
  mesh.InvalidateTopologyCache();
}
