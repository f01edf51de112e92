// The controllers table (from format version 2): the controllers of nodes'
// transforms and lights' colours and multipliers, each part of one after it.
#include <climits>

#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kControllersTable).c_str());
  for (const ControllerRow& c : data.controllers)
    s.bind(c.id)
        .bind(c.parent)
        .bind(c.sub)
        .bind(static_cast<int>(c.owner_kind))
        .bind(c.owner)
        .bind(c.super_class)
        .bind(c.class_a)
        .bind(c.class_b)
        .bind(c.flags)
        .bind(c.value)
        .bind(c.target)
        .run();
}

void read(Db& db, SceneData& data) {
  if (data.version < 2) return;  // controllers were kept as values only
  Statement q(db, select_sql(kControllersTable).c_str());
  while (q.next_row())
    data.controllers.push_back({q.id(0), q.id_or_none(1), static_cast<int>(q.integer_in(2, 0, INT_MAX)),
                                static_cast<Owner>(q.integer_in(3, 0, 2)), q.id_or_none(4), q.u32(5),
                                q.u32(6), q.u32(7), q.u32(8), q.blob(9), q.id_or_none(10)});
}

}  // namespace

const Table kControllersTable{"controllers",
                              "id INTEGER NOT NULL, parent INTEGER NOT NULL, sub INTEGER NOT NULL, "
                              "owner_kind INTEGER NOT NULL, owner INTEGER NOT NULL, "
                              "super_class INTEGER NOT NULL, class_a INTEGER NOT NULL, "
                              "class_b INTEGER NOT NULL, flags INTEGER NOT NULL, value BLOB NOT NULL, "
                              "target INTEGER NOT NULL",
                              write, read};

}  // namespace scenefile
