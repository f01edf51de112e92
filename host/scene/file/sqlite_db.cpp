// The scene file's SQLite connection and statements.
#include "sqlite_db.h"

#include <bit>

#include "host/messages.h"

namespace scenefile {

Db::Db(const std::string& path, Mode mode) {
  int flags = mode == Mode::kRead ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : host::msg::kSceneFileOutOfMemory;
    sqlite3_close(db_);
    db_ = nullptr;
    throw FileError(reason);
  }
  sqlite3_extended_result_codes(db_, 1);
}

Db::~Db() { sqlite3_close(db_); }

void Db::exec(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(nullptr);
}

void Db::close() {
  if (sqlite3_close(db_) != SQLITE_OK) fail(host::msg::kSceneFileClosing);
  db_ = nullptr;
}

void Db::fail(const char* what) const {
  std::string reason = sqlite3_errmsg(db_);
  throw FileError(what != nullptr ? std::string(what) + ": " + reason : reason);
}

Statement::Statement(Db& db, const char* sql) : db_(db) {
  if (sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK) db.fail(nullptr);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(std::int64_t v) {
  if (sqlite3_bind_int64(stmt_, next_param_++, v) != SQLITE_OK) db_.fail(nullptr);
  return *this;
}

Statement& Statement::bind(float v) {
  return bind(static_cast<std::int64_t>(std::bit_cast<std::uint32_t>(v)));
}

Statement& Statement::bind(const std::string& v) {
  if (sqlite3_bind_text(stmt_, next_param_++, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) !=
      SQLITE_OK)
    db_.fail(nullptr);
  return *this;
}

Statement& Statement::bind(const Bytes& v) {
  // An empty vector's data() may be null, which SQLite would store as NULL.
  static const unsigned char kNothing = 0;
  const void* data = v.empty() ? &kNothing : v.data();
  if (sqlite3_bind_blob(stmt_, next_param_++, data, static_cast<int>(v.size()), SQLITE_TRANSIENT) !=
      SQLITE_OK)
    db_.fail(nullptr);
  return *this;
}

void Statement::run() {
  if (sqlite3_step(stmt_) != SQLITE_DONE) db_.fail(nullptr);
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  next_param_ = 1;
}

bool Statement::next_row() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) db_.fail(nullptr);
  return false;
}

void Statement::bad_column(int column, const char* wanted) const {
  throw FileError(std::string(host::msg::kSceneFileBadValue) + sqlite3_column_name(stmt_, column) + ": " +
                  wanted);
}

std::int64_t Statement::integer(int column) const {
  if (sqlite3_column_type(stmt_, column) != SQLITE_INTEGER)
    bad_column(column, host::msg::kSceneFileWantedInteger);
  return sqlite3_column_int64(stmt_, column);
}

std::int64_t Statement::integer_in(int column, std::int64_t least, std::int64_t most) const {
  std::int64_t v = integer(column);
  if (v < least || v > most) bad_column(column, host::msg::kSceneFileOutOfRange);
  return v;
}

float Statement::real(int column) const {
  return std::bit_cast<float>(static_cast<std::uint32_t>(integer_in(column, 0, 0xFFFFFFFF)));
}

std::string Statement::text(int column) const {
  if (sqlite3_column_type(stmt_, column) != SQLITE_TEXT) bad_column(column, host::msg::kSceneFileWantedText);
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

Bytes Statement::blob(int column) const {
  if (sqlite3_column_type(stmt_, column) != SQLITE_BLOB) bad_column(column, host::msg::kSceneFileWantedBlob);
  const auto* p = static_cast<const unsigned char*>(sqlite3_column_blob(stmt_, column));
  int n = sqlite3_column_bytes(stmt_, column);
  return p == nullptr ? Bytes{} : Bytes(p, p + n);
}

}  // namespace scenefile
