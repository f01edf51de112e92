// Triangle meshes as the application keeps them: vertices, faces with
// smoothing groups, edge visibility and material IDs, and map channels
// (channel 0 the vertex colours, channel 1 the texture coordinates).
//
// The arrays plug-ins index directly (verts, faces, tVerts, tvFace, vertCol,
// vcFace) and their counts are views the mesh keeps current: resize through
// the set... calls, never by writing a count. Every call takes any index: one
// outside the arrays reads as nothing (a zero vector, a null pointer) instead
// of touching memory it does not own. After writing vertices or faces
// directly, call InvalidateGeomCache / InvalidateTopologyCache so normals are
// worked out again.
#pragma once

#include <windows.h>

#include <vector>

#include "host/box3.h"
#include "host/geometry.h"

using UVVert = Point3;
using VertColor = Point3;
using MtlID = WORD;

// Face::flags: the visibility of the edges v[0]-v[1], v[1]-v[2], v[2]-v[0],
// hiding, and the material ID in the high 16 bits.
constexpr DWORD EDGE_A = 1;
constexpr DWORD EDGE_B = 2;
constexpr DWORD EDGE_C = 4;
constexpr DWORD EDGE_ALL = EDGE_A | EDGE_B | EDGE_C;
// Mesh::selLevel.
constexpr DWORD MESH_OBJECT = 1;
constexpr DWORD MESH_VERTEX = 2;
constexpr DWORD MESH_FACE = 4;
constexpr DWORD MESH_EDGE = 8;

// setEdgeVis's visible argument.
constexpr int EDGE_INVIS = 0;
constexpr int EDGE_VIS = 1;
constexpr DWORD FACE_HIDDEN = 1 << 3;
constexpr int FACE_MATID_SHIFT = 16;
constexpr DWORD FACE_MATID_MASK = 0xFFFF;

constexpr int MAX_MESHMAPS = 100;

class Face {
 public:
  DWORD v[3] = {0, 0, 0};
  DWORD smGroup = 0;
  DWORD flags = 0;

  void setVerts(int a, int b, int c) {
    v[0] = static_cast<DWORD>(a);
    v[1] = static_cast<DWORD>(b);
    v[2] = static_cast<DWORD>(c);
  }
  void setVerts(const int* vrt) { setVerts(vrt[0], vrt[1], vrt[2]); }
  DWORD getVert(int i) const { return i >= 0 && i < 3 ? v[i] : 0; }
  DWORD* getAllVerts() { return v; }

  void setSmGroup(DWORD group) { smGroup = group; }
  DWORD getSmGroup() const { return smGroup; }

  void setMatID(MtlID id) {
    flags = (flags & ~(FACE_MATID_MASK << FACE_MATID_SHIFT)) | (DWORD{id} << FACE_MATID_SHIFT);
  }
  MtlID getMatID() const { return static_cast<MtlID>((flags >> FACE_MATID_SHIFT) & FACE_MATID_MASK); }

  // Edge i (0 to 2) runs from v[i] to v[(i + 1) % 3].
  void setEdgeVis(int edge, int visible) {
    if (edge < 0 || edge > 2) return;
    if (visible)
      flags |= EDGE_A << edge;
    else
      flags &= ~(EDGE_A << edge);
  }
  void setEdgeVisFlags(int va, int vb, int vc) {
    setEdgeVis(0, va);
    setEdgeVis(1, vb);
    setEdgeVis(2, vc);
  }
  // The edge's bit when visible, else 0.
  DWORD getEdgeVis(int edge) const { return edge >= 0 && edge < 3 ? flags & (EDGE_A << edge) : 0; }

  void Hide() { flags |= FACE_HIDDEN; }
  void Show() { flags &= ~FACE_HIDDEN; }
  void SetHide(bool hidden) { hidden ? Hide() : Show(); }
  bool Hidden() const { return (flags & FACE_HIDDEN) != 0; }
};

// A face of a map channel: indices into the channel's vertices.
class TVFace {
 public:
  DWORD t[3] = {0, 0, 0};
  TVFace() = default;
  TVFace(DWORD a, DWORD b, DWORD c) : t{a, b, c} {}
  void setTVerts(int a, int b, int c) {
    t[0] = static_cast<DWORD>(a);
    t[1] = static_cast<DWORD>(b);
    t[2] = static_cast<DWORD>(c);
  }
  DWORD getTVert(int i) const { return i >= 0 && i < 3 ? t[i] : 0; }
  DWORD* getAllTVerts() { return t; }
};

class Mesh;

// A render normal at a vertex: the normal of the faces round it whose
// smoothing groups join (directly or through other faces there), and the
// groups it stands for.
class RNormal {
 public:
  Point3 normal;
  DWORD smGroup = 0;
  const Point3& getNormal() const { return normal; }
  DWORD getSmGroup() const { return smGroup; }
};

