// The bitmap manager behind TheManager and the bitmaps it loads.
#include <string>
#include <utility>

#include "../script/script_paths.h"
#include "host/bitmap.h"
#include "host/messages.h"
#include "host/streams.h"
#include "image_files.h"

namespace host::bitmaps {

namespace {

class FileBitmap : public Bitmap {
 public:
  explicit FileBitmap(Image image) : image_(std::move(image)) {}

  int Width() override { return image_.header.width; }
  int Height() override { return image_.header.height; }
  int GetPixels(int x, int y, int count, BMM_Color_64* ptr) override {
    const int width = image_.header.width;
    if (ptr == nullptr || count < 0 || x < 0 || y < 0 || y >= image_.header.height || x > width ||
        count > width - x)
      return FALSE;
    const BMM_Color_64* row = image_.pixels.data() + static_cast<std::size_t>(y) * width;
    std::copy(row + x, row + x + count, ptr);
    return TRUE;
  }
  void DeleteThis() override { delete this; }

 private:
  ~FileBitmap() override = default;
  Image image_;
};

const char* reason_text(BMMRES res) {
  switch (res) {
    case BMMRES_FILENOTFOUND:
      return msg::kImageNotFound;
    case BMMRES_MEMORYERROR:
      return msg::kImageTooLarge;
    case BMMRES_INVALIDFORMAT:
      return msg::kImageUnknownFormat;
    case BMMRES_BADFILEHEADER:
    case BMMRES_CORRUPTFILE:
      return msg::kImageCorrupt;
    default:
      return msg::kImageUnreadable;
  }
}

// Where the application would show its image error dialog.
void warn(const char* name, BMMRES res) {
  CharStream* out = the_listener != nullptr && the_listener->edit_stream != nullptr
                        ? the_listener->edit_stream
                        : thread_local_output();
  if (out == nullptr) return;
  std::string line = std::string(msg::kImageWarning) + name + ": " + reason_text(res) + "\n";
  out->puts(line.c_str());
}

class FileBitmapManager : public BitmapManager {
 public:
  BMMRES GetImageInfo(BitmapInfo* bi) override {
    if (bi == nullptr) return BMMRES_INVALIDUSAGE;
    ImageHeader header;
    BMMRES res = read_image_header(script::os_path(bi->Name()), &header);
    if (res != BMMRES_SUCCESS) return failed(bi, res);
    fill(bi, header);
    return BMMRES_SUCCESS;
  }

  Bitmap* Load(BitmapInfo* bi, BMMRES* status) override {
    BMMRES ignored;
    BMMRES& result = status != nullptr ? *status : ignored;
    if (bi == nullptr) {
      result = BMMRES_INVALIDUSAGE;
      return nullptr;
    }
    Image image;
    result = read_image(script::os_path(bi->Name()), &image);
    if (result != BMMRES_SUCCESS) {
      failed(bi, result);
      return nullptr;
    }
    fill(bi, image.header);
    return new FileBitmap(std::move(image));
  }

  BOOL SilentMode() override { return silent_; }
  BOOL SetSilentMode(BOOL silent) override { return std::exchange(silent_, silent ? TRUE : FALSE); }

 private:
  static void fill(BitmapInfo* bi, const ImageHeader& header) {
    bi->SetWidth(header.width);
    bi->SetHeight(header.height);
    bi->SetType(header.type);
  }
  BMMRES failed(BitmapInfo* bi, BMMRES res) {
    if (!silent_) warn(bi->Name(), res);
    return res;
  }

  BOOL silent_ = FALSE;
};

FileBitmapManager the_manager;

}  // namespace

}  // namespace host::bitmaps

BitmapManager* TheManager = &host::bitmaps::the_manager;
