// The objects table: every object a node shows (and every base object of a
// modifier stack), by class; the class's own table holds the rest.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kObjectsTable).c_str());
  for (const ObjectRow& o : data.objects)
    s.bind(o.id).bind(o.super_class).bind(o.class_a).bind(o.class_b).bind(o.base).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kObjectsTable).c_str());
  while (q.next_row()) data.objects.push_back({q.id(0), q.u32(1), q.u32(2), q.u32(3), q.id_or_none(4)});
}

}  // namespace

const Table kObjectsTable{"objects",
                          "id INTEGER NOT NULL, super_class INTEGER NOT NULL, class_a INTEGER NOT NULL, "
                          "class_b INTEGER NOT NULL, base INTEGER NOT NULL",
                          write, read};

}  // namespace scenefile
