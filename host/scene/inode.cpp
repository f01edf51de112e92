// Scene nodes: hierarchy, transforms and settings, each change recorded for undo.
#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

#include "host/control.h"
#include "host/hold.h"
#include "host/script_context.h"
#include "host/space_warps.h"
#include "host/triobject.h"
#include "key_controllers.h"
#include "look_at_controller.h"
#include "node_restores.h"
#include "particle_objects.h"
#include "scene_internal.h"
#include "winapi/file_paths.h"

namespace {

// m relative to the frame parent; a parent frame with no inverse leaves m as it is.
Matrix3 relative_to(const Matrix3& m, const Matrix3& parent) {
  Matrix3 inverse;
  return Inverse(parent, &inverse) ? m * inverse : m;
}

}  // namespace

INode::INode(Object* object, bool is_root) : object_(object), is_root_(is_root) {}

INode::~INode() {
  // What aims at the node lets it go.
  NotifyDependents(FOREVER, PART_ALL, REFMSG_TARGET_DELETED, NOTIFY_ALL, FALSE);
  if (object_ != nullptr && Scene::get().release_object(object_)) object_->DeleteThis();
}

INode::State INode::state() const {
  return {name_,         local_tm_,        offset_pos_, offset_scale_, offset_rot_, hidden_,
          cast_shadows_, receive_shadows_, renderable_, wire_color_,   mtl_};
}

void INode::set_state(const State& s) {
  name_ = s.name;
  local_tm_ = s.local_tm;
  offset_pos_ = s.offset_pos;
  offset_scale_ = s.offset_scale;
  offset_rot_ = s.offset_rot;
  hidden_ = s.hidden;
  cast_shadows_ = s.cast_shadows;
  receive_shadows_ = s.receive_shadows;
  renderable_ = s.renderable;
  wire_color_ = s.wire_color;
  mtl_ = s.mtl;
}

void INode::hold_state() {
  if (theHold.Holding()) theHold.Put(new NodeStateRestore(this));
}

void INode::SetName(const char* name) {
  hold_state();
  name_ = name;
}

Matrix3 INode::parent_tm(TimeValue t) const {
  return parent_ != nullptr ? parent_->GetNodeTM(t) : Matrix3::Identity();
}

void INode::ControlDeleter::operator()(Control* c) const { c->DeleteThis(); }

Control* INode::GetTMController() {
  if (is_root_) return nullptr;
  if (tm_control_ == nullptr) tm_control_.reset(new host::scene::PRSController(local_tm_));
  return tm_control_.get();
}

bool INode::TransformAnimated() const { return tm_control_ != nullptr && tm_control_->IsAnimated(); }

host::scene::LookAtController* INode::look_at() const {
  return dynamic_cast<host::scene::LookAtController*>(tm_control_.get());
}

INode* INode::GetTarget() const {
  host::scene::LookAtController* look = look_at();
  INode* target = look != nullptr ? look->target() : nullptr;
  return target != nullptr && !target->deleted_ ? target : nullptr;
}

// Through the nodes in the scene only: a deleted one's links may name nodes
// already freed.
bool INode::TransformDependsOn(const INode* other) const {
  std::vector<const INode*> pending{this};
  std::unordered_set<const INode*> seen;
  while (!pending.empty()) {
    const INode* n = pending.back();
    pending.pop_back();
    if (n == nullptr || !seen.insert(n).second) continue;
    if (n == other) return true;
    pending.push_back(n->parent_);
    pending.push_back(n->GetTarget());
  }
  return false;
}

bool INode::SetTarget(INode* target) {
  if (is_root_ || (target != nullptr && target->TransformDependsOn(this))) return false;
  if (look_at() == nullptr) {
    auto look = std::make_unique<host::scene::LookAtController>(this, local_tm_at(0), nullptr);
    std::unique_ptr<Control, ControlDeleter> replaced(look.release());
    tm_control_.swap(replaced);
    // Script values may still name the controller replaced: it stays to the end of the run.
    if (theHold.Holding())
      theHold.Put(new NodeControllerRestore(this, std::move(replaced)));
    else if (replaced != nullptr)
      Scene::get().keep_controller(replaced.release());
  }
  look_at()->set_target(target);
  return true;
}

Matrix3 INode::own_tm_at(TimeValue t) const {
  if (tm_control_ == nullptr) return local_tm_;
  Matrix3 m;
  Interval valid = FOREVER;
  tm_control_->GetValue(t, &m, valid);
  return m;
}

Matrix3 INode::local_tm_at(TimeValue t) const {
  if (look_at() == nullptr) return own_tm_at(t);
  return relative_to(GetNodeTM(t), parent_tm(t));
}

