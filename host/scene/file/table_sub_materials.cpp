// The sub_materials table: a multi/sub-object material's entries in list
// order, each with its sub-material (0: none) and material ID (as faces
// carry it, from 0).
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kSubMaterialsTable).c_str());
  for (const SubMaterialRow& m : data.sub_materials) s.bind(m.material).bind(m.sub).bind(m.mtl_id).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kSubMaterialsTable).c_str());
  while (q.next_row())
    data.sub_materials.push_back({q.id(0), q.id_or_none(1), static_cast<int>(q.integer_in(2, 0, 0xFFFF))});
}

}  // namespace

const Table kSubMaterialsTable{
    "sub_materials", "material INTEGER NOT NULL, sub INTEGER NOT NULL, mtl_id INTEGER NOT NULL", write, read};

}  // namespace scenefile
