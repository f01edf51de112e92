#include "binary_stream.h"

#include <gtest/gtest.h>

#include "messages.h"
#include "value_test_support.h"

using namespace test_support;

namespace {

const auto* const names_env = ::testing::AddGlobalTestEnvironment(new ModuleNames);

BinaryStream* new_stream(const char* text = nullptr) {
  Value* args[1] = {text != nullptr ? new String(text) : nullptr};
  return static_cast<BinaryStream*>(BinaryStream_class.apply(args, text != nullptr ? 1 : 0));
}

TEST(StreamValue, CreationForms) {
  BinaryStream* empty = new_stream();
  EXPECT_EQ(empty->tag, &BinaryStream_class);
  EXPECT_EQ(empty->storage().size(), 0);
  EXPECT_EQ(empty->storage().capacity(), BlockStream::kBlockSize);
  BinaryStream* abc = new_stream("abc");
  EXPECT_EQ(abc->storage().size(), 3);
  EXPECT_EQ(abc->storage().position(), 0);
  Value* two[2] = {new String("a"), new String("b")};
  EXPECT_EQ(raised([&] { BinaryStream_class.apply(two, 2); }),
            "-- Runtime error: BinaryStream::BinaryStream needs 1 or 0 arguments");
  EXPECT_EQ(printed(empty), "<BinaryStream>");
}

TEST(StreamValue, FourThousandBytesOneAtATimeGrowOnTheLast) {
  BinaryStream* s = new_stream();
  for (int i = 0; i < 3999; ++i) invoke(s, &BinaryStream::writeBinByte, {Integer::intern(i)});
  EXPECT_EQ(s->storage().capacity(), 4000);
  invoke(s, &BinaryStream::writeBinByte, {Integer::intern(3999)});
  EXPECT_EQ(s->storage().capacity(), 8000);
  invoke(s, &BinaryStream::seek_vf, {Integer::intern(3998), interned.start});
  EXPECT_EQ(as_int(invoke(s, &BinaryStream::readBinWord)), (3998 & 0xFF) | ((3999 & 0xFF) << 8));
  EXPECT_EQ(invoke(s, &BinaryStream::readBinByte), &undefined);
}

TEST(StreamValue, FailedReadsLeaveThePosition) {
  BinaryStream* s = new_stream("xyz");
  invoke(s, &BinaryStream::seek_vf, {Integer::intern(1), Integer::intern(0)});
  EXPECT_EQ(invoke(s, &BinaryStream::readBinInt), &undefined);
  EXPECT_EQ(invoke(s, &BinaryStream::readBinFloat), &undefined);
  EXPECT_EQ(as_int(invoke(s, &BinaryStream::tell)), 1);
  EXPECT_EQ(as_int(invoke(s, &BinaryStream::readBinWord)), 'y' | ('z' << 8));
}

TEST(StreamValue, AStringSpanningBlocksReadsWhole) {
  BinaryStream* s = new_stream();
  OneValueLocal keep(s);
  std::string long_text(9000, 'k');  // spans three blocks
  invoke(s, &BinaryStream::writeBinString, {new String(long_text.c_str())});
  invoke(s, &BinaryStream::seek_vf, {Integer::intern(0), interned.start});
  gc_collect();
  Value* got = invoke(s, &BinaryStream::readBinString);
  EXPECT_EQ(std::string(got->to_string()), long_text);
  EXPECT_EQ(as_int(invoke(s, &BinaryStream::tell)), 9001);
}

// The collector counts the blocks a stream holds, so loops making many
// streams are collected by the memory they take.
TEST(StreamValue, StreamsReportTheBlocksTheyHold) {
  gc_collect();
  std::size_t before = gc_external_bytes();
  {
    OneValueLocal keep(new_stream());
    auto* s = static_cast<BinaryStream*>(keep.value);
    EXPECT_EQ(gc_external_bytes(), before + BlockStream::kBlockSize);
    invoke(s, &BinaryStream::seek_vf, {Integer::intern(9000), interned.start});
    invoke(s, &BinaryStream::writeBinByte, {Integer::intern(1)});
    EXPECT_EQ(gc_external_bytes(), before + 3 * BlockStream::kBlockSize);
    s->AddBlock();
    EXPECT_EQ(gc_external_bytes(), before + 4 * BlockStream::kBlockSize);
  }
  gc_collect();
  EXPECT_EQ(gc_external_bytes(), before);
}

// Reading strings makes no value besides the strings themselves.
TEST(StreamValue, ReadingAStringMakesOnlyTheString) {
  OneValueLocal keep(new_stream("one"));
  auto* s = static_cast<BinaryStream*>(keep.value);
  gc_collect();
  std::size_t before = gc_heap_count();
  std::size_t external = gc_external_bytes();
  Value* got = invoke(s, &BinaryStream::readBinString);
  EXPECT_EQ(printed(got), "\"one\"");
  EXPECT_EQ(gc_heap_count(), before + 1);
  EXPECT_EQ(gc_external_bytes(), external);
}

TEST(StreamValue, GrowingPast32BitsRaisesAndChangesNothing) {
  BinaryStream* s = new_stream("ab");
  invoke(s, &BinaryStream::seek_vf, {Integer::intern(2147483647), interned.start});
  EXPECT_EQ(raised([&] { invoke(s, &BinaryStream::writeBinInt, {Integer::intern(1)}); }),
            std::string("-- Runtime error: ") + msg::kStreamTooLarge);
  EXPECT_EQ(s->storage().size(), 2);
  EXPECT_EQ(s->storage().capacity(), 4000);
}

TEST(StreamValue, ConversionFailsBeforeWriting) {
  BinaryStream* s = new_stream();
  EXPECT_EQ(raised([&] { invoke(s, &BinaryStream::writeBinFloat, {new String("1.5")}); }),
            "-- Unable to convert: \"1.5\" to type: Float");
  EXPECT_EQ(s->storage().size(), 0);
}

TEST(StreamValue, ClassQueries) {
  BinaryStream* s = new_stream();
  EXPECT_EQ(invoke(s, &BinaryStream::classOf_vf), &BinaryStream_class);
  EXPECT_EQ(raised([&] { invoke(s, &BinaryStream::classOf_vf, {&ok}); }),
            "-- Argument count error: classOf wanted 1, got 2");
  EXPECT_EQ(invoke(s, &BinaryStream::superClassOf_vf), &Value_class);
  EXPECT_EQ(raised([&] {
              invoke(s, &BinaryStream::superClassOf_vf, {&ok, &ok});
            }),
            "-- Argument count error: superClassOf wanted 1, got 3");
  EXPECT_EQ(invoke(s, &BinaryStream::isKindOf_vf, {&BinaryStream_class}), &true_value);
  EXPECT_EQ(invoke(s, &BinaryStream::isKindOf_vf, {&Integer_class}), &false_value);
  EXPECT_EQ(raised([&] { invoke(s, &BinaryStream::isKindOf_vf); }),
            "-- Argument count error: isKindOf wanted 2, got 1");
  EXPECT_TRUE(s->is_kind_of(&BinaryStream_class));
  EXPECT_EQ(s->local_base_class(), &BinaryFile_class);
}

}  // namespace
