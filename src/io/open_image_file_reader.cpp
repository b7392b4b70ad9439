#include <cstring>
#include <utility>

#include "io/imaging.h"

namespace wrimple {

bool AcceptableDecodeSize(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1 || width > kMaxDecodedSide || height > kMaxDecodedSide) return false;
  const std::int64_t row = 3 * width + (width & 3);
  return row * height <= kMaxDecodedBytes;
}

namespace {

enum class Signature { Unknown, Png, Jpeg, Tiff, Bmp };

Signature Recognise(const unsigned char* b, std::size_t n) {
  static constexpr unsigned char kPng[8] = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};
  if (n >= 8 && std::memcmp(b, kPng, 8) == 0) return Signature::Png;
  if (n >= 3 && b[0] == 0xff && b[1] == 0xd8 && b[2] == 0xff) return Signature::Jpeg;
  // Classic TIFF has version 42, BigTIFF 43, in the file's byte order.
  if (n >= 4 && ((b[0] == 'I' && b[1] == 'I' && (b[2] == 42 || b[2] == 43) && b[3] == 0) ||
                 (b[0] == 'M' && b[1] == 'M' && b[2] == 0 && (b[3] == 42 || b[3] == 43))))
    return Signature::Tiff;
  if (n >= 2 && b[0] == 'B' && b[1] == 'M') return Signature::Bmp;
  return Signature::Unknown;
}

}  // namespace

UniqueFile MemoryFile(const std::uint8_t* data, std::size_t size) {
  // An empty buffer cannot be opened as a stream; it holds no picture anyway.
  if (size == 0) return nullptr;
  return UniqueFile(fmemopen(const_cast<std::uint8_t*>(data), size, "rb"));
}

std::unique_ptr<ImageFileReader> OpenImageFileReader(const std::string& path) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return nullptr;
  unsigned char head[8] = {};
  const std::size_t n = std::fread(head, 1, sizeof head, file.get());
  if (std::fseek(file.get(), 0, SEEK_SET) != 0) return nullptr;
  switch (Recognise(head, n)) {
    case Signature::Png: return OpenPngReader(std::move(file));
    case Signature::Jpeg: return OpenJpegReader(std::move(file));
    case Signature::Tiff: return OpenTiffReader(path);
    case Signature::Bmp: return OpenBmpReader(path);
    case Signature::Unknown: return nullptr;
  }
  return nullptr;
}

}  // namespace wrimple
