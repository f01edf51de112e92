// The map_coords table: a map's texture coordinates (channel, tiling, offset).
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kMapCoordsTable).c_str());
  for (const MapCoordsRow& m : data.map_coords)
    s.bind(m.map).bind(m.channel).bind(m.u_tiling).bind(m.v_tiling).bind(m.u_offset).bind(m.v_offset).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kMapCoordsTable).c_str());
  while (q.next_row())
    data.map_coords.push_back({q.id(0), static_cast<int>(q.integer_in(1, INT32_MIN, INT32_MAX)), q.real(2),
                               q.real(3), q.real(4), q.real(5)});
}

}  // namespace

const Table kMapCoordsTable{"map_coords",
                            "map INTEGER NOT NULL, channel INTEGER NOT NULL, u_tiling INTEGER NOT NULL, "
                            "v_tiling INTEGER NOT NULL, u_offset INTEGER NOT NULL, v_offset INTEGER NOT NULL",
                            write, read};

}  // namespace scenefile
