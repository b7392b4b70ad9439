#include <algorithm>
#include <cstring>

#include "io/clipboard_sources.h"

namespace wrimple {

namespace {

// Compression codes of the bitmap header.
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

struct PastedHeader {
  std::int64_t size = 0;  // of the information header
  int width = 0;
  int height = 0;
  int bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t colors_used = 0;
};

// Where the rows start, how long each is, and the colour table for indexed
// depths; every span lies inside the block.
struct PastedLayout {
  std::int64_t bits_offset = 0;
  std::int64_t row_length = 0;
  std::int64_t table_offset = 0;
  std::int64_t table_entries = 0;
};

class PastedReader {
 public:
  PastedReader(const std::vector<std::uint8_t>& block, const PastedHeader& h, const PastedLayout& l)
      : block_(block), h_(h), l_(l) {}

  void Convert(const TargetImage& out) const {
    for (int y = 0; y < h_.height; ++y) {
      // Rows are stored bottom first, as the output keeps them.
      const std::uint8_t* in = block_.data() + l_.bits_offset + y * l_.row_length;
      std::uint8_t* to = out.row(h_.height - 1 - y);
      ConvertRow(in, to);
    }
  }

 private:
  void ConvertRow(const std::uint8_t* in, std::uint8_t* out) const {
    switch (h_.bits) {
      case 1:
        for (int x = 0; x < h_.width; ++x) Color((in[x >> 3] >> (7 - (x & 7))) & 1, out + 3 * x);
        break;
      case 4:
        for (int x = 0; x < h_.width; ++x) Color((x & 1) ? in[x >> 1] & 15 : in[x >> 1] >> 4, out + 3 * x);
        break;
      case 8:
        for (int x = 0; x < h_.width; ++x) Color(in[x], out + 3 * x);
        break;
      case 16: Convert16(in, out); break;
      case 24: std::memcpy(out, in, 3 * std::size_t(h_.width)); break;
      case 32:
        for (int x = 0; x < h_.width; ++x) std::memcpy(out + 3 * x, in + 4 * x, 3);
        break;
    }
  }

  // An index past the colour table reads as black.
  void Color(int index, std::uint8_t* out) const {
    if (index >= l_.table_entries) {
      out[0] = out[1] = out[2] = 0;
      return;
    }
    std::memcpy(out, block_.data() + l_.table_offset + 4 * index, 3);
  }

  void Convert16(const std::uint8_t* in, std::uint8_t* out) const {
    const Channel16 red = Mask(0, 0x7c00), green = Mask(1, 0x3e0), blue = Mask(2, 0x1f);
    for (int x = 0; x < h_.width; ++x, out += 3) {
      const std::uint32_t v = ReadLe16(in + 2 * x);
      out[0] = blue.Value(v);
      out[1] = green.Value(v);
      out[2] = red.Value(v);
    }
  }

  // A channel mask and the left shift that brings its top bit to bit 15; the
  // channel is the high byte of the shifted value. A zero mask gives 0.
  struct Channel16 {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint8_t Value(std::uint32_t v) const { return std::uint8_t(((v & mask) << shift) >> 8); }
  };
  Channel16 Mask(int index, std::uint32_t fallback) const {
    Channel16 c{h_.compression == kBitFields ? ReadLe32(block_.data() + h_.size + 4 * index) & 0xffff
                                             : fallback};
    if (c.mask == 0) return c;
    while (((c.mask << c.shift) & 0x8000) == 0) ++c.shift;
    return c;
  }

  const std::vector<std::uint8_t>& block_;
  PastedHeader h_;
  PastedLayout l_;
};

std::optional<PastedHeader> ReadHeader(const std::vector<std::uint8_t>& block) {
  if (block.size() < std::size_t(kInfoHeaderSize)) return std::nullopt;
  const std::uint8_t* b = block.data();
  PastedHeader h{.size = ReadLe32(b + dib::kSize),
                 .width = std::int32_t(ReadLe32(b + dib::kWidth)),
                 .height = std::int32_t(ReadLe32(b + dib::kHeight)),
                 .bits = ReadLe16(b + dib::kBitCount),
                 .compression = ReadLe32(b + dib::kCompression),
                 .colors_used = ReadLe32(b + dib::kClrUsed)};
  // Older header forms place the fields elsewhere; top-down bitmaps are
  // refused, and so are sides no source picture may have.
  constexpr int kMaxSide = 20000;
  if (h.size < kInfoHeaderSize || h.width < 1 || h.height < 1 || h.width > kMaxSide ||
      h.height > kMaxSide)
    return std::nullopt;
  return h;
}

std::optional<PastedLayout> Layout(const PastedHeader& h) {
  PastedLayout l;
  const std::int64_t w = h.width;
  auto indexed = [&](int bits, std::int64_t default_entries) {
    l.table_offset = h.size;
    l.table_entries = h.colors_used != 0 ? std::min<std::int64_t>(h.colors_used, default_entries)
                                         : default_entries;
    l.bits_offset = h.size + 4 * (h.colors_used != 0 ? std::int64_t(h.colors_used) : default_entries);
    l.row_length = DibRowLength(bits, w);
  };
  switch (h.bits) {
    case 1:
      l = {.bits_offset = h.size + 8, .row_length = DibRowLength(1, w), .table_offset = h.size,
           .table_entries = 2};
      return l;
    case 4:
      if (h.compression != kUncompressed) return std::nullopt;
      indexed(4, 16);
      return l;
    case 8:
      if (h.compression != kUncompressed) return std::nullopt;
      indexed(8, 256);
      return l;
    case 16:
      if (h.compression != kUncompressed && h.compression != kBitFields) return std::nullopt;
      l = {.bits_offset = h.size + (h.compression == kBitFields ? 12 : 0), .row_length = 2 * (w + (w & 1))};
      return l;
    case 24:
      // The rows follow the header whatever its size (version 4 and 5 headers
      // are longer than 40 bytes).
      l = {.bits_offset = h.size, .row_length = RowLength24(h.width)};
      return l;
    case 32:
      l = {.bits_offset = h.size + (h.compression == kBitFields ? 12 : 0), .row_length = 4 * w};
      return l;
    default: return std::nullopt;
  }
}

bool FitsInBlock(const PastedHeader& h, const PastedLayout& l, std::size_t block_size) {
  const std::int64_t size = std::int64_t(block_size);
  if (l.table_offset + 4 * l.table_entries > size) return false;
  if (h.bits == 16 && h.compression == kBitFields && h.size + 12 > size) return false;
  return l.bits_offset <= size && l.row_length * h.height <= size - l.bits_offset;
}

}  // namespace

std::optional<PictureBlock> ConvertPastedBitmap(const std::vector<std::uint8_t>& block) {
  const std::optional<PastedHeader> header = ReadHeader(block);
  if (!header) return std::nullopt;
  const std::optional<PastedLayout> layout = Layout(*header);
  if (!layout || !FitsInBlock(*header, *layout, block.size())) return std::nullopt;
  std::optional<PictureBlock> picture = AllocateDib(24, header->width, header->height);
  if (!picture) return std::nullopt;
  PastedReader(block, *header, *layout).Convert(TargetImage(picture->bits(), header->width, header->height));
  return picture;
}

}  // namespace wrimple
