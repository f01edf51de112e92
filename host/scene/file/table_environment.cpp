// The environment table: the ambient light, the time slider and the next
// XRef entry's number; one row.
#include "host/messages.h"
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  const EnvironmentRow& e = data.environment;
  Statement(db, insert_sql(kEnvironmentTable).c_str())
      .bind(pack_point(e.ambient))
      .bind(e.slider_time)
      .bind(e.next_xref_id)
      .run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kEnvironmentTable).c_str());
  if (!q.next_row()) throw FileError(std::string(host::msg::kSceneFileMissingRow) + kEnvironmentTable.name);
  EnvironmentRow& e = data.environment;
  e.ambient = unpack_point(q.blob(0), "environment.ambient");
  e.slider_time = static_cast<int>(q.integer_in(1, INT32_MIN, INT32_MAX));
  e.next_xref_id = static_cast<int>(q.integer_in(2, 1, INT32_MAX));
}

}  // namespace

const Table kEnvironmentTable{
    "environment", "ambient BLOB NOT NULL, slider_time INTEGER NOT NULL, next_xref_id INTEGER NOT NULL",
    write, read};

}  // namespace scenefile
