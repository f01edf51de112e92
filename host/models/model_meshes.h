// Meshes between Assimp and the application: an Assimp mesh (one vertex per
// distinct corner) becomes a Mesh with shared geometric vertices and map
// channels of their own, and back.
#pragma once

#include <assimp/mesh.h>

#include "host/geometry.h"
#include "host/mesh.h"

namespace host::models {

// Fills mesh from an Assimp mesh: vertices welded by position, triangles
// only (points and lines are left out), the mesh's material index as every
// face's material ID, texture coordinates in map channel 1, the first
// vertex colours in map channel 0, and smoothing groups from the file's
// normals (without normals every face is in group 1).
void mesh_from_assimp(const aiMesh& from, Mesh& mesh);

// A new Assimp mesh of mesh's faces with every vertex transformed by tm:
// positions, normals (from the smoothing groups), channel 1 as texture
// coordinates and channel 0 as vertex colours when the mesh uses them.
aiMesh* assimp_from_mesh(const Mesh& mesh, const Matrix3& tm, const char* name);

}  // namespace host::models
