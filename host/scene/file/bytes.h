// Blobs of the scene file: little-endian 32-bit words (integers, and floats
// as their bit patterns) and raw bytes, packed one after another. Reading
// past the end throws FileError, so a short blob never reads memory it lacks.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

#include "host/geometry.h"
#include "host/messages.h"
#include "sqlite_db.h"

namespace scenefile {

class ByteWriter {
 public:
  void u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<unsigned char>(v >> (8 * i)));
  }
  void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
  void point3(const Point3& p) {
    f32(p.x);
    f32(p.y);
    f32(p.z);
  }
  void matrix3(const Matrix3& m) {
    for (int row = 0; row < 4; ++row) point3(m[row]);
  }
  void bytes(const unsigned char* p, std::size_t n) { out_.insert(out_.end(), p, p + n); }
  const Bytes& result() const { return out_; }

 private:
  Bytes out_;
};

class ByteReader {
 public:
  // what names the blob in the error a short one gives.
  ByteReader(const Bytes& in, const char* what) : in_(in), what_(what) {}
  std::uint32_t u32() {
    need(4);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(in_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return v;
  }
  float f32() { return std::bit_cast<float>(u32()); }
  Point3 point3() {
    float x = f32(), y = f32();
    return Point3(x, y, f32());
  }
  Matrix3 matrix3() {
    Matrix3 m;
    for (int row = 0; row < 4; ++row) m[row] = point3();
    return m;
  }
  Bytes bytes(std::size_t n) {
    need(n);
    Bytes out(in_.begin() + static_cast<std::ptrdiff_t>(pos_),
              in_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return out;
  }
  std::size_t left() const { return in_.size() - pos_; }
  // The blob must hold nothing more.
  void finish() const {
    if (left() != 0) throw FileError(std::string(what_) + host::msg::kSceneFileTrailingBytes);
  }

 private:
  void need(std::size_t n) const {
    if (n > left()) throw FileError(std::string(what_) + host::msg::kSceneFileCutShort);
  }
  const Bytes& in_;
  const char* what_;
  std::size_t pos_ = 0;
};

}  // namespace scenefile
