#include "triangle_bvh.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kLeafSize = 4;
constexpr int kBins = 12;
// Deeper than this a node becomes a leaf whatever it holds, so a search's
// stack of 64 always suffices.
constexpr int kMaxDepth = 56;

// How far a float triangle test may stray, in units of the coordinates'
// size: its point on the plane and its barycentric coordinates each carry a
// few roundings of numbers that size, and a thin triangle magnifies the
// latter by its longest edge squared over its doubled area. 64 float
// epsilons is many times the roundings counted.
constexpr double kRoundingUnits = 64.0 * std::numeric_limits<float>::epsilon();

bool finite_point(const Point3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

double length_of(const Point3& a, const Point3& b) {
  double dx = double{a.x} - b.x, dy = double{a.y} - b.y, dz = double{a.z} - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double area_of(const Point3 q[3]) {
  // In double: only the margin depends on it, and it must not underflow.
  double e1[3] = {double{q[1].x} - q[0].x, double{q[1].y} - q[0].y, double{q[1].z} - q[0].z};
  double e2[3] = {double{q[2].x} - q[0].x, double{q[2].y} - q[0].y, double{q[2].z} - q[0].z};
  double c[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
  return std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
}

struct Box {
  float lo[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                 std::numeric_limits<float>::max()};
  float hi[3] = {-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                 -std::numeric_limits<float>::max()};
  void add(const float l[3], const float h[3]) {
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], l[a]);
      hi[a] = std::max(hi[a], h[a]);
    }
  }
  float half_area() const {
    float d[3];
    for (int a = 0; a < 3; ++a) d[a] = std::max(0.0f, hi[a] - lo[a]);
    return d[0] * d[1] + d[1] * d[2] + d[2] * d[0];
  }
};

}  // namespace

TriangleBvh::TriangleBvh(std::vector<Triangle> triangles, float reach) {
  double size = std::max(1.0, double{std::fabs(reach)});
  slack_ = static_cast<float>(kRoundingUnits * size * 4.0);
  std::vector<Bounded> items;
  items.reserve(triangles.size());
  for (std::uint32_t i = 0; i < triangles.size(); ++i) {
    const Triangle& t = triangles[i];
    Point3 cross = CrossProd(t.q[1] - t.q[0], t.q[2] - t.q[0]);
    // No plane: the test's normal is the zero vector and nothing is hit.
    if (cross == Point3(0, 0, 0)) continue;
    bool finite = finite_point(t.q[0]) && finite_point(t.q[1]) && finite_point(t.q[2]);
    double area = area_of(t.q);
    double longest = std::max({length_of(t.q[0], t.q[1]), length_of(t.q[1], t.q[2]), length_of(t.q[2], t.q[0])});
    double thinness = area > 0.0 ? longest * longest / area : std::numeric_limits<double>::infinity();
    double margin = kRoundingUnits * (size + longest) * (thinness + 1.0);
    if (!finite || !std::isfinite(margin) || margin > 1e30) {
      always_.push_back({PrepareTriangle(t.q[0], t.q[1], t.q[2]), t.face});
      continue;
    }
    Bounded b;
    for (int a = 0; a < 3; ++a) {
      double lo = std::min({t.q[0][a], t.q[1][a], t.q[2][a]}) - margin;
      double hi = std::max({t.q[0][a], t.q[1][a], t.q[2][a]}) + margin;
      // Rounded outward into floats.
      b.lo[a] = std::nextafter(static_cast<float>(lo), -std::numeric_limits<float>::infinity());
      b.hi[a] = std::nextafter(static_cast<float>(hi), std::numeric_limits<float>::infinity());
      b.centre[a] = 0.5f * (b.lo[a] + b.hi[a]);
    }
    b.index = i;
    items.push_back(b);
  }
  if (items.empty()) return;
  std::vector<BinaryNode> binary;
  binary.reserve(items.size() * 2 / kLeafSize + 1);
  root_ = BuildBinary(items, 0, static_cast<std::uint32_t>(items.size()), 0, binary);
  if (root_.count == 0) root_.index = Collapse(binary, root_);
  leaves_.reserve(items.size());
  for (const Bounded& b : items) {
    const Triangle& t = triangles[b.index];
    leaves_.push_back({PrepareTriangle(t.q[0], t.q[1], t.q[2]), t.face});
  }
}

