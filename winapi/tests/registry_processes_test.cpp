// Several processes writing one registry database, and a writer that dies.
#include "registry_fixture.h"
#include "subprocess.h"

#include <signal.h>
#include <sqlite3.h>

#include <cstdlib>
#include <string>

using test_support::Subprocess;

namespace {

std::string writer_path() { return test_support::helper_path("registry_writer"); }

std::string integrity(const std::string& database) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return result;
}

using RegistryProcessesTest = RegistryTest;

TEST_F(RegistryProcessesTest, TwoWritersAtOnceLoseNothing) {
  constexpr int kCount = 300;
  Subprocess first({writer_path(), "Software\\Shared", "first", std::to_string(kCount)});
  Subprocess second({writer_path(), "Software\\Shared", "second", std::to_string(kCount)});
  // Meanwhile this process writes to the same key too.
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(write_string(HKEY_CURRENT_USER, "Software\\Shared", ("own" + std::to_string(i)).c_str(),
                           "value of own" + std::to_string(i)),
              ERROR_SUCCESS);
  }
  first.read_all(60000);
  second.read_all(60000);
  ASSERT_EQ(first.wait(), 0);
  ASSERT_EQ(second.wait(), 0);
  for (const std::string prefix : {"first", "second"}) {
    for (int i = 0; i < kCount; ++i) {
      std::string name = prefix + std::to_string(i);
      ASSERT_EQ(read_string(HKEY_CURRENT_USER, "Software\\Shared", name.c_str()), "value of " + name);
    }
  }
  for (int i = 0; i < 50; ++i) {
    std::string name = "own" + std::to_string(i);
    ASSERT_EQ(read_string(HKEY_CURRENT_USER, "Software\\Shared", name.c_str()), "value of " + name);
  }
  EXPECT_EQ(integrity(database_), "ok");
}

TEST_F(RegistryProcessesTest, WriterKilledMidWriteKeepsWhatItCommitted) {
  Subprocess writer({writer_path(), "Software\\Killed", "v", "1000000"});
  // Let it commit a good number of values, then kill it without warning while
  // it is in the middle of its next ones.
  int last = -1;
  while (last < 200) {
    auto line = writer.read_line(30000);
    ASSERT_TRUE(line.has_value()) << "the writer stopped early";
    last = std::stoi(*line);
  }
  writer.kill(SIGKILL);
  EXPECT_EQ(writer.wait(), 128 + SIGKILL);

  EXPECT_EQ(integrity(database_), "ok");
  for (int i = 0; i <= last; ++i) {
    std::string name = "v" + std::to_string(i);
    ASSERT_EQ(read_string(HKEY_CURRENT_USER, "Software\\Killed", name.c_str()), "value of " + name);
  }
  // The registry stays writable after the crash.
  EXPECT_EQ(write_string(HKEY_CURRENT_USER, "Software\\Killed", "after", "ok"), ERROR_SUCCESS);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Software\\Killed", "after"), "ok");
}

}  // namespace
