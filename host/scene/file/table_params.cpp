// The params table: the named parameters of objects (primitives) and
// modifiers, in each one's parameter order.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kParamsTable).c_str());
  for (const ParamRow& p : data.params)
    s.bind(static_cast<int>(p.owner_kind)).bind(p.owner).bind(p.name).bind(p.value).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kParamsTable).c_str());
  while (q.next_row())
    data.params.push_back({static_cast<Owner>(q.integer_in(0, 2, 3)), q.id(1), q.text(2), q.real(3)});
}

}  // namespace

const Table kParamsTable{
    "params",
    "owner_kind INTEGER NOT NULL, owner INTEGER NOT NULL, name TEXT NOT NULL, value INTEGER NOT NULL", write,
    read};

}  // namespace scenefile
