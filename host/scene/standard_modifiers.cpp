// Bend, UVW Map and Volume Select.
#include "standard_modifiers.h"

#include <algorithm>
#include <cmath>

#include "host/triobject.h"

namespace {

constexpr float kPi = 3.14159265358979f;

Mesh& mesh_of(ObjectState* os) { return static_cast<TriObject*>(os->obj)->GetMesh(); }

// The point's coordinates with the bend axis last: (a, b, along).
Point3 to_axis_frame(const Point3& p, int axis) {
  if (axis == 0) return Point3(p.y, p.z, p.x);
  if (axis == 1) return Point3(p.z, p.x, p.y);
  return p;
}
Point3 from_axis_frame(const Point3& p, int axis) {
  if (axis == 0) return Point3(p.z, p.x, p.y);
  if (axis == 1) return Point3(p.y, p.z, p.x);
  return p;
}

}  // namespace

BendModifier::BendModifier()
    : ParamModifier("Bend", "Bend", {{"angle", false, 0}, {"direction", false, 0}, {"axis", true, 2}}) {}

void BendModifier::ModifyObject(TimeValue, ModContext& mc, ObjectState* os, INode*) {
  int axis = GetInt(kAxis) < 0 || GetInt(kAxis) > 2 ? 2 : GetInt(kAxis);
  float angle = Get(kAngle) * kPi / 180.0f;
  float direction = Get(kDirection) * kPi / 180.0f;
  Point3 extent = to_axis_frame(mc.box.pmax - mc.box.pmin, axis);
  float height = extent.z;
  if (angle == 0.0f || !(height > 0.0f)) return;
  // Step 1: the bend's plane is the axis and the direction turned about it.
  float c = std::cos(direction), s = std::sin(direction);
  float radius = height / angle;
  Mesh& mesh = mesh_of(os);
  for (int i = 0; i < mesh.getNumVerts(); ++i) {
    Point3 p = to_axis_frame(mesh.getVert(i) * mc.tm, axis);
    float across = p.x * c + p.y * s;  // within the bend's plane
    float side = -p.x * s + p.y * c;   // across it, unchanged
    // Step 2: the height turns into an angle on a circle of that radius.
    float turn = angle * p.z / height;
    float r = radius - across;
    float bent_across = radius - r * std::cos(turn);
    float bent_along = r * std::sin(turn);
    Point3 q(bent_across * c - side * s, bent_across * s + side * c, bent_along);
    Matrix3 back;
    Point3 local = from_axis_frame(q, axis);
    mesh.setVert(i, Inverse(mc.tm, &back) ? local * back : local);
  }
  mesh.InvalidateGeomCache();
}

UVWMapModifier::UVWMapModifier()
    : ParamModifier("Uvwmap", "UVW Map",
                    {{"maptype", true, 0},
                     {"length", false, 0},
                     {"width", false, 0},
                     {"height", false, 0},
                     {"utile", false, 1},
                     {"vtile", false, 1},
                     {"wtile", false, 1},
                     {"mapChannel", true, 1}}) {}

void UVWMapModifier::ModifyObject(TimeValue, ModContext& mc, ObjectState* os, INode*) {
  Mesh& mesh = mesh_of(os);
  int channel = GetInt(kMapChannel);
  // A size of 0 fits the gizmo to the object's box.
  Point3 size = mc.box.pmax - mc.box.pmin;
  float length = Get(kLength) > 0 ? Get(kLength) : size.y;
  float width = Get(kWidth) > 0 ? Get(kWidth) : size.x;
  Point3 centre = (mc.box.pmin + mc.box.pmax) * 0.5f;
  int n = mesh.getNumVerts();
  mesh.setMapSupport(channel, TRUE);
  mesh.setNumMapVerts(channel, n);
  mesh.setNumMapFaces(channel, mesh.getNumFaces());
  UVVert* uv = mesh.mapVerts(channel);
  for (int i = 0; i < n; ++i) {
    Point3 p = mesh.getVert(i) * mc.tm - centre;
    float u, v;
    if (GetInt(kMapType) == 2) {
      float r = Length(p);
      u = std::atan2(p.y, p.x) / (2 * kPi) + 0.5f;
      v = r > 0 ? std::asin(std::clamp(p.z / r, -1.0f, 1.0f)) / kPi + 0.5f : 0.5f;
    } else {
      u = width > 0 ? p.x / width + 0.5f : 0.5f;
      v = length > 0 ? p.y / length + 0.5f : 0.5f;
    }
    uv[i] = UVVert(u * Get(kUTile), v * Get(kVTile), 0);
  }
  TVFace* faces = mesh.mapFaces(channel);
  for (int f = 0; f < mesh.getNumFaces(); ++f)
    faces[f].setTVerts(static_cast<int>(mesh.faces[f].v[0]), static_cast<int>(mesh.faces[f].v[1]),
                       static_cast<int>(mesh.faces[f].v[2]));
}

VolSelectModifier::VolSelectModifier()
    : ParamModifier("Vol__Select", "Vol. Select",
                    {{"level", true, 1}, {"length", false, 0}, {"width", false, 0}, {"height", false, 0}}) {}

void VolSelectModifier::ModifyObject(TimeValue, ModContext& mc, ObjectState* os, INode*) {
  Mesh& mesh = mesh_of(os);
  int level = GetInt(kLevel);
  if (level <= 0) {
    mesh.selLevel = MESH_OBJECT;
    return;
  }
  // The volume: the object's box, or a box of the given size round its centre.
  Box3 volume = mc.box;
  Point3 centre = (mc.box.pmin + mc.box.pmax) * 0.5f;
  Point3 half(Get(kWidth) / 2, Get(kLength) / 2, Get(kHeight) / 2);
  if (half.x > 0 || half.y > 0 || half.z > 0) volume = Box3(centre - half, centre + half);
  auto inside = [&](const Point3& p) {
    Point3 q = p * mc.tm;
    return q.x >= volume.pmin.x && q.x <= volume.pmax.x && q.y >= volume.pmin.y && q.y <= volume.pmax.y &&
           q.z >= volume.pmin.z && q.z <= volume.pmax.z;
  };
  mesh.vertSel.SetSize(mesh.getNumVerts(), false);
  mesh.faceSel.SetSize(mesh.getNumFaces(), false);
  for (int i = 0; i < mesh.getNumVerts(); ++i)
    if (inside(mesh.getVert(i))) mesh.vertSel.Set(i);
  if (level == 1) {
    mesh.selLevel = MESH_VERTEX;
    return;
  }
  for (int f = 0; f < mesh.getNumFaces(); ++f) {
    const Face& face = mesh.faces[f];
    if (mesh.vertSel[static_cast<int>(face.v[0])] && mesh.vertSel[static_cast<int>(face.v[1])] &&
        mesh.vertSel[static_cast<int>(face.v[2])])
      mesh.faceSel.Set(f);
  }
  mesh.selLevel = MESH_FACE;
}
