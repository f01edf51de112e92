// The bitmap_maps table: a bitmap map's file name.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kBitmapMapsTable).c_str());
  for (const BitmapMapRow& m : data.bitmap_maps) s.bind(m.map).bind(m.file_name).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kBitmapMapsTable).c_str());
  while (q.next_row()) data.bitmap_maps.push_back({q.id(0), q.text(1)});
}

}  // namespace

const Table kBitmapMapsTable{"bitmap_maps", "map INTEGER NOT NULL, file_name TEXT NOT NULL", write, read};

}  // namespace scenefile
