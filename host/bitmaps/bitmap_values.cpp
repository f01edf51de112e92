// Bitmaps in scripts: openBitMap, getPixels, close and the BitMap value with
// its .width, .height and .filename.
#include <algorithm>
#include <string>
#include <vector>

#include "host/bitmap.h"
#include "host/checks.h"
#include "host/classes.h"
#include "host/geometry.h"
#include "host/locals.h"
#include "host/messages.h"
#include "host/properties.h"
#include "host/streams.h"
#include "host/values.h"

namespace {

extern ValueMetaClass BitMap_class;

// A bitmap loaded from a file. The image stays in memory until the script
// closes it or the collector frees the value.
class BitmapValue : public Value {
 public:
  BitmapValue(const BitmapInfo& info, Bitmap* bitmap) : info_(info), bitmap_(bitmap) {
    tag = &BitMap_class;
    bytes_.set(static_cast<std::size_t>(info.Width()) * info.Height() * sizeof(BMM_Color_64));
  }
  ~BitmapValue() override { release(); }

  const BitmapInfo& info() const { return info_; }
  Bitmap* checked_bitmap() {
    if (bitmap_ == nullptr) throw RuntimeError(host::msg::kBitmapClosed, this);
    return bitmap_;
  }

  void sprin1(CharStream* s) override {
    s->puts("BitMap:");
    s->puts(info_.Name());
  }
  Value* close_vf(Value**, int count) override {
    check_method_arg_count("close", 0, count);
    release();
    return &ok;
  }

 private:
  void release() {
    if (bitmap_ != nullptr) bitmap_->DeleteThis();
    bitmap_ = nullptr;
    bytes_.set(0);
  }

  BitmapInfo info_;
  Bitmap* bitmap_;
  ExternalBytes bytes_;
};

BitmapValue* as_bitmap(Value* self) { return static_cast<BitmapValue*>(self); }
Value* get_width(Value* self) { return Integer::intern(as_bitmap(self)->info().Width()); }
Value* get_height(Value* self) { return Integer::intern(as_bitmap(self)->info().Height()); }
Value* get_filename(Value* self) { return new String(as_bitmap(self)->info().Name()); }

PropertyTable bitmap_properties{
    {"width", "integer", get_width},
    {"height", "integer", get_height},
    {"filename", "string", get_filename},
};

ValueMetaClass BitMap_class("BitMap", nullptr, nullptr, &bitmap_properties);

// openBitMap <filename>: the file's image, or undefined when it cannot be
// read. The manager stays silent: undefined is the script's report.
Value* open_bitmap_cf(Value** arg_list, int count) {
  check_positional_count("openBitMap", 1, arg_list, count);
  BitmapInfo info(arg_list[0]->to_string());
  BOOL was_silent = TheManager->SetSilentMode(TRUE);
  BMMRES status = BMMRES_SUCCESS;
  Bitmap* bitmap = TheManager->Load(&info, &status);
  TheManager->SetSilentMode(was_silent);
  if (bitmap == nullptr) return &undefined;
  return new BitmapValue(info, bitmap);
}

float channel(WORD c) { return static_cast<float>(c) / 257.0f / 255.0f; }

// getPixels <bitmap> <point2> <count>: the colours of up to count pixels of
// one row from the point rightwards, never past the row's end; an empty
// array when the point lies outside the image.
Value* get_pixels_cf(Value** arg_list, int count) {
  check_positional_count("getPixels", 3, arg_list, count);
  auto* bm = check_class<BitmapValue>(arg_list[0], &BitMap_class, "getPixels");
  auto* at = check_class<Point2Value>(arg_list[1], &Point2Value_class, "getPixels");
  int wanted = arg_list[2]->to_int();
  Bitmap* bitmap = bm->checked_bitmap();

  // Compared as floats first: a coordinate far outside int's range never converts.
  const Point2& p = at->p;
  int n = 0, x = 0, y = 0;
  if (p.x >= 0 && p.y >= 0 && p.x < static_cast<float>(bitmap->Width()) &&
      p.y < static_cast<float>(bitmap->Height())) {
    x = static_cast<int>(p.x);
    y = static_cast<int>(p.y);
    n = std::clamp(wanted, 0, bitmap->Width() - x);
  }
  std::vector<BMM_Color_64> row(static_cast<std::size_t>(n));
  if (n > 0) bitmap->GetPixels(x, y, n, row.data());

  OneValueLocal result(new Array(n));
  auto* colours = static_cast<Array*>(result.value);
  for (const BMM_Color_64& px : row)
    colours->append(ColorValue::intern(channel(px.r), channel(px.g), channel(px.b), channel(px.a)));
  return result.value;
}

Primitive open_bitmap_pf("openBitMap", open_bitmap_cf);
Primitive get_pixels_pf("getPixels", get_pixels_cf);

}  // namespace
