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

bool RayTriangleHit(const ShadowRay& ray, const Point3& q0, const Point3& q1, const Point3& q2, Point3& hit) {
  Point3 e1 = q1 - q0, e2 = q2 - q0;
  Point3 n = Normalize(CrossProd(e1, e2));
  float d = -DotProd(n, q0);
  float denom = DotProd(n, ray.dir);
  if (!(denom < 0.0f)) return false;
  float s = -(DotProd(n, ray.origin) + d) / denom;
  if (s < 0.0f) return false;
  Point3 h = ray.origin + ray.dir * s;
  // H - q0 = v e1 + w e2 + k n, solved by Cramer's rule.
  Point3 offset = h - q0;
  float det = DotProd(CrossProd(e1, e2), n);
  if (det == 0.0f) det = 0.001f;
  float v = DotProd(CrossProd(offset, e2), n) / det;
  float w = DotProd(CrossProd(e1, offset), n) / det;
  float u = 1.0f - v - w;
  auto within = [](float x) { return x >= 0.0f && x <= 1.0f; };
  if (!within(u) || !within(v) || !within(w)) return false;
  hit = h;
  return true;
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

// The nearest hit is nearer than distance exactly when some hit is, so the
// first such hit decides.
bool RayBlockedWithin(const ShadowRay& ray, const MeshInstance& instance, float distance) {
  if (instance.mesh == nullptr) return false;
  auto blocks = [&](const Point3& q0, const Point3& q1, const Point3& q2) {
    Point3 h;
    return RayTriangleHit(ray, q0, q1, q2, h) && Length(h - ray.origin) < distance;
  };
  if (instance.bvh != nullptr)
    return instance.bvh->AnyHit(ray.origin, ray.dir, distance,
                                [&](const TriangleBvh::Triangle& t) { return blocks(t.q[0], t.q[1], t.q[2]); });
  for (int f = 0; f < instance.mesh->getNumFaces(); ++f)
    if (blocks(instance.RayCorner(f, 0), instance.RayCorner(f, 1), instance.RayCorner(f, 2))) return true;
  return false;
}

namespace {

// Whether the light of record can be blocked for node at all: it is a
// scene light that casts shadows, and its list does not spare node.
bool can_be_blocked(const LightRecord& record, INode* node) {
  if (record.light == nullptr) return false;
  if (ExclusionLeavesOut(record.light, node, NT_AFFECT_SHADOWCAST)) return false;
  return record.light->GetShadow() != 0;
}

bool instance_blocks(const MeshInstance& instance, INode* node, const ShadowRay& ray, float distance) {
  if (instance.node == node || !instance.node->CastShadows()) return false;
  if (!RayNearSphere(ray, instance) || !RayHitsBox(ray, instance.bounds)) return false;
  return RayBlockedWithin(ray, instance, distance);
}

}  // namespace

// A light is blocked when some other instance that casts shadows has a
// triangle between it and the point. The answer does not depend on the
// order the instances are asked in, so the one that blocked last is asked
// first: neighbouring points tend to share their blocker.
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
      int last = record->last_blocker;
      if (last >= 0 && last < static_cast<int>(instances.size()) &&
          instance_blocks(*instances[last], node_, ray, record->distance)) {
        record->blocked = 1;
        continue;
      }
      for (int i = 0; i < static_cast<int>(instances.size()); ++i) {
        if (i == last || !instance_blocks(*instances[i], node_, ray, record->distance)) continue;
        record->blocked = 1;
        record->last_blocker = i;
        break;
      }
    }
  }
  active_.clear();
  for (LightRecord* record : master_)
    if (record->blocked == 0) active_.push_back(record);
  nLights = static_cast<int>(active_.size());
}
