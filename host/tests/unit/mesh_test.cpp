// Meshes: face flags, arrays and map channels, copies, normals under
// smoothing groups, barycentric coordinates, elements, removing faces and
// vertices, and meshes with nothing sensible in them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "host/mesh.h"
#include "host/meshadj.h"

namespace {

void expect_point(const Point3& got, const Point3& want, float tolerance = 1e-5f) {
  EXPECT_NEAR(got.x, want.x, tolerance);
  EXPECT_NEAR(got.y, want.y, tolerance);
  EXPECT_NEAR(got.z, want.z, tolerance);
}

// A mesh of the given points and faces (vertex index triples).
Mesh make_mesh(std::initializer_list<Point3> points, std::initializer_list<std::array<int, 3>> tris) {
  Mesh mesh;
  mesh.setNumVerts(static_cast<int>(points.size()));
  int i = 0;
  for (const Point3& p : points) mesh.setVert(i++, p);
  mesh.setNumFaces(static_cast<int>(tris.size()));
  i = 0;
  for (const auto& t : tris) mesh.faces[i++].setVerts(t[0], t[1], t[2]);
  return mesh;
}

TEST(MeshFace, FlagsKeepEdgesAndMaterialApart) {
  Face face;
  face.setEdgeVisFlags(1, 0, 1);
  EXPECT_EQ(face.flags, EDGE_A | EDGE_C);
  EXPECT_NE(face.getEdgeVis(0), 0u);
  EXPECT_EQ(face.getEdgeVis(1), 0u);
  EXPECT_NE(face.getEdgeVis(2), 0u);
  EXPECT_EQ(face.getEdgeVis(3), 0u);

  face.setMatID(0xABCD);
  EXPECT_EQ(face.getMatID(), 0xABCD);
  EXPECT_EQ(face.flags, (0xABCDu << 16) | EDGE_A | EDGE_C);
  face.setMatID(3);
  EXPECT_EQ(face.flags >> 16, 3u);
  face.setEdgeVisFlags(1, 1, 1);
  EXPECT_EQ(face.flags & EDGE_ALL, EDGE_ALL);
  EXPECT_EQ(face.getMatID(), 3);

  face.setSmGroup(0x80000001u);
  EXPECT_EQ(face.getSmGroup(), 0x80000001u);
  face.setVerts(4, 5, 6);
  EXPECT_EQ(face.v[0], 4u);
  EXPECT_EQ(face.v[2], 6u);
}

TEST(MeshArrays, CountsAndViewsFollowResizes) {
  Mesh mesh;
  EXPECT_EQ(mesh.numVerts, 0);
  EXPECT_EQ(mesh.verts, nullptr);
  EXPECT_EQ(mesh.getNumMaps(), 2);
  EXPECT_FALSE(mesh.mapSupport(0));
  EXPECT_FALSE(mesh.mapSupport(1));

  mesh.setNumVerts(3);
  mesh.setVert(2, 1, 2, 3);
  mesh.setNumVerts(5, TRUE);
  EXPECT_EQ(mesh.numVerts, 5);
  expect_point(mesh.verts[2], {1, 2, 3});
  expect_point(mesh.verts[4], {0, 0, 0});
  mesh.setNumVerts(5);
  expect_point(mesh.getVert(2), {0, 0, 0});

  // New faces use vertex 0, smoothing group 1, material ID 0.
  mesh.setNumFaces(2);
  EXPECT_EQ(mesh.numFaces, 2);
  EXPECT_EQ(mesh.faces[1].v[0], 0u);
  EXPECT_EQ(mesh.faces[1].smGroup, 1u);
  EXPECT_EQ(mesh.faces[1].getMatID(), 0);

  // Channel 1 is the texture coordinates, whichever way it is resized.
  mesh.setNumTVerts(4);
  EXPECT_TRUE(mesh.mapSupport(1));
  EXPECT_EQ(mesh.numTVerts, 4);
  EXPECT_EQ(mesh.tVerts, mesh.Map(1).tv);
  EXPECT_EQ(mesh.Map(1).fnum, 2);
  mesh.Map(1).setNumVerts(7, TRUE);
  EXPECT_EQ(mesh.numTVerts, 7);
  EXPECT_EQ(mesh.tVerts, mesh.mapVerts(1));
  mesh.tVerts[6] = UVVert(0.5f, 0.25f, 0);
  expect_point(mesh.getTVert(6), {0.5f, 0.25f, 0});
  mesh.Map(1).setNumFaces(3);
  EXPECT_EQ(mesh.tvFace, mesh.mapFaces(1));

  // Channel 0 is the vertex colours.
  mesh.setNumVertCol(2);
  EXPECT_TRUE(mesh.mapSupport(0));
  EXPECT_EQ(mesh.numCVerts, 2);
  EXPECT_EQ(mesh.vertCol, mesh.Map(0).tv);
  EXPECT_EQ(mesh.vcFace, mesh.Map(0).tf);
  EXPECT_EQ(mesh.getNumMapFaces(0), 2);

  // Without keep, each channel in use keeps one vertex for its new faces.
  mesh.setNumFaces(4);
  EXPECT_EQ(mesh.getNumMapFaces(1), 4);
  EXPECT_EQ(mesh.numTVerts, 1);
  EXPECT_EQ(mesh.numCVerts, 1);
}

TEST(MeshArrays, MapChannelsTurnOnAndOff) {
  Mesh mesh;
  mesh.setNumFaces(3);
  mesh.setMapSupport(5);
  EXPECT_EQ(mesh.getNumMaps(), 6);
  EXPECT_TRUE(mesh.mapSupport(5));
  EXPECT_EQ(mesh.getNumMapFaces(5), 3);
  EXPECT_EQ(mesh.getNumMapVerts(5), 0);
  mesh.setNumMapVerts(5, 2);
  mesh.Map(5).tv[1] = UVVert(1, 1, 1);

  mesh.setNumMaps(8, TRUE);
  EXPECT_EQ(mesh.getNumMapVerts(5), 2);
  expect_point(mesh.mapVerts(5)[1], {1, 1, 1});
  mesh.setMapSupport(5, FALSE);
  EXPECT_FALSE(mesh.mapSupport(5));
  EXPECT_EQ(mesh.getNumMapFaces(5), 0);
  EXPECT_EQ(mesh.mapVerts(5), nullptr);

  mesh.setNumMaps(0);
  EXPECT_EQ(mesh.getNumMaps(), 2);
  mesh.setNumMaps(1000);
  EXPECT_EQ(mesh.getNumMaps(), MAX_MESHMAPS);

  // Indices outside the mesh read as nothing.
  EXPECT_EQ(mesh.mapVerts(-1), nullptr);
  EXPECT_EQ(mesh.mapFaces(MAX_MESHMAPS), nullptr);
  EXPECT_FALSE(mesh.mapSupport(-3));
  EXPECT_EQ(mesh.Map(500).vnum, 0);
  EXPECT_FALSE(mesh.Map(500).IsUsed());
  mesh.setMapSupport(MAX_MESHMAPS + 1);
  EXPECT_EQ(mesh.getNumMaps(), MAX_MESHMAPS);
  expect_point(mesh.getVert(-1), {0, 0, 0});
  EXPECT_EQ(mesh.getVertPtr(0), nullptr);
  expect_point(mesh.getTVert(99), {0, 0, 0});
  mesh.setVert(99, 1, 1, 1);
  EXPECT_EQ(mesh.getNumVerts(), 0);
}

TEST(MeshCopy, CopiesOwnTheirData) {
  Mesh original = make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
  original.setNumTVerts(1);
  original.tVerts[0] = UVVert(0.5f, 0.5f, 0);
  original.faces[0].setSmGroup(4);

  Mesh copy(original);
  Mesh assigned;
  assigned = original;
  for (Mesh* m : {&copy, &assigned}) {
    EXPECT_NE(m->verts, original.verts);
    EXPECT_NE(m->tVerts, original.tVerts);
    EXPECT_NE(m->tvFace, original.tvFace);
  }

  original.verts[1] = Point3(9, 9, 9);
  original.faces[0].setSmGroup(8);
  original.tVerts[0] = UVVert(1, 1, 1);
  original.Map(1).setNumVerts(5);
  for (Mesh* m : {&copy, &assigned}) {
    expect_point(m->verts[1], {1, 0, 0});
    EXPECT_EQ(m->faces[0].smGroup, 4u);
    EXPECT_EQ(m->numTVerts, 1);
    expect_point(m->tVerts[0], {0.5f, 0.5f, 0});
  }

  // A copy's channels report their resizes to the copy.
  copy.Map(1).setNumVerts(3, TRUE);
  EXPECT_EQ(copy.numTVerts, 3);
  EXPECT_EQ(copy.tVerts, copy.Map(1).tv);
  EXPECT_EQ(original.numTVerts, 5);

  original.FreeAll();
  EXPECT_EQ(original.numVerts, 0);
  EXPECT_EQ(original.numTVerts, 0);
  EXPECT_FALSE(original.mapSupport(1));
  EXPECT_EQ(copy.numVerts, 3);

  assigned = assigned;  // NOLINT: assigning a mesh to itself keeps it
  EXPECT_EQ(assigned.numVerts, 3);
  EXPECT_EQ(assigned.tVerts, assigned.Map(1).tv);
}

TEST(MeshBaryCoords, WeighTheCornersInsideAndOutside) {
  Mesh mesh = make_mesh({{0, 0, 0}, {2, 0, 0}, {0, 2, 0}}, {{0, 1, 2}});
  expect_point(mesh.BaryCoords(0, {0, 0, 0}), {1, 0, 0});
  expect_point(mesh.BaryCoords(0, {2, 0, 0}), {0, 1, 0});
  expect_point(mesh.BaryCoords(0, {0, 2, 0}), {0, 0, 1});
  expect_point(mesh.BaryCoords(0, {1, 0, 0}), {0.5f, 0.5f, 0});
  expect_point(mesh.BaryCoords(0, {1, 1, 0}), {0, 0.5f, 0.5f});
  expect_point(mesh.BaryCoords(0, {0, 1, 0}), {0.5f, 0, 0.5f});
  expect_point(mesh.BaryCoords(0, {2.0f / 3, 2.0f / 3, 0}), {1.0f / 3, 1.0f / 3, 1.0f / 3});
  // Off the plane: where the point falls on it.
  expect_point(mesh.BaryCoords(0, {2.0f / 3, 2.0f / 3, 5}), {1.0f / 3, 1.0f / 3, 1.0f / 3});
  expect_point(mesh.BaryCoords(0, {-1, 0, 0}), {1.5f, -0.5f, 0});
  expect_point(mesh.BaryCoords(0, {2, 2, 0}), {-1, 1, 1});
}

TEST(MeshBaryCoords, CollapsedAndMissingFacesGiveDefinedWeights) {
  Mesh mesh = make_mesh({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 3, 3}}, {{0, 1, 2}, {3, 3, 3}, {0, 1, 7}});
  // Along the segment: p = 0.75 * v0 + 0.25 * v2.
  expect_point(mesh.BaryCoords(0, {0.5f, 0, 0}), {0.75f, 0, 0.25f});
  expect_point(mesh.BaryCoords(1, {10, 0, 0}), {1.0f / 3, 1.0f / 3, 1.0f / 3});
  expect_point(mesh.BaryCoords(2, {0, 0, 0}), {0, 0, 0});
  expect_point(mesh.BaryCoords(9, {0, 0, 0}), {0, 0, 0});
}

