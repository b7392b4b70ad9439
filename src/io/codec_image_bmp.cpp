#include "io/codec_image_bmp.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "document/picture.h"
#include "io/codec_bmp_run_length.h"

namespace wrimple {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::size_t kMasksSize = 12;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRunLength8 = 1;
constexpr std::uint32_t kRunLength4 = 2;
constexpr std::uint32_t kBitFields = 3;

struct BmpInfo {
  bool core;  // the 12-byte header form, with 3-byte colour entries
  std::uint32_t header_size;
  std::int32_t width;
  std::int32_t height;  // negative: top row first
  int bits;
  std::uint32_t compression;
  std::int32_t x_ppm;
  std::int32_t y_ppm;
  std::uint32_t colors;
};

bool ReadInfo(CodecFile& stream, BmpInfo& info) {
  std::uint8_t bytes[kInfoHeaderSize] = {};
  if (!stream.ReadExactly(bytes, 4)) return false;
  info = BmpInfo{.core = false, .header_size = ReadLe32(bytes)};
  if (info.header_size == kCoreHeaderSize) {
    if (!stream.ReadExactly(bytes + 4, 8)) return false;
    info.core = true;
    info.width = ReadLe16(bytes + 4);
    info.height = ReadLe16(bytes + 6);
    info.bits = ReadLe16(bytes + 10);
    return true;
  }
  if (info.header_size < std::uint32_t(kInfoHeaderSize)) return false;
  if (!stream.ReadExactly(bytes + 4, kInfoHeaderSize - 4)) return false;
  info.width = std::int32_t(ReadLe32(bytes + dib::kWidth));
  info.height = std::int32_t(ReadLe32(bytes + dib::kHeight));
  info.bits = ReadLe16(bytes + dib::kBitCount);
  info.compression = ReadLe32(bytes + dib::kCompression);
  info.x_ppm = std::int32_t(ReadLe32(bytes + dib::kXPelsPerMeter));
  info.y_ppm = std::int32_t(ReadLe32(bytes + dib::kYPelsPerMeter));
  info.colors = ReadLe32(bytes + dib::kClrUsed);
  return true;
}

// The fewest bytes the bits need: whole rows unless run-length encoded.
std::uint64_t LeastBitsBytes(const BmpInfo& info, std::uint32_t w, std::uint32_t rows) {
  if (info.compression == kRunLength8 || info.compression == kRunLength4) return 0;
  return (std::uint64_t(w) * std::uint32_t(info.bits) + 31) / 32 * 4 * rows;
}

int DpiFromPpm(std::int32_t ppm) { return int(std::floor(ppm * 254.0 / 10000.0 + 0.5)); }

// One colour channel of a bit-field pixel as 8 bits: a wider channel keeps its
// top 8 bits; a narrower one repeats its bits downwards, so that its largest
// value becomes 255 (5 bits abcde give abcdeabc).
struct Channel {
  std::uint32_t mask;
  int low;    // the mask's lowest bit
  int width;  // bits from the lowest to the highest bit of the mask

  explicit Channel(std::uint32_t m)
      : mask(m), low(m == 0 ? 0 : __builtin_ctz(m)), width(m == 0 ? 0 : 32 - __builtin_clz(m) - low) {}
  std::uint8_t operator()(std::uint32_t pixel) const {
    const std::uint32_t bits = (pixel & mask) >> low;
    if (width >= 8) return std::uint8_t(bits >> (width - 8));
    if (width == 0) return 0;
    std::uint32_t wide = bits << (8 - width);
    for (int filled = width; filled < 8; filled += width) wide |= wide >> width;
    return std::uint8_t(wide);
  }
};

struct Masks {
  Channel red, green, blue;
};

Masks DefaultMasks(int bits) {
  if (bits == 32) return {Channel(0xff0000), Channel(0xff00), Channel(0xff)};
  return {Channel(0x7c00), Channel(0x3e0), Channel(0x1f)};
}

bool ReadMasks(CodecFile& stream, Masks& masks) {
  std::uint8_t bytes[kMasksSize];
  if (!stream.ReadExactly(bytes, sizeof bytes)) return false;
  masks = {Channel(ReadLe32(bytes)), Channel(ReadLe32(bytes + 4)), Channel(ReadLe32(bytes + 8))};
  return true;
}

// Reads the entries the image has room for and steps over the others.
bool ReadColorTable(CodecFile& stream, const BmpInfo& info, CodecImage& image) {
  std::uint64_t count = info.colors;
  if (count == 0 && info.bits <= 8) count = std::uint64_t(1) << info.bits;
  const std::size_t entry = info.core ? 3 : 4;
  const std::uint64_t kept = std::min<std::uint64_t>(count, image.colors_used());
  std::vector<std::uint8_t> table(kept * entry);
  if (!stream.ReadExactly(table.data(), table.size())) return false;
  for (std::uint32_t i = 0; i < kept; ++i)
    image.SetColor(i, table[entry * i + 2], table[entry * i + 1], table[entry * i]);
  const std::uint64_t skipped = (count - kept) * entry;
  return skipped == 0 || stream.Seek(long(skipped), SEEK_CUR);
}

const char* ReadRows(CodecFile& stream, CodecImage& image) {
  for (std::uint32_t y = 0; y < image.height(); ++y)
    if (!stream.ReadExactly(image.row(y), image.row_length())) return "corrupted BMP";
  return nullptr;
}

// 16- and 32-bit pixels to 24 bits; the fourth byte of a 32-bit pixel goes to
// the alpha plane when the image has one.
const char* ReadBitFieldRows(CodecFile& stream, int bits, const Masks& masks, CodecImage& image) {
  const std::uint32_t w = image.width();
  const std::size_t file_row = (std::size_t(w) * bits + 31) / 32 * 4;
  std::vector<std::uint8_t> pixels;
  try {
    pixels.resize(file_row);
  } catch (const std::bad_alloc&) {
    return "can't allocate memory";
  }
  for (std::uint32_t y = 0; y < image.height(); ++y) {
    if (!stream.ReadExactly(pixels.data(), file_row)) return "corrupted BMP";
    std::uint8_t* out = image.row(y);
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::uint32_t v = bits == 16 ? ReadLe16(&pixels[2 * x]) : ReadLe32(&pixels[4 * x]);
      out[3 * x] = masks.blue(v);
      out[3 * x + 1] = masks.green(v);
      out[3 * x + 2] = masks.red(v);
    }
    if (image.HasAlpha())
      for (std::uint32_t x = 0; x < w; ++x) image.alpha_row(y)[x] = pixels[4 * x + 3];
  }
  return nullptr;
}

