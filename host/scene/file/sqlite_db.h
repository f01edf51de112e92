// A thin RAII layer over SQLite for the scene file: a connection and
// prepared statements whose failures throw FileError with SQLite's reason.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace scenefile {

// Why reading or writing the file failed, in words for the user.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using Bytes = std::vector<unsigned char>;

class Db {
 public:
  // Opens path read-only, or creates it (it must not exist yet) for writing.
  enum class Mode { kRead, kCreate };
  Db(const std::string& path, Mode mode);
  ~Db();
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;

  void exec(const char* sql);
  // Writes what is pending to the disk and closes; a failure throws.
  void close();
  sqlite3* handle() const { return db_; }
  // "<what>: <SQLite's message>", or the message alone when what is null.
  [[noreturn]] void fail(const char* what) const;

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(Db& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Binding takes parameters in order, from the first; step() then resets
  // the counter for the next row.
  Statement& bind(std::int64_t v);
  Statement& bind(int v) { return bind(static_cast<std::int64_t>(v)); }
  Statement& bind(unsigned v) { return bind(static_cast<std::int64_t>(v)); }
  Statement& bind(unsigned long v) { return bind(static_cast<std::int64_t>(v)); }
  Statement& bind(bool v) { return bind(static_cast<std::int64_t>(v ? 1 : 0)); }
  // A float as its 32-bit pattern, so every value (NaN, -0) comes back exact.
  Statement& bind(float v);
  Statement& bind(const std::string& v);
  Statement& bind(const Bytes& v);
  // Runs an insert with what was bound.
  void run();
  // Steps a query: true while there is a row, read with the column getters.
  bool next_row();

  // Each getter checks the column's storage class, so a damaged file
  // throws FileError instead of giving a wrong value.
  std::int64_t integer(int column) const;
  // An integer column that must lie in [least, most].
  std::int64_t integer_in(int column, std::int64_t least, std::int64_t most) const;
  // An unsigned 32-bit value (class ids, flags, colours).
  std::uint32_t u32(int column) const {
    return static_cast<std::uint32_t>(integer_in(column, 0, 0xFFFFFFFF));
  }
  // A row id: at least 1, or at least 0 where 0 means none.
  std::int64_t id(int column) const { return integer_in(column, 1, INT64_MAX); }
  std::int64_t id_or_none(int column) const { return integer_in(column, 0, INT64_MAX); }
  bool boolean(int column) const { return integer_in(column, 0, 1) != 0; }
  // A float stored by bind(float).
  float real(int column) const;
  std::string text(int column) const;
  Bytes blob(int column) const;

 private:
  [[noreturn]] void bad_column(int column, const char* wanted) const;
  Db& db_;
  sqlite3_stmt* stmt_ = nullptr;
  int next_param_ = 1;
  bool started_ = false;
};

}  // namespace scenefile
