// Scenes for the bake's tests, built through the host's contract: meshes
// from points, lights, materials; the scene is emptied after each test.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "host/core_interface.h"
#include "host/hold.h"
#include "host/lights.h"
#include "host/materials.h"
#include "host/triobject.h"

class BakeScene : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();

  void TearDown() override {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
    ip->SetAmbient(0, Point3(0, 0, 0));
    for (auto m = made_.rbegin(); m != made_.rend(); ++m) (*m)->DeleteThis();
    made_.clear();
  }

  // An editable mesh node of those points and faces (each face a triangle of
  // three point indices), at tm, in smoothing group group.
  INode* mesh_node(const std::vector<Point3>& points, const std::vector<std::vector<int>>& faces,
                   const Matrix3& tm = Matrix3::Identity(), DWORD group = 0) {
    TriObject* tri = CreateNewTriObject();
    Mesh& mesh = tri->GetMesh();
    mesh.setNumVerts(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) mesh.setVert(static_cast<int>(i), points[i]);
    mesh.setNumFaces(static_cast<int>(faces.size()));
    for (std::size_t f = 0; f < faces.size(); ++f) {
      mesh.faces[f].setVerts(faces[f][0], faces[f][1], faces[f][2]);
      mesh.faces[f].setSmGroup(group);
      mesh.faces[f].setEdgeVisFlags(1, 1, 1);
    }
    mesh.InvalidateTopologyCache();
    INode* node = ip->CreateObjectNode(tri);
    node->SetNodeTM(0, tm);
    node->SetWireColor(RGB(100, 50, 200));
    return node;
  }

  // A light of that class at pos, coloured rgb with that multiplier.
  INode* light_node(ULONG class_a, const Point3& pos, Point3 rgb = Point3(1, 1, 1), float multiplier = 1.0f) {
    auto* light = static_cast<GenLight*>(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(class_a, 0)));
    light->SetRGBColor(0, rgb);
    light->SetIntensity(0, multiplier);
    INode* node = ip->CreateObjectNode(light);
    node->SetNodeTM(0, TransMatrix(pos));
    return node;
  }
  GenLight* light_of(INode* node) { return static_cast<GenLight*>(node->GetObjectRef()); }

  // A material or map the test owns until its end.
  template <typename T>
  T* make(SClass_ID super, ULONG class_a) {
    auto* made = static_cast<T*>(ip->CreateInstance(super, Class_ID(class_a, 0)));
    made_.push_back(made);
    return made;
  }

 private:
  std::vector<MtlBase*> made_;
};
