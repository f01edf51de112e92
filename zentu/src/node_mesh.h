// A scene node's triangle mesh at a time, for functions that only read it.
#pragma once

#include "host/maxscript.h"

// The node's evaluated object as a triangle-mesh object, or null when it
// cannot be one. releaseAfterUse is set when the object was made for the
// caller, who then deletes it (DeleteThis) after its last use.
TriObject* AcquireNodeMesh(TimeValue t, INode* node, bool& releaseAfterUse);

// Holds what AcquireNodeMesh gave and deletes it, if it was made for the
// call, however the call ends. Raises "Object is not a mesh" when the node
// has none.
class NodeMesh {
 public:
  NodeMesh(TimeValue t, INode* node);
  ~NodeMesh();
  NodeMesh(const NodeMesh&) = delete;
  NodeMesh& operator=(const NodeMesh&) = delete;
  Mesh& mesh() { return object_->GetMesh(); }

 private:
  TriObject* object_ = nullptr;
  bool release_ = false;
};

// The index of the vertex of mesh (which has some) nearest p, by a pass
// over all of them; of equally near ones the lowest.
int ClosestVertex(const Mesh& mesh, const Point3& p);

// Appends to hits the distance along the unit direction from a to b of
// every place where the segment a-b crosses a face of mesh (object space),
// and returns the number of hits. Faces of no area and faces whose plane
// holds the segment's direction are skipped.
int IntersectSegmentWithMesh(const Mesh& mesh, const Point3& a, const Point3& b, std::vector<float>& hits);
