// The persistent_globals table: each persistent global's name and value,
// encoded as global_values.h describes.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kGlobalsTable).c_str());
  for (const GlobalRow& g : data.globals) s.bind(g.name).bind(g.value).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kGlobalsTable).c_str());
  while (q.next_row()) data.globals.push_back({q.text(0), q.blob(1)});
}

}  // namespace

const Table kGlobalsTable{"persistent_globals", "name TEXT NOT NULL, value BLOB NOT NULL", write, read};

}  // namespace scenefile
