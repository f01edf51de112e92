// Every object that registers ByteHarbor's functions and classes with the
// script runtime. They live in this one file so that they are made in this
// order at load (and unmade in reverse at unload): the fourteen binary I/O
// functions, their class object, the integer and character functions, then
// the BinaryFile and BinaryStream classes.
#include "app_data_ex.h"
#include "binary_io.h"
#include "int_functions.h"

// NOLINTBEGIN: static registration objects
static BinaryFileGeneric tell_generic("tell", &BinaryFileBase::tell);
static BinaryFileGeneric size_generic("size", &BinaryFileBase::size);
static BinaryFileGeneric readBinChar_generic("readBinChar", &BinaryFileBase::readBinChar);
static BinaryFileGeneric readBinByte_generic("readBinByte", &BinaryFileBase::readBinByte);
static BinaryFileGeneric readBinWord_generic("readBinWord", &BinaryFileBase::readBinWord);
static BinaryFileGeneric readBinInt_generic("readBinInt", &BinaryFileBase::readBinInt);
static BinaryFileGeneric readBinFloat_generic("readBinFloat", &BinaryFileBase::readBinFloat);
static BinaryFileGeneric readBinString_generic("readBinString", &BinaryFileBase::readBinString);
static BinaryFileGeneric writeBinChar_generic("writeBinChar", &BinaryFileBase::writeBinChar);
static BinaryFileGeneric writeBinByte_generic("writeBinByte", &BinaryFileBase::writeBinByte);
static BinaryFileGeneric writeBinWord_generic("writeBinWord", &BinaryFileBase::writeBinWord);
static BinaryFileGeneric writeBinInt_generic("writeBinInt", &BinaryFileBase::writeBinInt);
static BinaryFileGeneric writeBinFloat_generic("writeBinFloat", &BinaryFileBase::writeBinFloat);
static BinaryFileGeneric writeBinString_generic("writeBinString", &BinaryFileBase::writeBinString);

ValueMetaClass BinaryFileGeneric_class("BinaryFileGeneric", &Value_class);

static Primitive int2char_primitive("int2char", int2char_fn);
static Primitive char2int_primitive("char2int", char2int_fn);
static Primitive htonl_primitive("htonl", htonl_fn);
static Primitive htons_primitive("htons", htons_fn);
static Primitive ntohl_primitive("ntohl", ntohl_fn);
static Primitive ntohs_primitive("ntohs", ntohs_fn);
static Primitive set_bit_primitive("setBit", set_bit_fn);
static Primitive test_bit_primitive("testBit", test_bit_fn);
static Primitive sign_it_primitive("signIt", sign_it_fn);
static Primitive unsign_it_primitive("unsignIt", unsign_it_fn);
static Primitive bin_not_primitive("binNot", bin_not_fn);
static Primitive bin_and_primitive("binAnd", bin_and_fn);
static Primitive bin_xor_primitive("binXor", bin_xor_fn);
static Primitive bin_or_primitive("binOr", bin_or_fn);
static Primitive get_app_data_ex_primitive("getAppDataEx", get_app_data_ex_fn);
static Primitive set_app_data_ex_primitive("setAppDataEx", set_app_data_ex_fn);
static Primitive has_app_data_ex_primitive("hasAppDataEx", has_app_data_ex_fn);
static Primitive delete_app_data_ex_primitive("deleteAppDataEx", delete_app_data_ex_fn);
static Primitive list_app_data_ex_primitive("listAppDataEx", list_app_data_ex_fn);

BinaryFileClass BinaryFile_class;
BinaryStreamClass BinaryStream_class;
// NOLINTEND
