#include "shadow_rays.h"

#include "light_records.h"
#include "mesh_instances.h"
#include "vertex_shade_context.h"

bool RayHitsBox(const ShadowRay& ray, const Box3& box) {
  float t_low = 0.0f, t_high = 1.0e30f;
  for (int a = 0; a < 3; ++a) {
    float d = ray.dir[a], o = ray.origin[a];
    if (d != 0.0f) {
      float t0 = (box.pmin[a] - o) / d, t1 = (box.pmax[a] - o) / d;
      if (d < 0.0f) std::swap(t0, t1);
      if (t0 > t_low) t_low = t0;
      if (t1 < t_high) t_high = t1;
      if (t_low > t_high || t_high < 0.0f) return false;
    } else if (o < box.pmin[a] || o > box.pmax[a]) {
      return false;
    }
  }
  return true;
}

bool RayNearSphere(const ShadowRay& ray, const MeshInstance& instance) {
  Point3 oc = instance.center - ray.origin;
  float b = DotProd(ray.dir, oc);
  return b * b + (instance.radiusSq - DotProd(oc, oc)) >= 0.0f;
}

PreparedTriangle PrepareTriangle(const Point3& q0, const Point3& q1, const Point3& q2) {
  PreparedTriangle t;
  t.q0 = q0;
  t.e1 = q1 - q0;
  t.e2 = q2 - q0;
  t.n = Normalize(CrossProd(t.e1, t.e2));
  t.d = -DotProd(t.n, q0);
  t.det = DotProd(CrossProd(t.e1, t.e2), t.n);
  if (t.det == 0.0f) t.det = 0.001f;
  return t;
}

bool RayTriangleHit(const ShadowRay& ray, const PreparedTriangle& t, Point3& hit) {
  float denom = DotProd(t.n, ray.dir);
  if (!(denom < 0.0f)) return false;
  float s = -(DotProd(t.n, ray.origin) + t.d) / denom;
  if (s < 0.0f) return false;
  Point3 h = ray.origin + ray.dir * s;
  // H - q0 = v e1 + w e2 + k n, solved by Cramer's rule.
  Point3 offset = h - t.q0;
  float v = DotProd(CrossProd(offset, t.e2), t.n) / t.det;
  float w = DotProd(CrossProd(t.e1, offset), t.n) / t.det;
  float u = 1.0f - v - w;
  auto within = [](float x) { return x >= 0.0f && x <= 1.0f; };
  if (!within(u) || !within(v) || !within(w)) return false;
  hit = h;
  return true;
}

bool RayTriangleHit(const ShadowRay& ray, const Point3& q0, const Point3& q1, const Point3& q2, Point3& hit) {
  return RayTriangleHit(ray, PrepareTriangle(q0, q1, q2), hit);
}

bool NearestRayMeshHit(ShadowRay& ray, const MeshInstance& instance) {
  if (instance.mesh == nullptr) return false;
  float best = 1.0e30f;
  bool found = false;
  for (int f = 0; f < instance.mesh->getNumFaces(); ++f) {
    Point3 h;
    if (!RayTriangleHit(ray, instance.RayCorner(f, 0), instance.RayCorner(f, 1), instance.RayCorner(f, 2), h))
      continue;
    float distance = Length(h - ray.origin);
    if (distance < best) {
      ray.hit = h;
      best = distance;
      found = true;
    }
  }
  return found;
}

namespace {

// The nearest hit is nearer than distance exactly when some hit is, so the
// first such hit decides.
bool blocked_within(const ShadowRay& ray, const TriangleBvh::SearchRay& search, const MeshInstance& instance,
                    float distance) {
  if (instance.mesh == nullptr) return false;
  auto blocks = [&](const PreparedTriangle& t) {
    Point3 h;
    return RayTriangleHit(ray, t, h) && Length(h - ray.origin) < distance;
  };
  if (instance.bvh != nullptr)
    return instance.bvh->AnyHit(search, distance, [&](const TriangleBvh::Leaf& leaf) { return blocks(leaf.tri); });
  for (int f = 0; f < instance.mesh->getNumFaces(); ++f)
    if (blocks(PrepareTriangle(instance.RayCorner(f, 0), instance.RayCorner(f, 1), instance.RayCorner(f, 2))))
      return true;
  return false;
}

}  // namespace

bool RayBlockedWithin(const ShadowRay& ray, const MeshInstance& instance, float distance) {
  return blocked_within(ray, TriangleBvh::PrepareRay(ray.origin, ray.dir), instance, distance);
}

namespace {

// Whether the light of record can be blocked for node at all: it is a
// scene light that casts shadows, and its list does not spare node.
bool can_be_blocked(const LightRecord& record, INode* node) {
  if (record.light == nullptr) return false;
  if (ExclusionLeavesOut(record.light, node, NT_AFFECT_SHADOWCAST)) return false;
  return record.light->GetShadow() != 0;
}

// The instance blocks when it passes the sphere and box tests and has a
// triangle nearer than distance. The search for the triangle comes first:
// its own boxes turn most rays away sooner than the two tests would, and
// they are asked only of the rays it finds a triangle for.
bool instance_blocks(const MeshInstance& instance, INode* node, const ShadowRay& ray,
                     const TriangleBvh::SearchRay& search, float distance) {
  if (instance.node == node || !instance.node->CastShadows()) return false;
  return blocked_within(ray, search, instance, distance) && RayNearSphere(ray, instance) &&
         RayHitsBox(ray, instance.bounds);
}

}  // namespace

bool LightHidden(const MeshInstanceList& instances, INode* node, const ShadowRay& ray, float distance,
                 int& last_blocker) {
  TriangleBvh::SearchRay search = TriangleBvh::PrepareRay(ray.origin, ray.dir);
  int count = static_cast<int>(instances.size());
  int last = last_blocker;
  if (last >= 0 && last < count && instance_blocks(*instances[last], node, ray, search, distance)) return true;
  for (int i = 0; i < count; ++i)
    if (i != last && instance_blocks(*instances[i], node, ray, search, distance)) {
      last_blocker = i;
      return true;
    }
  return false;
}

// A light is blocked when some other instance that casts shadows has a
// triangle between it and the point.
void VertexShadeContext::ApplyShadowOcclusion(const MeshInstanceList& instances) {
  for (LightRecord* record : master_) {
    record->blocked = 0;
    record->distance = Length(record->desc->LightPosition() - point_);
  }
  if (node_->RcvShadows()) {
    for (LightRecord* record : master_) {
      if (!can_be_blocked(*record, node_)) continue;
      ShadowRay ray;
      ray.origin = record->desc->LightPosition();
      ray.dir = Normalize(point_ - ray.origin);
      record->blocked = LightHidden(instances, node_, ray, record->distance, record->last_blocker) ? 1 : 0;
    }
  }
  active_.clear();
  for (LightRecord* record : master_)
    if (record->blocked == 0) active_.push_back(record);
  nLights = static_cast<int>(active_.size());
}
