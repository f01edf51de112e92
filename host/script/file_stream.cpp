// Text file streams: createFile, openFile, and the stream they return.
#include <sys/stat.h>

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "file_stream.h"
#include "host/messages.h"
#include "script_paths.h"
#include "text_stream.h"

namespace host::script {

namespace {

extern ValueMetaClass FileStream_class;

using FileId = std::pair<dev_t, ino_t>;

// The files script streams hold open, once for each stream.
std::multiset<FileId>& open_files() {
  static auto* files = new std::multiset<FileId>;
  return *files;
}

FileId file_id(const struct stat& st) { return {st.st_dev, st.st_ino}; }

class FileStream : public TextStream {
 public:
  FileStream(std::FILE* file, FileId id, std::string name, bool readable, bool writable)
      : file_(file), id_(id), name_(std::move(name)), readable_(readable), writable_(writable) {
    tag = &FileStream_class;
    open_files().insert(id_);
  }
  // A stream the collector frees closes its file, writing what is pending.
  ~FileStream() override { close_file(); }

  void puts(const char* text) override {
    check_open();
    if (!writable_) throw RuntimeError(msg::kStreamNotWritable, this);
    switch_to(Op::Write);
    if (std::fputs(text, file_) < 0) throw RuntimeError(msg::kWriteFailed, this);
  }
  void flush() override {
    if (file_ != nullptr) std::fflush(file_);
  }
  void sprin1(CharStream* s) override {
    s->puts("<File:");
    s->puts(name_.c_str());
    s->puts(">");
  }

  int get_char() override {
    if (!readable_) return -1;
    switch_to(Op::Read);
    int c = std::getc(file_);
    return c == EOF ? -1 : c;
  }
  int peek_char() override {
    if (!readable_) return -1;
    switch_to(Op::Read);
    int c = std::getc(file_);
    if (c == EOF) return -1;
    std::ungetc(c, file_);
    return c;
  }
  long position() override { return std::ftell(file_); }
  long length() override {
    if (last_ == Op::Write) std::fflush(file_);
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0) return position();
    return std::max(static_cast<long>(st.st_size), position());
  }
  void set_position(long pos) override {
    if (last_ == Op::Write) std::fflush(file_);
    std::fseek(file_, pos, SEEK_SET);
    last_ = Op::None;
  }
  void check_open() override {
    if (file_ == nullptr) throw RuntimeError(msg::kStreamClosed, this);
  }
  void check_readable() override {
    check_open();
    if (!readable_) throw RuntimeError(msg::kStreamNotReadable, this);
  }

  Value* eof_vf(Value**, int count) override {
    if (count != 0) throw ArgCountError("eof", 1, count + 1);
    check_open();
    return bool_result(at_end());
  }
  Value* close_vf(Value**, int count) override {
    if (count != 0) throw ArgCountError("close", 1, count + 1);
    close_file();
    return &ok;
  }

 private:
  enum class Op { None, Read, Write };
  // C streams need a seek between a read and a write on the same file.
  void switch_to(Op op) {
    if (last_ != Op::None && last_ != op) std::fseek(file_, 0, SEEK_CUR);
    last_ = op;
  }

  void close_file() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
    open_files().erase(open_files().find(id_));
  }

  std::FILE* file_;
  FileId id_;
  std::string name_;
  bool readable_, writable_;
  Op last_ = Op::None;
};

// "r", "rt", "r+", "w", "wb", "a+", ... as C's fopen takes them; the access
// hints (S R T D c n) change nothing here.
std::optional<std::string> c_mode(const std::string& mode) {
  if (mode.empty() || std::string("rwa").find(mode[0]) == std::string::npos) return std::nullopt;
  bool plus = false;
  for (std::size_t i = 1; i < mode.size(); ++i) {
    if (mode[i] == '+')
      plus = true;
    else if (std::string("tbSRTDcn").find(mode[i]) == std::string::npos)
      return std::nullopt;
  }
  return std::string(1, mode[0]) + (plus ? "+" : "");
}

Value* open_stream(const std::string& name, const std::string& mode) {
  std::FILE* f = std::fopen(os_path(name).c_str(), mode.c_str());
  if (f == nullptr) return &undefined;
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return &undefined;
  }
  bool plus = mode.size() > 1;
  return new FileStream(f, file_id(st), name, mode[0] == 'r' || plus, mode[0] != 'r' || plus);
}

Value* create_file_cf(Value** arg_list, int count) {
  check_positional_count("createFile", 1, arg_list, count);
  return open_stream(arg_list[0]->to_string(), "w");
}

Value* open_file_cf(Value** arg_list, int count) {
  check_positional_count("openFile", 1, arg_list, count);
  std::string name = arg_list[0]->to_string();
  static Value* mode_key = Name::intern("mode");
  Value* mode_arg = _get_key_arg_or_default(arg_list, count, mode_key, nullptr);
  std::optional<std::string> mode = c_mode(mode_arg ? mode_arg->to_string() : "rt");
  if (!mode) return &undefined;
  return open_stream(name, *mode);
}

ValueMetaClass FileStream_class("FileStream", &CharStream_class);
Primitive create_file_pf("createFile", create_file_cf);
Primitive open_file_pf("openFile", open_file_cf);

}  // namespace

bool is_open_in_script(const std::string& os_path) {
  struct stat st {};
  return stat(os_path.c_str(), &st) == 0 && open_files().count(file_id(st)) > 0;
}

}  // namespace host::script