// Splits by the surface area heuristic over binned centres; a node whose
// centres coincide, or too small or too deep to split, is a leaf.
TriangleBvh::Child TriangleBvh::BuildBinary(std::vector<Bounded>& items, std::uint32_t begin, std::uint32_t end,
                                            int depth, std::vector<BinaryNode>& binary) {
  Box bounds, centres;
  for (std::uint32_t i = begin; i < end; ++i) {
    bounds.add(items[i].lo, items[i].hi);
    centres.add(items[i].centre, items[i].centre);
  }
  Child made{};
  std::copy(bounds.lo, bounds.lo + 3, made.lo);
  std::copy(bounds.hi, bounds.hi + 3, made.hi);
  made.index = begin;
  made.count = end - begin;
  std::uint32_t n = end - begin;
  if (n <= kLeafSize || depth >= kMaxDepth) return made;

  int axis = 0;
  for (int a = 1; a < 3; ++a)
    if (centres.hi[a] - centres.lo[a] > centres.hi[axis] - centres.lo[axis]) axis = a;
  float extent = centres.hi[axis] - centres.lo[axis];
  if (extent == 0.0f) return made;  // every centre in one place: nothing tells them apart
  std::uint32_t middle = begin + n / 2;
  Box bin_boxes[kBins];
  std::uint32_t bin_counts[kBins] = {};
  auto bin_of = [&](const Bounded& b) {
    int bin = static_cast<int>((b.centre[axis] - centres.lo[axis]) / extent * kBins);
    return std::clamp(bin, 0, kBins - 1);
  };
  for (std::uint32_t i = begin; i < end; ++i) {
    int bin = bin_of(items[i]);
    bin_boxes[bin].add(items[i].lo, items[i].hi);
    ++bin_counts[bin];
  }
  // The cost of each split between bins, from both ends.
  float left_cost[kBins - 1];
  Box running;
  std::uint32_t running_count = 0;
  for (int b = 0; b < kBins - 1; ++b) {
    running.add(bin_boxes[b].lo, bin_boxes[b].hi);
    running_count += bin_counts[b];
    left_cost[b] = running.half_area() * static_cast<float>(running_count);
  }
  running = Box();
  running_count = 0;
  int best = -1;
  float best_cost = std::numeric_limits<float>::max();
  for (int b = kBins - 1; b > 0; --b) {
    running.add(bin_boxes[b].lo, bin_boxes[b].hi);
    running_count += bin_counts[b];
    float cost = left_cost[b - 1] + running.half_area() * static_cast<float>(running_count);
    if (running_count < n && running_count > 0 && cost < best_cost) {
      best_cost = cost;
      best = b;
    }
  }
  if (best > 0) {
    auto split = std::partition(items.begin() + begin, items.begin() + end,
                                [&](const Bounded& b) { return bin_of(b) < best; });
    middle = static_cast<std::uint32_t>(split - items.begin());
  }
  if (middle == begin || middle == end) {
    // No useful split by bins: halve by order along the axis.
    middle = begin + n / 2;
    std::nth_element(items.begin() + begin, items.begin() + middle, items.begin() + end,
                     [&](const Bounded& a, const Bounded& b) { return a.centre[axis] < b.centre[axis]; });
  }
  std::uint32_t index = static_cast<std::uint32_t>(binary.size());
  binary.push_back(BinaryNode{});
  Child first = BuildBinary(items, begin, middle, depth + 1, binary);
  Child second = BuildBinary(items, middle, end, depth + 1, binary);
  binary[index].child[0] = first;
  binary[index].child[1] = second;
  made.index = index;
  made.count = 0;
  return made;
}

// A four-way node from a binary one: its two children, then, while there is
// room, the inner child of largest area replaced by its own two.
std::uint32_t TriangleBvh::Collapse(const std::vector<BinaryNode>& binary, const Child& inner) {
  std::vector<Child> children = {binary[inner.index].child[0], binary[inner.index].child[1]};
  auto area = [](const Child& c) {
    float d[3];
    for (int a = 0; a < 3; ++a) d[a] = c.hi[a] - c.lo[a];
    return d[0] * d[1] + d[1] * d[2] + d[2] * d[0];
  };
  while (children.size() < 4) {
    int widest = -1;
    for (int i = 0; i < static_cast<int>(children.size()); ++i)
      if (children[i].count == 0 && (widest < 0 || area(children[i]) > area(children[widest]))) widest = i;
    if (widest < 0) break;
    const BinaryNode& opened = binary[children[widest].index];
    children[widest] = opened.child[0];
    children.push_back(opened.child[1]);
  }
  std::uint32_t index = static_cast<std::uint32_t>(nodes_.size());
  nodes_.push_back(Node{});
  for (int c = 0; c < 4; ++c) {
    bool used = c < static_cast<int>(children.size());
    Child child = used ? children[c] : Child{};
    if (used && child.count == 0) child.index = Collapse(binary, child);
    Node& node = nodes_[index];  // Collapse may have moved the nodes
    for (int a = 0; a < 3; ++a) {
      node.lo[a][c] = used ? child.lo[a] : std::numeric_limits<float>::max();
      node.hi[a][c] = used ? child.hi[a] : -std::numeric_limits<float>::max();
    }
    node.index[c] = used ? child.index : 0;
    node.count[c] = used ? child.count : kEmptySlot;
  }
  return index;
}
