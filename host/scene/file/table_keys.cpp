// The keys table (from format version 2): every key of every key
// controller, in time order within each.
#include <climits>

#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kKeysTable).c_str());
  for (const KeyRow& k : data.keys) s.bind(k.controller).bind(k.time).bind(k.value).run();
}

void read(Db& db, SceneData& data) {
  if (data.version < 2) return;
  Statement q(db, select_sql(kKeysTable).c_str());
  while (q.next_row())
    data.keys.push_back({q.id(0), static_cast<TimeValue>(q.integer_in(1, INT_MIN, INT_MAX)), q.blob(2)});
}

}  // namespace

const Table kKeysTable{"keys", "controller INTEGER NOT NULL, time INTEGER NOT NULL, value BLOB NOT NULL",
                       write, read};

}  // namespace scenefile
