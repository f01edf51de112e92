// The primitive objects' meshes: counts, layout, smoothing groups, edge
// visibility, material IDs, mapping, elements and normals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "host/meshadj.h"
#include "host/primitives.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

void expect_point(const Point3& got, const Point3& want, float tolerance = 1e-4f) {
  EXPECT_NEAR(got.x, want.x, tolerance);
  EXPECT_NEAR(got.y, want.y, tolerance);
  EXPECT_NEAR(got.z, want.z, tolerance);
}

int differing_axes(const Point3& a, const Point3& b) {
  return (a.x != b.x ? 1 : 0) + (a.y != b.y ? 1 : 0) + (a.z != b.z ? 1 : 0);
}

// `from`'s vertices and faces added after `into`'s, moved by offset.
void append(Mesh& into, const Mesh& from, const Point3& offset) {
  int verts = into.getNumVerts(), faces = into.getNumFaces();
  into.setNumVerts(verts + from.getNumVerts(), TRUE);
  into.setNumFaces(faces + from.getNumFaces(), TRUE);
  for (int v = 0; v < from.getNumVerts(); ++v) into.setVert(verts + v, from.getVert(v) + offset);
  for (int f = 0; f < from.getNumFaces(); ++f) {
    into.faces[faces + f] = from.faces[f];
    for (DWORD& v : into.faces[faces + f].v) v += static_cast<DWORD>(verts);
  }
}

// Where a point lies round the z axis as a fraction of a turn from +x.
float turn(const Point3& p) {
  float a = std::atan2(p.y, p.x) / (2 * kPi);
  return a < 0 ? a + 1 : a;
}

// The map of channel 1 wraps round the z axis: each corner off the axis sits
// at its turn (the seam at 0 or 1), and no face reaches across more than one
// division, as it would if a face at the seam ran back round the map.
void expect_wrapped_map(const Mesh& mesh, int first_face, int end_face, int divisions) {
  ASSERT_EQ(mesh.getNumMapFaces(1), mesh.numFaces);
  for (int f = first_face; f < end_face; ++f) {
    float lo = 2, hi = -1;
    for (int k = 0; k < 3; ++k) {
      DWORD t = mesh.tvFace[f].t[k];
      ASSERT_LT(t, static_cast<DWORD>(mesh.numTVerts));
      const Point3& p = mesh.verts[mesh.faces[f].v[k]];
      float u = mesh.tVerts[t].x;
      lo = std::min(lo, u);
      hi = std::max(hi, u);
      if (std::hypot(p.x, p.y) < 1e-4f) continue;
      float want = turn(p);
      if (std::fabs(u - 1) < 1e-5f && want < 1e-5f) want = 1;
      EXPECT_NEAR(u, want, 1e-4f) << "face " << f << " corner " << k;
    }
    EXPECT_LE(hi - lo, 1.0f / static_cast<float>(divisions) + 1e-5f) << "face " << f;
  }
}

// A box 20 wide (x), 10 long (y) and 30 high (z).
class BoxMesh : public ::testing::Test {
 protected:
  void SetUp() override { build_box_mesh(box, 10, 20, 30); }
  Mesh box;
};

TEST_F(BoxMesh, HasEightCornersAndTwelveFacesAroundItsBase) {
  EXPECT_EQ(box.numVerts, 8);
  EXPECT_EQ(box.numFaces, 12);
  Box3 bounds = box.getBoundingBox();
  expect_point(bounds.pmin, {-10, -5, 0});
  expect_point(bounds.pmax, {10, 5, 30});
  expect_point(bounds.Center(), {0, 0, 15});
  expect_point(bounds.Width(), {20, 10, 30});
  // The base's corners come first.
  for (int v = 0; v < 4; ++v) EXPECT_EQ(box.verts[v].z, 0.0f);
  for (int v = 4; v < 8; ++v) EXPECT_EQ(box.verts[v].z, 30.0f);
}

TEST_F(BoxMesh, EachSideHasItsGroupMaterialAndOutwardFaces) {
  struct SideWant {
    Point3 normal;
    DWORD group;
    MtlID material;
  };
  // Bottom, top, front, right, back, left: groups 2 to 7, material IDs
  // 2, 1, 5, 4, 6, 3 (stored one less).
  const SideWant sides[6] = {{{0, 0, -1}, 1u << 1, 1}, {{0, 0, 1}, 1u << 2, 0}, {{0, -1, 0}, 1u << 3, 4},
                             {{1, 0, 0}, 1u << 4, 3},  {{0, 1, 0}, 1u << 5, 5}, {{-1, 0, 0}, 1u << 6, 2}};
  for (int s = 0; s < 6; ++s) {
    for (int f = 2 * s; f < 2 * s + 2; ++f) {
      SCOPED_TRACE(f);
      expect_point(box.getFaceNormal(f), sides[s].normal);
      EXPECT_EQ(box.faces[f].getSmGroup(), sides[s].group);
      EXPECT_EQ(box.faces[f].getMatID(), sides[s].material);
    }
  }
}

