// A bounding volume hierarchy over a mesh's triangles, to find the few a
// ray segment may cross without testing them all. Every triangle's box is
// grown by more than the rounding of any float ray-triangle test of the
// kind the bake uses (plane, then barycentric coordinates by Cramer's rule)
// could stray, so a search never passes over a triangle such a test would
// accept; the caller's own exact test decides.
//
// Each node holds up to four children's boxes side by side, so one search
// step tests four boxes at once.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

  // A ray made ready for searches, once for all the hierarchies it meets:
  // the inverse of its direction (kept finite: on an axis the ray does not
  // move along it is huge, so a box side the origin lies on gives 0, not
  // 0 x inf = NaN) and, per axis, which of a box's sides it meets first.
  struct SearchRay {
    Point3 origin;
    float inv[3];
    int high_first[3];
    bool finite;  // origin and direction; a ray that is not can meet no box we know of
  };
  static SearchRay PrepareRay(const Point3& origin, const Point3& dir);

  // Calls hit(leaf) for each triangle whose box the segment from the ray's
  // origin along its unit direction, up to length, may meet, until hit
  // answers true; answers whether one did.
  template <typename Hit>
  bool AnyHit(const SearchRay& ray, float length, Hit&& hit) const;
  template <typename Hit>
  bool AnyHit(const Point3& origin, const Point3& dir, float length, Hit&& hit) const {
    return AnyHit(PrepareRay(origin, dir), length, hit);
  }

  int TriangleCount() const { return static_cast<int>(leaves_.size() + always_.size()); }

  // A box and what it holds: a node (count 0) or leaves; boxes of slots
  // left empty hold nothing and no ray meets them.
  struct Child {
    float lo[3], hi[3];
    std::uint32_t index;
    std::uint32_t count;
  };

 private:
  static constexpr std::uint32_t kEmptySlot = 0xFFFFFFFF;
  struct alignas(16) Node {
    float lo[3][4], hi[3][4];  // per axis, the four children's sides
    std::uint32_t index[4];
    std::uint32_t count[4];  // leaves held; 0 for a node; kEmptySlot for no child
  };
  struct Bounded {
    float lo[3], hi[3];
    float centre[3];
    std::uint32_t index;
  };
  // The hierarchy of two children per node the four-way nodes are made from.
  struct BinaryNode {
    Child child[2];
  };

  Child BuildBinary(std::vector<Bounded>& items, std::uint32_t begin, std::uint32_t end, int depth,
                    std::vector<BinaryNode>& binary);
  std::uint32_t Collapse(const std::vector<BinaryNode>& binary, const Child& inner);
  template <typename Hit>
  bool HitAll(Hit&& hit) const;

  Child root_{};
  std::vector<Node> nodes_;
  std::vector<Leaf> leaves_;  // in leaf order
  // Triangles no box can hold (a coordinate beyond any bound, a shape too
  // thin to bound its rounding): every search tests them.
  std::vector<Leaf> always_;
  float slack_ = 0.0f;  // added to every search's reach at both ends
};

template <typename Hit>
bool TriangleBvh::HitAll(Hit&& hit) const {
  for (const Leaf& t : always_)
    if (hit(t)) return true;
  for (const Leaf& t : leaves_)
    if (hit(t)) return true;
  return false;
}

inline TriangleBvh::SearchRay TriangleBvh::PrepareRay(const Point3& origin, const Point3& dir) {
  SearchRay ray;
  ray.origin = origin;
  ray.finite = true;
  for (int a = 0; a < 3; ++a) {
    ray.finite = ray.finite && std::isfinite(origin[a]) && std::isfinite(dir[a]);
    float inv = 1.0f / dir[a];
    if (!std::isfinite(inv)) inv = std::copysign(1e38f, dir[a]);
    ray.inv[a] = inv;
    ray.high_first[a] = inv < 0.0f ? 1 : 0;
  }
  return ray;
}