// RVertex::rFlags: the low 8 bits count the vertex's render normals;
// SPECIFIED_NORMAL says rn was given by the user (this host gives none).
constexpr DWORD NORCT_MASK = 0xFF;
constexpr DWORD SPECIFIED_NORMAL = 0x4000;

// A vertex's render normals, one per group of smoothing groups meeting
// there: with one it is rn, with more they are ern[0 .. count-1]. Faces in
// no smoothing group take their face normal and add none.
class RVertex {
 public:
  DWORD rFlags = 0;
  RNormal rn;
  RNormal* ern = nullptr;
};

// One map channel: its vertices (tv, vnum) and faces (tf, fnum), one face
// for each face of the mesh.
class MeshMap {
 public:
  UVVert* tv = nullptr;
  TVFace* tf = nullptr;
  int vnum = 0;
  int fnum = 0;

  MeshMap() = default;
  MeshMap(const MeshMap& other);
  MeshMap& operator=(const MeshMap& other);
  ~MeshMap() = default;

  int getNumVerts() const { return vnum; }
  void setNumVerts(int count, BOOL keep = FALSE);
  int getNumFaces() const { return fnum; }
  void setNumFaces(int count, BOOL keep = FALSE, int old_count = 0);
  void Clear();
  bool IsUsed() const { return used_; }

 private:
  friend class Mesh;
  void refresh();
  std::vector<UVVert> verts_;
  std::vector<TVFace> faces_;
  bool used_ = false;
  // The mesh whose channel this is, told when the arrays move.
  Mesh* owner_ = nullptr;
};

class AdjFaceList;

class Mesh {
 public:
  Point3* verts = nullptr;
  int numVerts = 0;
  Face* faces = nullptr;
  int numFaces = 0;
  // Map channel 1's arrays.
  UVVert* tVerts = nullptr;
  int numTVerts = 0;
  TVFace* tvFace = nullptr;
  // Map channel 0's arrays.
  VertColor* vertCol = nullptr;
  int numCVerts = 0;
  TVFace* vcFace = nullptr;

  // Sub-object selection: which vertices and faces are selected, and at
  // which level the mesh is being worked on.
  BitArray vertSel;
  BitArray faceSel;
  DWORD selLevel = MESH_OBJECT;

  Mesh();
  Mesh(const Mesh& other);
  Mesh& operator=(const Mesh& other);
  ~Mesh() = default;
  // Back to a new mesh's state: nothing in it, two map channels not in use.
  void FreeAll() { *this = Mesh(); }

  // Vertices. New ones (all of them unless keep) are at the origin.
  // The selection is not kept, so synch_selection changes nothing.
  BOOL setNumVerts(int count, BOOL keep = FALSE, BOOL synch_selection = TRUE);
  int getNumVerts() const { return static_cast<int>(verts_.size()); }
  void setVert(int i, const Point3& p);
  void setVert(int i, float x, float y, float z) { setVert(i, Point3(x, y, z)); }
  Point3& getVert(int i);
  const Point3& getVert(int i) const;
  Point3* getVertPtr(int i) { return i >= 0 && i < getNumVerts() ? &verts_[i] : nullptr; }

  // Faces. New ones (all of them unless keep) use vertex 0 three times, are
  // in smoothing group 1 with material ID 0; each map channel in use gets as
  // many faces, and unless keep one vertex at the origin for them to use.
  BOOL setNumFaces(int count, BOOL keep = FALSE, BOOL synch_selection = TRUE);
  int getNumFaces() const { return static_cast<int>(faces_.size()); }

  // Texture coordinates: map channel 1.
  BOOL setNumTVerts(int count, BOOL keep = FALSE) { return setNumMapVerts(1, count, keep); }
  int getNumTVerts() const { return getNumMapVerts(1); }
  BOOL setNumTVFaces(int count, BOOL keep = FALSE, int old_count = 0) {
    return setNumMapFaces(1, count, keep, old_count);
  }
  void setTVert(int i, const UVVert& p);
  void setTVert(int i, float x, float y, float z) { setTVert(i, UVVert(x, y, z)); }
  UVVert getTVert(int i) const;

  // Vertex colours: map channel 0.
  BOOL setNumVertCol(int count, BOOL keep = FALSE) { return setNumMapVerts(0, count, keep); }
  int getNumVertCol() const { return getNumMapVerts(0); }
  BOOL setNumVCFaces(int count, BOOL keep = FALSE, int old_count = 0) {
    return setNumMapFaces(0, count, keep, old_count);
  }

