// The two_color_maps table: a checker's or noise map's two colours and size.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kTwoColorMapsTable).c_str());
  for (const TwoColorMapRow& m : data.two_color_maps)
    s.bind(m.map).bind(pack_color(m.color1)).bind(pack_color(m.color2)).bind(m.size).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kTwoColorMapsTable).c_str());
  while (q.next_row())
    data.two_color_maps.push_back({q.id(0), unpack_color(q.blob(1), "two_color_maps.color1"),
                                   unpack_color(q.blob(2), "two_color_maps.color2"), q.real(3)});
}

}  // namespace

const Table kTwoColorMapsTable{
    "two_color_maps",
    "map INTEGER NOT NULL, color1 BLOB NOT NULL, color2 BLOB NOT NULL, size INTEGER NOT NULL", write, read};

}  // namespace scenefile
