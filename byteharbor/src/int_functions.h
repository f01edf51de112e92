// The integer bit, byte-order and character functions scripts call as
// globals (setBit 0 31, htonl 1, int2char 65). Each answers #help as its
// first argument with its usage text.
#pragma once

#include "host/maxscript.h"

Value* int2char_fn(Value** arg_list, int count);
Value* char2int_fn(Value** arg_list, int count);
Value* htonl_fn(Value** arg_list, int count);
Value* htons_fn(Value** arg_list, int count);
Value* ntohl_fn(Value** arg_list, int count);
Value* ntohs_fn(Value** arg_list, int count);
Value* set_bit_fn(Value** arg_list, int count);
Value* test_bit_fn(Value** arg_list, int count);
Value* sign_it_fn(Value** arg_list, int count);
Value* unsign_it_fn(Value** arg_list, int count);
Value* bin_not_fn(Value** arg_list, int count);
Value* bin_and_fn(Value** arg_list, int count);
Value* bin_xor_fn(Value** arg_list, int count);
Value* bin_or_fn(Value** arg_list, int count);
