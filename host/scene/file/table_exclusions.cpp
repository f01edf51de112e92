// The exclusions table: the nodes of each light's include/exclude list, in
// list order.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kExclusionsTable).c_str());
  for (const ExclusionRow& e : data.exclusions) s.bind(e.light).bind(e.node).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kExclusionsTable).c_str());
  while (q.next_row()) data.exclusions.push_back({q.id(0), q.id(1)});
}

}  // namespace

const Table kExclusionsTable{"exclusions", "light INTEGER NOT NULL, node INTEGER NOT NULL", write, read};

}  // namespace scenefile
