// Picture blocks: a device-independent bitmap in one allocation, a 40-byte
// information header followed by an optional colour table and the pixel rows,
// bottom row first, each row padded to a multiple of 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "document/zeroed_buffer.h"

namespace wrimple {

inline constexpr int kInfoHeaderSize = 40;

// Little-endian field access, for headers read from or written to files.
inline std::uint16_t ReadLe16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
inline void WriteLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}
inline void WriteLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

// Offsets of the information header's fields.
namespace dib {
inline constexpr int kSize = 0;
inline constexpr int kWidth = 4;
inline constexpr int kHeight = 8;
inline constexpr int kPlanes = 12;
inline constexpr int kBitCount = 14;
inline constexpr int kCompression = 16;
inline constexpr int kSizeImage = 20;
inline constexpr int kXPelsPerMeter = 24;
inline constexpr int kYPelsPerMeter = 28;
inline constexpr int kClrUsed = 32;
inline constexpr int kClrImportant = 36;
}  // namespace dib

class PictureBlock {
 public:
  // A zero-filled block of `size` bytes; nullopt when memory is short.
  static std::optional<PictureBlock> Zeroed(std::size_t size);

  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }

  std::int32_t width() const { return std::int32_t(ReadLe32(data() + dib::kWidth)); }
  std::int32_t height() const { return std::int32_t(ReadLe32(data() + dib::kHeight)); }
  int bits_per_pixel() const { return ReadLe16(data() + dib::kBitCount); }
  std::uint32_t image_size() const { return ReadLe32(data() + dib::kSizeImage); }

  // The pixel rows of a 24-bit block start directly after the 40-byte header.
  std::uint8_t* bits() { return data() + kInfoHeaderSize; }
  const std::uint8_t* bits() const { return data() + kInfoHeaderSize; }

 private:
  explicit PictureBlock(ZeroedBuffer bytes) : bytes_(std::move(bytes)) {}
  ZeroedBuffer bytes_;
};

// Row length in bytes of a w-pixel row at b bits per pixel, rounded up to a
// multiple of 4; 0 for a bit count the bitmap format does not know.
std::int64_t DibRowLength(int bits_per_pixel, std::int64_t width);

// A zero-filled picture block with its header filled in; nullopt when w or h is
// negative or above 20,000, when the block would exceed 200,000,000 bytes, or
// when memory is short. Callers report their own message.
std::optional<PictureBlock> AllocateDib(int bits_per_pixel, int width, int height);

}  // namespace wrimple
