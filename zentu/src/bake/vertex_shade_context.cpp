#include "vertex_shade_context.h"

#include <cmath>

#include "mesh_instances.h"

namespace {

Point3 abs_of(const Point3& p) { return Point3(std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)); }

float sum_of(const Point3& p) { return p.x + p.y + p.z; }

// Face-mapping: each face takes the whole map, its corners on the map's
// corners, turned so the face's hidden edge runs along the map's diagonal.
void face_map_corners(const Face& face, Point3 corners[3]) {
  static const Point3 kLower[3] = {Point3(0, 0, 0), Point3(1, 0, 0), Point3(1, 1, 0)};
  static const Point3 kUpper[3] = {Point3(1, 1, 0), Point3(0, 1, 0), Point3(0, 0, 0)};
  static const int kNext[3] = {1, 2, 0};
  static const int kPrevious[3] = {2, 0, 1};
  int edge = !(face.flags & EDGE_A) ? 0 : (!(face.flags & EDGE_B) ? 1 : 2);
  int i = 2 - edge;
  const Point3* table = face.v[kPrevious[edge]] < face.v[edge] ? kLower : kUpper;
  for (int k = 0; k < 3; ++k) {
    corners[k] = table[i];
    i = kNext[i];
  }
}

}  // namespace

VertexShadeContext::VertexShadeContext() {
  mode = SCMODE_NORMAL;
  doMaps = TRUE;
  filterMaps = TRUE;
  shadow = FALSE;
  backFace = FALSE;
  mtlNum = 0;
  ambientLight = Color(1, 1, 1);
  nLights = 0;
  globContext = nullptr;
}

VertexShadeContext::~VertexShadeContext() { ClearLights(); }

void VertexShadeContext::SetNodeAndTime(INode* node, TimeValue t) {
  node_ = node;
  t_ = t;
  obj_to_world_ = node->GetObjTMAfterWSM(t);
  world_to_obj_ = Matrix3::Identity();
  Inverse(obj_to_world_, &world_to_obj_);
  normal_to_world_ = NormalMatrix(obj_to_world_);
}

void VertexShadeContext::ComputeObjectBox() {
  object_box_.Init();
  if (mesh_ == nullptr) return;
  for (int f = 0; f < mesh_->getNumFaces(); ++f)
    for (DWORD v : mesh_->faces[f].v)
      if (v < static_cast<DWORD>(mesh_->getNumVerts())) object_box_ += mesh_->verts[v] * world_to_obj_;
}

// The instance mesh keeps its face normals in world space and its render
// normals in object space: only the latter are turned into the world.
void VertexShadeContext::ComputeCornerNormals() {
  if (mesh_ == nullptr || face_num_ < 0 || face_num_ >= mesh_->getNumFaces()) {
    for (Point3& n : corner_normals_) n = Point3();
    return;
  }
  const Face& face = mesh_->faces[face_num_];
  Point3 face_normal = mesh_->getFaceNormal(face_num_);
  DWORD group = face.smGroup;
  for (int k = 0; k < 3; ++k) {
    const Point3* render_normal = nullptr;
    // A face naming a vertex the mesh lacks has no render normal there.
    const RVertex* found = face.v[k] < static_cast<DWORD>(mesh_->getNumVerts())
                               ? &mesh_->getRVert(static_cast<int>(face.v[k]))
                               : nullptr;
    const RVertex& rv = found != nullptr ? *found : RVertex();
    if (rv.rFlags & SPECIFIED_NORMAL) {
      render_normal = &rv.rn.getNormal();
    } else {
      DWORD count = rv.rFlags & NORCT_MASK;
      if (count == 1 && group != 0) render_normal = &rv.rn.getNormal();
      if (count > 1 && group != 0)
        for (DWORD i = 0; i < count; ++i)
          if (rv.ern[i].getSmGroup() & group) render_normal = &rv.ern[i].getNormal();
    }
    corner_normals_[k] =
        Normalize(render_normal != nullptr ? VectorTransform(*render_normal, normal_to_world_) : face_normal);
  }
}

void VertexShadeContext::AddLight(std::unique_ptr<LightRecord> record) {
  active_.push_back(record.get());
  owned_.push_back(std::move(record));
}

void VertexShadeContext::ClearLights() {
  active_.clear();
  active_.shrink_to_fit();
  master_.clear();
  master_.shrink_to_fit();
  owned_.clear();
  nLights = 0;
}

