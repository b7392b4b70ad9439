// The imaging adapter: BMP, JPEG, PNG and TIFF files to and from 24-bit
// blue-green-red rows, over libpng, libjpeg-turbo, libtiff and the codec
// family's BMP decoder. Every failure is a false or a null result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace wrimple {

// Closes a C stream when it goes out of scope.
struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// One decoder opened on a file, positioned on its first frame.
class ImageFileReader {
 public:
  virtual ~ImageFileReader() = default;
  int width() const { return width_; }
  int height() const { return height_; }
  // Copies every pixel as blue, green, red, the top row first; row y goes to
  // first_row + y * stride (a negative stride fills a bottom-up picture).
  virtual bool ReadRows(std::uint8_t* first_row, std::ptrdiff_t stride) = 0;

 protected:
  int width_ = 0;
  int height_ = 0;
};

// The largest side a decoder accepts; pictures beyond it are refused before
// any pixel memory is allocated (the source picture limit is the same).
inline constexpr int kMaxDecodedSide = 20000;

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
std::unique_ptr<ImageFileReader> OpenBmpReader(const std::string& path);
bool WritePng(std::FILE* file, const BgrRows& rows);
bool WriteJpeg(std::FILE* file, const BgrRows& rows);
bool WriteTiff(std::FILE* file, const BgrRows& rows);
bool WriteBmp(std::FILE* file, const BgrRows& rows);

// Whether width x height may be decoded: both 1..kMaxDecodedSide and the
// padded 24-bit picture within 32 bits.
bool AcceptableDecodeSize(std::int64_t width, std::int64_t height);

}  // namespace wrimple
