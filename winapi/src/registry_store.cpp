#include "registry_store.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>

namespace winapi {
namespace {

constexpr int kDefaultBusyMilliseconds = 5000;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS reg_keys("
    "  root INTEGER NOT NULL, path TEXT NOT NULL COLLATE NOCASE,"
    "  PRIMARY KEY(root, path));"
    "CREATE TABLE IF NOT EXISTS reg_values("
    "  root INTEGER NOT NULL, path TEXT NOT NULL COLLATE NOCASE,"
    "  name TEXT NOT NULL COLLATE NOCASE, type INTEGER NOT NULL, data BLOB NOT NULL,"
    "  PRIMARY KEY(root, path, name));";

LONG win32_error_from_sqlite(int code) {
  switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return ERROR_SUCCESS;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ERROR_LOCK_VIOLATION;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return ERROR_BADDB;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH:
      return ERROR_ACCESS_DENIED;
    case SQLITE_NOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_FULL:
      return ERROR_DISK_FULL;
    default:
      return ERROR_REGISTRY_IO_FAILED;
  }
}

struct DatabaseCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

int busy_milliseconds() {
  const char* text = std::getenv("WINAPI_REGISTRY_BUSY_MS");
  if (text == nullptr || *text == '\0') return kDefaultBusyMilliseconds;
  long value = std::strtol(text, nullptr, 10);
  return value < 0 ? 0 : static_cast<int>(value > 600000 ? 600000 : value);
}

// The process's one connection, reopened when the database path changes.
struct Connection {
  std::mutex lock;
  Database db;
  std::string path;
};

Connection& connection() {
  static Connection c;
  return c;
}

LONG open_database(const std::string& path, Database& out) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &raw,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  Database db(raw);
  if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
  sqlite3_extended_result_codes(db.get(), 0);
  sqlite3_busy_timeout(db.get(), busy_milliseconds());
  // Write-ahead logging: a writer killed mid-transaction leaves the committed
  // state intact, and readers do not wait for writers.
  rc = sqlite3_exec(db.get(), "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr,
                    nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db.get(), kSchema, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
  out = std::move(db);
  return ERROR_SUCCESS;
}

// Runs `work` with the open connection, under the process-wide lock.
template <typename Work>
LONG with_database(Work&& work) {
  Connection& c = connection();
  std::lock_guard guard(c.lock);
  std::string path = registry_database_path();
  if (!c.db || c.path != path) {
    c.db.reset();
    LONG result = open_database(path, c.db);
    if (result != ERROR_SUCCESS) return result;
    c.path = path;
  }
  sqlite3_busy_timeout(c.db.get(), busy_milliseconds());
  return work(c.db.get());
}

int prepare(sqlite3* db, const char* sql, Statement& statement) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
  statement.reset(raw);
  return rc;
}

void bind_key(sqlite3_stmt* statement, const KeyName& key) {
  sqlite3_bind_int64(statement, 1, key.root);
  sqlite3_bind_text(statement, 2, key.path.c_str(), static_cast<int>(key.path.size()), SQLITE_TRANSIENT);
}

// A write transaction that rolls back unless committed.
class WriteTransaction {
 public:
  explicit WriteTransaction(sqlite3* db) : db_(db) {
    begun_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  }
  ~WriteTransaction() {
    if (begun_ == SQLITE_OK && !committed_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  int begun() const { return begun_; }
  int commit() {
    int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    committed_ = (rc == SQLITE_OK);
    return rc;
  }

 private:
  sqlite3* db_;
  int begun_;
  bool committed_ = false;
};

int key_exists(sqlite3* db, const KeyName& key, bool& exists) {
  exists = key.path.empty();
  if (exists) return SQLITE_OK;
  Statement statement;
  int rc = prepare(db, "SELECT 1 FROM reg_keys WHERE root = ?1 AND path = ?2", statement);
  if (rc != SQLITE_OK) return rc;
  bind_key(statement.get(), key);
  rc = sqlite3_step(statement.get());
  exists = (rc == SQLITE_ROW);
  return (rc == SQLITE_ROW || rc == SQLITE_DONE) ? SQLITE_OK : rc;
}

}  // namespace

std::string registry_database_path() {
  if (const char* path = std::getenv("WINAPI_REGISTRY"); path != nullptr && *path != '\0') {
    return path;
  }
  std::string base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::string(home) + "/.config";
  } else {
    base = ".";
  }
  return base + "/winapi/registry.db";
}

LONG store_key_exists(const KeyName& key) {
  return with_database([&](sqlite3* db) -> LONG {
    bool exists = false;
    int rc = key_exists(db, key, exists);
    if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
    return exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG store_create_key(const KeyName& key, bool& created) {
  created = false;
  return with_database([&](sqlite3* db) -> LONG {
    WriteTransaction transaction(db);
    if (transaction.begun() != SQLITE_OK) return win32_error_from_sqlite(transaction.begun());
    Statement statement;
    int rc = prepare(db, "INSERT OR IGNORE INTO reg_keys(root, path) VALUES(?1, ?2)", statement);
    if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
    // Every prefix that ends before a '\', then the whole path.
    for (std::size_t end = key.path.find('\\');; end = key.path.find('\\', end + 1)) {
      KeyName part{key.root, key.path.substr(0, end)};
      sqlite3_reset(statement.get());
      bind_key(statement.get(), part);
      rc = sqlite3_step(statement.get());
      if (rc != SQLITE_DONE) return win32_error_from_sqlite(rc);
      if (end == std::string::npos) {
        created = sqlite3_changes(db) > 0;
        break;
      }
    }
    rc = transaction.commit();
    if (rc != SQLITE_OK) {
      created = false;
      return win32_error_from_sqlite(rc);
    }
    return ERROR_SUCCESS;
  });
}

LONG store_get_value(const KeyName& key, const std::string& name, RegistryValue& value) {
  return with_database([&](sqlite3* db) -> LONG {
    Statement statement;
    int rc = prepare(db, "SELECT type, data FROM reg_values WHERE root = ?1 AND path = ?2 AND name = ?3",
                     statement);
    if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
    bind_key(statement.get(), key);
    sqlite3_bind_text(statement.get(), 3, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
    if (rc != SQLITE_ROW) return win32_error_from_sqlite(rc);
    value.type = static_cast<DWORD>(sqlite3_column_int64(statement.get(), 0));
    const auto* bytes = static_cast<const BYTE*>(sqlite3_column_blob(statement.get(), 1));
    int size = sqlite3_column_bytes(statement.get(), 1);
    value.data.assign(bytes, bytes + size);
    return ERROR_SUCCESS;
  });
}

LONG store_set_value(const KeyName& key, const std::string& name, const RegistryValue& value) {
  return with_database([&](sqlite3* db) -> LONG {
    WriteTransaction transaction(db);
    if (transaction.begun() != SQLITE_OK) return win32_error_from_sqlite(transaction.begun());
    bool exists = false;
    int rc = key_exists(db, key, exists);
    if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
    if (!exists) return ERROR_FILE_NOT_FOUND;  // the key was removed meanwhile
    Statement statement;
    rc = prepare(db,
                 "INSERT OR REPLACE INTO reg_values(root, path, name, type, data)"
                 " VALUES(?1, ?2, ?3, ?4, ?5)",
                 statement);
    if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
    bind_key(statement.get(), key);
    sqlite3_bind_text(statement.get(), 3, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(statement.get(), 4, value.type);
    // A zero-length blob must still be a blob, not NULL.
    static const BYTE kEmpty = 0;
    sqlite3_bind_blob(statement.get(), 5, value.data.empty() ? &kEmpty : value.data.data(),
                      static_cast<int>(value.data.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE) return win32_error_from_sqlite(rc);
    return win32_error_from_sqlite(transaction.commit());
  });
}

LONG store_delete_value(const KeyName& key, const std::string& name) {
  return with_database([&](sqlite3* db) -> LONG {
    Statement statement;
    int rc = prepare(db, "DELETE FROM reg_values WHERE root = ?1 AND path = ?2 AND name = ?3", statement);
    if (rc != SQLITE_OK) return win32_error_from_sqlite(rc);
    bind_key(statement.get(), key);
    sqlite3_bind_text(statement.get(), 3, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE) return win32_error_from_sqlite(rc);
    return sqlite3_changes(db) > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

}  // namespace winapi