void VertexShadeContext::RefreshLights() {
  for (LightRecord* record : active_) {
    record->desc->Update(t_, rend_context_, nullptr, FALSE, TRUE);
    record->desc->UpdateViewDepParams(Matrix3::Identity());
  }
  nLights = static_cast<int>(active_.size());
}

void VertexShadeContext::RestoreActiveFromMaster() {
  active_ = master_;
  nLights = static_cast<int>(active_.size());
}

void VertexShadeContext::SetActiveLights(std::vector<LightRecord*> lights) {
  active_ = std::move(lights);
  nLights = static_cast<int>(active_.size());
}

Point3 VertexShadeContext::Normal() {
  return Normalize(corner_normals_[0] * bary_.x + corner_normals_[1] * bary_.y + corner_normals_[2] * bary_.z);
}

// The face normal as the instance keeps it, in world space already.
Point3 VertexShadeContext::GNormal() {
  return mesh_ != nullptr ? mesh_->getFaceNormal(face_num_) : Point3();
}

void VertexShadeContext::CurrentFacePoints(Point3 q[3]) const {
  const Mesh& mesh = *mesh_;
  const Face& face = mesh.faces[face_num_];
  for (int k = 0; k < 3; ++k) q[k] = mesh.getVert(static_cast<int>(face.v[k]));
}

// How much the normal turns along the face, estimated at its corners.
float VertexShadeContext::Curve() {
  if (mesh_ == nullptr || face_num_ < 0 || face_num_ >= mesh_->getNumFaces()) return 0.0f;
  Point3 q[3];
  CurrentFacePoints(q);
  const Point3* a = corner_normals_;
  Point3 a_mean = (a[0] + a[1] + a[2]) / 3.0f;
  Point3 q_mean = (q[0] + q[1] + q[2]) / 3.0f;
  float estimate = 0.0f;
  for (int k = 0; k < 3; ++k) {
    Point3 offset = q[k] - q_mean;
    float length_sq = DotProd(offset, offset);
    float c = length_sq > 0.0f ? DotProd(a[k] - a_mean, offset) / length_sq : 0.0f;
    if (std::fabs(c) > std::fabs(estimate)) estimate = c;
  }
  curvature_ = estimate * RayDiam();
  return backFace ? -curvature_ : curvature_;
}

Point3 VertexShadeContext::ReflectVector() {
  Point3 n = Normal();
  if (headlight_mode_) return -n;
  return Normalize(view_dir_ - n * (2.0f * DotProd(n, view_dir_)));
}

Point3 VertexShadeContext::RefractVector(float ior) {
  Point3 n = Normal();
  float cos_i = -DotProd(n, view_dir_);
  float eta = backFace ? ior : (ior == 0.0f ? 1.0f : 1.0f / ior);
  float k = 1.0f - (1.0f - cos_i * cos_i) * eta * eta;
  if (k <= 0.0f) return ReflectVector();
  return view_dir_ * eta + n * (eta * cos_i - std::sqrt(k));
}

Point3 VertexShadeContext::DP() {
  float d = 1.1f * RayDiam() / (std::fabs(DotProd(Normal(), view_dir_)) + 0.1f);
  return Point3(d, d, d);
}

// An axis the box has no width on (a flat or empty box) gives 0: there is
// no place along it to tell.
Point3 VertexShadeContext::PObjRelBox() {
  Point3 p = PObj();
  Box3 box = ObjectBox();
  Point3 r;
  for (int i = 0; i < 3; ++i) {
    float width = box.pmax[i] - box.pmin[i];
    r[i] = width > 0.0f ? 2.0f * (p[i] - box.pmin[i]) / width - 1.0f : 0.0f;
  }
  return r;
}

Point3 VertexShadeContext::DPObjRelBox() {
  Point3 d = DPObj();
  Box3 box = ObjectBox();
  Point3 r;
  for (int i = 0; i < 3; ++i) {
    float width = box.pmax[i] - box.pmin[i];
    r[i] = width > 0.0f ? 2.0f / width * d[i] : 0.0f;
  }
  return r;
}

void VertexShadeContext::ScreenUV(Point2& uv, Point2& duv) {
  uv = Point2(0.5f, 0.5f);
  duv = Point2(1.0f, 1.0f);
}