TEST(MeshNormals, FaceNormalsFollowWindingAndVanishWithoutArea) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  Mesh mesh = make_mesh({{0, 0, 0}, {3, 0, 0}, {0, 3, 0}, {1, 1, 1}, {6, 0, 0}, {nan, 0, 0}},
                        {{0, 1, 2}, {0, 2, 1}, {3, 3, 3}, {0, 1, 4}, {0, 1, 5}, {0, 1, 40}});
  expect_point(mesh.getFaceNormal(0), {0, 0, 1});
  expect_point(mesh.getFaceNormal(1), {0, 0, -1});
  for (int f = 2; f < 6; ++f) expect_point(mesh.getFaceNormal(f), {0, 0, 0});
  expect_point(mesh.getFaceNormal(-1), {0, 0, 0});
  expect_point(mesh.getFaceNormal(6), {0, 0, 0});

  // Moving a vertex is seen once the geometry cache is invalidated.
  mesh.verts[2] = Point3(0, 0, 3);
  mesh.InvalidateGeomCache();
  expect_point(mesh.getFaceNormal(0), {0, -1, 0});
}

// Faces A (z = 0) and B (y = 0) fold along the edge from vertex 0 to 1.
Mesh hinge(DWORD group_a, DWORD group_b) {
  Mesh mesh = make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{0, 1, 2}, {1, 0, 3}});
  mesh.faces[0].setSmGroup(group_a);
  mesh.faces[1].setSmGroup(group_b);
  return mesh;
}

