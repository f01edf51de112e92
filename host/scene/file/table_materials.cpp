// The materials table: every material and map the scene refers to, by
// class and name; the class's own table holds its settings.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kMaterialsTable).c_str());
  for (const MaterialRow& m : data.materials)
    s.bind(m.id).bind(m.super_class).bind(m.class_a).bind(m.name).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kMaterialsTable).c_str());
  while (q.next_row()) data.materials.push_back({q.id(0), q.u32(1), q.u32(2), q.text(3)});
}

}  // namespace

const Table kMaterialsTable{
    "materials",
    "id INTEGER NOT NULL, super_class INTEGER NOT NULL, class_a INTEGER NOT NULL, name TEXT NOT NULL", write,
    read};

}  // namespace scenefile
