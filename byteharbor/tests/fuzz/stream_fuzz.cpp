// Runs a sequence of binary I/O operations, chosen by the input bytes, on a
// BinaryStream and a BinaryFile at once, and checks every result against a
// plain model of each: a sparse byte array with a size and a position.
//
// Input: repeated [operation][shape][4-byte number][text length][text]; what
// runs past the end reads as 0. Positions may reach 2^31 - 1, so the models keep
// only the bytes written; the stream is not asked to grow beyond
// kStreamLimit (it would take that much memory) unless the write is one it
// must refuse.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "binary_file.h"
#include "binary_stream.h"
#include "names.h"

namespace {

constexpr std::int64_t kStreamLimit = std::int64_t{1} << 20;

[[noreturn]] void fail(const char* what, const char* target, std::int64_t expected, std::int64_t got) {
  std::fprintf(stderr, "%s mismatch on the %s: expected %lld, got %lld\n", what, target,
               static_cast<long long>(expected), static_cast<long long>(got));
  std::abort();
}

// The input, read from the front.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t u32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(byte()) << (8 * i);
    return v;
  }
  // A short text without 0 bytes (the scripts' strings end at the first 0).
  std::string text() {
    std::string t(byte() % 12, '\0');
    for (char& c : t) c = static_cast<char>(byte() | 1);
    return t;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// What a BinaryStream or a BinaryFile should hold. The two differ in where
// #end counts from, in how a seek out of range ends, in what a read that
// comes short consumes, and in how a write beyond 32-bit positions fails.
struct Model {
  bool file = false;
  std::map<std::int64_t, std::uint8_t> bytes;  // absent bytes are 0
  std::int64_t size = 0;
  std::int64_t position = 0;

  std::uint8_t at(std::int64_t i) const {
    auto it = bytes.find(i);
    return it == bytes.end() ? 0 : it->second;
  }
  bool read(std::uint8_t* out, std::int64_t length) {
    if (position + length > size) {
      if (file && position < size) position = size;  // a short read consumes what it found
      return false;
    }
    for (std::int64_t i = 0; i < length; ++i) out[i] = at(position + i);
    position += length;
    return true;
  }
  // -1: the value raises; 0: answers false; 1: written.
  int write(const std::uint8_t* in, std::int64_t length) {
    std::int64_t end = position + length;
    if (!file && end > BlockStream::kMaxSize) return -1;
    if (file && end > DiskFile::kMaxPosition) return 0;
    for (std::int64_t i = 0; i < length; ++i) bytes[position + i] = in[i];
    position = end;
    if (end > size) size = end;
    return 1;
  }
  bool seek(std::int64_t offset, int origin) {
    std::int64_t base = origin == 1 ? position : origin == 2 ? (file ? size : size - 1) : 0;
    std::int64_t target = base + offset;
    if (file) {
      if (target < 0 || target > DiskFile::kMaxPosition) return false;
    } else {
      target = std::min<std::int64_t>(std::max<std::int64_t>(target, 0), INT32_MAX);
    }
    position = target;
    return true;
  }
  // The stream takes memory up to the end of a write; skip writes that need
  // much of it but would succeed.
  bool too_costly(std::int64_t length) const {
    std::int64_t end = position + length;
    return !file && end > kStreamLimit && end <= BlockStream::kMaxSize;
  }
};

struct Target {
  const char* name;
  BinaryFileBase* value;
  Model model;
};

Value* call(BinaryFileBase* v, binary_method m, Value* arg = nullptr) {
  Value* args[1] = {arg};
  return (v->*m)(args, arg != nullptr ? 1 : 0);
}

bool truth(const char* what, const Target& t, Value* got) {
  if (got != &true_value && got != &false_value) fail(what, t.name, 1, -1);
  return got == &true_value;
}

void expect_int(const char* what, const Target& t, Value* got, std::int64_t expected) {
  if (!is_exactly(got, &Integer_class)) fail(what, t.name, expected, -1);
  if (got->to_int() != expected) fail(what, t.name, expected, got->to_int());
}

void expect_undefined(const char* what, const Target& t, Value* got) {
  if (got != &undefined) fail(what, t.name, 0, 1);
}

void check_state(Target& t) {
  expect_int("tell", t, call(t.value, &BinaryFileBase::tell), t.model.position);
  expect_int("size", t, call(t.value, &BinaryFileBase::size), t.model.size);
  Value* no_args[1] = {};
  bool at_end = truth("eof", t, t.value->eof_vf(no_args, 0));
  if (at_end != (t.model.position >= t.model.size))
    fail("eof", t.name, t.model.position >= t.model.size, at_end);
}

void write_op(Target& t, binary_method m, Value* arg, const std::uint8_t* bytes, std::int64_t length) {
  if (t.model.too_costly(length)) return;
  int expected = t.model.write(bytes, length);
  if (expected < 0) {
    try {
      call(t.value, m, arg);
    } catch (const RuntimeError&) {
      return;
    }
    fail("refused write", t.name, -1, 1);
  }
  if (truth("write", t, call(t.value, m, arg)) != (expected == 1)) fail("write", t.name, expected, !expected);
}

// Reads length bytes and gives the model's value of them in *expected.
bool model_read(Target& t, std::int64_t length, std::uint8_t* expected) {
  return t.model.read(expected, length);
}

// One operation with its arguments, read once from the input and applied to
// every target.
struct Step {
  std::uint8_t op;
  std::uint32_t a;  // the number written, or the seek offset
  int origin;
  std::string text;
};

void step(Target& t, const Step& s) {
  std::uint32_t a = s.a;
  const std::string& text = s.text;
  std::uint8_t le[4] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(a >> 8),
                        static_cast<std::uint8_t>(a >> 16), static_cast<std::uint8_t>(a >> 24)};
  std::uint8_t got[4] = {};
  switch (s.op) {
    case 0:
      write_op(t, &BinaryFileBase::writeBinByte, Integer::intern(static_cast<int>(a)), le, 1);
      break;
    case 1:
      write_op(t, &BinaryFileBase::writeBinWord, Integer::intern(static_cast<int>(a)), le, 2);
      break;
    case 2:
      write_op(t, &BinaryFileBase::writeBinInt, Integer::intern(static_cast<int>(a)), le, 4);
      break;
    case 3: {
      float f = 0;
      std::memcpy(&f, &a, 4);
      write_op(t, &BinaryFileBase::writeBinFloat, new Float(f), le, 4);
      break;
    }
    case 4: {
      std::uint8_t first = text.empty() ? 0 : static_cast<std::uint8_t>(text[0]);
      write_op(t, &BinaryFileBase::writeBinChar, new String(text.c_str()), &first, 1);
      break;
    }
    case 5:
      write_op(t, &BinaryFileBase::writeBinString, new String(text.c_str()),
               reinterpret_cast<const std::uint8_t*>(text.c_str()),
               static_cast<std::int64_t>(text.size()) + 1);
      break;
    case 6: {
      Value* v = call(t.value, &BinaryFileBase::readBinByte);
      if (!model_read(t, 1, got)) return expect_undefined("readBinByte", t, v);
      expect_int("readBinByte", t, v, got[0]);
      break;
    }
    case 7: {
      Value* v = call(t.value, &BinaryFileBase::readBinWord);
      if (!model_read(t, 2, got)) return expect_undefined("readBinWord", t, v);
      expect_int("readBinWord", t, v, got[0] | (got[1] << 8));
      break;
    }
    case 8: {
      Value* v = call(t.value, &BinaryFileBase::readBinInt);
      if (!model_read(t, 4, got)) return expect_undefined("readBinInt", t, v);
      std::uint32_t u = got[0] | (got[1] << 8) | (got[2] << 16) | (static_cast<std::uint32_t>(got[3]) << 24);
      expect_int("readBinInt", t, v, static_cast<std::int32_t>(u));
      break;
    }
    case 9: {
      Value* v = call(t.value, &BinaryFileBase::readBinFloat);
      if (!model_read(t, 4, got)) return expect_undefined("readBinFloat", t, v);
      if (!is_exactly(v, &Float_class)) fail("readBinFloat class", t.name, 0, 1);
      std::uint32_t bits = 0;
      float f = v->to_float();
      std::memcpy(&bits, &f, 4);
      std::uint32_t u = got[0] | (got[1] << 8) | (got[2] << 16) | (static_cast<std::uint32_t>(got[3]) << 24);
      if (bits != u) fail("readBinFloat", t.name, u, bits);
      break;
    }
    case 10: {
      Value* v = call(t.value, &BinaryFileBase::readBinChar);
      if (!model_read(t, 1, got)) return expect_undefined("readBinChar", t, v);
      std::string s = v->to_string();
      if (s != (got[0] == 0 ? std::string() : std::string(1, static_cast<char>(got[0]))))
        fail("readBinChar", t.name, got[0], s.empty() ? 0 : static_cast<std::uint8_t>(s[0]));
      break;
    }
    case 11: {
      Value* v = call(t.value, &BinaryFileBase::readBinString);
      std::string expected;
      bool any = false;
      std::uint8_t c = 0;
      while (t.model.read(&c, 1)) {
        any = true;
        if (c == 0) break;
        expected.push_back(static_cast<char>(c));
      }
      if (!any) return expect_undefined("readBinString", t, v);
      std::string s = v->to_string();
      if (s != expected) fail("readBinString length", t.name, expected.size(), s.size());
      break;
    }
    case 12: {
      Value* args[2] = {Integer::intern(static_cast<int>(a)), Integer::intern(s.origin)};
      bool moved = truth("seek", t, t.value->seek_vf(args, 2));
      if (moved != t.model.seek(static_cast<std::int32_t>(a), s.origin)) fail("seek", t.name, !moved, moved);
      break;
    }
    case 13: {
      Value* no_args[1] = {};
      truth("flush", t, t.value->flush_vf(no_args, 0));
      break;
    }
    default:
      break;
  }
}