Point3 VertexShadeContext::UVW(int channel) {
  if (mesh_ == nullptr || !mesh_->mapSupport(channel) || face_num_ < 0 || face_num_ >= mesh_->getNumFaces())
    return Point3(0, 0, 0);
  const TVFace& tf = mesh_->mapFaces(channel)[face_num_];
  const UVVert* tv = mesh_->mapVerts(channel);
  DWORD count = static_cast<DWORD>(mesh_->getNumMapVerts(channel));
  auto corner = [&](int k) { return tf.t[k] < count ? tv[tf.t[k]] : Point3(); };
  return corner(0) * bary_.x + corner(1) * bary_.y + corner(2) * bary_.z;
}

// Face-mapped materials see each face's corners on the map's corners; a
// channel the mesh has overrides them. Neither leaves the corners at zero.
void VertexShadeContext::FillMapCorners(int channel) {
  Point3* corners = map_corners_[channel];
  for (int k = 0; k < 3; ++k) corners[k] = Point3();
  if (mesh_ == nullptr || face_num_ < 0 || face_num_ >= mesh_->getNumFaces()) return;
  Mtl* mtl = node_ != nullptr ? node_->GetMtl() : nullptr;
  if (channel != 0 && mtl != nullptr && (mtl->Requirements(mtlNum) & MTLREQ_FACEMAP))
    face_map_corners(mesh_->faces[face_num_], corners);
  if (mesh_->mapSupport(channel)) {
    const TVFace& tf = mesh_->mapFaces(channel)[face_num_];
    const UVVert* tv = mesh_->mapVerts(channel);
    DWORD count = static_cast<DWORD>(mesh_->getNumMapVerts(channel));
    for (int k = 0; k < 3; ++k) corners[k] = tf.t[k] < count ? tv[tf.t[k]] : Point3();
  }
}

// The scale of texture-coordinate change across a pixel: DP's size against
// the face's mean edge extent.
void VertexShadeContext::ComputeUVScale() {
  Point3 p[3];
  CurrentFacePoints(p);
  float d = DP().x;
  float extent = (sum_of(abs_of(p[1] - p[0])) + sum_of(abs_of(p[2] - p[0]))) / 6.0f;
  uv_scale_ = extent > 0.0f ? 1.5f * std::fabs(d) / extent : 0.0f;
}

Point3 VertexShadeContext::DUVW(int channel) {
  if (channel < 0 || channel >= kMaxMapChannels || mesh_ == nullptr || face_num_ < 0 ||
      face_num_ >= mesh_->getNumFaces())
    return Point3(0, 0, 0);
  FillMapCorners(channel);
  ComputeUVScale();
  const Point3* c = map_corners_[channel];
  return (abs_of(c[2] - c[0]) + abs_of(c[1] - c[0])) * 0.5f * uv_scale_;
}

void VertexShadeContext::DPdUVW(Point3 dP[3], int channel) {
  if (channel < 0 || channel >= kMaxMapChannels || mesh_ == nullptr || face_num_ < 0 ||
      face_num_ >= mesh_->getNumFaces())
    return;
  FillMapCorners(channel);
  ComputeUVScale();
  Point3 points[3];
  CurrentFacePoints(points);
  Point3* basis = bump_basis_[channel];
  ComputeBumpVectors(map_corners_[channel], points, basis);
  for (int k = 0; k < 3; ++k) {
    basis[k] = Normalize(basis[k]);
    dP[k] = basis[k];
  }
}

void VertexShadeContext::GetBGColor(Color& bg, Color& transp, BOOL) {
  bg = Color(0, 0, 0);
  transp = Color(0, 0, 0);
}

Point3 VertexShadeContext::PointTo(const Point3& p, RefFrame ito) {
  return ito == REF_OBJECT ? p * world_to_obj_ : p;
}

Point3 VertexShadeContext::PointFrom(const Point3& p, RefFrame ifrom) {
  return ifrom == REF_OBJECT ? p * obj_to_world_ : p;
}

Point3 VertexShadeContext::VectorTo(const Point3& p, RefFrame ito) {
  return ito == REF_OBJECT ? VectorTransform(p, world_to_obj_) : p;
}

Point3 VertexShadeContext::VectorFrom(const Point3& p, RefFrame ifrom) {
  return ifrom == REF_OBJECT ? VectorTransform(p, obj_to_world_) : p;
}
