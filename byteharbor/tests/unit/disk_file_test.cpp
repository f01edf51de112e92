#include "disk_file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class DiskFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("byteharbor-disk-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  static std::string content(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(DiskFileTest, OpeningAMissingFileCreatesItEmpty) {
  auto f = DiskFile::open(path("new.bin").c_str());
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(fs::exists(path("new.bin")));
  EXPECT_EQ(f->size(), 0);
  EXPECT_EQ(f->tell(), 0);
  EXPECT_TRUE(f->at_end());
}

TEST_F(DiskFileTest, OpeningAnExistingFileKeepsItsContent) {
  { std::ofstream(path("old.bin"), std::ios::binary) << "hello"; }
  auto f = DiskFile::open(path("old.bin").c_str());
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->size(), 5);
  char got[5];
  ASSERT_TRUE(f->read(got, 5));
  EXPECT_EQ(std::string(got, 5), "hello");
}

TEST_F(DiskFileTest, OpenFailsInAMissingDirectory) {
  EXPECT_EQ(DiskFile::open(path("no/such/dir/x.bin").c_str()), nullptr);
}

TEST_F(DiskFileTest, WritesExtendTheSizeWithoutAFlushAndFlushHandsThemOn) {
  auto f = DiskFile::open(path("s.bin").c_str());
  const char four[4] = {1, 0, 0, 0};
  ASSERT_TRUE(f->write(four, 4));
  EXPECT_EQ(f->cached_size(), 4);
  EXPECT_TRUE(f->at_end());
  ASSERT_TRUE(f->seek(1, 0));
  ASSERT_TRUE(f->write(four, 2));
  EXPECT_EQ(f->cached_size(), 4);  // inside the file: no growth
  ASSERT_TRUE(f->seek(0, 2));
  ASSERT_TRUE(f->write(four, 4));
  EXPECT_EQ(f->tell(), 8);
  EXPECT_EQ(f->size(), 8);
  EXPECT_TRUE(f->flush());
  EXPECT_EQ(content(path("s.bin")), std::string("\x01\x01\0\0\x01\0\0\0", 8));
}

TEST_F(DiskFileTest, ReadRightAfterWriteGetsTheFollowingBytes) {
  { std::ofstream(path("rw.bin"), std::ios::binary) << "ABCDEFGH"; }
  auto f = DiskFile::open(path("rw.bin").c_str());
  ASSERT_TRUE(f->write("xy", 2));
  char got[3] = {};
  ASSERT_TRUE(f->read(got, 3));
  EXPECT_EQ(std::string(got, 3), "CDE");
  ASSERT_TRUE(f->write("z", 1));  // and back from reading to writing
  EXPECT_EQ(f->size(), 8);
  EXPECT_EQ(content(path("rw.bin")), "xyCDEzGH");
}

TEST_F(DiskFileTest, SeekOriginsCountFromStartPositionAndSize) {
  auto f = DiskFile::open(path("k.bin").c_str());
  ASSERT_TRUE(f->write("0123456789", 10));
  ASSERT_TRUE(f->seek(0, 2));
  EXPECT_EQ(f->tell(), 10);  // the end base is the size
  ASSERT_TRUE(f->seek(-3, 1));
  EXPECT_EQ(f->tell(), 7);
  ASSERT_TRUE(f->seek(2, 0));
  char c = 0;
  ASSERT_TRUE(f->read(&c, 1));
  EXPECT_EQ(c, '2');
}

TEST_F(DiskFileTest, SeekBeforeTheStartFailsAndStays) {
  auto f = DiskFile::open(path("b.bin").c_str());
  ASSERT_TRUE(f->write("abc", 3));
  EXPECT_FALSE(f->seek(-1, 0));
  EXPECT_EQ(f->tell(), 3);
}

TEST_F(DiskFileTest, SeekBeyond32BitsFailsAndStays) {
  auto f = DiskFile::open(path("o.bin").c_str());
  ASSERT_TRUE(f->write("abc", 3));
  EXPECT_FALSE(f->seek(INT32_MAX, 1));
  EXPECT_EQ(f->tell(), 3);
  ASSERT_TRUE(f->seek(INT32_MAX, 0));
  EXPECT_EQ(f->tell(), INT32_MAX);
  EXPECT_FALSE(f->write("abcd", 4));  // would end past 2^31 - 1
  EXPECT_EQ(f->size(), 3);
}

