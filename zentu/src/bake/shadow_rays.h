// Shadow rays: from a light toward the shaded point, blocked by the
// triangles of other scene meshes that face the light.
#pragma once

#include <memory>
#include <vector>

#include "host/maxscript.h"

class MeshInstance;

struct ShadowRay {
  Point3 origin;
  Point3 dir;  // unit length
  Point3 hit;  // set by the mesh test
};

// The slab test of the ray (from its origin on, without end) against box.
// A flat box still has its one plane: a plane's box blocks.
bool RayHitsBox(const ShadowRay& ray, const Box3& box);

// Whether the ray meets the bounding sphere's line of sight at all.
bool RayNearSphere(const ShadowRay& ray, const MeshInstance& instance);

// What the triangle test works out of a triangle alone, once: its corner,
// edges, plane and system determinant.
struct PreparedTriangle {
  Point3 q0, e1, e2;
  Point3 n;       // the unit normal; zero for a triangle of no area
  float d = 0;    // the plane: n . p + d = 0
  float det = 0;  // (e1 x e2) . n, never zero
};
PreparedTriangle PrepareTriangle(const Point3& q0, const Point3& q1, const Point3& q2);

// The triangle test on a prepared triangle: the same answers, bit for bit,
// as on its corners.
bool RayTriangleHit(const ShadowRay& ray, const PreparedTriangle& t, Point3& hit);

// Where the ray crosses triangle q0 q1 q2 from its front (the side its
// counter-clockwise corners face): the plane's point, kept when its
// barycentric coordinates (by Cramer's rule) all lie in [0, 1]. Triangles
// of no area and triangles seen edge-on or from behind are never hit.
bool RayTriangleHit(const ShadowRay& ray, const Point3& q0, const Point3& q1, const Point3& q2, Point3& hit);

// The nearest of the instance's triangles the ray hits, by testing every one;
// sets ray.hit. What the search through the instance's hierarchy must agree
// with.
bool NearestRayMeshHit(ShadowRay& ray, const MeshInstance& instance);

// Whether some triangle of the instance is hit nearer the ray's origin than
// distance, by the same test as NearestRayMeshHit (through the instance's
// hierarchy when it has one).
bool RayBlockedWithin(const ShadowRay& ray, const MeshInstance& instance, float distance);

// Whether some instance other than node's, casting shadows and passing its
// sphere and box tests, blocks the ray nearer than distance. The answer
// does not depend on the order the instances are asked in, so last_blocker
// (an index into instances, or -1) is asked first and then set to the one
// that blocked: neighbouring points tend to share their blocker.
bool LightHidden(const std::vector<std::unique_ptr<MeshInstance>>& instances, INode* node, const ShadowRay& ray,
                 float distance, int& last_blocker);
