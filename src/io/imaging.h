// The imaging adapter: BMP, JPEG, PNG and TIFF files to and from 24-bit
// blue-green-red rows, over libpng, libjpeg-turbo, libtiff and the codec
// family's BMP decoder. Every failure is a false or a null result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "io/color_profile.h"
#include "io/orientation.h"

namespace wrimple {

// Closes a C stream when it goes out of scope.
struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// One decoder opened on a file, positioned on its first frame. The size is
// the picture as it is meant to be shown: a stored orientation that turns it
// a quarter round swaps width and height.
class ImageFileReader {
 public:
  virtual ~ImageFileReader() = default;
  int width() const { return SwapsSides(orientation_) ? stored_height_ : stored_width_; }
  int height() const { return SwapsSides(orientation_) ? stored_width_ : stored_height_; }
  // Copies every pixel as blue, green, red, in sRGB, upright, the top row first; row y
  // goes to first_row + y * stride (a negative stride fills a bottom-up
  // picture). False when the file's pixels cannot all be decoded.
  bool ReadRows(std::uint8_t* first_row, std::ptrdiff_t stride);

 protected:
  // The picture as the file stores it, before its orientation is applied.
  void SetStoredSize(int width, int height) {
    stored_width_ = width;
    stored_height_ = height;
  }
  void SetOrientation(int orientation) { orientation_ = orientation; }
  // The file's embedded ICC profile: the pixels are converted from it to sRGB.
  void SetColorProfile(const std::uint8_t* icc, std::size_t size) { to_srgb_ = SrgbConversion::FromProfile(icc, size); }
  // Fills the stored picture, stored_width x stored_height, top row first.
  virtual bool ReadStoredRows(std::uint8_t* first_row, std::ptrdiff_t stride) = 0;

 private:
  int stored_width_ = 0;
  int stored_height_ = 0;
  int orientation_ = 1;
  std::unique_ptr<SrgbConversion> to_srgb_;  // null: the pixels are kept as stored
};

// The largest side a decoder accepts; pictures beyond it are refused before
// any pixel memory is allocated (the source picture limit is the same).
inline constexpr int kMaxDecodedSide = 20000;
// The largest padded 24-bit picture a decoder accepts: 32 bits of size, or
// 1 MiB in fuzzing builds, as for the codec family.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr std::int64_t kMaxDecodedBytes = std::int64_t(1) << 20;
#else
inline constexpr std::int64_t kMaxDecodedBytes = INT32_MAX;
#endif

// A decoder for whatever the file holds (recognised by its first bytes, not by
// its name), or null when the file cannot be opened or is not understood.
std::unique_ptr<ImageFileReader> OpenImageFileReader(const std::string& path);

enum class ImageContainer { Bmp, Jpeg, Png, Tiff };

// Rows handed to an encoder: blue, green, red, the top row first, row y at
// first_row + y * stride.
struct BgrRows {
  int width = 0;
  int height = 0;
  const std::uint8_t* first_row = nullptr;
  std::ptrdiff_t stride = 0;
  const std::uint8_t* row(int y) const { return first_row + y * stride; }
};

// Writes the rows to an open file in the container's format; false on any
// failure (the file's content is then undefined).
bool WriteImageFile(std::FILE* file, ImageContainer container, const BgrRows& rows);

// Per-format halves of the two operations above.
std::unique_ptr<ImageFileReader> OpenPngReader(UniqueFile file);
std::unique_ptr<ImageFileReader> OpenJpegReader(UniqueFile file);
std::unique_ptr<ImageFileReader> OpenTiffReader(const std::string& path);
// The same decoders over a file held in memory, which must outlive the reader.
std::unique_ptr<ImageFileReader> OpenTiffReader(const std::uint8_t* data, std::size_t size);
UniqueFile MemoryFile(const std::uint8_t* data, std::size_t size);
std::unique_ptr<ImageFileReader> OpenBmpReader(const std::string& path);
bool WritePng(std::FILE* file, const BgrRows& rows);
bool WriteJpeg(std::FILE* file, const BgrRows& rows);
bool WriteTiff(std::FILE* file, const BgrRows& rows);
bool WriteBmp(std::FILE* file, const BgrRows& rows);

// Whether width x height may be decoded: both 1..kMaxDecodedSide and the
// padded 24-bit picture within 32 bits.
bool AcceptableDecodeSize(std::int64_t width, std::int64_t height);

}  // namespace wrimple