TEST_F(BoxMesh, OnlyTheQuadsDiagonalsAreHidden) {
  for (int f = 0; f < 12; ++f) {
    for (int k = 0; k < 3; ++k) {
      const Point3& a = box.verts[box.faces[f].v[k]];
      const Point3& b = box.verts[box.faces[f].v[(k + 1) % 3]];
      // A side's outline runs along one axis, its diagonal along two.
      EXPECT_EQ(box.faces[f].getEdgeVis(k) != 0, differing_axes(a, b) == 1) << "face " << f << " edge " << k;
    }
  }
}

TEST_F(BoxMesh, MapChannelOneCoversEachSide) {
  EXPECT_TRUE(box.mapSupport(1));
  EXPECT_FALSE(box.mapSupport(0));
  ASSERT_EQ(box.numTVerts, 12);
  ASSERT_EQ(box.getNumMapFaces(1), 12);
  std::set<DWORD> used;
  for (int f = 0; f < 12; ++f) {
    for (int k = 0; k < 3; ++k) {
      DWORD ta = box.tvFace[f].t[k], tb = box.tvFace[f].t[(k + 1) % 3];
      ASSERT_LT(ta, 12u);
      used.insert(ta);
      const UVVert& uva = box.tVerts[ta];
      EXPECT_TRUE(uva.x == 0 || uva.x == 1) << uva.x;
      EXPECT_TRUE(uva.y == 0 || uva.y == 1) << uva.y;
      // An edge along one axis of the side runs along one axis of the map.
      const Point3& a = box.verts[box.faces[f].v[k]];
      const Point3& b = box.verts[box.faces[f].v[(k + 1) % 3]];
      EXPECT_EQ(differing_axes(uva, box.tVerts[tb]), differing_axes(a, b)) << "face " << f << " edge " << k;
    }
  }
  EXPECT_EQ(used.size(), 12u);
  // The top seen from above: its -x -y corner at 0,0 and +x +y corner at 1,1.
  for (int f = 2; f < 4; ++f) {
    for (int k = 0; k < 3; ++k) {
      const Point3& p = box.verts[box.faces[f].v[k]];
      const UVVert& uv = box.tVerts[box.tvFace[f].t[k]];
      EXPECT_EQ(uv.x, p.x > 0 ? 1.0f : 0.0f);
      EXPECT_EQ(uv.y, p.y > 0 ? 1.0f : 0.0f);
    }
  }
}

TEST_F(BoxMesh, CornerNormalsAreTheSidesOwn) {
  for (int f = 0; f < 12; ++f)
    for (int k = 0; k < 3; ++k) expect_point(box.getFaceRNormal(f, k), box.getFaceNormal(f));
  // Every corner of the box joins three sides: its one normal leans out of all.
  float third = 1.0f / std::sqrt(3.0f);
  expect_point(box.getNormal(7), {third, third, third});
  expect_point(box.getNormal(0), {-third, -third, -third});
}

TEST_F(BoxMesh, BoundsFollowATransform) {
  // A quarter turn about z, then 100 along x.
  Matrix3 tm = RotateZMatrix(kPi / 2) * TransMatrix(Point3(100, 0, 0));
  Box3 bounds = box.getBoundingBox(&tm);
  expect_point(bounds.pmin, {95, -10, 0});
  expect_point(bounds.pmax, {105, 10, 30});
  Box3 moved = box.getBoundingBox() * tm;
  expect_point(moved.pmin, bounds.pmin);
  expect_point(moved.pmax, bounds.pmax);
}

TEST_F(BoxMesh, IsOneElementAndTwoBoxesAreTwo) {
  for (int f = 0; f < 12; ++f) {
    BitArray element;
    box.ElementFromFace(f, element);
    EXPECT_EQ(element.NumberSet(), 12) << "from face " << f;
  }

  Mesh pair = box;
  append(pair, box, Point3(100, 0, 0));
  ASSERT_EQ(pair.numFaces, 24);
  AdjEdgeList edges(pair);
  AdjFaceList adjacent(pair, edges);
  for (AdjFaceList* adj : {static_cast<AdjFaceList*>(nullptr), &adjacent}) {
    BitArray first, second;
    pair.ElementFromFace(3, first, adj);
    pair.ElementFromFace(20, second, adj);
    EXPECT_EQ(first.NumberSet(), 12);
    EXPECT_EQ(second.NumberSet(), 12);
    for (int f = 0; f < 24; ++f) {
      EXPECT_EQ(first[f], f < 12) << f;
      EXPECT_EQ(second[f], f >= 12) << f;
    }
  }
}

