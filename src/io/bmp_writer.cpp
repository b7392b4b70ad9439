// 24-bit BMP output: a 14-byte file header, a 40-byte information header
// (96 dots per inch), then the rows bottom first, each padded to 4 bytes.
#include <algorithm>
#include <vector>

#include "document/picture.h"
#include "document/pixels.h"
#include "io/imaging.h"

namespace wrimple {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr std::uint32_t kPixelsPerMetre96Dpi = 3780;

std::vector<std::uint8_t> Headers(int width, int height) {
  const std::uint32_t image_size = std::uint32_t(RowLength24(width)) * std::uint32_t(height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> h(offset, 0);
  h[0] = 'B';
  h[1] = 'M';
  WriteLe32(&h[2], offset + image_size);
  WriteLe32(&h[10], offset);
  std::uint8_t* info = &h[kFileHeaderSize];
  WriteLe32(info + dib::kSize, kInfoHeaderSize);
  WriteLe32(info + dib::kWidth, std::uint32_t(width));
  WriteLe32(info + dib::kHeight, std::uint32_t(height));
  WriteLe16(info + dib::kPlanes, 1);
  WriteLe16(info + dib::kBitCount, 24);
  WriteLe32(info + dib::kSizeImage, image_size);
  WriteLe32(info + dib::kXPelsPerMeter, kPixelsPerMetre96Dpi);
  WriteLe32(info + dib::kYPelsPerMeter, kPixelsPerMetre96Dpi);
  return h;
}

}  // namespace

bool WriteBmp(std::FILE* file, const BgrRows& rows) {
  if (!AcceptableDecodeSize(rows.width, rows.height)) return false;
  const std::vector<std::uint8_t> headers = Headers(rows.width, rows.height);
  if (std::fwrite(headers.data(), 1, headers.size(), file) != headers.size()) return false;
  const std::size_t pixel_bytes = 3 * std::size_t(rows.width);
  const std::size_t row_length = std::size_t(RowLength24(rows.width));
  // One output row at a time keeps the padding zero whatever the caller's rows hold.
  std::vector<std::uint8_t> line(row_length, 0);
  for (int y = rows.height - 1; y >= 0; --y) {
    std::copy_n(rows.row(y), pixel_bytes, line.data());
    if (std::fwrite(line.data(), 1, row_length, file) != row_length) return false;
  }
  return std::fflush(file) == 0;
}

}  // namespace wrimple