TEST_F(DiskFileTest, ShortReadsFailButConsumeWhatCame) {
  auto f = DiskFile::open(path("r.bin").c_str());
  ASSERT_TRUE(f->write("abc", 3));
  ASSERT_TRUE(f->seek(0, 0));
  char four[4];
  EXPECT_FALSE(f->read(four, 4));
  EXPECT_TRUE(f->at_end());
}

// Another program (here an ofstream) changes the file while it is open.
class SharedFileTest : public DiskFileTest {
 protected:
  void append(const std::string& bytes) {
    std::ofstream(path("shared.bin"), std::ios::binary | std::ios::app) << bytes;
  }
};

TEST_F(SharedFileTest, SizeAndSeeksFromTheEndSeeWhatAnotherHandleAppended) {
  auto f = DiskFile::open(path("shared.bin").c_str());
  EXPECT_EQ(f->size(), 0);
  append("abcdefgh");
  EXPECT_EQ(f->size(), 8);
  append("ij");
  ASSERT_TRUE(f->seek(-4, 2));
  EXPECT_EQ(f->tell(), 6);
  char got[4] = {};
  ASSERT_TRUE(f->read(got, 4));
  EXPECT_EQ(std::string(got, 4), "ghij");
}

TEST_F(SharedFileTest, AReadLoopAtTheEndFindsBytesAppendedLater) {
  append("ab");
  auto f = DiskFile::open(path("shared.bin").c_str());
  char got[2] = {};
  ASSERT_TRUE(f->read(got, 2));
  EXPECT_TRUE(f->at_end());
  EXPECT_FALSE(f->read(got, 1));  // the C stream now holds end-of-file
  append("cd");
  EXPECT_FALSE(f->at_end());
  ASSERT_TRUE(f->read(got, 2));
  EXPECT_EQ(std::string(got, 2), "cd");
  EXPECT_TRUE(f->at_end());
}

TEST_F(SharedFileTest, AReadLoopEndsWhenTheFileShrinksUnderIt) {
  append(std::string(100000, 'x'));  // more than the C stream buffers
  auto f = DiskFile::open(path("shared.bin").c_str());
  char got[2] = {};
  ASSERT_TRUE(f->read(got, 2));
  fs::resize_file(path("shared.bin"), 4);
  // The C stream's buffer still serves what it read before the cut; the
  // read after that comes short and the loop must end there.
  int reads = 0;
  while (!f->at_end() && reads < 50000) {
    f->read(got, 2);
    ++reads;
  }
  EXPECT_LT(reads, 50000);
  EXPECT_EQ(f->size(), 4);
}

// /dev/full takes every open and refuses every write with "no space".
class FullDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  }
};

TEST_F(FullDeviceTest, FlushWriteAndCloseReportTheLostBytes) {
  auto f = DiskFile::open("/dev/full");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->write("abcd", 4));  // buffered: the system has not seen it yet
  EXPECT_FALSE(f->flush());
  std::string big(100000, 'x');  // larger than any buffer: written at once
  EXPECT_FALSE(f->write(big.data(), big.size()));
  EXPECT_TRUE(f->write("abcd", 4));
  EXPECT_FALSE(f->close());
}

TEST_F(FullDeviceTest, ASeekThatMustWritePendingBytesFails) {
  auto f = DiskFile::open("/dev/full");
  ASSERT_NE(f, nullptr);
  ASSERT_TRUE(f->write("abcd", 4));
  EXPECT_FALSE(f->seek(0, 0));
}

TEST_F(DiskFileTest, CloseSucceedsWhenTheBytesWereWritten) {
  auto f = DiskFile::open(path("c.bin").c_str());
  ASSERT_TRUE(f->write("abc", 3));
  EXPECT_TRUE(f->close());
  EXPECT_EQ(content(path("c.bin")), "abc");
}

}  // namespace
