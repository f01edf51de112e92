// Image files on disk: their header (size and image type) and their pixels.
#pragma once

#include <string>
#include <vector>

#include "host/bitmap.h"

namespace host::bitmaps {

struct ImageHeader {
  int width = 0;
  int height = 0;
  int type = BMM_NO_TYPE;  // the file's own pixel layout (BMM_GRAY_8, BMM_TRUE_24, ...)
};

struct Image {
  ImageHeader header;
  std::vector<BMM_Color_64> pixels;  // rows from the top, each left to right
};

// The largest image the host loads, in pixels.
inline constexpr long kMaxPixels = 64L * 1024 * 1024;

// BMMRES_SUCCESS with the header filled, or why the file cannot be read.
BMMRES read_image_header(const std::string& path, ImageHeader* header);
// BMMRES_SUCCESS with the whole image, or why it cannot be read.
BMMRES read_image(const std::string& path, Image* image);

}  // namespace host::bitmaps
