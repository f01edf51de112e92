// The standard_materials table: a standard material's colours and amounts;
// its maps are in the map_slots table.
#include "tables.h"

namespace scenefile {
namespace {

Bytes pack_rgb(const Color& c) { return pack_floats({c.r, c.g, c.b}); }

Color unpack_rgb(const Bytes& blob, const char* what) {
  auto f = unpack_floats(blob, 3, what);
  return Color(f[0], f[1], f[2]);
}

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kStandardMaterialsTable).c_str());
  for (const StandardMaterialRow& m : data.standard_materials)
    s.bind(m.material)
        .bind(pack_rgb(m.ambient))
        .bind(pack_rgb(m.diffuse))
        .bind(pack_rgb(m.specular))
        .bind(m.glossiness)
        .bind(m.specular_level)
        .bind(m.self_illum)
        .bind(m.opacity)
        .run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kStandardMaterialsTable).c_str());
  while (q.next_row())
    data.standard_materials.push_back({q.id(0), unpack_rgb(q.blob(1), "standard_materials.ambient"),
                                       unpack_rgb(q.blob(2), "standard_materials.diffuse"),
                                       unpack_rgb(q.blob(3), "standard_materials.specular"), q.real(4),
                                       q.real(5), q.real(6), q.real(7)});
}

}  // namespace

const Table kStandardMaterialsTable{
    "standard_materials",
    "material INTEGER NOT NULL, ambient BLOB NOT NULL, diffuse BLOB NOT NULL, "
    "specular BLOB NOT NULL, glossiness INTEGER NOT NULL, "
    "specular_level INTEGER NOT NULL, self_illum INTEGER NOT NULL, "
    "opacity INTEGER NOT NULL",
    write, read};

}  // namespace scenefile
