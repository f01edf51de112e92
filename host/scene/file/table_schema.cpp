// The schema table: the format version of the file, one row.
#include "host/messages.h"
#include "host/scene_files.h"
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement(db, insert_sql(kSchemaTable).c_str()).bind(data.version).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kSchemaTable).c_str());
  if (!q.next_row()) throw FileError(host::msg::kSceneFileNoVersion);
  std::int64_t version = q.integer(0);
  if (version > kSceneFileVersion)
    throw FileError(host::msg::kSceneFileNewer + std::to_string(version) + host::msg::kSceneFileReadsUpTo +
                    std::to_string(kSceneFileVersion));
  if (version < 1) throw FileError(host::msg::kSceneFileNoVersion);
  data.version = static_cast<int>(version);
}

}  // namespace

const Table kSchemaTable{"schema", "version INTEGER NOT NULL", write, read};

}  // namespace scenefile
