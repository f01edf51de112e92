// The app_data table: the app data chunks of nodes, objects, modifiers,
// materials and controllers, byte for byte, in each owner's order.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kAppDataTable).c_str());
  for (const AppDataRow& a : data.app_data)
    s.bind(static_cast<int>(a.owner_kind))
        .bind(a.owner)
        .bind(a.class_a)
        .bind(a.class_b)
        .bind(a.super_class)
        .bind(a.sub_id)
        .bind(a.bytes)
        .run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kAppDataTable).c_str());
  // Controllers (5) own chunks from version 2.
  std::int64_t last_kind = data.version < 2 ? 4 : 5;
  while (q.next_row())
    data.app_data.push_back({static_cast<Owner>(q.integer_in(0, 1, last_kind)), q.id(1), q.u32(2), q.u32(3),
                             q.u32(4), q.u32(5), q.blob(6)});
}

}  // namespace

const Table kAppDataTable{"app_data",
                          "owner_kind INTEGER NOT NULL, owner INTEGER NOT NULL, class_a INTEGER NOT NULL, "
                          "class_b INTEGER NOT NULL, super_class INTEGER NOT NULL, sub_id INTEGER NOT NULL, "
                          "bytes BLOB NOT NULL",
                          write, read};

}  // namespace scenefile
