// Image files through the application's bitmap manager: BitmapInfo describes
// a file (name, size, image type), TheManager reads its information or loads
// it, and a loaded Bitmap gives its pixels row by row with 16-bit channels.
//
//   BitmapInfo bi("c:/maps/brick.png");
//   BMMRES status = BMMRES_SUCCESS;
//   Bitmap* bm = TheManager->Load(&bi, &status);   // null and a code on failure
//   std::vector<BMM_Color_64> row(bm->Width());
//   bm->GetPixels(0, 0, bm->Width(), row.data());
//   bm->DeleteThis();
//
// PNG, JPEG, BMP and Targa files are read. While the manager's silent mode is
// off, a file that cannot be read is reported with one warning line in the
// listener's output (where the application shows its error dialog); while it
// is on, nothing is shown.
#pragma once

#include <windows.h>

#include <string>

// Results of the manager's calls.
using BMMRES = WORD;
constexpr BMMRES BMMRES_SUCCESS = 0;
constexpr BMMRES BMMRES_ERRORTAKENCARE = 1;
constexpr BMMRES BMMRES_FILENOTFOUND = 2;
constexpr BMMRES BMMRES_MEMORYERROR = 3;
constexpr BMMRES BMMRES_NODRIVER = 4;
constexpr BMMRES BMMRES_IOERROR = 5;
constexpr BMMRES BMMRES_INVALIDFORMAT = 6;
constexpr BMMRES BMMRES_CORRUPTFILE = 7;
constexpr BMMRES BMMRES_INVALIDUSAGE = 9;
constexpr BMMRES BMMRES_BADFILEHEADER = 13;

// Image types: how the file keeps its pixels.
constexpr int BMM_NO_TYPE = 0;
constexpr int BMM_LINE_ART = 1;  // 1 bit a pixel
constexpr int BMM_PALETTED = 2;  // 8-bit indexes into a palette
constexpr int BMM_GRAY_8 = 3;
constexpr int BMM_GRAY_16 = 4;
constexpr int BMM_TRUE_16 = 5;  // 5 bits a colour channel
constexpr int BMM_TRUE_32 = 6;  // 8-bit red, green, blue and alpha
constexpr int BMM_TRUE_64 = 7;  // 16-bit red, green, blue and alpha
constexpr int BMM_TRUE_24 = 8;  // 8-bit red, green and blue
constexpr int BMM_TRUE_48 = 9;  // 16-bit red, green and blue

// One pixel with 16-bit channels: an 8-bit value v reads as v * 257, so 255
// is 65535.
struct BMM_Color_64 {
  WORD r = 0, g = 0, b = 0, a = 0;
};

class BitmapInfo {
 public:
  BitmapInfo() = default;
  explicit BitmapInfo(const char* name) : name_(name != nullptr ? name : "") {}

  const char* Name() const { return name_.c_str(); }
  void SetName(const char* name) { name_ = name != nullptr ? name : ""; }
  // Filled in by GetImageInfo and Load; 0 (BMM_NO_TYPE) until then.
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Type() const { return type_; }
  void SetWidth(int w) { width_ = w; }
  void SetHeight(int h) { height_ = h; }
  void SetType(int t) { type_ = t; }

 private:
  std::string name_;
  int width_ = 0;
  int height_ = 0;
  int type_ = BMM_NO_TYPE;
};

class Bitmap {
 public:
  virtual int Width() = 0;
  virtual int Height() = 0;
  // Copies count pixels of row y, from column x to the right, into ptr.
  // TRUE when the whole run lies inside the image; otherwise FALSE and
  // nothing is copied.
  virtual int GetPixels(int x, int y, int count, BMM_Color_64* ptr) = 0;
  // Frees the bitmap; the pointer is invalid afterwards.
  virtual void DeleteThis() = 0;

 protected:
  virtual ~Bitmap() = default;
};

class BitmapManager {
 public:
  // Reads the file's width, height and image type into bi.
  virtual BMMRES GetImageInfo(BitmapInfo* bi) = 0;
  // The file's image, filling bi as GetImageInfo does; null when it cannot
  // be read, with the reason in *status (when status is given).
  virtual Bitmap* Load(BitmapInfo* bi, BMMRES* status = nullptr) = 0;
  virtual BOOL SilentMode() = 0;
  // Sets the silent mode; returns the previous one.
  virtual BOOL SetSilentMode(BOOL silent) = 0;

 protected:
  virtual ~BitmapManager() = default;
};

extern BitmapManager* TheManager;
