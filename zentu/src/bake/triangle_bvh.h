// A bounding volume hierarchy over a mesh's triangles, to find the few a
// ray segment may cross without testing them all. Every triangle's box is
// grown by more than the rounding of any float ray-triangle test of the
// kind the bake uses (plane, then barycentric coordinates by Cramer's rule)
// could stray, so a search never passes over a triangle such a test would
// accept; the caller's own exact test decides.
#pragma once

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/geometry.h"

class TriangleBvh {
 public:
  struct Triangle {
    Point3 q[3];
    int face;
  };

  // The triangles as the exact test takes them. reach bounds the size of
  // every coordinate the searches will meet (ray origins included): the
  // rounding the boxes must cover grows with it.
  TriangleBvh(std::vector<Triangle> triangles, float reach);

  // Calls hit(triangle) for each triangle whose box the segment from origin
  // along the unit dir, up to length, may meet, until hit answers true;
  // answers whether one did.
  template <typename Hit>
  bool AnyHit(const Point3& origin, const Point3& dir, float length, Hit&& hit) const;

  int TriangleCount() const { return static_cast<int>(triangles_.size() + always_.size()); }

 private:
  struct Node {
    float lo[3], hi[3];
    std::uint32_t first;  // a leaf's first triangle, or an inner node's second child
    std::uint32_t count;  // triangles in a leaf; 0 for an inner node
    std::uint32_t axis;   // an inner node's split axis
  };
  struct Bounded {
    float lo[3], hi[3];
    float centre[3];
    std::uint32_t index;
  };

  std::uint32_t Build(std::vector<Bounded>& items, std::uint32_t begin, std::uint32_t end, int depth);
  static bool Overlaps(const Node& node, const Point3& origin, const float inv[3], float t_low, float t_high);

  std::vector<Node> nodes_;
  std::vector<Triangle> triangles_;  // in leaf order
  // Triangles no box can hold (a coordinate beyond any bound, a shape too
  // thin to bound its rounding): every search tests them.
  std::vector<Triangle> always_;
  float slack_ = 0.0f;  // added to every search's reach at both ends
};

// The slab test; on an axis the ray does not move along, the origin must
// lie within the box's extent.
inline bool TriangleBvh::Overlaps(const Node& node, const Point3& origin, const float inv[3], float t_low,
                                  float t_high) {
  for (int a = 0; a < 3; ++a) {
    if (std::isinf(inv[a])) {
      if (origin[a] < node.lo[a] || origin[a] > node.hi[a]) return false;
      continue;
    }
    float t0 = (node.lo[a] - origin[a]) * inv[a];
    float t1 = (node.hi[a] - origin[a]) * inv[a];
    t_low = std::fmax(t_low, std::fmin(t0, t1));
    t_high = std::fmin(t_high, std::fmax(t0, t1));
  }
  return t_low <= t_high;
}

template <typename Hit>
bool TriangleBvh::AnyHit(const Point3& origin, const Point3& dir, float length, Hit&& hit) const {
  for (const Triangle& t : always_)
    if (hit(t)) return true;
  if (nodes_.empty()) return false;
  float inv[3];
  for (int a = 0; a < 3; ++a) inv[a] = 1.0f / dir[a];  // +-inf on an axis the ray does not move along
  float t_low = -slack_, t_high = length * 1.00001f + slack_;
  std::uint32_t stack[64];
  int depth = 0;
  stack[depth++] = 0;
  while (depth > 0) {
    const Node& node = nodes_[stack[--depth]];
    if (!Overlaps(node, origin, inv, t_low, t_high)) continue;
    if (node.count > 0) {
      for (std::uint32_t i = node.first; i < node.first + node.count; ++i)
        if (hit(triangles_[i])) return true;
      continue;
    }
    // The near child is searched first, as it is the likelier to block.
    std::uint32_t near_child = static_cast<std::uint32_t>(&node - nodes_.data()) + 1, far_child = node.first;
    if (dir[node.axis] < 0.0f) std::swap(near_child, far_child);
    stack[depth++] = far_child;
    stack[depth++] = near_child;
  }
  return false;
}
