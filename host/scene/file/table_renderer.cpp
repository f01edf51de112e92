// The renderer table: the current renderer's class and, for the scanline
// renderer, its switches and numbers; no row when none was made yet.
#include "bytes.h"
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kRendererTable).c_str());
  for (const RendererRow& r : data.renderer) {
    ByteWriter switches, numbers;
    for (std::int64_t b : r.switches) switches.u32(static_cast<std::uint32_t>(b));
    for (float f : r.numbers) numbers.f32(f);
    s.bind(r.class_a).bind(r.class_b).bind(switches.result()).bind(numbers.result()).run();
  }
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kRendererTable).c_str());
  while (q.next_row()) {
    RendererRow r{q.u32(0), q.u32(1), {}, {}};
    Bytes switches = q.blob(2), numbers = q.blob(3);
    ByteReader s(switches, "renderer.switches"), n(numbers, "renderer.numbers");
    while (s.left() > 0) r.switches.push_back(s.u32());
    while (n.left() > 0) r.numbers.push_back(n.f32());
    data.renderer.push_back(std::move(r));
  }
}

}  // namespace

const Table kRendererTable{"renderer",
                           "class_a INTEGER NOT NULL, class_b INTEGER NOT NULL, switches BLOB NOT NULL, "
                           "numbers BLOB NOT NULL",
                           write, read};

}  // namespace scenefile
