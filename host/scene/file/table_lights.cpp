// The lights table: every setting of a standard light; the nodes of its
// include/exclude list are in the exclusions table.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kLightsTable).c_str());
  for (const LightRow& l : data.lights)
    s.bind(l.object)
        .bind(l.type)
        .bind(pack_point(l.color))
        .bind(l.intensity)
        .bind(l.on)
        .bind(l.shadow)
        .bind(l.hotspot)
        .bind(l.falloff)
        .bind(l.excl_flags)
        .run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kLightsTable).c_str());
  while (q.next_row())
    data.lights.push_back({q.id(0), static_cast<int>(q.integer_in(1, 0, 4)),
                           unpack_point(q.blob(2), "lights.color"), q.real(3), q.boolean(4), q.boolean(5),
                           q.real(6), q.real(7), q.u32(8)});
}

}  // namespace

const Table kLightsTable{"lights",
                         "object INTEGER NOT NULL, type INTEGER NOT NULL, color BLOB NOT NULL, "
                         "intensity INTEGER NOT NULL, enabled INTEGER NOT NULL, shadow INTEGER NOT NULL, "
                         "hotspot INTEGER NOT NULL, falloff INTEGER NOT NULL, excl_flags INTEGER NOT NULL",
                         write, read};

}  // namespace scenefile
