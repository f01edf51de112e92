// The meshes table: an editable mesh's vertices, faces (with smoothing
// groups, edge visibility, hiding and material IDs), selections and its
// number of map channels; the channels in use are in the map_channels table.
#include "bytes.h"
#include "tables.h"

namespace scenefile {
namespace {

Bytes pack_faces(const std::vector<Face>& faces) {
  ByteWriter w;
  for (const Face& f : faces) {
    for (DWORD v : f.v) w.u32(v);
    w.u32(f.smGroup);
    w.u32(f.flags);
  }
  return w.result();
}

std::vector<Face> unpack_faces(const Bytes& blob) {
  ByteReader r(blob, "meshes.faces");
  std::vector<Face> faces(blob.size() / 20);
  for (Face& f : faces) {
    for (DWORD& v : f.v) v = r.u32();
    f.smGroup = r.u32();
    f.flags = r.u32();
  }
  r.finish();
  return faces;
}

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kMeshesTable).c_str());
  for (const MeshRow& m : data.meshes)
    s.bind(m.object)
        .bind(pack_points(m.verts))
        .bind(pack_faces(m.faces))
        .bind(pack_bits(m.vert_sel))
        .bind(pack_bits(m.face_sel))
        .bind(m.sel_level)
        .bind(m.num_maps)
        .run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kMeshesTable).c_str());
  while (q.next_row()) {
    MeshRow m;
    m.object = q.id(0);
    m.verts = unpack_points(q.blob(1), "meshes.verts");
    m.faces = unpack_faces(q.blob(2));
    m.vert_sel = unpack_bits(q.blob(3), "meshes.vert_sel");
    m.face_sel = unpack_bits(q.blob(4), "meshes.face_sel");
    m.sel_level = q.u32(5);
    m.num_maps = static_cast<int>(q.integer_in(6, 2, MAX_MESHMAPS));
    data.meshes.push_back(std::move(m));
  }
}

}  // namespace

const Table kMeshesTable{
    "meshes",
    "object INTEGER NOT NULL, verts BLOB NOT NULL, faces BLOB NOT NULL, vert_sel BLOB NOT NULL, "
    "face_sel BLOB NOT NULL, sel_level INTEGER NOT NULL, num_maps INTEGER NOT NULL",
    write, read};

}  // namespace scenefile
