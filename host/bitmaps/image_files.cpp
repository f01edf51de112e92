// Reads PNG, JPEG, BMP and Targa files with stb_image. The format is told by
// the file's signature (Targa has none, so by its extension); the image type
// reported is the file's own layout, not the 16-bit RGBA the pixels are
// widened to.
#include "image_files.h"

#include <stb_image.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace host::bitmaps {

namespace {

enum class Format { Png, Jpeg, Bmp, Targa, Unknown };

using Bytes = std::vector<unsigned char>;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

BMMRES read_file(const std::string& path, Bytes* bytes) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return BMMRES_FILENOTFOUND;
  if (!S_ISREG(st.st_mode)) return BMMRES_IOERROR;
  if (st.st_size > INT_MAX) return BMMRES_MEMORYERROR;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return BMMRES_IOERROR;
  bytes->resize(static_cast<std::size_t>(st.st_size));
  if (std::fread(bytes->data(), 1, bytes->size(), file.get()) != bytes->size()) return BMMRES_IOERROR;
  return BMMRES_SUCCESS;
}

std::string lower_extension(const std::string& path) {
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

bool starts_with(const Bytes& bytes, const char* signature, std::size_t length) {
  return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

Format format_of(const std::string& path, const Bytes& bytes) {
  if (starts_with(bytes, "\x89PNG\r\n\x1a\n", 8)) return Format::Png;
  if (starts_with(bytes, "\xff\xd8\xff", 3)) return Format::Jpeg;
  if (starts_with(bytes, "BM", 2)) return Format::Bmp;
  std::string ext = lower_extension(path);
  if (ext == "tga" || ext == "vda" || ext == "icb" || ext == "vst") return Format::Targa;
  return Format::Unknown;
}

int png_type(const Bytes& bytes) {
  // IHDR follows the signature: length, tag, width, height, bit depth, colour type.
  if (bytes.size() < 26) return BMM_NO_TYPE;
  int depth = bytes[24];
  switch (bytes[25]) {
    case 0:  // grey
      return depth == 16 ? BMM_GRAY_16 : depth == 1 ? BMM_LINE_ART : BMM_GRAY_8;
    case 2:  // RGB
      return depth == 16 ? BMM_TRUE_48 : BMM_TRUE_24;
    case 3:
      return BMM_PALETTED;
    case 4:  // grey with alpha
    case 6:  // RGBA
      return depth == 16 ? BMM_TRUE_64 : BMM_TRUE_32;
    default:
      return BMM_NO_TYPE;
  }
}

int bmp_type(const Bytes& bytes) {
  if (bytes.size() < 30) return BMM_NO_TYPE;
  int bits = bytes[28] | (bytes[29] << 8);
  if (bits == 1) return BMM_LINE_ART;
  if (bits <= 8) return BMM_PALETTED;
  if (bits == 16) return BMM_TRUE_16;
  return bits == 32 ? BMM_TRUE_32 : BMM_TRUE_24;
}

int targa_type(const Bytes& bytes) {
  if (bytes.size() < 18) return BMM_NO_TYPE;
  int bits = bytes[16];
  switch (bytes[2]) {
    case 1:  // colour-mapped, plain or run-length coded
    case 9:
      return BMM_PALETTED;
    case 3:  // grey
    case 11:
      return BMM_GRAY_8;
    default:
      return bits == 32 ? BMM_TRUE_32 : bits == 24 ? BMM_TRUE_24 : BMM_TRUE_16;
  }
}

int type_of(Format format, const Bytes& bytes, int components) {
  switch (format) {
    case Format::Png:
      return png_type(bytes);
    case Format::Jpeg:
      return components == 1 ? BMM_GRAY_8 : BMM_TRUE_24;
    case Format::Bmp:
      return bmp_type(bytes);
    case Format::Targa:
      return targa_type(bytes);
    case Format::Unknown:
      break;
  }
  return BMM_NO_TYPE;
}

BMMRES header_of(const std::string& path, const Bytes& bytes, ImageHeader* header) {
  Format format = format_of(path, bytes);
  if (format == Format::Unknown) return BMMRES_INVALIDFORMAT;
  int width = 0, height = 0, components = 0;
  if (!stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &components))
    return BMMRES_BADFILEHEADER;
  int type = type_of(format, bytes, components);
  if (type == BMM_NO_TYPE || width <= 0 || height <= 0) return BMMRES_BADFILEHEADER;
  header->width = width;
  header->height = height;
  header->type = type;
  return BMMRES_SUCCESS;
}

struct StbFree {
  void operator()(void* p) const { stbi_image_free(p); }
};

// Widens stb's 4-channel pixels (8 or 16 bits a channel) to BMM_Color_64.
template <typename Channel>
void widen(const Channel* from, std::vector<BMM_Color_64>& to, WORD scale) {
  for (BMM_Color_64& px : to) {
    px.r = static_cast<WORD>(from[0] * scale);
    px.g = static_cast<WORD>(from[1] * scale);
    px.b = static_cast<WORD>(from[2] * scale);
    px.a = static_cast<WORD>(from[3] * scale);
    from += 4;
  }
}

}  // namespace

BMMRES read_image_header(const std::string& path, ImageHeader* header) {
  Bytes bytes;
  BMMRES res = read_file(path, &bytes);
  return res != BMMRES_SUCCESS ? res : header_of(path, bytes, header);
}

BMMRES read_image(const std::string& path, Image* image) {
  Bytes bytes;
  BMMRES res = read_file(path, &bytes);
  if (res == BMMRES_SUCCESS) res = header_of(path, bytes, &image->header);
  if (res != BMMRES_SUCCESS) return res;
  const ImageHeader& h = image->header;
  if (static_cast<long>(h.width) * h.height > kMaxPixels) return BMMRES_MEMORYERROR;

  int length = static_cast<int>(bytes.size());
  int width = 0, height = 0, components = 0;
  bool wide = stbi_is_16_bit_from_memory(bytes.data(), length) != 0;
  std::unique_ptr<void, StbFree> data(wide ? static_cast<void*>(stbi_load_16_from_memory(
                                                 bytes.data(), length, &width, &height, &components, 4))
                                           : static_cast<void*>(stbi_load_from_memory(
                                                 bytes.data(), length, &width, &height, &components, 4)));
  if (!data || width != h.width || height != h.height) return BMMRES_CORRUPTFILE;

  image->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  if (wide)
    widen(static_cast<const stbi_us*>(data.get()), image->pixels, 1);
  else
    widen(static_cast<const stbi_uc*>(data.get()), image->pixels, 257);
  return BMMRES_SUCCESS;
}

}  // namespace host::bitmaps