TEST(SphereMesh, CountsFollowTheSegments) {
  struct Want {
    int segments, verts, faces;
  };
  // Two poles and segments / 2 - 1 rings; the application's default of 32
  // segments gives 482 vertices and 960 faces.
  for (Want want : {Want{32, 482, 960}, Want{8, 26, 48}, Want{4, 6, 8}, Want{3, 6, 8}, Want{10, 42, 80},
                    Want{200, 19802, 39600}, Want{1 << 30, 19802, 39600}}) {
    Mesh sphere;
    build_sphere_mesh(sphere, 5, want.segments);
    EXPECT_EQ(sphere.numVerts, want.verts) << want.segments;
    EXPECT_EQ(sphere.numFaces, want.faces) << want.segments;
  }
}

TEST(SphereMesh, IsOneSmoothClosedSurface) {
  const float radius = 5;
  Mesh sphere;
  build_sphere_mesh(sphere, radius, 32);
  expect_point(sphere.verts[0], {0, 0, radius});
  expect_point(sphere.verts[481], {0, 0, -radius});
  for (int v = 0; v < sphere.numVerts; ++v) EXPECT_NEAR(Length(sphere.verts[v]), radius, 1e-4f);
  Box3 bounds = sphere.getBoundingBox();
  expect_point(bounds.pmin, {-radius, -radius, -radius});
  expect_point(bounds.pmax, {radius, radius, radius});

  BitArray element;
  sphere.ElementFromFace(500, element);
  EXPECT_EQ(element.NumberSet(), 960);

  // A texture vertex at each pole for each of the 32 faces there, and rows
  // of 33 (the seam twice) for the 15 rings; v from the bottom up by latitude.
  EXPECT_EQ(sphere.numTVerts, 2 * 32 + 15 * 33);
  expect_wrapped_map(sphere, 0, sphere.numFaces, 32);
  for (int f = 0; f < sphere.numFaces; ++f) {
    for (int k = 0; k < 3; ++k) {
      float z = sphere.verts[sphere.faces[f].v[k]].z;
      float v = sphere.tVerts[sphere.tvFace[f].t[k]].y;
      EXPECT_NEAR(v, 1 - std::acos(z / radius) / kPi, 1e-4f);
    }
  }

  for (int f = 0; f < sphere.numFaces; ++f) {
    EXPECT_EQ(sphere.faces[f].smGroup, 1u);
    Point3 centre = (sphere.verts[sphere.faces[f].v[0]] + sphere.verts[sphere.faces[f].v[1]] +
                     sphere.verts[sphere.faces[f].v[2]]) /
                    3.0f;
    EXPECT_GT(DotProd(sphere.getFaceNormal(f), centre), 0.0f) << "face " << f << " faces inward";
    // Smoothed: each corner's normal points away from the centre, close to
    // the radius through it, and closer to it than the face's own normal.
    for (int k = 0; k < 3; ++k) {
      Point3 radial = Normalize(sphere.verts[sphere.faces[f].v[k]]);
      Point3 n = sphere.getFaceRNormal(f, k);
      EXPECT_NEAR(Length(n), 1.0f, 1e-4f);
      EXPECT_GT(DotProd(n, radial), 0.999f) << "face " << f << " corner " << k;
      EXPECT_GE(DotProd(n, radial), DotProd(sphere.getFaceNormal(f), radial) - 1e-6f);
      expect_point(n, sphere.getNormal(static_cast<int>(sphere.faces[f].v[k])));
    }
  }
}

TEST(PlaneMesh, GridOfCellsFacingUp) {
  Mesh plane;
  build_plane_mesh(plane, 30, 40, 3, 2);
  EXPECT_EQ(plane.numVerts, 12);
  EXPECT_EQ(plane.numFaces, 12);
  Box3 bounds = plane.getBoundingBox();
  expect_point(bounds.pmin, {-20, -15, 0});
  expect_point(bounds.pmax, {20, 15, 0});
  for (int f = 0; f < plane.numFaces; ++f) expect_point(plane.getFaceNormal(f), {0, 0, 1});
  BitArray element;
  plane.ElementFromFace(0, element);
  EXPECT_EQ(element.NumberSet(), 12);
  // The map spans the plane: the far corner at 1,1.
  ASSERT_EQ(plane.numTVerts, 12);
  Box3 map_bounds;
  for (int t = 0; t < plane.numTVerts; ++t) map_bounds += plane.tVerts[t];
  expect_point(map_bounds.pmin, {0, 0, 0});
  expect_point(map_bounds.pmax, {1, 1, 0});

  Mesh one;
  build_plane_mesh(one, 1, 1, 0, -4);
  EXPECT_EQ(one.numVerts, 4);
  EXPECT_EQ(one.numFaces, 2);
  Mesh most;
  build_plane_mesh(most, 1, 1, 2000000000, 1);
  EXPECT_EQ(most.numVerts, 1001 * 2);
  EXPECT_EQ(most.numFaces, 2000);
}