// The slab tests: no NaN ever enters their comparisons (see SearchRay).
template <typename Hit>
bool TriangleBvh::AnyHit(const SearchRay& ray, float length, Hit&& hit) const {
  if (!ray.finite) return HitAll(hit);
  for (const Leaf& t : always_)
    if (hit(t)) return true;
  if (root_.count == 0 && nodes_.empty()) return false;
  const Point3& origin = ray.origin;
  const float* inv = ray.inv;
  const int* high_first = ray.high_first;
  const float t_low = -slack_, t_high = length * 1.00001f + slack_;
  auto leaves_hit = [&](std::uint32_t first, std::uint32_t count) {
    for (std::uint32_t i = first; i < first + count; ++i)
      if (hit(leaves_[i])) return true;
    return false;
  };
  {
    float lo = t_low, hi = t_high;
    for (int a = 0; a < 3; ++a) {
      float t0 = ((high_first[a] ? root_.hi[a] : root_.lo[a]) - origin[a]) * inv[a];
      float t1 = ((high_first[a] ? root_.lo[a] : root_.hi[a]) - origin[a]) * inv[a];
      if (t0 > lo) lo = t0;
      if (t1 < hi) hi = t1;
    }
    if (!(lo <= hi)) return false;
  }
  if (root_.count > 0) return leaves_hit(root_.index, root_.count);

  std::uint32_t stack[192];
  int depth = 0;
  stack[depth++] = root_.index;
#if defined(__SSE2__)
  const __m128 o[3] = {_mm_set1_ps(origin.x), _mm_set1_ps(origin.y), _mm_set1_ps(origin.z)};
  const __m128 v[3] = {_mm_set1_ps(inv[0]), _mm_set1_ps(inv[1]), _mm_set1_ps(inv[2])};
  const __m128 low = _mm_set1_ps(t_low), high = _mm_set1_ps(t_high);
  // Where in a node each axis's near and far sides are, for this ray.
  std::size_t near_at[3], far_at[3];
  for (int a = 0; a < 3; ++a) {
    std::size_t lo_at = offsetof(Node, lo) + a * sizeof(float[4]), hi_at = offsetof(Node, hi) + a * sizeof(float[4]);
    near_at[a] = high_first[a] ? hi_at : lo_at;
    far_at[a] = high_first[a] ? lo_at : hi_at;
  }
#endif
  while (depth > 0) {
    const Node& node = nodes_[stack[--depth]];
    float entry[4];
    int met = 0;
#if defined(__SSE2__)
    const char* base = reinterpret_cast<const char*>(&node);
    auto side = [base](std::size_t at) { return _mm_load_ps(reinterpret_cast<const float*>(base + at)); };
    __m128 t_min = _mm_max_ps(
        _mm_max_ps(low, _mm_mul_ps(_mm_sub_ps(side(near_at[0]), o[0]), v[0])),
        _mm_max_ps(_mm_mul_ps(_mm_sub_ps(side(near_at[1]), o[1]), v[1]),
                   _mm_mul_ps(_mm_sub_ps(side(near_at[2]), o[2]), v[2])));
    __m128 t_max = _mm_min_ps(
        _mm_min_ps(high, _mm_mul_ps(_mm_sub_ps(side(far_at[0]), o[0]), v[0])),
        _mm_min_ps(_mm_mul_ps(_mm_sub_ps(side(far_at[1]), o[1]), v[1]),
                   _mm_mul_ps(_mm_sub_ps(side(far_at[2]), o[2]), v[2])));
    met = _mm_movemask_ps(_mm_cmple_ps(t_min, t_max));
    _mm_storeu_ps(entry, t_min);
#else
    for (int c = 0; c < 4; ++c) {
      float lo = t_low, hi = t_high;
      for (int a = 0; a < 3; ++a) {
        float t0 = ((high_first[a] ? node.hi[a][c] : node.lo[a][c]) - origin[a]) * inv[a];
        float t1 = ((high_first[a] ? node.lo[a][c] : node.hi[a][c]) - origin[a]) * inv[a];
        if (t0 > lo) lo = t0;
        if (t1 < hi) hi = t1;
      }
      entry[c] = lo;
      if (lo <= hi) met |= 1 << c;
    }
#endif
    if (met == 0) continue;
    // The children met, nearest entry first.
    int order[4], n = 0;
    for (int c = 0; c < 4; ++c) {
      if (!(met & (1 << c)) || node.count[c] == kEmptySlot) continue;
      int i = n++;
      while (i > 0 && entry[order[i - 1]] > entry[c]) {
        order[i] = order[i - 1];
        --i;
      }
      order[i] = c;
    }
    // Leaves are tested at once, nearer first; nodes wait on the stack, the
    // nearest on top.
    for (int i = 0; i < n; ++i)
      if (node.count[order[i]] > 0 && leaves_hit(node.index[order[i]], node.count[order[i]])) return true;
    for (int i = n - 1; i >= 0; --i)
      if (node.count[order[i]] == 0) stack[depth++] = node.index[order[i]];
  }
  return false;
}
