// How the checker, noise and bitmap maps colour a shading point.
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "../material_objects.h"
#include "host/bitmap.h"
#include "perlin_noise.h"

namespace {

AColor mix(const AColor& a, const AColor& b, float t) {
  return AColor(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t);
}

// The whole-numbered part, for floats too large or not numbers: 0.
long long whole(float f) {
  float w = std::floor(f);
  return std::isfinite(w) && std::fabs(w) < 1e15f ? static_cast<long long>(w) : 0;
}

// i wrapped into 0..n-1.
int wrap(long long i, int n) { return static_cast<int>(((i % n) + n) % n); }

struct DeleteBitmap {
  void operator()(Bitmap* b) const { b->DeleteThis(); }
};

}  // namespace

Point3 StandardUV::uvw_at(ShadeContext& sc) {
  Point3 uvw = sc.UVW(state_.channel);
  uvw.x = (uvw.x - state_.u_offset - 0.5f) * state_.u_tiling + 0.5f;
  uvw.y = (uvw.y - state_.v_offset - 0.5f) * state_.v_tiling + 0.5f;
  return uvw;
}

// The checker: two squares each way in every unit of the coordinates, colour
// 1 in the lower left one. Noise: gradient noise of the object-space point
// scaled down by the size, from colour 1 (lowest) to colour 2 (highest).
AColor TwoColorMap::EvalColor(ShadeContext& sc) {
  if (class_id_ == CHECKER_CLASS_ID) {
    Point3 uvw = coords_.uvw_at(sc);
    long long squares = whole(uvw.x * 2.0f) + whole(uvw.y * 2.0f);
    return state_.colors[squares % 2 == 0 ? 0 : 1];
  }
  float size = state_.size > 1e-6f ? state_.size : 1e-6f;
  float n = perlin_noise(sc.PObj() / size);
  float t = std::clamp((n + 1.0f) * 0.5f, 0.0f, 1.0f);
  return mix(state_.colors[0], state_.colors[1], t);
}

// The image is read once for each file name; one that cannot be read leaves
// the map black. The map tiles: coordinates outside 0..1 wrap around.
AColor BitmapMap::EvalColor(ShadeContext& sc) {
  const Image& im = image();
  if (im.pixels.empty()) return AColor(0, 0, 0, 1);
  Point3 uvw = coords_.uvw_at(sc);
  int column = wrap(whole(uvw.x * static_cast<float>(im.width)), im.width);
  // v runs up the image; its rows are kept from the top.
  int row = wrap(whole((1.0f - uvw.y) * static_cast<float>(im.height)), im.height);
  return im.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(im.width) + column];
}

void BitmapMap::Update(TimeValue, Interval&) { image(); }

const BitmapMap::Image& BitmapMap::image() {
  if (image_read_ && image_.file_name == state_.file_name) return image_;
  image_read_ = true;
  image_ = Image{state_.file_name, 0, 0, {}};
  if (state_.file_name.empty() || TheManager == nullptr) return image_;
  BitmapInfo info(state_.file_name.c_str());
  std::unique_ptr<Bitmap, DeleteBitmap> bitmap(TheManager->Load(&info));
  if (!bitmap || bitmap->Width() <= 0 || bitmap->Height() <= 0) return image_;
  int width = bitmap->Width(), height = bitmap->Height();
  std::vector<BMM_Color_64> line(static_cast<std::size_t>(width));
  std::vector<AColor> pixels;
  pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    if (!bitmap->GetPixels(0, y, width, line.data())) return image_;
    for (const BMM_Color_64& p : line)
      pixels.emplace_back(p.r / 65535.0f, p.g / 65535.0f, p.b / 65535.0f, p.a / 65535.0f);
  }
  image_.width = width;
  image_.height = height;
  image_.pixels = std::move(pixels);
  return image_;
}
