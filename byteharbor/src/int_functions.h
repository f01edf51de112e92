// The integer bit, byte-order and character functions scripts call as
// globals (setBit 0 31, htonl 1, int2char 65). Each answers #help as its
// first argument with its usage text.
#pragma once

#include "host/maxscript.h"

Value* int2char_cf(Value** arg_list, int count);
Value* char2int_cf(Value** arg_list, int count);
Value* htonl_cf(Value** arg_list, int count);
Value* htons_cf(Value** arg_list, int count);
Value* ntohl_cf(Value** arg_list, int count);
Value* ntohs_cf(Value** arg_list, int count);
Value* setBit_cf(Value** arg_list, int count);
Value* testBit_cf(Value** arg_list, int count);
Value* signIt_cf(Value** arg_list, int count);
Value* unsignIt_cf(Value** arg_list, int count);
Value* binNot_cf(Value** arg_list, int count);
Value* binAnd_cf(Value** arg_list, int count);
Value* binXor_cf(Value** arg_list, int count);
Value* binOr_cf(Value** arg_list, int count);