  // Map channels, 0 to getNumMaps() - 1; there are always at least two.
  // Unless keep, setNumMaps drops every channel's data.
  void setNumMaps(int count, BOOL keep = FALSE);
  int getNumMaps() const { return static_cast<int>(maps_.size()); }
  BOOL mapSupport(int mp) const;
  // Turning a channel on gives it a face for each face (all using map vertex
  // 0) and no vertices; turning it off drops its data. A channel past the
  // last is made first.
  void setMapSupport(int mp, BOOL support = TRUE);
  // Resizing a channel turns it on.
  BOOL setNumMapVerts(int mp, int count, BOOL keep = FALSE);
  int getNumMapVerts(int mp) const;
  BOOL setNumMapFaces(int mp, int count, BOOL keep = FALSE, int old_count = 0);
  int getNumMapFaces(int mp) const;
  UVVert* mapVerts(int mp);
  TVFace* mapFaces(int mp);
  const UVVert* mapVerts(int mp) const;
  const TVFace* mapFaces(int mp) const;
  // A channel outside the mesh's reads as an empty one not in use.
  MeshMap& Map(int mp);

  // Face normals: unit length, counter-clockwise faces facing the viewer;
  // the zero vector for a face without area or with a vertex the mesh lacks.
  // buildNormals also works out the render normals; the getters do it when
  // the geometry changed since.
  void buildNormals();
  void buildRenderNormals() { buildNormals(); }
  Point3 getFaceNormal(int face) const;
  // Replaces a face's normal until the normals are worked out again (after
  // buildNormals, or a change to the geometry through the set... calls):
  // what a plug-in does that moves the vertices itself and knows the normals.
  void setFaceNormal(int face, const Point3& n);
  // Vertex i's render normals; an index outside the mesh reads as a vertex
  // without any.
  RVertex& getRVert(int i);
  RVertex* getRVertPtr(int i) { return i >= 0 && i < getNumVerts() ? &getRVert(i) : nullptr; }
  // The render normal of a face's corner (0 to 2): the mean of the normals of
  // the faces round that vertex that share a smoothing group with this face,
  // directly or through other such faces, each weighed by its angle at the
  // vertex (so a quad counts the same however it is split); a face in no
  // group keeps its own.
  Point3 getFaceRNormal(int face, int corner) const;
  // One normal per vertex: the same mean over every face using it.
  Point3 getNormal(int vertex) const;

  // The box round the vertices, each transformed by tm when given.
  Box3 getBoundingBox(Matrix3* tm = nullptr) const;

  // The barycentric coordinates of p (projected into the face's plane) on a
  // face: weights of v[0], v[1], v[2] summing to 1, negative outside the face.
  // A face collapsed to a segment weighs the ends of its longest edge, one
  // collapsed to a point weighs its corners equally; a face the mesh lacks
  // gives the zero vector.
  Point3 BaryCoords(DWORD face, Point3 p) const;

  // Sets the bits of every face reachable from face through shared edges,
  // following adj when given (its neighbours, as AdjFaceList has them), else
  // every edge the faces' vertex indices share. Bits already set stay set.
  void ElementFromFace(DWORD face, BitArray& element, AdjFaceList* adj = nullptr) const;

  // Removes the faces whose bits are set, and their map faces; isolated, when
  // given, gets the bits of the vertices no remaining face uses that a
  // removed face did.
  void DeleteFaceSet(const BitArray& set, BitArray* isolated = nullptr);
  // Removes the vertices whose bits are set and every face using one, and
  // renumbers the faces' vertices.
  void DeleteVertSet(const BitArray& set);

  void InvalidateGeomCache();
  void InvalidateTopologyCache();

 private:
  friend class MeshMap;
  void refresh();
  void adopt_maps();
  bool face_points(int face, Point3 out[3]) const;
  void build_normals() const;
  void ensure_normals() const;
  void delete_faces(const std::vector<bool>& doomed);

  std::vector<Point3> verts_;
  std::vector<Face> faces_;
  std::vector<MeshMap> maps_;

  // Worked out on demand; cleared when the geometry or topology changes.
  mutable bool normals_valid_ = false;
  mutable std::vector<Point3> face_normals_;
  mutable std::vector<Point3> corner_normals_;  // three per face
  mutable std::vector<Point3> vertex_normals_;
  mutable std::vector<RVertex> render_verts_;
  mutable std::vector<RNormal> extra_normals_;  // what render_verts_'s ern point into
  RVertex outside_rvert_;

  // What an index outside the arrays reads and writes.
  Point3 outside_vert_;
  MeshMap outside_map_;
};

// mesh = mesh1 followed by mesh2: mesh2's vertex and map-vertex numbers
// follow mesh1's. Each part's points are transformed by its matrix when one
// is given; whichInv 0 or 1 turns that part's faces over. A map channel only
// one part has gets one vertex at the origin for the other part's faces.
// mesh may be neither part.
void CombineMeshes(Mesh& mesh, const Mesh& mesh1, const Mesh& mesh2, const Matrix3* tm1 = nullptr,
                   const Matrix3* tm2 = nullptr, int whichInv = -1);