TEST(CylinderMesh, CapsAndSidesKeepApart) {
  Mesh cylinder;
  build_cylinder_mesh(cylinder, 5, 10, 5, 18);
  // The application's default cylinder: 18 sides, 5 height segments.
  EXPECT_EQ(cylinder.numVerts, 110);
  EXPECT_EQ(cylinder.numFaces, 216);
  Box3 bounds = cylinder.getBoundingBox();
  EXPECT_NEAR(bounds.pmin.x, -5, 1e-4f);
  EXPECT_NEAR(bounds.pmax.x, 5, 1e-4f);
  EXPECT_NEAR(bounds.pmax.y, 5 * std::sin(kPi * 80 / 180), 1e-4f);  // no vertex at 90 degrees
  EXPECT_NEAR(bounds.pmin.z, 0, 1e-6f);
  EXPECT_NEAR(bounds.pmax.z, 10, 1e-6f);

  BitArray element;
  cylinder.ElementFromFace(0, element);
  EXPECT_EQ(element.NumberSet(), 216);

  // Rows of 19 texture vertices (the seam twice) for the 6 rings, and each
  // cap's centre and rim.
  EXPECT_EQ(cylinder.numTVerts, 6 * 19 + 2 * 19);

  int top = 0, bottom = 0, side = 0;
  DWORD cap_groups = 0, side_groups = 0;
  for (int f = 0; f < cylinder.numFaces; ++f) {
    Point3 n = cylinder.getFaceNormal(f);
    SCOPED_TRACE(f);
    if (std::fabs(n.z) > 0.5f) {
      // Flat on the cap: the centre in the middle, the rim round it.
      for (int k = 0; k < 3; ++k) {
        const Point3& p = cylinder.verts[cylinder.faces[f].v[k]];
        const UVVert& uv = cylinder.tVerts[cylinder.tvFace[f].t[k]];
        EXPECT_NEAR(std::hypot(uv.x - 0.5f, uv.y - 0.5f), std::hypot(p.x, p.y) / 10, 1e-5f);
      }
    }
    if (n.z > 0.5f) {
      ++top;
      EXPECT_EQ(cylinder.faces[f].getMatID(), 0);
      for (int k = 0; k < 3; ++k) expect_point(cylinder.getFaceRNormal(f, k), {0, 0, 1});
    } else if (n.z < -0.5f) {
      ++bottom;
      EXPECT_EQ(cylinder.faces[f].getMatID(), 1);
      for (int k = 0; k < 3; ++k) expect_point(cylinder.getFaceRNormal(f, k), {0, 0, -1});
    } else {
      ++side;
      EXPECT_EQ(cylinder.faces[f].getMatID(), 2);
      expect_wrapped_map(cylinder, f, f + 1, 18);
      for (int k = 0; k < 3; ++k) {
        float v = cylinder.tVerts[cylinder.tvFace[f].t[k]].y;
        EXPECT_NEAR(v, cylinder.verts[cylinder.faces[f].v[k]].z / 10, 1e-5f);
      }
      // Smoothed round the side, level at the rims too.
      for (int k = 0; k < 3; ++k) {
        Point3 p = cylinder.verts[cylinder.faces[f].v[k]];
        expect_point(cylinder.getFaceRNormal(f, k), Normalize(Point3(p.x, p.y, 0)));
      }
    }
    (std::fabs(n.z) > 0.5f ? cap_groups : side_groups) |= cylinder.faces[f].getSmGroup();
  }
  EXPECT_NE(cap_groups, 0u);
  EXPECT_NE(side_groups, 0u);
  EXPECT_EQ(cap_groups & side_groups, 0u);
  EXPECT_EQ(top, 18);
  EXPECT_EQ(bottom, 18);
  EXPECT_EQ(side, 180);
}

TEST(CylinderMesh, CountsKeepToTheLimits) {
  struct Want {
    int height_segs, sides, verts, faces;
  };
  // The centres and a ring of `sides` for each height segment and the base.
  for (Want want :
       {Want{1, 3, 8, 12}, Want{0, 2, 8, 12}, Want{2, 4, 14, 24}, Want{1000, 1000, 40202, 80400}}) {
    Mesh cylinder;
    build_cylinder_mesh(cylinder, 1, 1, want.height_segs, want.sides);
    EXPECT_EQ(cylinder.numVerts, want.verts) << want.sides;
    EXPECT_EQ(cylinder.numFaces, want.faces) << want.sides;
  }
}

}  // namespace