std::string g_path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  intern_names();
  char dir[] = "/tmp/byteharbor-fuzz-XXXXXX";
  if (mkdtemp(dir) == nullptr) std::abort();
  g_path = std::string(dir) + "/f.bin";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::remove(g_path.c_str());
  {
    ValueLocals<2> keep;
    keep[0] = new BinaryStream;
    keep[1] = BinaryFile::open(g_path.c_str());
    if (keep[1] == nullptr) std::abort();
    Target targets[2] = {{"stream", static_cast<BinaryFileBase*>(keep[0]), {}},
                         {"file", static_cast<BinaryFileBase*>(keep[1]), {}}};
    targets[1].model.file = true;
    Input in(data, size);
    while (!in.empty()) {
      Step s;
      s.op = in.byte() % 14;
      std::uint8_t shape = in.byte();
      s.a = in.u32();
      // Mostly numbers near 0, so that seeks land around the content; now
      // and then any 32-bit number.
      if (shape < 224) s.a = static_cast<std::uint32_t>(static_cast<std::int32_t>(s.a) % 10000);
      s.origin = shape % 3;
      s.text = in.text();
      for (Target& t : targets) {
        step(t, s);
        check_state(t);
      }
    }
    Value* no_args[1] = {};
    if (keep[1]->close_vf(no_args, 0) != &true_value) fail("close", "file", 1, 0);
  }
  gc_collect();
  return 0;
}
