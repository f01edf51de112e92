// Persistent globals' values as bytes: a tag word, then the value. Numbers,
// strings, names, booleans, undefined, times, points, colours, quats,
// matrices, arrays of these and scene nodes (by node id) are kept; any
// other value is kept as undefined.
#pragma once

#include <map>

#include "host/inode.h"
#include "host/value.h"
#include "scene_data.h"

namespace scenefile {

Bytes encode_global_value(Value* v, const std::map<INode*, Id>& node_ids);
// Checks an encoded value: its tags, sizes and the node ids it names
// (among node_ids); throws FileError when it is damaged.
void check_global_value(const Bytes& bytes, const std::map<Id, INode*>& nodes);
// The value again, nodes by their ids; call only on checked bytes.
Value* decode_global_value(const Bytes& bytes, const std::map<Id, INode*>& nodes);

}  // namespace scenefile