TEST(MeshNormals, RenderNormalsAverageOnlyWithinSmoothingGroups) {
  const float h = std::sqrt(0.5f);
  Mesh shared = hinge(1, 1);
  expect_point(shared.getFaceNormal(0), {0, 0, 1});
  expect_point(shared.getFaceNormal(1), {0, 1, 0});
  expect_point(shared.getFaceRNormal(0, 0), {0, h, h});
  expect_point(shared.getFaceRNormal(0, 1), {0, h, h});
  expect_point(shared.getFaceRNormal(1, 0), {0, h, h});
  expect_point(shared.getFaceRNormal(0, 2), {0, 0, 1});  // vertex 2 is A's alone
  expect_point(shared.getFaceRNormal(1, 2), {0, 1, 0});

  for (Mesh mesh : {hinge(1, 2), hinge(0, 0), hinge(0, 1)}) {
    for (int corner = 0; corner < 3; ++corner) {
      expect_point(mesh.getFaceRNormal(0, corner), {0, 0, 1});
      expect_point(mesh.getFaceRNormal(1, corner), {0, 1, 0});
    }
  }
  // Group bits in common, any of them.
  Mesh overlapping = hinge(0x5, 0x6);
  expect_point(overlapping.getFaceRNormal(0, 0), {0, h, h});

  // One normal per vertex whatever the groups.
  Mesh apart = hinge(1, 2);
  expect_point(apart.getNormal(0), {0, h, h});
  expect_point(apart.getNormal(3), {0, 1, 0});
  expect_point(apart.getFaceRNormal(0, 3), {0, 0, 0});
  expect_point(apart.getNormal(4), {0, 0, 0});
}

