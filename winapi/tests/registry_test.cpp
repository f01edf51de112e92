#include "registry_fixture.h"

#include <sqlite3.h>

#include <cstring>
#include <vector>

using test_support::write_file;

namespace {

TEST_F(RegistryTest, StringValueKeepsItsTerminatingZero) {
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, "Software\\Test", "Name", "abc"), ERROR_SUCCESS);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 4u);
  char text[4];
  ASSERT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::memcmp(text, "abc", 4), 0);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, MissingKeysAndValuesGiveFileNotFound) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "No\\Such\\Key", 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, "Software\\Test", "Present", "x"), ERROR_SUCCESS);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Software\\Test", "Absent"), "<error 2>");
  // Creating a key created every key above it.
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryTest, NamesIgnoreCaseAndRootsAreSeparate) {
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, "Software\\MixedCase", "Value", "one"), ERROR_SUCCESS);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "SOFTWARE\\mixedcase", "VALUE"), "one");
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, "software\\MIXEDCASE", "value", "two"), ERROR_SUCCESS);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Software\\MixedCase", "Value"), "two");
  EXPECT_EQ(read_string(HKEY_LOCAL_MACHINE, "Software\\MixedCase", "Value"), "<error 2>");
  ASSERT_EQ(write_string(HKEY_CURRENT_CONFIG, "Software\\MixedCase", "Value", "cfg"), ERROR_SUCCESS);
  EXPECT_EQ(read_string(HKEY_CURRENT_CONFIG, "Software\\MixedCase", "Value"), "cfg");
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Software\\MixedCase", "Value"), "two");
}

TEST_F(RegistryTest, CreateReportsWhetherTheKeyIsNew) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(
      RegCreateKeyExA(HKEY_CLASSES_ROOT, "A\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
      ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "a\\b\\", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  // Relative to an open key.
  HKEY child = nullptr;
  ASSERT_EQ(RegCreateKeyExA(key, "C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(child);
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "A\\B\\C", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryTest, TooSmallBufferGivesMoreDataAndTheSize) {
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, "K", "V", "0123456789"), ERROR_SUCCESS);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_READ, &key), ERROR_SUCCESS);
  char small[6] = "-----";
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 11u);
  EXPECT_STREQ(small, "-----");
  RegCloseKey(key);
}

TEST_F(RegistryTest, KeepsEveryValueType) {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "Types", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  DWORD number = 0xDEADBEEF;
  const char expand[] = "%HOME%\\x";
  const BYTE binary[] = {0, 1, 2, 0, 255};
  ASSERT_EQ(RegSetValueExA(key, "Dword", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4), ERROR_SUCCESS);
  ASSERT_EQ(
      RegSetValueExA(key, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand),
      ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Binary", 0, REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("dflt"), 5), ERROR_SUCCESS);

  struct Expect {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::vector<Expect> expected = {
      {"Dword", REG_DWORD, {0xEF, 0xBE, 0xAD, 0xDE}},
      {"Expand", REG_EXPAND_SZ, std::vector<BYTE>(expand, expand + sizeof expand)},
      {"Binary", REG_BINARY, std::vector<BYTE>(binary, binary + sizeof binary)},
      {"Empty", REG_BINARY, {}},
      {"", REG_SZ, {'d', 'f', 'l', 't', 0}},
  };
  for (const auto& e : expected) {
    DWORD type = 0, size = 64;
    BYTE data[64];
    ASSERT_EQ(RegQueryValueExA(key, e.name, nullptr, &type, data, &size), ERROR_SUCCESS) << e.name;
    EXPECT_EQ(type, e.type) << e.name;
    EXPECT_EQ(std::vector<BYTE>(data, data + size), e.data) << e.name;
  }
  EXPECT_EQ(RegSetValueExA(key, "BadDword", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 3),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteValueA(key, "Binary"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "Binary"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(RegistryTest, AccessRightsOfTheHandleAreEnforced) {
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, "Rights", "V", "x"), ERROR_SUCCESS);
  HKEY read_only = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Rights", 0, KEY_QUERY_VALUE, &read_only), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(read_only, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2),
            ERROR_ACCESS_DENIED);
  HKEY child = nullptr;
  EXPECT_EQ(RegCreateKeyExA(read_only, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_ACCESS_DENIED);
  RegCloseKey(read_only);
  HKEY write_only = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Rights", 0, KEY_SET_VALUE, &write_only), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(write_only, "V", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
  RegCloseKey(write_only);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Rights", "V"), "x");
}

TEST_F(RegistryTest, BadHandlesAndPathsAreRefused) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x1234), "X", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(HKEY_PERFORMANCE_DATA, "X", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x1234)), ERROR_INVALID_HANDLE);
  EXPECT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "\\Lead", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_BAD_PATHNAME);
  EXPECT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "A\\\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_BAD_PATHNAME);
  std::string long_part(300, 'k');
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, long_part.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(key, nullptr);
  // A closed handle is no longer accepted.
  ASSERT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "Closed", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, LongNamesAndLargeValuesRoundTrip) {
  std::string path = std::string(255, 'p') + "\\" + std::string(255, 'q');
  std::string name(16383, 'n');
  std::string text(200000, 't');
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, path.c_str(), name.c_str(), text), ERROR_SUCCESS);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, path.c_str(), name.c_str()), text);
  std::string too_long_name(16384, 'n');
  EXPECT_EQ(write_string(HKEY_CURRENT_USER, path.c_str(), too_long_name.c_str(), "x"),
            ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, CorruptDatabaseGivesBadDbNotACrash) {
  write_file(database_, std::string(8192, 'G'));
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_BADDB);
  EXPECT_EQ(write_string(HKEY_CURRENT_USER, "Software", "V", "x"), ERROR_BADDB);
  EXPECT_EQ(key, nullptr);
}

TEST_F(RegistryTest, UnreachableDatabaseGivesAnIoError) {
  setenv("WINAPI_REGISTRY", dir_.path().c_str(), 1);  // a folder, not a file
  EXPECT_EQ(write_string(HKEY_CURRENT_USER, "Software", "V", "x"), ERROR_REGISTRY_IO_FAILED);
}

TEST_F(RegistryTest, LockedDatabaseGivesLockViolation) {
  ASSERT_EQ(write_string(HKEY_CURRENT_USER, "Locked", "V", "before"), ERROR_SUCCESS);
  setenv("WINAPI_REGISTRY_BUSY_MS", "50", 1);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(database_.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(write_string(HKEY_CURRENT_USER, "Locked", "V", "during"), ERROR_LOCK_VIOLATION);
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Locked", "V"), "before");
  EXPECT_EQ(write_string(HKEY_CURRENT_USER, "Locked", "V", "after"), ERROR_SUCCESS);
  EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Locked", "V"), "after");
}

}  // namespace
