// The cameras table: a camera's field of view (radians).
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kCamerasTable).c_str());
  for (const CameraRow& c : data.cameras) s.bind(c.object).bind(c.fov).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kCamerasTable).c_str());
  while (q.next_row()) data.cameras.push_back({q.id(0), q.real(1)});
}

}  // namespace

const Table kCamerasTable{"cameras", "object INTEGER NOT NULL, fov INTEGER NOT NULL", write, read};

}  // namespace scenefile