TEST(MeshNormals, FacesJoinThroughAFaceInBothGroups) {
  // Three faces round vertex 0, in groups 1, 1|2 and 2, each with a right
  // angle there: one normal for all, their plain mean.
  Mesh mesh =
      make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 1}, {0, -1, 0}}, {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}});
  mesh.faces[0].setSmGroup(1);
  mesh.faces[1].setSmGroup(3);
  mesh.faces[2].setSmGroup(2);
  Point3 sum = mesh.getFaceNormal(0) + mesh.getFaceNormal(1) + mesh.getFaceNormal(2);
  Point3 want = sum / Length(sum);
  for (int f = 0; f < 3; ++f) expect_point(mesh.getFaceRNormal(f, 0), want);
  // At vertex 3 only faces 1 and 2 meet, sharing group 2, at equal angles.
  Point3 pair = mesh.getFaceNormal(1) + mesh.getFaceNormal(2);
  expect_point(mesh.getFaceRNormal(2, 1), pair / Length(pair));
}

TEST(MeshNormals, ZeroAreaFacesAddNothingToTheirNeighbours) {
  Mesh mesh = make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 1, 1}});
  expect_point(mesh.getFaceNormal(1), {0, 0, 0});
  expect_point(mesh.getFaceRNormal(0, 0), {0, 0, 1});
  // The degenerate face's corners share face 0's normal through the group.
  expect_point(mesh.getFaceRNormal(1, 0), {0, 0, 1});
  Mesh flat = make_mesh({{0, 0, 0}, {1, 0, 0}}, {{0, 1, 1}});
  expect_point(flat.getFaceRNormal(0, 1), {0, 0, 0});
  expect_point(flat.getNormal(0), {0, 0, 0});
}

TEST(MeshElements, FacesJoinThroughEdgesOnly) {
  // Faces 0 and 1 share an edge; face 2 touches them only at vertex 2;
  // faces 3, 4 and 5 stand on one edge together.
  Mesh mesh = make_mesh({{0, 0, 0},
                         {1, 0, 0},
                         {1, 1, 0},
                         {0, 1, 0},
                         {2, 2, 0},
                         {2, 1, 0},
                         {5, 0, 0},
                         {6, 0, 0},
                         {5, 1, 0},
                         {5, -1, 0},
                         {5, 0, 1}},
                        {{0, 1, 2}, {2, 3, 0}, {2, 4, 5}, {6, 7, 8}, {7, 6, 9}, {6, 7, 10}});
  BitArray element;
  mesh.ElementFromFace(1, element);
  EXPECT_EQ(element.GetSize(), 6);
  EXPECT_TRUE(element[0] && element[1]);
  EXPECT_EQ(element.NumberSet(), 2);

  BitArray lone;
  mesh.ElementFromFace(2, lone);
  EXPECT_TRUE(lone[2]);
  EXPECT_EQ(lone.NumberSet(), 1);

  BitArray fan;
  mesh.ElementFromFace(5, fan);
  EXPECT_TRUE(fan[3] && fan[4] && fan[5]);
  EXPECT_EQ(fan.NumberSet(), 3);

  // Bits already set stay set; a face the mesh lacks adds nothing.
  mesh.ElementFromFace(2, element);
  EXPECT_EQ(element.NumberSet(), 3);
  mesh.ElementFromFace(40, element);
  EXPECT_EQ(element.NumberSet(), 3);
}

