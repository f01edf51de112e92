#include "binary_file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "value_test_support.h"

using namespace test_support;
namespace fs = std::filesystem;

namespace {

class FileValueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    intern_names();
    dir_ = fs::temp_directory_path() / ("byteharbor-value-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  BinaryFile* open(const char* name) {
    Value* result = call(&BinaryFile_class, {new String(path(name).c_str())});
    EXPECT_NE(result, &undefined);
    return static_cast<BinaryFile*>(result);
  }
  static std::string content(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(FileValueTest, OpenPrintAndClose) {
  BinaryFile* f = open("p.bin");
  EXPECT_EQ(f->tag, &BinaryFile_class);
  EXPECT_EQ(printed(f), "<BinaryFile: \"" + path("p.bin") + "\">");
  EXPECT_EQ(invoke(f, &BinaryFile::close_vf), &true_value);
  EXPECT_FALSE(f->is_open());
  EXPECT_EQ(printed(f), "<BinaryFile: closed file>");
  EXPECT_EQ(invoke(f, &BinaryFile::close_vf), &true_value);
}

TEST_F(FileValueTest, OpenArgumentsAndFailures) {
  EXPECT_EQ(raised([] { call(&BinaryFile_class, {}); }),
            "-- Argument count error: openBinaryFile wanted 1, got 0");
  EXPECT_EQ(raised([] {
              call(&BinaryFile_class, {new String("a"), new String("b")});
            }),
            "-- Argument count error: openBinaryFile wanted 1, got 2");
  EXPECT_EQ(call(&BinaryFile_class, {new String(path("missing/dir/x.bin").c_str())}), &undefined);
  EXPECT_EQ(raised([] { call(&BinaryFile_class, {Integer::intern(3)}); }),
            "-- Unable to convert: 3 to type: String");
}

TEST_F(FileValueTest, ClosedFileRefusesEverythingButCloseAfterTheCountTest) {
  BinaryFile* f = open("c.bin");
  invoke(f, &BinaryFile::close_vf);
  const std::string closed = "-- Runtime error: Can't complete operation because the file is closed";
  EXPECT_EQ(raised([&] { invoke(f, &BinaryFile::tell); }), closed);
  EXPECT_EQ(raised([&] { invoke(f, &BinaryFile::size); }), closed);
  EXPECT_EQ(raised([&] { invoke(f, &BinaryFile::eof_vf); }), closed);
  EXPECT_EQ(raised([&] { invoke(f, &BinaryFile::flush_vf); }), closed);
  EXPECT_EQ(raised([&] { invoke(f, &BinaryFile::readBinFloat); }), closed);
  EXPECT_EQ(raised([&] { invoke(f, &BinaryFile::writeBinInt, {Integer::intern(1)}); }), closed);
  EXPECT_EQ(raised([&] {
              invoke(f, &BinaryFile::seek_vf, {Integer::intern(0), Integer::intern(7)});
            }),
            closed);
  EXPECT_EQ(raised([&] { invoke(f, &BinaryFile::readBinInt, {Integer::intern(1)}); }),
            "-- Runtime error: BinaryFile::readBinInt needs 1 argument");
}

TEST_F(FileValueTest, SizeAndTellAreCurrentRightAfterAWrite) {
  BinaryFile* f = open("s.bin");
  invoke(f, &BinaryFile::writeBinInt, {Integer::intern(1)});
  EXPECT_EQ(as_int(invoke(f, &BinaryFile::size)), 4);
  EXPECT_EQ(as_int(invoke(f, &BinaryFile::tell)), 4);
  invoke(f, &BinaryFile::writeBinString, {new String("abc")});
  EXPECT_EQ(invoke(f, &BinaryFile::eof_vf), &true_value);
  EXPECT_EQ(as_int(invoke(f, &BinaryFile::size)), 8);
  invoke(f, &BinaryFile::close_vf);
  EXPECT_EQ(content(path("s.bin")), std::string("\x01\0\0\0abc\0", 8));
}

TEST_F(FileValueTest, ACollectedFileIsClosedAndItsBytesReachTheDisk) {
  std::size_t before = gc_heap_count();
  {
    BinaryFile* f = open("g.bin");
    invoke(f, &BinaryFile::writeBinString, {new String("kept")});
  }
  gc_collect();  // nothing refers to the file any more
  EXPECT_LE(gc_heap_count(), before);
  EXPECT_EQ(content(path("g.bin")), std::string("kept\0", 5));
}

TEST_F(FileValueTest, ReadAfterWriteWithoutASeek) {
  { std::ofstream(path("rw.bin"), std::ios::binary) << "ABCDEFGH"; }
  BinaryFile* f = open("rw.bin");
  invoke(f, &BinaryFile::writeBinWord, {Integer::intern(0x7978)});
  EXPECT_EQ(printed(invoke(f, &BinaryFile::readBinChar)), "\"C\"");
  invoke(f, &BinaryFile::writeBinChar, {new String("z")});
  EXPECT_EQ(as_int(invoke(f, &BinaryFile::readBinByte)), 'E');
  invoke(f, &BinaryFile::close_vf);
  EXPECT_EQ(content(path("rw.bin")), "xyCzEFGH");
}

TEST_F(FileValueTest, SeekRefreshesThenReadsTheOriginThenThePosition) {
  BinaryFile* f = open("o.bin");
  invoke(f, &BinaryFile::writeBinString, {new String("abc")});
  EXPECT_EQ(raised([&] {
              invoke(f, &BinaryFile::seek_vf, {Integer::intern(0), Name::intern("nowhere")});
            }),
            "-- Runtime error: Wrong origin specifier");
  EXPECT_EQ(content(path("o.bin")), std::string("abc\0", 4));  // flushed by the refresh
  EXPECT_EQ(raised([&] {
              invoke(f, &BinaryFile::seek_vf, {new String("x"), Integer::intern(9)});
            }),
            "-- Runtime error: Wrong origin specifier");
  EXPECT_EQ(raised([&] {
              invoke(f, &BinaryFile::seek_vf, {new String("x"), Integer::intern(0)});
            }),
            "-- Unable to convert: \"x\" to type: Integer");
}

}  // namespace
