// Triangle-mesh objects, and the primitives' conversion to them.
#include "host/triobject.h"

#include "host/primitives.h"
#include "host/simple_objects.h"

TriObject* CreateNewTriObject() { return new TriObject; }

int SimpleObject::CanConvertToType(Class_ID obtype) { return obtype == triObjectClassID ? 1 : 0; }

Object* SimpleObject::ConvertToType(TimeValue, Class_ID obtype) {
  if (obtype != triObjectClassID) return nullptr;
  TriObject* tri = CreateNewTriObject();
  BuildMesh(tri->GetMesh());
  return tri;
}

void BoxObject::BuildMesh(Mesh& mesh) const {
  build_box_mesh(mesh, GetFloat(kLength), GetFloat(kWidth), GetFloat(kHeight));
}

void SphereObject::BuildMesh(Mesh& mesh) const { build_sphere_mesh(mesh, GetFloat(kRadius), GetInt(kSegs)); }

void CylinderObject::BuildMesh(Mesh& mesh) const {
  build_cylinder_mesh(mesh, GetFloat(kRadius), GetFloat(kHeight), GetInt(kHeightSegs), GetInt(kSides));
}

void PlaneObject::BuildMesh(Mesh& mesh) const {
  build_plane_mesh(mesh, GetFloat(kLength), GetFloat(kWidth), GetInt(kLengthSegs), GetInt(kWidthSegs));
}

void TeapotObject::BuildMesh(Mesh& mesh) const {
  TeapotParts parts{GetInt(kBody) != 0, GetInt(kHandle) != 0, GetInt(kSpout) != 0, GetInt(kLid) != 0};
  build_teapot_mesh(mesh, GetFloat(kRadius), GetInt(kSegs), GetInt(kSmooth) != 0, parts,
                    GetInt(kMapCoords) != 0);
}
