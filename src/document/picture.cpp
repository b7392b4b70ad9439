#include "document/picture.h"

namespace wrimple {

std::optional<PictureBlock> PictureBlock::Zeroed(std::size_t size) {
  std::optional<ZeroedBuffer> bytes = ZeroedBuffer::TryAllocate(size);
  if (!bytes) return std::nullopt;
  return PictureBlock(std::move(*bytes));
}

std::int64_t DibRowLength(int b, std::int64_t w) {
  switch (b) {
    case 1: return ((w + 7) >> 3) - (((w - 1) >> 3) & 3) + 3;
    case 4: return ((w + 1) >> 1) - (((w - 1) >> 1) & 3) + 3;
    case 8: return w - ((w - 1) & 3) + 3;
    case 16: return 2 * (w + (w & 1));
    case 24: return 3 * w + (w & 3);
    case 32: return 4 * w;
    default: return 0;
  }
}

std::optional<PictureBlock> AllocateDib(int b, int w, int h) {
  constexpr int kMaxSide = 20000;
  constexpr std::int64_t kMaxBlock = 200000000;
  if (w < 0 || h < 0 || w > kMaxSide || h > kMaxSide) return std::nullopt;

  const std::int64_t row = DibRowLength(b, w);
  const bool known_depth = b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32;
  const std::int64_t image_size = known_depth ? row * h : 0;
  // The colour table is sized 4 * 2^(b mod 32) for every depth but 24; the block is
  // 14 bytes longer than header, table and bits need.
  const std::int64_t table = b == 24 ? 0 : 4 * (std::int64_t(1) << (b & 31));
  const std::int64_t size = image_size + table + 54;
  if (size > kMaxBlock) return std::nullopt;

  auto block = PictureBlock::Zeroed(std::size_t(size));
  if (!block) return std::nullopt;
  std::uint8_t* hdr = block->data();
  WriteLe32(hdr + dib::kSize, kInfoHeaderSize);
  WriteLe32(hdr + dib::kWidth, std::uint32_t(w));
  WriteLe32(hdr + dib::kHeight, std::uint32_t(h));
  WriteLe16(hdr + dib::kPlanes, 1);
  if (known_depth) {
    WriteLe16(hdr + dib::kBitCount, std::uint16_t(b));
    WriteLe32(hdr + dib::kSizeImage, std::uint32_t(image_size));
  }
  if (b >= 0 && b < 24) WriteLe32(hdr + dib::kClrUsed, std::uint32_t(1) << b);
  return block;
}

}  // namespace wrimple
