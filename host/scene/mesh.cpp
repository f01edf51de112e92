// A mesh's arrays: vertices, faces and map channels, their sizes and copies.
#include "host/mesh.h"

#include <algorithm>

namespace {

constexpr int kMinMaps = 2;

std::size_t count_of(int count) { return count > 0 ? static_cast<std::size_t>(count) : 0; }

Face new_face() {
  Face f;
  f.setSmGroup(1);
  return f;
}

}  // namespace

Mesh::Mesh() : maps_(kMinMaps) { adopt_maps(); }

Mesh::Mesh(const Mesh& other)
    : vertSel(other.vertSel),
      faceSel(other.faceSel),
      selLevel(other.selLevel),
      verts_(other.verts_),
      faces_(other.faces_),
      maps_(other.maps_) {
  adopt_maps();
}

Mesh& Mesh::operator=(const Mesh& other) {
  if (this != &other) {
    vertSel = other.vertSel;
    faceSel = other.faceSel;
    selLevel = other.selLevel;
    verts_ = other.verts_;
    faces_ = other.faces_;
    maps_ = other.maps_;
    adopt_maps();
    InvalidateTopologyCache();
  }
  return *this;
}

// Each channel tells this mesh when its arrays move.
void Mesh::adopt_maps() {
  for (MeshMap& map : maps_) map.owner_ = this;
  refresh();
}

void Mesh::refresh() {
  verts = verts_.empty() ? nullptr : verts_.data();
  numVerts = static_cast<int>(verts_.size());
  faces = faces_.empty() ? nullptr : faces_.data();
  numFaces = static_cast<int>(faces_.size());
  // Channels 0 and 1 exist whenever the owner is whole; during a resize of
  // maps_ the views wait for adopt_maps.
  if (getNumMaps() < kMinMaps) return;
  tVerts = maps_[1].tv;
  numTVerts = maps_[1].vnum;
  tvFace = maps_[1].tf;
  vertCol = maps_[0].tv;
  numCVerts = maps_[0].vnum;
  vcFace = maps_[0].tf;
}

BOOL Mesh::setNumVerts(int count, BOOL keep, BOOL /*synch_selection*/) {
  if (!keep) verts_.clear();
  verts_.resize(count_of(count));
  InvalidateTopologyCache();
  refresh();
  return TRUE;
}

void Mesh::setVert(int i, const Point3& p) {
  if (i < 0 || i >= getNumVerts()) return;
  verts_[i] = p;
  InvalidateGeomCache();
}

Point3& Mesh::getVert(int i) {
  if (i >= 0 && i < getNumVerts()) return verts_[i];
  outside_vert_ = Point3();
  return outside_vert_;
}

const Point3& Mesh::getVert(int i) const {
  static const Point3 kOutside;
  return i >= 0 && i < getNumVerts() ? verts_[i] : kOutside;
}

BOOL Mesh::setNumFaces(int count, BOOL keep, BOOL /*synch_selection*/) {
  if (!keep) faces_.clear();
  faces_.resize(count_of(count), new_face());
  for (MeshMap& map : maps_) {
    if (!map.used_) continue;
    map.setNumFaces(count, keep);
    if (!keep) {
      map.setNumVerts(1);
    }
  }
  InvalidateTopologyCache();
  refresh();
  return TRUE;
}

void Mesh::setTVert(int i, const UVVert& p) {
  if (i >= 0 && i < maps_[1].vnum) maps_[1].verts_[i] = p;
}

UVVert Mesh::getTVert(int i) const { return i >= 0 && i < maps_[1].vnum ? maps_[1].verts_[i] : UVVert(); }

void Mesh::setNumMaps(int count, BOOL keep) {
  count = std::clamp(count, kMinMaps, MAX_MESHMAPS);
  if (!keep) {
    for (MeshMap& map : maps_) {
      map.Clear();
      map.used_ = false;
    }
  }
  maps_.resize(static_cast<std::size_t>(count));
  adopt_maps();
}

BOOL Mesh::mapSupport(int mp) const { return mp >= 0 && mp < getNumMaps() && maps_[mp].used_; }

void Mesh::setMapSupport(int mp, BOOL support) {
  if (mp < 0 || mp >= MAX_MESHMAPS) return;
  if (mp >= getNumMaps()) {
    if (!support) return;
    setNumMaps(mp + 1, TRUE);
  }
  MeshMap& map = maps_[mp];
  if (bool(support) == map.used_) return;
  map.used_ = support;
  map.Clear();
  if (support) map.setNumFaces(getNumFaces());
}

BOOL Mesh::setNumMapVerts(int mp, int count, BOOL keep) {
  if (mp < 0 || mp >= MAX_MESHMAPS) return FALSE;
  setMapSupport(mp, TRUE);
  maps_[mp].setNumVerts(count, keep);
  return TRUE;
}

int Mesh::getNumMapVerts(int mp) const { return mp >= 0 && mp < getNumMaps() ? maps_[mp].vnum : 0; }

BOOL Mesh::setNumMapFaces(int mp, int count, BOOL keep, int old_count) {
  if (mp < 0 || mp >= MAX_MESHMAPS) return FALSE;
  setMapSupport(mp, TRUE);
  maps_[mp].setNumFaces(count, keep, old_count);
  return TRUE;
}

int Mesh::getNumMapFaces(int mp) const { return mp >= 0 && mp < getNumMaps() ? maps_[mp].fnum : 0; }

UVVert* Mesh::mapVerts(int mp) { return mp >= 0 && mp < getNumMaps() ? maps_[mp].tv : nullptr; }

TVFace* Mesh::mapFaces(int mp) { return mp >= 0 && mp < getNumMaps() ? maps_[mp].tf : nullptr; }

const UVVert* Mesh::mapVerts(int mp) const { return mp >= 0 && mp < getNumMaps() ? maps_[mp].tv : nullptr; }

const TVFace* Mesh::mapFaces(int mp) const { return mp >= 0 && mp < getNumMaps() ? maps_[mp].tf : nullptr; }

MeshMap& Mesh::Map(int mp) {
  if (mp >= 0 && mp < getNumMaps()) return maps_[mp];
  outside_map_.Clear();
  outside_map_.used_ = false;
  return outside_map_;
}

void Mesh::InvalidateGeomCache() { normals_valid_ = false; }

void Mesh::InvalidateTopologyCache() {
  normals_valid_ = false;
  face_normals_.clear();
  corner_normals_.clear();
  vertex_normals_.clear();
  render_verts_.clear();
  extra_normals_.clear();
}