TEST(MeshElements, AdjacencyListsGiveTheSameElements) {
  Mesh mesh = make_mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {5, 5, 0}, {6, 5, 0}, {5, 6, 0}},
                        {{0, 1, 2}, {2, 3, 0}, {4, 5, 6}});
  AdjEdgeList edges(mesh);
  EXPECT_EQ(edges.edges.size(), 8u);  // 5 for the quad, 3 for the lone face
  int diagonal = edges.FindEdge(0, 2);
  ASSERT_GE(diagonal, 0);
  EXPECT_EQ(edges.edges[diagonal].f[0], 0u);
  EXPECT_EQ(edges.edges[diagonal].f[1], 1u);
  EXPECT_EQ(edges.FindEdge(1, 3), -1);

  AdjFaceList adjacent(mesh, edges);
  EXPECT_EQ(adjacent[0].f[2], 1u);  // face 0's edge v[2]-v[0] is 2-0
  EXPECT_EQ(adjacent[0].f[0], UNDEFINED);
  EXPECT_EQ(adjacent[1].f[2], 0u);

  BitArray with_list, without;
  mesh.ElementFromFace(0, with_list, &adjacent);
  mesh.ElementFromFace(0, without);
  EXPECT_EQ(with_list.NumberSet(), 2);
  EXPECT_EQ(without.NumberSet(), 2);
  EXPECT_FALSE(with_list[2]);
}

TEST(MeshDelete, FacesGoWithTheirMapFaces) {
  Mesh mesh =
      make_mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {3, 3, 3}}, {{0, 1, 3}, {1, 2, 3}, {0, 1, 4}});
  mesh.setNumTVFaces(3);
  for (int f = 0; f < 3; ++f) mesh.tvFace[f].setTVerts(f, f, f);
  BitArray doomed(3);
  doomed.Set(1);
  BitArray isolated;
  mesh.DeleteFaceSet(doomed, &isolated);
  EXPECT_EQ(mesh.numFaces, 2);
  EXPECT_EQ(mesh.faces[1].v[2], 4u);
  EXPECT_EQ(mesh.getNumMapFaces(1), 2);
  EXPECT_EQ(mesh.tvFace[1].t[0], 2u);
  // Vertex 2 was used only by the removed face.
  EXPECT_EQ(isolated.GetSize(), 5);
  EXPECT_TRUE(isolated[2]);
  EXPECT_EQ(isolated.NumberSet(), 1);
}

TEST(MeshDelete, VerticesTakeTheirFacesAndRenumberTheRest) {
  Mesh mesh = make_mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {2, 3, 0}, {3, 2, 1}});
  BitArray doomed(4);
  doomed.Set(0);
  mesh.DeleteVertSet(doomed);
  EXPECT_EQ(mesh.numVerts, 3);
  ASSERT_EQ(mesh.numFaces, 1);
  EXPECT_EQ(mesh.faces[0].v[0], 2u);
  EXPECT_EQ(mesh.faces[0].v[1], 1u);
  EXPECT_EQ(mesh.faces[0].v[2], 0u);
  expect_point(mesh.verts[0], {1, 0, 0});
  expect_point(mesh.getFaceNormal(0), {0, 0, -1});
}

