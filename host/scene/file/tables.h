// The scene file's tables: each kind of thing is one table with one writer
// and one reader, in a file of its own (table_*.cpp). Rows keep their order
// through their rowid; the format is described in docs/scene-file-format.md.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "scene_data.h"
#include "sqlite_db.h"

namespace scenefile {

struct Table {
  const char* name;
  const char* columns;  // the column list of its CREATE TABLE
  void (*write)(Db& db, const SceneData& data);
  void (*read)(Db& db, SceneData& data);
};

// Every table, in the order they are written and read.
const std::vector<const Table*>& all_tables();

// "INSERT INTO <table> VALUES (?, ...)" with one parameter per column.
std::string insert_sql(const Table& table);
// "SELECT <columns> FROM <table> ORDER BY rowid" with the table's columns.
std::string select_sql(const Table& table);

// The blob helpers shared by several tables; what names the column in the
// error a blob of the wrong size gives.
Bytes pack_floats(std::initializer_list<float> values);
// Exactly count floats.
std::vector<float> unpack_floats(const Bytes& blob, std::size_t count, const char* what);
Bytes pack_quat(const Quat& q);
Quat unpack_quat(const Bytes& blob, const char* what);
Bytes pack_color(const AColor& c);
AColor unpack_color(const Bytes& blob, const char* what);
Bytes pack_points(const std::vector<Point3>& points);
std::vector<Point3> unpack_points(const Bytes& blob, const char* what);
Bytes pack_point(const Point3& p);
Point3 unpack_point(const Bytes& blob, const char* what);
Bytes pack_matrix(const Matrix3& m);
Matrix3 unpack_matrix(const Bytes& blob, const char* what);
Bytes pack_bits(const BitArray& bits);
BitArray unpack_bits(const Bytes& blob, const char* what);

extern const Table kSchemaTable;
extern const Table kEnvironmentTable;
extern const Table kNodesTable;
extern const Table kObjectsTable;
extern const Table kParamsTable;
extern const Table kMeshesTable;
extern const Table kMapChannelsTable;
extern const Table kLightsTable;
extern const Table kExclusionsTable;
extern const Table kCamerasTable;
extern const Table kTargetsTable;
extern const Table kModifiersTable;
extern const Table kControllersTable;
extern const Table kKeysTable;
extern const Table kMaterialsTable;
extern const Table kStandardMaterialsTable;
extern const Table kMapSlotsTable;
extern const Table kSubMaterialsTable;
extern const Table kTwoColorMapsTable;
extern const Table kBitmapMapsTable;
extern const Table kMapCoordsTable;
extern const Table kAppDataTable;
extern const Table kXRefsTable;
extern const Table kRendererTable;
extern const Table kRadiosityTable;
extern const Table kGlobalsTable;

}  // namespace scenefile
