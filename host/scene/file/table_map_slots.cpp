// The map_slots table: each of a standard material's map slots, with the
// map it holds (0: none) and its on/off switch.
#include "host/materials.h"
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kMapSlotsTable).c_str());
  for (const MapSlotRow& m : data.map_slots)
    s.bind(m.material).bind(m.slot).bind(m.map).bind(m.enabled).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kMapSlotsTable).c_str());
  while (q.next_row())
    data.map_slots.push_back(
        {q.id(0), static_cast<int>(q.integer_in(1, 0, NTEXMAPS - 1)), q.id_or_none(2), q.boolean(3)});
}

}  // namespace

const Table kMapSlotsTable{
    "map_slots",
    "material INTEGER NOT NULL, slot INTEGER NOT NULL, map INTEGER NOT NULL, enabled INTEGER NOT NULL", write,
    read};

}  // namespace scenefile
