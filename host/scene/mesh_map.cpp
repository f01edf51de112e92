// A map channel's vertices and faces.
#include "host/mesh.h"

MeshMap::MeshMap(const MeshMap& other) : verts_(other.verts_), faces_(other.faces_), used_(other.used_) {
  refresh();
}

MeshMap& MeshMap::operator=(const MeshMap& other) {
  if (this != &other) {
    verts_ = other.verts_;
    faces_ = other.faces_;
    used_ = other.used_;
    refresh();
  }
  return *this;
}

void MeshMap::setNumVerts(int count, BOOL keep) {
  if (!keep) verts_.clear();
  verts_.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  refresh();
}

void MeshMap::setNumFaces(int count, BOOL keep, int /*old_count*/) {
  if (!keep) faces_.clear();
  faces_.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  refresh();
}

void MeshMap::Clear() {
  verts_.clear();
  faces_.clear();
  refresh();
}

// The public pointers follow the arrays, and so do the mesh's views of
// channels 0 and 1.
void MeshMap::refresh() {
  tv = verts_.empty() ? nullptr : verts_.data();
  tf = faces_.empty() ? nullptr : faces_.data();
  vnum = static_cast<int>(verts_.size());
  fnum = static_cast<int>(faces_.size());
  if (owner_) owner_->refresh();
}
