// The xrefs table: the root node's XRef entries in list order, each with its
// file name, number and whether it was read.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kXRefsTable).c_str());
  for (const XRefRow& x : data.xrefs) s.bind(x.file).bind(x.id).bind(x.resolved).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kXRefsTable).c_str());
  while (q.next_row())
    data.xrefs.push_back({q.text(0), static_cast<int>(q.integer_in(1, 1, INT32_MAX)), q.boolean(2)});
}

}  // namespace

const Table kXRefsTable{"xrefs", "file TEXT NOT NULL, id INTEGER NOT NULL, resolved INTEGER NOT NULL", write,
                        read};

}  // namespace scenefile
