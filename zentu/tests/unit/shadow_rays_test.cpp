// The shadow ray's tests: triangles hit only from the front and inside
// (edges included), boxes by slabs (a flat box too), and the triangle
// hierarchy, which must find a blocking triangle whenever testing every
// triangle does, however thin, huge, tiny or degenerate they are.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "shadow_rays.h"
#include "triangle_bvh.h"

namespace {

ShadowRay ray_from(Point3 origin, Point3 toward) {
  ShadowRay ray;
  ray.origin = origin;
  ray.dir = Normalize(toward - origin);
  return ray;
}

TEST(ShadowRays, TrianglesBlockFromTheFrontOnly) {
  // Counter-clockwise seen from +z: faces up.
  Point3 a(0, 0, 0), b(10, 0, 0), c(0, 10, 0), h;
  EXPECT_TRUE(RayTriangleHit(ray_from({2, 2, 10}, {2, 2, 0}), a, b, c, h));
  EXPECT_EQ(h, Point3(2, 2, 0));
  // From below it faces away.
  EXPECT_FALSE(RayTriangleHit(ray_from({2, 2, -10}, {2, 2, 0}), a, b, c, h));
  // Edges and corners count as inside.
  EXPECT_TRUE(RayTriangleHit(ray_from({5, 0, 10}, {5, 0, 0}), a, b, c, h));
  EXPECT_TRUE(RayTriangleHit(ray_from({5, 5, 10}, {5, 5, 0}), a, b, c, h));
  EXPECT_TRUE(RayTriangleHit(ray_from({0, 0, 10}, {0, 0, 0}), a, b, c, h));
  EXPECT_FALSE(RayTriangleHit(ray_from({6, 6, 10}, {6, 6, 0}), a, b, c, h));
  // Behind the ray's origin, or seen edge on: no hit.
  EXPECT_FALSE(RayTriangleHit(ray_from({2, 2, -1}, {2, 2, -5}), a, b, c, h));
  EXPECT_FALSE(RayTriangleHit(ray_from({-5, 2, 0}, {20, 2, 0}), a, b, c, h));
  // No area, no plane.
  EXPECT_FALSE(RayTriangleHit(ray_from({2, 0, 10}, {2, 0, 0}), a, b, Point3(5, 0, 0), h));
  EXPECT_FALSE(RayTriangleHit(ray_from({0, 0, 10}, {0, 0, 0}), a, a, a, h));
  // A plane through the world's origin is no special case.
  EXPECT_FALSE(RayTriangleHit(ray_from({20, 20, 10}, {20, 20, 0}), a, b, c, h));
}

TEST(ShadowRays, BoxesBySlabsFlatOnesIncluded) {
  Box3 box(Point3(0, 0, 0), Point3(10, 10, 10));
  EXPECT_TRUE(RayHitsBox(ray_from({5, 5, 20}, {5, 5, 0}), box));
  EXPECT_TRUE(RayHitsBox(ray_from({5, 5, 5}, {5, 5, 0}), box));  // from inside
  EXPECT_FALSE(RayHitsBox(ray_from({5, 5, 20}, {5, 5, 30}), box));  // away from it
  EXPECT_FALSE(RayHitsBox(ray_from({15, 5, 20}, {15, 5, 0}), box));
  Box3 flat(Point3(0, 0, 3), Point3(10, 10, 3));
  EXPECT_TRUE(RayHitsBox(ray_from({5, 5, 20}, {5, 5, 0}), flat));
  EXPECT_TRUE(RayHitsBox(ray_from({0, 0, 20}, {0, 0, 0}), flat));  // along its edge
  Box3 empty;
  EXPECT_FALSE(RayHitsBox(ray_from({5, 5, 20}, {5, 5, 0}), empty));
}

// Random triangles of every awkward kind, random segments: the hierarchy
// finds a blocker nearer than the segment's end exactly when a test of
// every triangle does.
TEST(ShadowRays, TheHierarchyMissesNoBlockerTheFullTestFinds) {
  std::mt19937 rng(7);
  auto u = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
  auto lattice = [&](float scale) { return std::round(u(-4, 4)) * scale; };
  for (int round = 0; round < 6; ++round) {
    float scale = std::pow(10.0f, static_cast<float>(round) - 2.0f);  // 0.01 .. 1000
    std::vector<TriangleBvh::Triangle> triangles;
    for (int i = 0; i < 400; ++i) {
      Point3 q0(lattice(scale), lattice(scale), lattice(scale));
      Point3 q1 = q0 + Point3(u(-1, 1), u(-1, 1), u(-1, 1)) * scale;
      Point3 q2 = q0 + Point3(u(-1, 1), u(-1, 1), u(-1, 1)) * scale;
      switch (i % 8) {
        case 0: q2 = q0 + (q1 - q0) * u(0, 2) + Point3(0, 0, 1e-6f * scale); break;  // a sliver
        case 1: q2 = q1; break;                                                      // no area
        case 2: q1 = q0 + Point3(1e-4f, 0, 0) * scale; break;                        // tiny
        case 3: q2.z = q1.z = q0.z; break;                                           // flat on the lattice
        default: break;
      }
      triangles.push_back({{q0, q1, q2}, i});
    }
    triangles.push_back({{Point3(std::numeric_limits<float>::infinity(), 0, 0), Point3(0, 1, 0), Point3(0, 0, 1)},
                         400});
    triangles.push_back({{Point3(std::nanf(""), 0, 0), Point3(0, 1, 0), Point3(0, 0, 1)}, 401});
    float reach = 10 * scale;
    TriangleBvh bvh(triangles, reach);
    int blocked = 0;
    for (int r = 0; r < 4000; ++r) {
      ShadowRay ray;
      ray.origin = Point3(lattice(scale * 2), lattice(scale * 2), lattice(scale * 2));
      Point3 end(lattice(scale), lattice(scale), u(-4, 4) * scale);
      ray.dir = Normalize(end - ray.origin);
      float distance = Length(end - ray.origin);
      auto hits = [&](const TriangleBvh::Leaf& t) {
        Point3 h;
        return RayTriangleHit(ray, t.tri, h) && Length(h - ray.origin) < distance;
      };
      bool full = false;
      for (const auto& t : triangles) {
        Point3 h;
        full = full || (RayTriangleHit(ray, t.q[0], t.q[1], t.q[2], h) && Length(h - ray.origin) < distance);
      }
      EXPECT_EQ(bvh.AnyHit(ray.origin, ray.dir, distance, hits), full) << "scale " << scale << " ray " << r;
      blocked += full ? 1 : 0;
    }
    EXPECT_GT(blocked, 100) << "scale " << scale;
  }
}

// Rays aimed a hair's breadth outside a triangle's edges, where the float
// test may still accept the point: the boxes must be grown for it, or the
// hierarchy passes over hits the full test finds.
TEST(ShadowRays, TheHierarchyKeepsHitsAHairOutsideTheEdges) {
  std::mt19937 rng(11);
  auto u = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
  int accepted_outside = 0;
  for (int t = 0; t < 300; ++t) {
    float size = std::pow(10.0f, u(-1, 3));
    Point3 q0(u(-1, 1) * size, u(-1, 1) * size, u(-1, 1) * size);
    // Axis-aligned legs: the triangle's box has faces along two of its edges.
    Point3 q1 = q0 + Point3(size, 0, 0), q2 = q0 + Point3(0, size, 0);
    std::vector<TriangleBvh::Triangle> one{{{q0, q1, q2}, 0}};
    TriangleBvh bvh(one, 10 * size);
    Point3 box_low = q0;
    for (int r = 0; r < 200; ++r) {
      // A point just outside the edge along x (y below q0.y) or along y.
      Point3 target = q0 + Point3(u(0, 1) * size, u(0, 1) * size, 0);
      int steps = static_cast<int>(u(1, 8));
      if (r % 2 == 0) {
        target.y = box_low.y;
        for (int i = 0; i < steps; ++i) target.y = std::nextafter(target.y, -INFINITY);
      } else {
        target.x = box_low.x;
        for (int i = 0; i < steps; ++i) target.x = std::nextafter(target.x, -INFINITY);
      }
      ShadowRay ray;
      ray.origin = target + Point3(u(-1, 1), u(-1, 1), u(0.05f, 1)) * (3 * size);
      ray.dir = Normalize(target - ray.origin);
      float distance = Length(target - ray.origin) * 2;
      auto hits = [&](const TriangleBvh::Leaf& leaf) {
        Point3 h;
        return RayTriangleHit(ray, leaf.tri, h) && Length(h - ray.origin) < distance;
      };
      Point3 h;
      bool full = RayTriangleHit(ray, q0, q1, q2, h) && Length(h - ray.origin) < distance;
      accepted_outside += full ? 1 : 0;
      EXPECT_EQ(bvh.AnyHit(ray.origin, ray.dir, distance, hits), full);
    }
  }
  // The float test does accept such points now and then: the case is real.
  EXPECT_GT(accepted_outside, 0);
}

TEST(ShadowRays, AnEmptyHierarchyBlocksNothing) {
  TriangleBvh none({}, 1.0f);
  EXPECT_EQ(none.TriangleCount(), 0);
  EXPECT_FALSE(none.AnyHit(Point3(0, 0, 0), Point3(0, 0, 1), 10, [](const TriangleBvh::Leaf&) { return true; }));
  // Triangles without a plane are left out altogether.
  TriangleBvh flat({{{Point3(0, 0, 0), Point3(1, 0, 0), Point3(2, 0, 0)}, 0}}, 1.0f);
  EXPECT_EQ(flat.TriangleCount(), 0);
}

}  // namespace
