// The bitmap manager as plug-ins use it: image information, loading, pixels
// with 16-bit channels, silent mode, and files that cannot be read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/bitmap.h"
#include "host/streams.h"

extern "C" {
#include <jpeglib.h>
}

namespace fs = std::filesystem;

namespace {

std::string image(const char* name) { return std::string(TEST_IMAGES_DIR) + "/" + name; }

// Writes a JPEG of one flat colour (grey with one component).
bool write_jpeg(const std::string& path, int width, int height, int components, const unsigned char* colour) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> line;
  for (int x = 0; x < width; ++x) line.insert(line.end(), colour, colour + components);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {line.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(f) == 0;
}

struct Info {
  BMMRES res;
  int width, height, type;
};

Info info_of(const std::string& path) {
  BitmapInfo bi(path.c_str());
  BMMRES res = TheManager->GetImageInfo(&bi);
  return {res, bi.Width(), bi.Height(), bi.Type()};
}

// Silent mode on for the test, restored after it.
class Bitmaps : public ::testing::Test {
 protected:
  void SetUp() override {
    was_silent_ = TheManager->SetSilentMode(TRUE);
    dir_ = fs::temp_directory_path() / ("bitmap_test_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    TheManager->SetSilentMode(was_silent_);
    fs::remove_all(dir_);
  }
  std::string temp(const char* name) const { return (dir_ / name).string(); }

  std::vector<BMM_Color_64> row(const std::string& path, int y) {
    BitmapInfo bi(path.c_str());
    BMMRES status = BMMRES_SUCCESS;
    Bitmap* bm = TheManager->Load(&bi, &status);
    EXPECT_EQ(status, BMMRES_SUCCESS) << path;
    if (bm == nullptr) return {};
    std::vector<BMM_Color_64> pixels(static_cast<std::size_t>(bm->Width()));
    EXPECT_TRUE(bm->GetPixels(0, y, bm->Width(), pixels.data()));
    bm->DeleteThis();
    return pixels;
  }

 private:
  BOOL was_silent_ = FALSE;
  fs::path dir_;
};

TEST_F(Bitmaps, ImageInformationGivesSizeAndTheFilesOwnType) {
  struct Case {
    const char* file;
    int width, height, type;
  } cases[] = {
      {"grey8.png", 3, 2, BMM_GRAY_8},       {"grey16.png", 2, 1, BMM_GRAY_16},
      {"grey_alpha.png", 2, 1, BMM_TRUE_32}, {"rgb.png", 2, 2, BMM_TRUE_24},
      {"rgba.png", 2, 1, BMM_TRUE_32},       {"rgb16.png", 1, 1, BMM_TRUE_48},
      {"palette.png", 2, 1, BMM_PALETTED},   {"colour.bmp", 2, 2, BMM_TRUE_24},
      {"colour.tga", 2, 2, BMM_TRUE_24},
  };
  for (const Case& c : cases) {
    Info got = info_of(image(c.file));
    EXPECT_EQ(got.res, BMMRES_SUCCESS) << c.file;
    EXPECT_EQ(got.width, c.width) << c.file;
    EXPECT_EQ(got.height, c.height) << c.file;
    EXPECT_EQ(got.type, c.type) << c.file;
  }
}

TEST_F(Bitmaps, JpegFilesAreGreyOrColour) {
  const unsigned char grey[] = {90};
  const unsigned char colour[] = {200, 40, 40};
  ASSERT_TRUE(write_jpeg(temp("grey.jpg"), 16, 8, 1, grey));
  ASSERT_TRUE(write_jpeg(temp("colour.jpg"), 16, 8, 3, colour));

  Info g = info_of(temp("grey.jpg"));
  EXPECT_EQ(g.res, BMMRES_SUCCESS);
  EXPECT_EQ(g.type, BMM_GRAY_8);
  EXPECT_EQ(g.width, 16);
  EXPECT_EQ(g.height, 8);
  EXPECT_EQ(info_of(temp("colour.jpg")).type, BMM_TRUE_24);

  // A flat image survives the lossy coding within a step or two.
  std::vector<BMM_Color_64> px = row(temp("colour.jpg"), 4);
  ASSERT_EQ(px.size(), 16u);
  EXPECT_NEAR(px[7].r / 257, 200, 3);
  EXPECT_NEAR(px[7].g / 257, 40, 3);
  EXPECT_EQ(px[7].a, 65535);
  EXPECT_NEAR(row(temp("grey.jpg"), 0)[0].g / 257, 90, 2);
}

TEST_F(Bitmaps, PixelsHaveSixteenBitChannels) {
  // 8-bit values are scaled by 257 so that 255 is full scale.
  std::vector<BMM_Color_64> grey = row(image("grey8.png"), 0);
  ASSERT_EQ(grey.size(), 3u);
  EXPECT_EQ(grey[1].r, 128 * 257);
  EXPECT_EQ(grey[1].g, 128 * 257);
  EXPECT_EQ(grey[1].b, 128 * 257);
  EXPECT_EQ(grey[1].a, 65535);
  EXPECT_EQ(grey[2].r, 65535);

  std::vector<BMM_Color_64> wide = row(image("grey16.png"), 0);
  ASSERT_EQ(wide.size(), 2u);
  EXPECT_EQ(wide[0].r, 0x1234);
  EXPECT_EQ(wide[0].b, 0x1234);

  std::vector<BMM_Color_64> rgb16 = row(image("rgb16.png"), 0);
  ASSERT_EQ(rgb16.size(), 1u);
  EXPECT_EQ(rgb16[0].r, 0x8000);
  EXPECT_EQ(rgb16[0].g, 0x4000);
  EXPECT_EQ(rgb16[0].b, 0x0001);
  EXPECT_EQ(rgb16[0].a, 0xFFFF);

  std::vector<BMM_Color_64> rgba = row(image("rgba.png"), 0);
  ASSERT_EQ(rgba.size(), 2u);
  EXPECT_EQ(rgba[1].a, 253 * 257);

  // Rows count from the top in every format, whatever order the file keeps.
  for (const char* file : {"rgb.png", "colour.bmp", "colour.tga"}) {
    std::vector<BMM_Color_64> bottom = row(image(file), 1);
    ASSERT_EQ(bottom.size(), 2u) << file;
    EXPECT_EQ(bottom[0].b, 65535) << file;
    EXPECT_EQ(bottom[0].r, 0) << file;
  }
}

// What a plug-in does to tell whether an image is grey: row by row, red
// against green and blue.
bool every_pixel_grey(const std::string& path) {
  BitmapInfo bi(path.c_str());
  BMMRES status = BMMRES_SUCCESS;
  Bitmap* bm = TheManager->Load(&bi, &status);
  if (bm == nullptr) return false;
  std::vector<BMM_Color_64> line(static_cast<std::size_t>(bm->Width()));
  bool grey = true;
  for (int y = 0; y < bm->Height() && grey; ++y) {
    bm->GetPixels(0, y, bm->Width(), line.data());
    for (const BMM_Color_64& p : line) grey = grey && p.r == p.g && p.r == p.b;
  }
  bm->DeleteThis();
  return grey;
}

TEST_F(Bitmaps, ARowWalkFindsTheOneColouredPixel) {
  EXPECT_TRUE(every_pixel_grey(image("all_grey.png")));
  EXPECT_FALSE(every_pixel_grey(image("one_colour.png")));
  EXPECT_FALSE(every_pixel_grey(image("rgb.png")));
  EXPECT_TRUE(every_pixel_grey(image("grey8.png")));
}

TEST_F(Bitmaps, GetPixelsRefusesRunsOutsideTheImage) {
  BitmapInfo bi(image("grey8.png").c_str());
  Bitmap* bm = TheManager->Load(&bi);
  ASSERT_NE(bm, nullptr);
  BMM_Color_64 sentinel{1, 2, 3, 4};
  std::vector<BMM_Color_64> out(8, sentinel);
  EXPECT_FALSE(bm->GetPixels(1, 0, 3, out.data()));  // one past the row's end
  EXPECT_FALSE(bm->GetPixels(0, 2, 1, out.data()));
  EXPECT_FALSE(bm->GetPixels(-1, 0, 1, out.data()));
  EXPECT_FALSE(bm->GetPixels(0, 0, -1, out.data()));
  EXPECT_FALSE(bm->GetPixels(0, 0, 1, nullptr));
  for (const BMM_Color_64& p : out) EXPECT_EQ(p.r, 1);
  EXPECT_TRUE(bm->GetPixels(1, 1, 2, out.data()));
  EXPECT_EQ(out[0].r, 20 * 257);
  EXPECT_EQ(out[2].r, 1);
  bm->DeleteThis();
}

TEST_F(Bitmaps, FilesThatCannotBeReadGiveACodeAndNoBitmap) {
  EXPECT_EQ(info_of(image("missing.png")).res, BMMRES_FILENOTFOUND);
  EXPECT_EQ(info_of(image("not_an_image.png")).res, BMMRES_INVALIDFORMAT);
  EXPECT_NE(info_of(TEST_IMAGES_DIR).res, BMMRES_SUCCESS);

  for (const char* file : {"missing.png", "not_an_image.png", "truncated.png"}) {
    BitmapInfo bi(image(file).c_str());
    BMMRES status = BMMRES_SUCCESS;
    EXPECT_EQ(TheManager->Load(&bi, &status), nullptr) << file;
    EXPECT_NE(status, BMMRES_SUCCESS) << file;
  }
  EXPECT_EQ(TheManager->GetImageInfo(nullptr), BMMRES_INVALIDUSAGE);
}

// Every shorter prefix of every test file: a PNG fails to load unless only
// its last checksum is missing; the other formats either fail or give an
// image of the header's size.
TEST_F(Bitmaps, TruncatedFilesNeverCrash) {
  for (const char* file : {"rgb.png", "grey16.png", "palette.png", "rgba.png", "colour.bmp", "colour.tga"}) {
    std::ifstream in(image(file), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bool png = std::string(file).ends_with(".png");
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      std::string path = temp(file);
      std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(length));
      BitmapInfo bi(path.c_str());
      BMMRES status = BMMRES_SUCCESS;
      Bitmap* bm = TheManager->Load(&bi, &status);
      if (png && length + 4 < bytes.size()) {
        EXPECT_EQ(bm, nullptr) << file << " cut at " << length;
      }
      if (bm == nullptr) {
        EXPECT_NE(status, BMMRES_SUCCESS);
        continue;
      }
      EXPECT_EQ(bm->Width(), 2) << file << " cut at " << length;
      bm->DeleteThis();
    }
  }
}

TEST_F(Bitmaps, SilentModeDecidesWhetherAFailureIsReported) {
  StringCharStream out;
  CharStream* before = set_thread_local_output(&out);
  CharStream* listener_stream = the_listener != nullptr ? the_listener->edit_stream : nullptr;
  if (the_listener != nullptr) the_listener->edit_stream = nullptr;

  EXPECT_EQ(TheManager->SetSilentMode(FALSE), TRUE);  // the fixture turned it on
  EXPECT_FALSE(TheManager->SilentMode());
  BitmapInfo missing(image("missing.png").c_str());
  EXPECT_EQ(TheManager->GetImageInfo(&missing), BMMRES_FILENOTFOUND);
  BMMRES status = BMMRES_SUCCESS;
  EXPECT_EQ(TheManager->Load(&missing, &status), nullptr);
  std::string reported = out.text();

  EXPECT_EQ(TheManager->SetSilentMode(TRUE), FALSE);
  out.clear();
  EXPECT_EQ(TheManager->GetImageInfo(&missing), BMMRES_FILENOTFOUND);
  EXPECT_EQ(TheManager->Load(&missing, &status), nullptr);
  std::string silent = out.text();

  set_thread_local_output(before);
  if (the_listener != nullptr) the_listener->edit_stream = listener_stream;

  // One line for each failed call, naming the file.
  std::string line = "-- Warning: cannot read image file " + image("missing.png") + ": file not found\n";
  EXPECT_EQ(reported, line + line);
  EXPECT_EQ(silent, "");
  EXPECT_TRUE(TheManager->SilentMode());
}

}  // namespace
