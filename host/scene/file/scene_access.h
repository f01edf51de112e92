// What the scene file reaches inside nodes and the scene that plug-ins do
// not: a node's transform relative to its parent and its transform
// controller, its selection flag, the XRef list's numbers, and making and
// removing nodes wholesale.
#pragma once

#include <vector>

#include "host/control.h"
#include "host/inode.h"
#include "scene_data.h"

class Mtl;

class SceneFileAccess {
 public:
  // The transform relative to the parent at time t.
  static Matrix3 local_tm(const INode* node, TimeValue t) { return node->local_tm_at(t); }
  static bool selected(const INode* node) { return node->selected_; }
  // The node's transform controller, or null while it has none (its
  // transform is then fixed); setting one gives the node control (taken).
  static Control* tm_controller(const INode* node) { return node->tm_control_.get(); }
  static void set_tm_controller(INode* node, Control* control) { node->tm_control_.reset(control); }

  // A new node showing object (taken) last among parent's children, with
  // the row's settings; nothing is recorded for undo.
  static INode* add_node(Object* object, INode* parent, const scenefile::NodeRow& row, Mtl* mtl);

  static std::vector<scenefile::XRefRow> xrefs(int* next_id);
  static void set_xrefs(const std::vector<scenefile::XRefRow>& rows, int next_id);

  // Takes every node out of the scene and frees it; the script values of
  // the nodes, their objects and modifiers become deleted ones.
  static void remove_all_nodes();
};
