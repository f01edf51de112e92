// The targets table: a target object and the super class of what aims at it.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kTargetsTable).c_str());
  for (const TargetRow& t : data.targets) s.bind(t.object).bind(t.owner).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kTargetsTable).c_str());
  while (q.next_row()) data.targets.push_back({q.id(0), q.u32(1)});
}

}  // namespace

const Table kTargetsTable{"targets", "object INTEGER NOT NULL, owner INTEGER NOT NULL", write, read};

}  // namespace scenefile
