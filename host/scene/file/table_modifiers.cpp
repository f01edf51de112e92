// The modifiers table: the modifiers on each stack (a derived object), from
// the top, with their name, on/off switch and where they sit on the object;
// their parameters are in the params table.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kModifiersTable).c_str());
  for (const ModifierRow& m : data.modifiers)
    s.bind(m.id)
        .bind(m.stack)
        .bind(m.class_a)
        .bind(m.class_b)
        .bind(m.name)
        .bind(m.enabled)
        .bind(pack_matrix(m.gizmo_tm))
        .bind(pack_points({m.box_min, m.box_max}))
        .bind(m.warp_node)
        .run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kModifiersTable).c_str());
  while (q.next_row()) {
    ModifierRow m{q.id(0), q.id(1), q.u32(2), q.u32(3), q.text(4), q.boolean(5), {}, {}, {}, q.id_or_none(8)};
    m.gizmo_tm = unpack_matrix(q.blob(6), "modifiers.gizmo_tm");
    auto box = unpack_floats(q.blob(7), 6, "modifiers.box");
    m.box_min = Point3(box[0], box[1], box[2]);
    m.box_max = Point3(box[3], box[4], box[5]);
    data.modifiers.push_back(std::move(m));
  }
}

}  // namespace

const Table kModifiersTable{"modifiers",
                            "id INTEGER NOT NULL, stack INTEGER NOT NULL, class_a INTEGER NOT NULL, "
                            "class_b INTEGER NOT NULL, name TEXT NOT NULL, enabled INTEGER NOT NULL, "
                            "gizmo_tm BLOB NOT NULL, box BLOB NOT NULL, warp_node INTEGER NOT NULL",
                            write, read};

}  // namespace scenefile
