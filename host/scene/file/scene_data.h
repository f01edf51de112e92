// The scene as plain data: what a scene file holds, row by row. Saving
// captures the scene into it and writes it; loading reads and checks it
// whole before anything in the scene changes, then builds the scene from it.
// Rows refer to each other by id (from 1; 0 is "none"), never by pointer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/geometry.h"
#include "host/interval.h"
#include "host/mesh.h"
#include "host/plugin_classes.h"
#include "sqlite_db.h"

namespace scenefile {

using Id = std::int64_t;

// What an app data chunk, a parameter or a controller belongs to (kNone:
// a controller that is a part of another).
enum class Owner { kNone = 0, kNode = 1, kObject = 2, kModifier = 3, kMaterial = 4, kController = 5 };

struct AppDataRow {
  Owner owner_kind;
  Id owner;
  ULONG class_a, class_b;
  SClass_ID super_class;
  DWORD sub_id;
  Bytes bytes;  // the chunk's length is the blob's
};

struct NodeRow {
  Id id;
  Id parent;  // 0: a top-level node
  std::string name;
  Matrix3 local_tm;  // relative to the parent
  Point3 offset_pos, offset_scale;
  Quat offset_rot;
  bool hidden, cast_shadows, receive_shadows, renderable, selected;
  DWORD wire_color;
  Id material;  // 0: none
  Id object;
};

// Every object nodes show; the class decides which other table holds the
// rest of it. A derived object (a modifier stack) names its base object.
// Instances share one object; a reference's stack shares its base.
struct ObjectRow {
  Id id;
  SClass_ID super_class;
  ULONG class_a, class_b;
  Id base;  // the stack's base object; 0 for other objects
};

// A named parameter of an object or modifier (host/param_list.h).
struct ParamRow {
  Owner owner_kind;
  Id owner;
  std::string name;
  float value;
};

struct MeshRow {
  Id object;
  std::vector<Point3> verts;
  std::vector<Face> faces;
  BitArray vert_sel, face_sel;
  DWORD sel_level;
  int num_maps;
};

// A map channel in use; channels not in use have no row.
struct MapChannelRow {
  Id object;
  int channel;
  std::vector<UVVert> verts;
  std::vector<TVFace> faces;
};

struct LightRow {
  Id object;
  int type;
  Point3 color;
  float intensity;
  bool on, shadow;
  float hotspot, falloff;
  ULONG excl_flags;
};

// One node of a light's include/exclude list, in list order.
struct ExclusionRow {
  Id light;
  Id node;
};

struct CameraRow {
  Id object;
  float fov;
};

struct TargetRow {
  Id object;
  SClass_ID owner;  // the super class of what aims at it
};

// A modifier on a stack, in order from the top.
struct ModifierRow {
  Id id;
  Id stack;
  ULONG class_a, class_b;
  std::string name;
  bool enabled;
  Matrix3 gizmo_tm;
  Point3 box_min, box_max;
  Id warp_node;  // a space-warp binding's warp; 0: none (or a binding that does nothing)
};

// A controller: the transform of a node (slot 0), a light's colour (slot 0)
// or multiplier (slot 1), or a part of another controller (its sub-controller
// number sub). Parts come after the controller they belong to. Key
// controllers keep their flag word and the value they give while they have
// no keys: a float (4 bytes) or a point (12 bytes), as their keys' values.
struct ControllerRow {
  Id id;
  Id parent;         // 0: a controller of an owner
  int sub;           // the slot on the owner, or the part's number
  Owner owner_kind;  // kNode or kObject; kNone for parts
  Id owner;
  SClass_ID super_class;
  ULONG class_a, class_b;
  DWORD flags;
  Bytes value;  // empty for controllers made of parts
  Id target;    // a LookAt's target node; 0: none
};

// A key of a key controller, in time order.
struct KeyRow {
  Id controller;
  TimeValue time;
  Bytes value;
};

// Materials and maps alike.
struct MaterialRow {
  Id id;
  SClass_ID super_class;
  ULONG class_a;
  std::string name;
};

struct StandardMaterialRow {
  Id material;
  Color ambient, diffuse, specular;
  float glossiness, specular_level, self_illum, opacity;
};

// A standard material's map slot that holds a map or is switched off.
struct MapSlotRow {
  Id material;
  int slot;
  Id map;  // 0: none
  bool enabled;
};

// A multi/sub-object material's entry, in list order.
struct SubMaterialRow {
  Id material;
  Id sub;  // 0: none
  int mtl_id;
};

struct TwoColorMapRow {
  Id map;
  AColor color1, color2;
  float size;
};

struct BitmapMapRow {
  Id map;
  std::string file_name;
};

struct MapCoordsRow {
  Id map;
  int channel;
  float u_tiling, v_tiling, u_offset, v_offset;
};

struct XRefRow {
  std::string file;
  int id;
  bool resolved;
};

// The scene-wide settings: one row.
struct EnvironmentRow {
  Point3 ambient;
  int slider_time = 0;
  int next_xref_id = 1;
};

// The current renderer (none: the default scanline renderer on demand).
struct RendererRow {
  ULONG class_a, class_b;
  // The scanline renderer's settings, in the order of its Settings.
  std::vector<std::int64_t> switches;
  std::vector<float> numbers;
};

struct RadiosityRow {
  ULONG class_a, class_b;
  bool active;
};

// A persistent global and its value, encoded (global_values.h).
struct GlobalRow {
  std::string name;
  Bytes value;
};

struct SceneData {
  int version = 0;
  std::vector<NodeRow> nodes;  // parents before children, siblings in order
  std::vector<ObjectRow> objects;
  std::vector<ParamRow> params;
  std::vector<MeshRow> meshes;
  std::vector<MapChannelRow> map_channels;
  std::vector<LightRow> lights;
  std::vector<ExclusionRow> exclusions;
  std::vector<CameraRow> cameras;
  std::vector<TargetRow> targets;
  std::vector<ModifierRow> modifiers;
  std::vector<ControllerRow> controllers;  // parts after what they belong to
  std::vector<KeyRow> keys;
  std::vector<MaterialRow> materials;
  std::vector<StandardMaterialRow> standard_materials;
  std::vector<MapSlotRow> map_slots;
  std::vector<SubMaterialRow> sub_materials;
  std::vector<TwoColorMapRow> two_color_maps;
  std::vector<BitmapMapRow> bitmap_maps;
  std::vector<MapCoordsRow> map_coords;
  std::vector<AppDataRow> app_data;  // in each owner's order
  std::vector<XRefRow> xrefs;
  EnvironmentRow environment;
  std::vector<RendererRow> renderer;    // at most one
  std::vector<RadiosityRow> radiosity;  // at most one
  std::vector<GlobalRow> globals;
};

}  // namespace scenefile
