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
#include "shadow_rays.h"

class TriangleBvh {
 public:
  struct Triangle {
    Point3 q[3];
    int face;
  };
  // What a search hands its caller: the triangle ready for the exact test.
  struct Leaf {
    PreparedTriangle tri;
    int face;
  };

  // The triangles as the exact test takes them. reach bounds the size of
  // every coordinate the searches will meet (ray origins included): the
  // rounding the boxes must cover grows with it.
  TriangleBvh(std::vector<Triangle> triangles, float reach);

  // Calls hit(leaf) for each triangle whose box the segment from origin
  // along the unit dir, up to length, may meet, until hit answers true;
  // answers whether one did.
  template <typename Hit>
  bool AnyHit(const Point3& origin, const Point3& dir, float length, Hit&& hit) const;

  int TriangleCount() const { return static_cast<int>(leaves_.size() + always_.size()); }

 private:
  // A child of a node: its box, and either the node it is (count 0) or the
  // leaves it holds.
  struct Child {
    float lo[3], hi[3];
    std::uint32_t index;
    std::uint32_t count;
  };
  // Both children's boxes in the parent (one cache line), so a search reads
  // only the nodes whose boxes it meets.
  struct Node {
    Child child[2];
    std::uint32_t axis;  // the axis the children were split along
  };
  struct Bounded {
    float lo[3], hi[3];
    float centre[3];
    std::uint32_t index;
  };
  // A ray prepared for the slab tests: for each axis which of a box's
  // sides it meets first, and the inverse of its direction (kept finite).
  struct SlabRay {
    float origin[3], inv[3];
    int near_is_high[3];
  };

  Child Build(std::vector<Bounded>& items, std::uint32_t begin, std::uint32_t end, int depth);
  static bool Overlaps(const Child& box, const SlabRay& ray, float t_low, float t_high);

  Child root_{};
  std::vector<Node> nodes_;
  std::vector<Leaf> leaves_;  // in leaf order
  // Triangles no box can hold (a coordinate beyond any bound, a shape too
  // thin to bound its rounding): every search tests them.
  std::vector<Leaf> always_;
  float slack_ = 0.0f;  // added to every search's reach at both ends
};

// The slab test. On an axis the ray does not move along, the inverse is a
// huge finite number instead of infinity: a box side the origin lies on then
// gives 0, not 0 x inf = NaN, and one beyond it a parameter out of reach.
inline bool TriangleBvh::Overlaps(const Child& box, const SlabRay& ray, float t_low, float t_high) {
  for (int a = 0; a < 3; ++a) {
    float near_side = ray.near_is_high[a] ? box.hi[a] : box.lo[a];
    float far_side = ray.near_is_high[a] ? box.lo[a] : box.hi[a];
    float t0 = (near_side - ray.origin[a]) * ray.inv[a];
    float t1 = (far_side - ray.origin[a]) * ray.inv[a];
    if (t0 > t_low) t_low = t0;
    if (t1 < t_high) t_high = t1;
  }
  return t_low <= t_high;
}

template <typename Hit>
bool TriangleBvh::AnyHit(const Point3& origin, const Point3& dir, float length, Hit&& hit) const {
  for (const Leaf& t : always_)
    if (hit(t)) return true;
  if (root_.count == 0 && nodes_.empty()) return false;
  SlabRay ray;
  for (int a = 0; a < 3; ++a) {
    ray.origin[a] = origin[a];
    float inv = 1.0f / dir[a];
    if (!std::isfinite(inv)) inv = std::copysign(1e38f, dir[a]);
    ray.inv[a] = inv;
    ray.near_is_high[a] = inv < 0.0f ? 1 : 0;
  }
  float t_low = -slack_, t_high = length * 1.00001f + slack_;
  if (!Overlaps(root_, ray, t_low, t_high)) return false;
  auto leaves_hit = [&](const Child& c) {
    for (std::uint32_t i = c.index; i < c.index + c.count; ++i)
      if (hit(leaves_[i])) return true;
    return false;
  };
  if (root_.count > 0) return leaves_hit(root_);
  std::uint32_t stack[64];
  int depth = 0;
  stack[depth++] = root_.index;
  while (depth > 0) {
    const Node& node = nodes_[stack[--depth]];
    // The near child first, as it is the likelier to block.
    int near_child = ray.near_is_high[node.axis];
    const Child& first = node.child[near_child];
    const Child& second = node.child[1 - near_child];
    bool meets_first = Overlaps(first, ray, t_low, t_high);
    bool meets_second = Overlaps(second, ray, t_low, t_high);
    // Leaves are tested at once, nearer first; inner nodes wait on the
    // stack, the nearer on top.
    if (meets_first && first.count > 0 && leaves_hit(first)) return true;
    if (meets_second && second.count > 0 && leaves_hit(second)) return true;
    if (meets_second && second.count == 0) stack[depth++] = second.index;
    if (meets_first && first.count == 0) stack[depth++] = first.index;
  }
  return false;
}
