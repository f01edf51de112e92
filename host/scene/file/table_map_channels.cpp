// The map_channels table: a mesh's map channels in use (0 the vertex
// colours, 1 the texture coordinates, ...), each with its vertices and one
// face for each face of the mesh.
#include "bytes.h"
#include "tables.h"

namespace scenefile {
namespace {

Bytes pack_tv_faces(const std::vector<TVFace>& faces) {
  ByteWriter w;
  for (const TVFace& f : faces)
    for (DWORD t : f.t) w.u32(t);
  return w.result();
}

std::vector<TVFace> unpack_tv_faces(const Bytes& blob) {
  ByteReader r(blob, "map_channels.faces");
  std::vector<TVFace> faces(blob.size() / 12);
  for (TVFace& f : faces)
    for (DWORD& t : f.t) t = r.u32();
  r.finish();
  return faces;
}

void write(Db& db, const SceneData& data) {
  Statement s(db, insert_sql(kMapChannelsTable).c_str());
  for (const MapChannelRow& m : data.map_channels)
    s.bind(m.object).bind(m.channel).bind(pack_points(m.verts)).bind(pack_tv_faces(m.faces)).run();
}

void read(Db& db, SceneData& data) {
  Statement q(db, select_sql(kMapChannelsTable).c_str());
  while (q.next_row()) {
    MapChannelRow m;
    m.object = q.id(0);
    m.channel = static_cast<int>(q.integer_in(1, 0, MAX_MESHMAPS - 1));
    m.verts = unpack_points(q.blob(2), "map_channels.verts");
    m.faces = unpack_tv_faces(q.blob(3));
    data.map_channels.push_back(std::move(m));
  }
}

}  // namespace

const Table kMapChannelsTable{
    "map_channels",
    "object INTEGER NOT NULL, channel INTEGER NOT NULL, verts BLOB NOT NULL, faces BLOB NOT NULL", write,
    read};

}  // namespace scenefile
