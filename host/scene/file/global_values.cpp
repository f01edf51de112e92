// Encoding and decoding persistent globals' values.
#include "global_values.h"

#include <algorithm>
#include <vector>

#include "../node_values.h"
#include "bytes.h"
#include "host/messages.h"
#include "host/numbers64.h"
#include "host/values.h"

namespace scenefile {
namespace {

enum Tag : std::uint32_t {
  kUndefined = 0,
  kTrue = 1,
  kFalse = 2,
  kInteger = 3,
  kInteger64 = 4,
  kFloat = 5,
  kDouble = 6,
  kString = 7,
  kName = 8,
  kTime = 9,
  kPoint2 = 10,
  kPoint3 = 11,
  kPoint4 = 12,
  kColor = 13,
  kQuat = 14,
  kMatrix3 = 15,
  kArray = 16,
  kNode = 17,
};

// Deep enough for any array a script builds by hand; a file nesting deeper
// is damaged, and the decoder's recursion stays bounded.
constexpr int kMaxDepth = 256;

void u64(ByteWriter& w, std::uint64_t v) {
  w.u32(static_cast<std::uint32_t>(v));
  w.u32(static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t u64(ByteReader& r) {
  std::uint64_t lo = r.u32();
  return lo | (static_cast<std::uint64_t>(r.u32()) << 32);
}

void text(ByteWriter& w, const char* s, std::size_t n) {
  w.u32(static_cast<std::uint32_t>(n));
  w.bytes(reinterpret_cast<const unsigned char*>(s), n);
}

class Encoder {
 public:
  explicit Encoder(const std::map<INode*, Id>& node_ids) : node_ids_(node_ids) {}

  void value(Value* v, int depth) {
    if (v == &true_value) return w.u32(kTrue);
    if (v == &false_value) return w.u32(kFalse);
    if (auto* i = dynamic_cast<Integer*>(v)) {
      w.u32(kInteger);
      return w.u32(static_cast<std::uint32_t>(i->value));
    }
    if (auto* i = dynamic_cast<Integer64*>(v)) {
      w.u32(kInteger64);
      return u64(w, static_cast<std::uint64_t>(i->value));
    }
    if (auto* f = dynamic_cast<Float*>(v)) {
      w.u32(kFloat);
      return w.f32(f->value);
    }
    if (auto* d = dynamic_cast<Double*>(v)) {
      w.u32(kDouble);
      return u64(w, std::bit_cast<std::uint64_t>(d->value));
    }
    if (auto* s = dynamic_cast<String*>(v)) {
      w.u32(kString);
      return text(w, s->string, s->length());
    }
    if (auto* n = dynamic_cast<Name*>(v)) {
      w.u32(kName);
      return text(w, n->string, std::char_traits<char>::length(n->string));
    }
    if (auto* t = dynamic_cast<MSTime*>(v)) {
      w.u32(kTime);
      return w.u32(static_cast<std::uint32_t>(t->time));
    }
    if (auto* p = dynamic_cast<Point2Value*>(v)) {
      w.u32(kPoint2);
      w.f32(p->p.x);
      return w.f32(p->p.y);
    }
    if (auto* p = dynamic_cast<Point3Value*>(v)) {
      w.u32(kPoint3);
      return w.point3(p->p);
    }
    if (auto* p = dynamic_cast<Point4Value*>(v)) {
      w.u32(kPoint4);
      for (float f : {p->p.x, p->p.y, p->p.z, p->p.w}) w.f32(f);
      return;
    }
    if (auto* c = dynamic_cast<ColorValue*>(v)) {
      w.u32(kColor);
      for (float f : {c->color.r, c->color.g, c->color.b, c->color.a}) w.f32(f);
      return;
    }
    if (auto* q = dynamic_cast<QuatValue*>(v)) {
      w.u32(kQuat);
      for (float f : {q->q.x, q->q.y, q->q.z, q->q.w}) w.f32(f);
      return;
    }
    if (auto* m = dynamic_cast<Matrix3Value*>(v)) {
      w.u32(kMatrix3);
      return w.matrix3(m->m);
    }
    if (auto* a = dynamic_cast<Array*>(v)) {
      // An array inside itself, or nested past the bound, ends as undefined.
      if (depth >= kMaxDepth || std::find(path_.begin(), path_.end(), a) != path_.end())
        return w.u32(kUndefined);
      path_.push_back(a);
      w.u32(kArray);
      w.u32(static_cast<std::uint32_t>(a->size));
      for (int i = 0; i < a->size; ++i) value(a->data[i], depth + 1);
      path_.pop_back();
      return;
    }
    if (auto* n = dynamic_cast<NodeValue*>(v)) {
      auto found = n->is_deleted() ? node_ids_.end() : node_ids_.find(n->node());
      if (found == node_ids_.end()) return w.u32(kUndefined);
      w.u32(kNode);
      return u64(w, static_cast<std::uint64_t>(found->second));
    }
    w.u32(kUndefined);
  }

  ByteWriter w;

 private:
  const std::map<INode*, Id>& node_ids_;
  std::vector<Array*> path_;
};

// Reads a value; makes it only when make is set (checking makes nothing).
class Decoder {
 public:
  Decoder(const Bytes& bytes, const std::map<Id, INode*>& nodes, bool make)
      : r(bytes, host::msg::kSceneFileGlobalValue), nodes_(nodes), make_(make) {}

  Value* value(int depth) {
    if (depth > kMaxDepth)
      throw FileError(std::string(host::msg::kSceneFileGlobalValue) + host::msg::kSceneFileTooDeep);
    std::uint32_t tag = r.u32();
    switch (tag) {
      case kUndefined:
        return &undefined;
      case kTrue:
        return &true_value;
      case kFalse:
        return &false_value;
      case kInteger: {
        auto v = static_cast<int>(r.u32());
        return make_ ? Integer::intern(v) : nullptr;
      }
      case kInteger64: {
        auto v = static_cast<std::int64_t>(u64(r));
        return make_ ? new Integer64(v) : nullptr;
      }
      case kFloat: {
        float f = r.f32();
        return make_ ? new Float(f) : nullptr;
      }
      case kDouble: {
        double d = std::bit_cast<double>(u64(r));
        return make_ ? new Double(d) : nullptr;
      }
      case kString: {
        Bytes b = r.bytes(r.u32());
        return make_ ? new String(reinterpret_cast<const char*>(b.data()), b.size()) : nullptr;
      }
      case kName: {
        Bytes b = r.bytes(r.u32());
        std::string s(b.begin(), b.end());
        if (s.find('\0') != std::string::npos) throw FileError(host::msg::kSceneFileGlobalValue);
        return make_ ? Name::intern(s.c_str()) : nullptr;
      }
      case kTime: {
        auto t = static_cast<TimeValue>(r.u32());
        return make_ ? MSTime::intern(t) : nullptr;
      }
      case kPoint2: {
        float x = r.f32(), y = r.f32();
        return make_ ? new Point2Value(Point2(x, y)) : nullptr;
      }
      case kPoint3: {
        Point3 p = r.point3();
        return make_ ? new Point3Value(p) : nullptr;
      }
      case kPoint4: {
        float x = r.f32(), y = r.f32(), z = r.f32(), w = r.f32();
        return make_ ? new Point4Value(Point4(x, y, z, w)) : nullptr;
      }
      case kColor: {
        float cr = r.f32(), g = r.f32(), b = r.f32(), a = r.f32();
        return make_ ? new ColorValue(AColor(cr, g, b, a)) : nullptr;
      }
      case kQuat: {
        float x = r.f32(), y = r.f32(), z = r.f32(), w = r.f32();
        return make_ ? new QuatValue(Quat(x, y, z, w)) : nullptr;
      }
      case kMatrix3: {
        Matrix3 m = r.matrix3();
        return make_ ? new Matrix3Value(m) : nullptr;
      }
      case kArray: {
        std::uint32_t count = r.u32();
        // Each item takes at least its tag: a count beyond that is damage.
        if (count > r.left() / 4)
          throw FileError(std::string(host::msg::kSceneFileGlobalValue) + host::msg::kSceneFileCutShort);
        Array* a = make_ ? new Array(static_cast<int>(count)) : nullptr;
        for (std::uint32_t i = 0; i < count; ++i) {
          Value* item = value(depth + 1);
          if (a != nullptr) a->append(item);
        }
        return a;
      }
      case kNode: {
        auto found = nodes_.find(static_cast<Id>(u64(r)));
        if (found == nodes_.end())
          throw FileError(std::string(host::msg::kSceneFileGlobalValue) + host::msg::kSceneFileMissingNode);
        return make_ ? wrap_node(found->second) : nullptr;
      }
      default:
        throw FileError(std::string(host::msg::kSceneFileGlobalValue) + host::msg::kSceneFileUnknownTag);
    }
  }

  ByteReader r;

 private:
  const std::map<Id, INode*>& nodes_;
  bool make_;
};

}  // namespace

Bytes encode_global_value(Value* v, const std::map<INode*, Id>& node_ids) {
  Encoder e(node_ids);
  e.value(v, 0);
  return e.w.result();
}

void check_global_value(const Bytes& bytes, const std::map<Id, INode*>& nodes) {
  Decoder d(bytes, nodes, false);
  d.value(0);
  d.r.finish();
}

Value* decode_global_value(const Bytes& bytes, const std::map<Id, INode*>& nodes) {
  Decoder d(bytes, nodes, true);
  return d.value(0);
}

}  // namespace scenefile
