// GetClosestVertex's and GetHitDistances' searches on a mesh of a million
// triangles: one pass over all vertices or all faces per query. A pass that
// only sums the vertices sits beside them as the floor such a scan can reach.
//   cmake --build build --target run_zentu_bench
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "node_mesh.h"

namespace {

// A grid of side x side quads, two triangles each, gently rolling in z.
Mesh make_grid(int side) {
  Mesh mesh;
  int row = side + 1;
  mesh.setNumVerts(row * row);
  for (int y = 0; y < row; ++y)
    for (int x = 0; x < row; ++x)
      mesh.setVert(y * row + x, Point3(static_cast<float>(x), static_cast<float>(y),
                                       0.01f * static_cast<float>((x * 7 + y * 13) % 17)));
  mesh.setNumFaces(2 * side * side);
  int f = 0;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      int v = y * row + x;
      mesh.faces[f++].setVerts(v, v + 1, v + row + 1);
      mesh.faces[f++].setVerts(v, v + row + 1, v + row);
    }
  return mesh;
}

const Mesh& million_triangles() {
  static const Mesh mesh = make_grid(708);  // 1,002,528 faces
  return mesh;
}

std::vector<Point3> query_points(int count) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> along(0.0f, 708.0f);
  std::vector<Point3> points;
  for (int i = 0; i < count; ++i) points.emplace_back(along(random), along(random), 1.0f);
  return points;
}

void BM_SumVertices(benchmark::State& state) {
  const Mesh& mesh = million_triangles();
  for (auto _ : state) {
    Point3 sum;
    for (int i = 0; i < mesh.getNumVerts(); ++i) sum = sum + mesh.verts[i];
    benchmark::DoNotOptimize(sum);
  }
}

void BM_ClosestVertex(benchmark::State& state) {
  const Mesh& mesh = million_triangles();
  std::vector<Point3> points = query_points(64);
  size_t next = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ClosestVertex(mesh, points[next++ % points.size()]));
}

void BM_SegmentHits(benchmark::State& state) {
  const Mesh& mesh = million_triangles();
  std::vector<Point3> points = query_points(64);
  size_t next = 0;
  std::vector<float> hits;
  for (auto _ : state) {
    Point3 p = points[next++ % points.size()];
    hits.clear();
    benchmark::DoNotOptimize(IntersectSegmentWithMesh(mesh, p + Point3(0, 0, 5), p - Point3(0, 0, 5), hits));
  }
}

BENCHMARK(BM_SumVertices)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClosestVertex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SegmentHits)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