// Without recursion, as chains of targets may be as long as scripts make
// them. A node a loop leads back to (undo or redo may bring one back) counts
// as absent there.
Matrix3 INode::world_tm_through_targets(TimeValue t) const {
  std::unordered_map<const INode*, Matrix3> world;
  std::unordered_set<const INode*> expanded;
  std::vector<const INode*> pending{this};
  auto parent_of = [](const INode* n) {
    return n->parent_ != nullptr && !n->parent_->is_root_ ? n->parent_ : nullptr;
  };
  while (!pending.empty()) {
    const INode* n = pending.back();
    if (world.count(n) != 0) {
      pending.pop_back();
      continue;
    }
    const INode* parent = parent_of(n);
    const INode* target = n->GetTarget();
    if (expanded.insert(n).second) {
      for (const INode* d : {parent, target})
        if (d != nullptr && world.count(d) == 0 && expanded.count(d) == 0) pending.push_back(d);
      continue;
    }
    pending.pop_back();
    Matrix3 parent_world =
        parent != nullptr && world.count(parent) != 0 ? world.at(parent) : Matrix3::Identity();
    if (host::scene::LookAtController* look = n->look_at()) {
      bool aimed = target != nullptr && world.count(target) != 0;
      Point3 target_pos = aimed ? world.at(target).GetTrans() : Point3();
      world[n] = look->world_tm(t, parent_world, aimed ? &target_pos : nullptr);
    } else {
      world[n] = n->own_tm_at(t) * parent_world;
    }
  }
  return world.at(this);
}

void INode::set_local_tm(TimeValue t, const Matrix3& local) {
  // A node that animates, or is about to, keeps its transform in its controller.
  if (tm_control_ == nullptr && Animating() && !is_root_) GetTMController();
  if (tm_control_ != nullptr) {
    Matrix3 m = local;
    tm_control_->SetValue(t, &m);
  } else {
    hold_state();
    local_tm_ = local;
  }
}

// Up the hierarchy without recursion: it may be as deep as scripts make it.
Matrix3 INode::GetNodeTM(TimeValue t) const {
  for (const INode* n = this; n != nullptr; n = n->parent_)
    if (n->look_at() != nullptr) return world_tm_through_targets(t);
  Matrix3 tm = own_tm_at(t);
  for (const INode* n = parent_; n != nullptr; n = n->parent_) tm = tm * n->own_tm_at(t);
  return tm;
}

void INode::SetNodeTM(TimeValue t, const Matrix3& tm) { set_local_tm(t, relative_to(tm, parent_tm(t))); }

Matrix3 INode::GetObjectTM(TimeValue t) const {
  Matrix3 offset = ScaleMatrix(offset_scale_) * QuatToMatrix(offset_rot_) * TransMatrix(offset_pos_);
  return offset * GetNodeTM(t);
}

void INode::SetObjOffsetPos(const Point3& p) {
  hold_state();
  offset_pos_ = p;
}

void INode::SetObjOffsetRot(const Quat& q) {
  hold_state();
  offset_rot_ = q;
}

void INode::SetObjOffsetScale(const Point3& s) {
  hold_state();
  offset_scale_ = s;
}

namespace {

bool is_world_space(Modifier* mod) { return mod->IsEnabled() && mod->SuperClassID() == WSM_CLASS_ID; }

bool has_world_space_modifiers(Object* object) {
  auto* stack = dynamic_cast<IDerivedObject*>(object);
  for (int i = 0; stack != nullptr && i < stack->NumModifiers(); ++i)
    if (is_world_space(stack->GetModifier(i))) return true;
  return false;
}

// The world-space modifiers act after the object-space ones, lowest first.
void apply_world_space_modifiers(Object* object, TimeValue t, ObjectState& os, INode* node) {
  auto* stack = dynamic_cast<IDerivedObject*>(object);
  for (int i = stack != nullptr ? stack->NumModifiers() - 1 : -1; i >= 0; --i)
    if (is_world_space(stack->GetModifier(i)))
      stack->GetModifier(i)->ModifyObject(t, *stack->GetModContext(i), &os, node);
}

}  // namespace

ObjectState INode::EvalWorldState(TimeValue t, BOOL) const {
  if (object_ == nullptr) return ObjectState{object_};
  Object* base = object_->FindBaseObject();
  INode* self = const_cast<INode*>(this);
  // A particle system works in world space from its emitter's place; bound
  // warps add their force fields to it.
  if (GetParticleInterface(base) != nullptr) {
    if (auto* spray = dynamic_cast<SprayObject*>(base)) spray->Update(GetObjectTM(t));
    ObjectState os{base};
    apply_world_space_modifiers(object_, t, os, self);
    return os;
  }
  if (base == object_) return ObjectState{object_};
  world_state_.reset(object_->ConvertToType(t, triObjectClassID));
  // Modifiers only act on meshes: an object that makes none shows as it is.
  if (world_state_ == nullptr) return ObjectState{base};
  ObjectState os{world_state_.get()};
  if (has_world_space_modifiers(object_)) {
    // World-space modifiers get the mesh in world space.
    Mesh& mesh = static_cast<TriObject*>(world_state_.get())->GetMesh();
    Matrix3 tm = GetObjectTM(t);
    for (int i = 0; i < mesh.getNumVerts(); ++i) mesh.setVert(i, mesh.getVert(i) * tm);
    mesh.InvalidateGeomCache();
    apply_world_space_modifiers(object_, t, os, self);
  }
  return os;
}

