// The nodes table: every node but the root, parents before their children
// and siblings in order, with the node's own settings.
#include "tables.h"

namespace scenefile {
namespace {

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kNodesTable).c_str());
  for (const NodeRow& n : data.nodes) {
    s.bind(n.id)
        .bind(n.parent)
        .bind(n.name)
        .bind(pack_matrix(n.local_tm))
        .bind(pack_point(n.offset_pos))
        .bind(pack_quat(n.offset_rot))
        .bind(pack_point(n.offset_scale))
        .bind(n.hidden)
        .bind(n.cast_shadows)
        .bind(n.receive_shadows)
        .bind(n.renderable)
        .bind(n.selected)
        .bind(n.wire_color)
        .bind(n.material)
        .bind(n.object)
        .run();
  }
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kNodesTable).c_str());
  while (q.next_row()) {
    NodeRow n;
    n.id = q.id(0);
    n.parent = q.id_or_none(1);
    n.name = q.text(2);
    n.local_tm = unpack_matrix(q.blob(3), "nodes.local_tm");
    n.offset_pos = unpack_point(q.blob(4), "nodes.offset_pos");
    n.offset_rot = unpack_quat(q.blob(5), "nodes.offset_rot");
    n.offset_scale = unpack_point(q.blob(6), "nodes.offset_scale");
    n.hidden = q.boolean(7);
    n.cast_shadows = q.boolean(8);
    n.receive_shadows = q.boolean(9);
    n.renderable = q.boolean(10);
    n.selected = q.boolean(11);
    n.wire_color = q.u32(12);
    n.material = q.id_or_none(13);
    n.object = q.id(14);
    data.nodes.push_back(std::move(n));
  }
}

}  // namespace

const Table kNodesTable{
    "nodes",
    "id INTEGER NOT NULL, parent INTEGER NOT NULL, name TEXT NOT NULL, local_tm BLOB NOT NULL, "
    "offset_pos BLOB NOT NULL, offset_rot BLOB NOT NULL, offset_scale BLOB NOT NULL, "
    "hidden INTEGER NOT NULL, cast_shadows INTEGER NOT NULL, receive_shadows INTEGER NOT NULL, "
    "renderable INTEGER NOT NULL, selected INTEGER NOT NULL, wire_color INTEGER NOT NULL, "
    "material INTEGER NOT NULL, object INTEGER NOT NULL",
    write, read};

}  // namespace scenefile