TEST(MeshDegenerate, EmptyAndBrokenMeshesAnswerEverything) {
  Mesh empty;
  EXPECT_TRUE(empty.getBoundingBox().IsEmpty());
  expect_point(empty.getNormal(0), {0, 0, 0});
  expect_point(empty.getFaceRNormal(0, 0), {0, 0, 0});
  BitArray none;
  empty.ElementFromFace(0, none);
  EXPECT_EQ(none.NumberSet(), 0);
  empty.DeleteFaceSet(none);
  empty.DeleteVertSet(none);
  AdjEdgeList no_edges(empty);
  AdjFaceList no_faces(empty, no_edges);
  EXPECT_EQ(no_faces.Count(), 0);

  // Isolated vertices, a NaN vertex, faces naming vertices past the end.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  Mesh broken = make_mesh({{1, 2, 3}, {nan, 0, 0}, {-1, 5, 0}}, {{0, 9, 2}, {0, 2, 1000}});
  Box3 box = broken.getBoundingBox();
  expect_point(box.pmin, {-1, 2, 0});
  expect_point(box.pmax, {1, 5, 3});
  expect_point(broken.getFaceNormal(0), {0, 0, 0});
  expect_point(broken.getNormal(1), {0, 0, 0});
  BitArray element;
  broken.ElementFromFace(0, element);
  EXPECT_EQ(element.NumberSet(), 2);  // they share the edge 0-2
  // Only edge 0-2 lies between vertices the mesh has.
  AdjEdgeList edges(broken);
  ASSERT_EQ(edges.edges.size(), 1u);
  EXPECT_EQ(edges.edges[0].f[1], 1u);
  BitArray doomed(3);
  doomed.Set(1);
  broken.DeleteVertSet(doomed);
  EXPECT_EQ(broken.numVerts, 2);
  EXPECT_EQ(broken.faces[0].v[2], 1u);
}

}  // namespace

namespace {

TEST(MeshCombine, SecondPartFollowsTheFirstAndMovesByItsMatrix) {
  Mesh a = make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
  a.faces[0].setMatID(4);
  a.faces[0].setSmGroup(2);
  Mesh b = make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{0, 1, 2}, {1, 3, 2}});
  Matrix3 up = TransMatrix(Point3(0, 0, 5));
  Mesh out;
  CombineMeshes(out, a, b, nullptr, &up);
  ASSERT_EQ(out.getNumVerts(), 7);
  ASSERT_EQ(out.getNumFaces(), 3);
  expect_point(out.getVert(1), {1, 0, 0});
  expect_point(out.getVert(6), {1, 1, 5});
  EXPECT_EQ(out.faces[2].v[0], 4u);
  EXPECT_EQ(out.faces[2].v[1], 6u);
  EXPECT_EQ(out.faces[2].v[2], 5u);
  EXPECT_EQ(out.faces[0].getMatID(), 4);
  EXPECT_EQ(out.faces[0].getSmGroup(), 2u);
}

TEST(MeshCombine, AChannelOnlyOnePartHasGivesTheOtherOneOriginVertex) {
  Mesh a = make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
  Mesh b = a;
  b.setMapSupport(1, TRUE);
  b.setNumTVerts(3);
  b.setTVert(2, 0.5f, 0.25f, 0);
  b.setNumTVFaces(1);
  b.tvFace[0].setTVerts(0, 1, 2);
  Mesh out;
  CombineMeshes(out, a, b);
  ASSERT_TRUE(out.mapSupport(1));
  ASSERT_EQ(out.getNumMapVerts(1), 4);
  EXPECT_EQ(out.tvFace[0].t[0], 0u);
  EXPECT_EQ(out.tvFace[0].t[2], 0u);
  EXPECT_EQ(out.tvFace[1].t[2], 3u);
  expect_point(out.tVerts[3], {0.5f, 0.25f, 0});
  EXPECT_FALSE(out.mapSupport(0));
}

TEST(MeshCombine, TurningAPartOverReversesItsCornersAndMayWriteIntoAPart) {
  Mesh a = make_mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
  a.faces[0].setEdgeVisFlags(1, 0, 0);
  Mesh b = a;
  CombineMeshes(a, a, b, nullptr, nullptr, 1);
  ASSERT_EQ(a.getNumFaces(), 2);
  EXPECT_EQ(a.faces[1].v[1], 5u);
  EXPECT_EQ(a.faces[1].v[2], 4u);
  // The edge from corner 0 to corner 1 is now the edge from corner 2 back to 0.
  EXPECT_EQ(a.faces[1].getEdgeVis(0), 0u);
  EXPECT_NE(a.faces[1].getEdgeVis(2), 0u);
  expect_point(a.getFaceNormal(1), {0, 0, -1});
}

}  // namespace
