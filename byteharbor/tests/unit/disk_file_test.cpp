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

TEST_F(DiskFileTest, SizeCacheGoesStaleOnWriteAndRefreshes) {
  auto f = DiskFile::open(path("s.bin").c_str());
  const char four[4] = {1, 0, 0, 0};
  ASSERT_TRUE(f->write(four, 4));
  EXPECT_TRUE(f->size_stale());
  EXPECT_EQ(f->cached_size(), 0);  // buffered, not yet re-read
  EXPECT_EQ(f->size(), 4);
  EXPECT_FALSE(f->size_stale());
  ASSERT_TRUE(f->write(four, 4));
  EXPECT_EQ(f->tell(), 8);
  EXPECT_FALSE(f->size_stale());
  EXPECT_EQ(f->cached_size(), 8);
}

TEST_F(DiskFileTest, FlushLeavesTheStaleFlagAlone) {
  auto f = DiskFile::open(path("f.bin").c_str());
  ASSERT_TRUE(f->write("ab", 2));
  EXPECT_TRUE(f->flush());
  EXPECT_TRUE(f->size_stale());
  EXPECT_EQ(content(path("f.bin")), "ab");
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

}  // namespace
