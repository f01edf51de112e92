// rotate and scale act on matrices (runtime/geometry_functions.cpp) and on
// scene nodes; these take the node forms.
#pragma once

#include "host/value.h"

namespace host::scene {

// A node or an array of them: what rotate and scale hand to the scene.
bool takes_nodes(Value* v);
// rotate <nodes> <quat | angleAxis | eulerAngles> and rotate <nodes> <angle> <axis>.
Value* rotate_nodes(Value** arg_list, int count);
// scale <nodes> <point3>
Value* scale_nodes(Value** arg_list, int count);

}  // namespace host::scene
