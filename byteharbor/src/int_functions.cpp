#include "int_functions.h"

#include <string>

#include "bit_ops.h"
#include "messages.h"
#include "usage_help.h"

namespace {

using unary_op = int (*)(int);
using binary_op = int (*)(int, int);

// The shape shared by the one-integer functions: help, count, convert, compute.
Value* unary(Value** arg_list, int count, const char* name, const char* help, unary_op op) {
  if (asks_for_help(arg_list, count)) return show_usage(help);
  check_arg_count(name, 1, count);
  return Integer::intern(op(arg_list[0]->to_int()));
}

Value* binary(Value** arg_list, int count, const char* name, const char* help, binary_op op) {
  if (asks_for_help(arg_list, count)) return show_usage(help);
  check_arg_count(name, 2, count);
  int first = arg_list[0]->to_int();
  int second = arg_list[1]->to_int();
  return Integer::intern(op(first, second));
}

int bit_index(Value* v) {
  int index = v->to_int();
  if (!bits::valid_bit_index(index)) throw RuntimeError(msg::kBitIndexOutOfRange);
  return index;
}

int data_size(Value* v) {
  int size = v->to_int();
  if (!bits::valid_data_size(size)) throw RuntimeError(msg::kIncorrectDataSize);
  return size;
}

int and_op(int a, int b) { return a & b; }
int xor_op(int a, int b) { return a ^ b; }
int or_op(int a, int b) { return a | b; }

}  // namespace

Value* int2char_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kInt2CharHelp);
  check_arg_count("int2char", 1, count);
  std::string text = bits::int_to_char(arg_list[0]->to_int());
  return new String(text.c_str());
}

Value* char2int_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kChar2IntHelp);
  check_arg_count("char2int", 1, count);
  return Integer::intern(bits::char_to_int(arg_list[0]->eval()->to_string()));
}

Value* htonl_fn(Value** arg_list, int count) {
  return unary(arg_list, count, "htonl", msg::kHtonlHelp, bits::swap32);
}
Value* ntohl_fn(Value** arg_list, int count) {
  return unary(arg_list, count, "ntohl", msg::kNtohlHelp, bits::swap32);
}
Value* htons_fn(Value** arg_list, int count) {
  return unary(arg_list, count, "htons", msg::kHtonsHelp, bits::swap16);
}
Value* ntohs_fn(Value** arg_list, int count) {
  return unary(arg_list, count, "ntohs", msg::kNtohsHelp, bits::swap16);
}
Value* bin_not_fn(Value** arg_list, int count) {
  return unary(arg_list, count, "binNot", msg::kBinNotHelp, bits::bin_not);
}
Value* bin_and_fn(Value** arg_list, int count) {
  return binary(arg_list, count, "binAnd", msg::kBinAndHelp, and_op);
}
Value* bin_xor_fn(Value** arg_list, int count) {
  return binary(arg_list, count, "binXor", msg::kBinXorHelp, xor_op);
}
Value* bin_or_fn(Value** arg_list, int count) {
  return binary(arg_list, count, "binOr", msg::kBinOrHelp, or_op);
}

Value* set_bit_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kSetBitHelp);
  check_arg_count("setbit", 2, count);
  int value = arg_list[0]->to_int();
  return Integer::intern(bits::set_bit(value, bit_index(arg_list[1])));
}

Value* test_bit_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kTestBitHelp);
  check_arg_count("testbit", 2, count);
  int value = arg_list[0]->to_int();
  return bool_result(bits::test_bit(value, bit_index(arg_list[1])));
}

Value* sign_it_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kSignItHelp);
  check_arg_count("signIt", 2, count);
  int value = arg_list[0]->to_int();
  return Integer::intern(bits::sign_it(value, data_size(arg_list[1])));
}

Value* unsign_it_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kUnsignItHelp);
  check_arg_count("unsignIt", 2, count);
  int value = arg_list[0]->to_int();
  return Integer::intern(bits::unsign_it(value, data_size(arg_list[1])));
}