const char* ReadBits(CodecFile& stream, const BmpInfo& info, const Masks& masks, CodecImage& image) {
  switch (info.bits) {
    case 1:
    case 4:
    case 8:
      if (info.compression == kRgb) return ReadRows(stream, image);
      if (info.compression == kRunLength8 && info.bits == 8) return ExpandBmpRunLength(stream, 8, image);
      if (info.compression == kRunLength4 && info.bits == 4) return ExpandBmpRunLength(stream, 4, image);
      return "compression type not supported";
    case 16: return ReadBitFieldRows(stream, 16, masks, image);
    case 24:
      if (info.compression != kRgb) return "unknown compression";
      return ReadRows(stream, image);
    case 32:
      if (info.compression != kRgb && info.compression != kBitFields) return "unknown compression";
      if (info.compression == kRgb && !image.CreateAlpha()) return "can't allocate memory";
      return ReadBitFieldRows(stream, 32, masks, image);
    default: return "BMP bit depth not supported";
  }
}

}  // namespace

bool CodecImageBMP::Decode(CodecFile* stream) {
  if (stream == nullptr) return Fail("null file handler");
  const long start = stream->Tell();
  std::uint8_t file_header[kFileHeaderSize];
  if (!stream->ReadExactly(file_header, sizeof file_header)) return Fail("Not a BMP");
  std::uint32_t bits_offset = 0;
  long info_start = start;
  if (file_header[0] == 'B' && file_header[1] == 'M') {
    bits_offset = ReadLe32(file_header + 10);
    info_start += long(kFileHeaderSize);
  } else if (!stream->Seek(start, SEEK_SET)) {
    return Fail("Not a BMP");
  }

  BmpInfo info;
  if (!ReadInfo(*stream, info)) return Fail("Error reading BMP info");
  const auto rows = std::uint32_t(std::llabs(std::int64_t(info.height)));
  const auto w = std::uint32_t(info.width);
  if (!CanCreate(w, rows, std::uint32_t(info.bits))) return false;
  if (!stream->MayHold(LeastBitsBytes(info, w, rows))) return Fail("corrupted BMP");
  if (!Create(w, rows, std::uint32_t(info.bits), kCodecBmp)) return false;
  SetXDpi(DpiFromPpm(info.x_ppm));
  SetYDpi(DpiFromPpm(info.y_ppm));

  Masks masks = DefaultMasks(info.bits);
  const bool has_masks = (info.bits == 16 || info.bits == 32) && info.compression == kBitFields;
  long table_start = info_start + long(info.header_size);
  if (has_masks) {
    if (!stream->Seek(info_start + long(kInfoHeaderSize), SEEK_SET) || !ReadMasks(*stream, masks))
      return Fail("Error reading BMP info");
    // In the 40-byte header form the masks sit between the header and the table.
    if (info.header_size == std::uint32_t(kInfoHeaderSize)) table_start += long(kMasksSize);
  }
  if (!stream->Seek(table_start, SEEK_SET) || !ReadColorTable(*stream, info, *this))
    return Fail("Error reading BMP info");
  if (bits_offset != 0 && !stream->Seek(start + long(bits_offset), SEEK_SET))
    return Fail("corrupted BMP");

  if (const char* error = ReadBits(*stream, info, masks, *this)) return Fail(error);
  if (info.height < 0) FlipRows();
  return true;
}

bool CodecImageBMP::Encode(CodecFile* stream) {
  if (stream == nullptr) return Fail("null file handler");
  if (!IsValid()) return Fail("null image!!");
  const std::size_t table_size = 4 * std::size_t(colors_used());
  std::uint8_t file_header[kFileHeaderSize] = {'B', 'M'};
  WriteLe32(file_header + 2, std::uint32_t(kFileHeaderSize + bitmap_size()));
  WriteLe32(file_header + 10, std::uint32_t(kFileHeaderSize + kInfoHeaderSize + table_size));
  if (!stream->WriteExactly(file_header, sizeof file_header) ||
      !stream->WriteExactly(bitmap(), bitmap_size()))
    return Fail("cannot write BMP data");
  return true;
}

}  // namespace wrimple
