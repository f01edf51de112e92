// The list of tables and the helpers they share.
#include "tables.h"

#include <sstream>

#include "bytes.h"

namespace scenefile {

const std::vector<const Table*>& all_tables() {
  static const std::vector<const Table*> tables{&kSchemaTable,       &kEnvironmentTable,
                                                &kNodesTable,        &kObjectsTable,
                                                &kParamsTable,       &kMeshesTable,
                                                &kMapChannelsTable,  &kLightsTable,
                                                &kExclusionsTable,   &kCamerasTable,
                                                &kTargetsTable,      &kModifiersTable,
                                                &kMaterialsTable,    &kStandardMaterialsTable,
                                                &kMapSlotsTable,     &kSubMaterialsTable,
                                                &kTwoColorMapsTable, &kBitmapMapsTable,
                                                &kMapCoordsTable,    &kAppDataTable,
                                                &kXRefsTable,        &kRendererTable,
                                                &kRadiosityTable,    &kGlobalsTable,
                                                &kControllersTable,  &kKeysTable};
  return tables;
}

namespace {

// The column names of a column list: the first word of each entry.
std::vector<std::string> column_names(const Table& table) {
  std::vector<std::string> names;
  std::stringstream list(table.columns);
  std::string entry;
  while (std::getline(list, entry, ',')) {
    std::stringstream words(entry);
    std::string name;
    words >> name;
    names.push_back(name);
  }
  return names;
}

}  // namespace

std::string insert_sql(const Table& table) {
  std::string sql = std::string("INSERT INTO ") + table.name + " VALUES (";
  std::size_t n = column_names(table).size();
  for (std::size_t i = 0; i < n; ++i) sql += i == 0 ? "?" : ", ?";
  return sql + ")";
}

std::string select_sql(const Table& table) {
  std::string sql = "SELECT ";
  auto names = column_names(table);
  for (std::size_t i = 0; i < names.size(); ++i) sql += (i == 0 ? "" : ", ") + names[i];
  return sql + " FROM " + table.name + " ORDER BY rowid";
}

Bytes pack_floats(std::initializer_list<float> values) {
  ByteWriter w;
  for (float f : values) w.f32(f);
  return w.result();
}

std::vector<float> unpack_floats(const Bytes& blob, std::size_t count, const char* what) {
  ByteReader r(blob, what);
  std::vector<float> out(count);
  for (float& f : out) f = r.f32();
  r.finish();
  return out;
}

Bytes pack_quat(const Quat& q) { return pack_floats({q.x, q.y, q.z, q.w}); }

Quat unpack_quat(const Bytes& blob, const char* what) {
  auto f = unpack_floats(blob, 4, what);
  return Quat(f[0], f[1], f[2], f[3]);
}

Bytes pack_color(const AColor& c) { return pack_floats({c.r, c.g, c.b, c.a}); }

AColor unpack_color(const Bytes& blob, const char* what) {
  auto f = unpack_floats(blob, 4, what);
  return AColor(f[0], f[1], f[2], f[3]);
}

Bytes pack_points(const std::vector<Point3>& points) {
  ByteWriter w;
  for (const Point3& p : points) w.point3(p);
  return w.result();
}

std::vector<Point3> unpack_points(const Bytes& blob, const char* what) {
  ByteReader r(blob, what);
  std::vector<Point3> points(blob.size() / 12);
  for (Point3& p : points) p = r.point3();
  r.finish();
  return points;
}

Bytes pack_point(const Point3& p) {
  ByteWriter w;
  w.point3(p);
  return w.result();
}

Point3 unpack_point(const Bytes& blob, const char* what) {
  ByteReader r(blob, what);
  Point3 p = r.point3();
  r.finish();
  return p;
}

Bytes pack_matrix(const Matrix3& m) {
  ByteWriter w;
  w.matrix3(m);
  return w.result();
}

Matrix3 unpack_matrix(const Bytes& blob, const char* what) {
  ByteReader r(blob, what);
  Matrix3 m = r.matrix3();
  r.finish();
  return m;
}

// One byte a bit, 0 or 1: simple, and selections are small beside meshes.
Bytes pack_bits(const BitArray& bits) {
  Bytes out(static_cast<std::size_t>(bits.GetSize()));
  for (int i = 0; i < bits.GetSize(); ++i) out[static_cast<std::size_t>(i)] = bits[i] ? 1 : 0;
  return out;
}

BitArray unpack_bits(const Bytes& blob, const char* what) {
  BitArray bits(static_cast<int>(blob.size()));
  for (std::size_t i = 0; i < blob.size(); ++i) {
    if (blob[i] > 1) throw FileError(std::string(what) + host::msg::kSceneFileNotABit);
    bits.Set(static_cast<int>(i), blob[i] == 1);
  }
  return bits;
}

}  // namespace scenefile
