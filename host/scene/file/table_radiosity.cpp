// The radiosity table: the scene's advanced-lighting plug-in and whether it
// is active; no row when the scene has none.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kRadiosityTable).c_str());
  for (const RadiosityRow& r : data.radiosity) s.bind(r.class_a).bind(r.class_b).bind(r.active).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kRadiosityTable).c_str());
  while (q.next_row()) data.radiosity.push_back({q.u32(0), q.u32(1), q.boolean(2)});
}

}  // namespace

const Table kRadiosityTable{
    "radiosity", "class_a INTEGER NOT NULL, class_b INTEGER NOT NULL, active INTEGER NOT NULL", write, read};

}  // namespace scenefile