Matrix3 INode::GetObjTMAfterWSM(TimeValue t) const {
  if (object_ != nullptr && GetParticleInterface(object_->FindBaseObject()) == nullptr &&
      has_world_space_modifiers(object_))
    return Matrix3::Identity();
  return GetObjectTM(t);
}

void INode::SetObjectRef(Object* object) {
  if (object == nullptr || object == object_ || is_root_) return;
  Object* replaced = object_;
  object_ = object;
  if (Scene::get().nodes_showing(replaced).empty()) Scene::get().registry().object_deleted(replaced);
  node_changed_class(this);
  if (theHold.Holding())
    theHold.Put(new NodeObjectRestore(this, replaced));
  else
    Scene::get().retire_object(replaced);
}

void INode::Hide(BOOL on) {
  hold_state();
  hidden_ = on != FALSE;
}

void INode::SetCastShadows(BOOL on) {
  hold_state();
  cast_shadows_ = on != FALSE;
}

void INode::SetRcvShadows(BOOL on) {
  hold_state();
  receive_shadows_ = on != FALSE;
}

void INode::SetRenderable(BOOL on) {
  hold_state();
  renderable_ = on != FALSE;
}

void INode::SetWireColor(DWORD color) {
  hold_state();
  wire_color_ = color;
}

void INode::SetMtl(Mtl* mtl) {
  hold_state();
  mtl_ = mtl;
}

void INode::relink(INode* new_parent, int index, const Matrix3& local_tm) {
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  }
  parent_ = new_parent;
  auto& siblings = new_parent->children_;
  if (index < 0 || index > static_cast<int>(siblings.size())) index = static_cast<int>(siblings.size());
  siblings.insert(siblings.begin() + index, this);
  local_tm_ = local_tm;
  if (tm_control_ != nullptr) {
    // Linking moves an animated track as a whole; it plants no key.
    ScopedAnimateContext no_keys(false);
    Matrix3 m = local_tm;
    tm_control_->SetValue(0, &m);
  }
}

void INode::AttachChild(INode* child, int keepTM) {
  // A node whose transform depends on the child's (the child itself, a
  // descendant, or one aiming at either) cannot be its parent.
  if (child == nullptr || deleted_ || child->is_root_ || child->deleted_ || TransformDependsOn(child)) return;
  Matrix3 local = keepTM ? relative_to(child->GetNodeTM(0), GetNodeTM(0)) : child->local_tm_at(0);
  if (theHold.Holding()) {
    INode* old_parent = child->parent_;
    auto& siblings = old_parent->children_;
    int old_index = static_cast<int>(std::find(siblings.begin(), siblings.end(), child) - siblings.begin());
    theHold.Put(new NodeLinkRestore(child, old_parent, old_index, child->local_tm_at(0)));
  }
  child->relink(this, -1, local);
}

void INode::Detach(TimeValue, int keepTM) {
  if (is_root_ || deleted_) return;
  Scene::get().GetRootNode()->AttachChild(this, keepTM);
}

namespace {

bool file_exists(const char* file) {
  std::FILE* f = WinFopen(file, "rb");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}

}  // namespace

CStr INode::GetXRefFile(int i) const {
  return i >= 0 && i < GetXRefFileCount() ? CStr(xrefs_[i].file.c_str()) : CStr();
}

BOOL INode::SetXRefFile(int i, const char* file, BOOL reload) {
  if (i < 0 || i >= GetXRefFileCount() || file == nullptr) return FALSE;
  xrefs_[i].file = file;
  xrefs_[i].resolved = reload && file_exists(file);
  return TRUE;
}

BOOL INode::AddNewXRefFile(const char* file, BOOL loadNow) {
  if (file == nullptr || deleted_) return FALSE;
  xrefs_.push_back({file, loadNow && file_exists(file), next_xref_id_++});
  return TRUE;
}

BOOL INode::DeleteXRefFile(int i) {
  if (i < 0 || i >= GetXRefFileCount()) return FALSE;
  xrefs_.erase(xrefs_.begin() + i);
  return TRUE;
}

bool INode::XRefFileResolved(int i) const { return i >= 0 && i < GetXRefFileCount() && xrefs_[i].resolved; }
