// Every object that registers ByteHarbor's functions and classes with the
// script runtime. They live in this one file so that they are made in this
// order at load (and unmade in reverse at unload): the fourteen binary I/O
// functions, their class object, the integer and character functions, then
// the BinaryFile and BinaryStream classes.
#include "binary_io.h"
#include "int_functions.h"

// NOLINTBEGIN: static registration objects
static BinaryFileGeneric tell_fn("tell", &BinaryFileBase::tell);
static BinaryFileGeneric size_fn("size", &BinaryFileBase::size);
static BinaryFileGeneric readBinChar_fn("readBinChar", &BinaryFileBase::readBinChar);
static BinaryFileGeneric readBinByte_fn("readBinByte", &BinaryFileBase::readBinByte);
static BinaryFileGeneric readBinWord_fn("readBinWord", &BinaryFileBase::readBinWord);
static BinaryFileGeneric readBinInt_fn("readBinInt", &BinaryFileBase::readBinInt);
static BinaryFileGeneric readBinFloat_fn("readBinFloat", &BinaryFileBase::readBinFloat);
static BinaryFileGeneric readBinString_fn("readBinString", &BinaryFileBase::readBinString);
static BinaryFileGeneric writeBinChar_fn("writeBinChar", &BinaryFileBase::writeBinChar);
static BinaryFileGeneric writeBinByte_fn("writeBinByte", &BinaryFileBase::writeBinByte);
static BinaryFileGeneric writeBinWord_fn("writeBinWord", &BinaryFileBase::writeBinWord);
static BinaryFileGeneric writeBinInt_fn("writeBinInt", &BinaryFileBase::writeBinInt);
static BinaryFileGeneric writeBinFloat_fn("writeBinFloat", &BinaryFileBase::writeBinFloat);
static BinaryFileGeneric writeBinString_fn("writeBinString", &BinaryFileBase::writeBinString);

ValueMetaClass BinaryFileGeneric_class("BinaryFileGeneric", &Value_class);

static Primitive int2char_pf("int2char", int2char_cf);
static Primitive char2int_pf("char2int", char2int_cf);
static Primitive htonl_pf("htonl", htonl_cf);
static Primitive htons_pf("htons", htons_cf);
static Primitive ntohl_pf("ntohl", ntohl_cf);
static Primitive ntohs_pf("ntohs", ntohs_cf);
static Primitive setBit_pf("setBit", setBit_cf);
static Primitive testBit_pf("testBit", testBit_cf);
static Primitive signIt_pf("signIt", signIt_cf);
static Primitive unsignIt_pf("unsignIt", unsignIt_cf);
static Primitive binNot_pf("binNot", binNot_cf);
static Primitive binAnd_pf("binAnd", binAnd_cf);
static Primitive binXor_pf("binXor", binXor_cf);
static Primitive binOr_pf("binOr", binOr_cf);

BinaryFileClass BinaryFile_class;
BinaryStreamClass BinaryStream_class;
// NOLINTEND
