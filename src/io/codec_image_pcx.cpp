#include "io/codec_image_pcx.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "document/picture.h"
#include "io/codec_byte_reader.h"
#include "io/codec_pcx_packing.h"

namespace wrimple {

namespace {

constexpr std::size_t kPcxHeaderSize = 128;
constexpr int kManufacturer = 10;
constexpr int kPaletteOffset = 16;
constexpr std::uint8_t kPaletteSignature = 12;

struct PcxHeader {
  int bits;  // per pixel per plane
  int width;
  int height;
  int x_dpi;
  int y_dpi;
  int planes;
  std::uint32_t bytes_per_line;
};

PcxHeader ParseHeader(const std::uint8_t* bytes) {
  return PcxHeader{.bits = bytes[3],
                   .width = ReadLe16(bytes + 8) - ReadLe16(bytes + 4) + 1,
                   .height = ReadLe16(bytes + 10) - ReadLe16(bytes + 6) + 1,
                   .x_dpi = ReadLe16(bytes + 12),
                   .y_dpi = ReadLe16(bytes + 14),
                   .planes = bytes[65],
                   .bytes_per_line = ReadLe16(bytes + 66)};
}

// How the planes of a row make pixels.
enum class PcxLayout {
  kRgb,     // 3 or 4 planes of 8 bits: red, green, blue (and alpha)
  kPacked,  // 1 plane of 1, 2, 4 or 8 bits per pixel
  kPlanar,  // 2 to 4 planes of 1 bit, plane p giving bit p of the index
};

int ImageBits(const PcxHeader& head) {
  if (head.bits == 8 && (head.planes == 3 || head.planes == 4)) return 24;
  // 2 and 3 planes of 1 bit make indices up to 7, which need a 4-bit image.
  if (head.bits == 1 && head.planes > 1) return 4;
  return head.bits;
}

void RgbRowToPixels(const std::uint8_t* planes, std::uint32_t bytes_per_line, std::uint32_t w,
                    std::uint8_t* out, std::uint8_t* alpha) {
  const std::uint8_t* red = planes;
  const std::uint8_t* green = planes + bytes_per_line;
  const std::uint8_t* blue = planes + 2 * std::size_t(bytes_per_line);
  for (std::uint32_t x = 0; x < w; ++x) {
    out[3 * x] = blue[x];
    out[3 * x + 1] = green[x];
    out[3 * x + 2] = red[x];
  }
  if (alpha != nullptr) std::memcpy(alpha, planes + 3 * std::size_t(bytes_per_line), w);
}

void PlanarRowToIndices(const std::uint8_t* planes, std::uint32_t bytes_per_line, int count,
                        std::uint32_t w, std::uint8_t* out, int out_bits) {
  for (std::uint32_t x = 0; x < w; ++x) {
    std::uint8_t index = 0;
    for (int p = 0; p < count; ++p) {
      const std::uint8_t byte = planes[std::size_t(p) * bytes_per_line + x / 8];
      index = std::uint8_t(index | (((byte >> (7 - x % 8)) & 1) << p));
    }
    SetPackedIndex(out, x, out_bits, index);
  }
}

void PackedRowToIndices(const std::uint8_t* plane, int bits, std::uint32_t w, std::uint8_t* out,
                        int out_bits) {
  // Whole bytes copy as they are; only the first w indices of the row count.
  std::uint32_t x = 0;
  if (bits == out_bits) {
    const std::size_t whole_bytes = std::size_t(w) * bits / 8;
    std::memcpy(out, plane, whole_bytes);
    x = std::uint32_t(whole_bytes * 8 / bits);
  }
  for (; x < w; ++x) SetPackedIndex(out, x, out_bits, PackedIndex(plane, x, bits));
}

// The header, with the checks that need nothing but its bytes.
const char* ReadHeader(CodecFile& stream, std::uint8_t* bytes) {
  if (!stream.ReadExactly(bytes, kPcxHeaderSize)) return "Can't read PCX image";
  if (bytes[0] != kManufacturer) return "Error: Not a PCX file";
  if (bytes[2] != 1) return "PCX file has unknown encoding scheme";
  return nullptr;
}

const char* ChooseLayout(const PcxHeader& head, int image_bits, PcxLayout& layout) {
  if (image_bits == 24 && head.bits == 8) {
    layout = PcxLayout::kRgb;
  } else if (head.planes == 1) {
    if (head.bits != 1 && head.bits != 2 && head.bits != 4 && head.bits != 8)
      return "PCX_UnpackPixels: Can't handle packed pixels with more than 1 plane";
    layout = PcxLayout::kPacked;
  } else if (head.planes > 1 && head.bits == 1) {
    layout = PcxLayout::kPlanar;
  } else {
    return "PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel";
  }
  return nullptr;
}

std::size_t LineBytes(const PcxHeader& head) {
  return std::size_t(head.bytes_per_line) * std::size_t(head.planes);
}

// Refuses rows too short for the width and data too short for the picture,
// before anything is allocated for it.
const char* CheckSizes(const PcxHeader& head, CodecFile& stream) {
  if (std::uint64_t(head.bytes_per_line) * 8 < std::uint64_t(std::uint32_t(head.width)) * head.bits)
    return "PCX bytes per line too small for the image width";
  // A run of 2 bytes gives at most 63 bytes of the picture.
  const std::uint64_t picture = std::uint64_t(LineBytes(head)) * std::uint32_t(head.height);
  if (!stream.MayHold((2 * picture + 62) / 63)) return "corrupted PCX";
  return nullptr;
}

// Checks the header against the data and makes the empty image; false with
// the image's error set.
bool CreateImage(const PcxHeader& head, CodecFile& stream, CodecImage& image, PcxLayout& layout) {
  if (head.planes > 4) return image.Fail("Can't handle image with more than 4 planes");
  image.SetXDpi(head.x_dpi);
  image.SetYDpi(head.y_dpi);
  const int image_bits = ImageBits(head);
  const auto w = std::uint32_t(head.width);
  const auto h = std::uint32_t(head.height);
  if (!image.CanCreate(w, h, std::uint32_t(image_bits))) return false;
  if (const char* error = ChooseLayout(head, image_bits, layout)) return image.Fail(error);
  if (const char* error = CheckSizes(head, stream)) return image.Fail(error);
  if (!image.Create(w, h, std::uint32_t(image_bits), kCodecPcx)) return false;
  if (head.planes == 4 && head.bits == 8 && !image.CreateAlpha()) return image.Fail("can't allocate memory");
  return true;
}

// One file row, its planes one after the other, into bitmap row `y`.
void StoreRow(const PcxHeader& head, PcxLayout layout, const std::uint8_t* planes, CodecImage& image,
              std::uint32_t y) {
  switch (layout) {
    case PcxLayout::kRgb:
      RgbRowToPixels(planes, head.bytes_per_line, image.width(), image.row(y),
                     image.HasAlpha() ? image.alpha_row(y) : nullptr);
      break;
    case PcxLayout::kPacked:
      PackedRowToIndices(planes, head.bits, image.width(), image.row(y), image.bits_per_pixel());
      break;
    case PcxLayout::kPlanar:
      PlanarRowToIndices(planes, head.bytes_per_line, head.planes, image.width(), image.row(y),
                         image.bits_per_pixel());
      break;
  }
}

// The file rows, top row first, into the bitmap rows from the top down.
const char* UnpackRows(const PcxHeader& head, PcxLayout layout, CodecByteReader& in, CodecImage& image) {
  const std::size_t line = LineBytes(head);
  const std::uint32_t h = image.height();
  std::vector<std::uint8_t> planes(line);
  PcxUnpacker unpacker(in, std::uint64_t(line) * h);
  for (std::uint32_t y = 0; y < h; ++y) {
    if (const char* error = unpacker.Unpack(planes.data(), line)) return error;
    StoreRow(head, layout, planes.data(), image, h - 1 - y);
  }
  return nullptr;
}

// The colour table: the header's 16 colours, the 256 after the data of an
// 8-bit picture, or black and white for 1 bit.
bool ReadColors(const PcxHeader& head, const std::uint8_t* header_bytes, CodecByteReader& in,
                CodecImage& image) {
  std::uint8_t palette[3 * 256] = {};
  std::memcpy(palette, header_bytes + kPaletteOffset, 48);
  if (head.bits == 8 && head.planes == 1) {
    if (in.GetByte() != kPaletteSignature) return image.Fail("bad color map signature");
    if (!in.ReadExactly(palette, sizeof palette)) return image.Fail("corrupted PCX");
  } else if (head.bits == 1 && head.planes == 1) {
    std::memset(palette, 0, 3);
    std::memset(palette + 3, 255, 3);
  }
  for (std::uint32_t i = 0; i < image.colors_used(); ++i)
    image.SetColor(i, palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
  return true;
}

}  // namespace

bool CodecImagePCX::Decode(CodecFile* stream) {
  if (stream == nullptr) return Fail("null file handler");
  std::uint8_t bytes[kPcxHeaderSize];
  if (const char* error = ReadHeader(*stream, bytes)) return Fail(error);
  const PcxHeader head = ParseHeader(bytes);
  PcxLayout layout{};
  if (!CreateImage(head, *stream, *this, layout)) return false;
  CodecByteReader in(*stream);
  if (const char* error = UnpackRows(head, layout, in, *this)) return Fail(error);
  return ReadColors(head, bytes, in, *this);
}

namespace {

struct PcxLayoutOut {
  int bits;
  int planes;
  std::uint32_t bytes_per_line;
};

PcxLayoutOut WrittenLayout(const CodecImage& image) {
  const std::uint32_t w = image.width();
  switch (image.bits_per_pixel()) {
    case 24: return {.bits = 8, .planes = 3, .bytes_per_line = w + (w & 1)};
    case 8: return {.bits = 8, .planes = 1, .bytes_per_line = w};
    default:
      return {.bits = 1, .planes = image.colors_used() == 16 ? 4 : 1, .bytes_per_line = (w + 7) / 8};
  }
}

void FillHeader(std::uint8_t* bytes, const CodecImage& image, const PcxLayoutOut& layout) {
  std::memset(bytes, 0, kPcxHeaderSize);
  bytes[0] = kManufacturer;
  bytes[1] = 5;
  bytes[2] = 1;
  bytes[3] = std::uint8_t(layout.bits);
  WriteLe16(bytes + 8, std::uint16_t(image.width() - 1));
  WriteLe16(bytes + 10, std::uint16_t(image.height() - 1));
  WriteLe16(bytes + 12, std::uint16_t(image.x_dpi()));
  WriteLe16(bytes + 14, std::uint16_t(image.y_dpi()));
  if (image.bits_per_pixel() < 8) {
    for (std::uint32_t i = 0; i < image.colors_used(); ++i) {
      const std::uint8_t* entry = image.color_table() + 4 * i;
      bytes[kPaletteOffset + 3 * i] = entry[2];
      bytes[kPaletteOffset + 3 * i + 1] = entry[1];
      bytes[kPaletteOffset + 3 * i + 2] = entry[0];
    }
  }
  bytes[65] = std::uint8_t(layout.planes);
  WriteLe16(bytes + 66, std::uint16_t(layout.bytes_per_line));
  WriteLe16(bytes + 68, 1);
}

// One plane of a row of a 1- or 4-bit image as 1 bit per pixel.
void IndexBitPlane(const std::uint8_t* row, std::uint32_t w, int bits, int plane, std::uint8_t* out) {
  std::memset(out, 0, (w + 7) / 8);
  for (std::uint32_t x = 0; x < w; ++x) {
    const int bit = (PackedIndex(row, x, bits) >> plane) & 1;
    out[x / 8] = std::uint8_t(out[x / 8] | (bit << (7 - x % 8)));
  }
}

// Packed rows gather in a block that goes to the stream in large writes: one
// write per row would cost a call per row, and a buffer for the whole picture
// would cost as much fresh memory as the packed data.
class PackedBlockWriter {
 public:
  static constexpr std::size_t kBlockSize = 256 * 1024;

  PackedBlockWriter(CodecFile& stream, std::size_t largest_part)
      : stream_(stream), block_(std::max(kBlockSize, largest_part)) {}

  // Where the next part of at most `size` bytes goes; nullptr when the stream
  // refused the block written to make room.
  std::uint8_t* Room(std::size_t size) {
    if (block_.size() - used_ < size && !Flush()) return nullptr;
    return block_.data() + used_;
  }
  void Commit(std::size_t size) { used_ += size; }
  bool Flush() {
    const bool written = stream_.WriteExactly(block_.data(), used_);
    used_ = 0;
    return written;
  }

 private:
  CodecFile& stream_;
  std::vector<std::uint8_t> block_;
  std::size_t used_ = 0;
};

// The red, green and blue planes of a 24-bit row, each `w` bytes long.
void SplitChannels(const std::uint8_t* pixels, std::uint32_t w, std::uint8_t* planes) {
  std::uint8_t* red = planes;
  std::uint8_t* green = planes + w;
  std::uint8_t* blue = planes + 2 * std::size_t(w);
  for (std::uint32_t x = 0; x < w; ++x, pixels += 3) {
    blue[x] = pixels[0];
    green[x] = pixels[1];
    red[x] = pixels[2];
  }
}

// Where the values of one image row go while its planes are packed.
struct RowPacker {
  const CodecImage& image;
  const PcxLayoutOut& layout;
  std::vector<std::uint8_t> planes;

  // The bytes one packed row may take.
  std::size_t Capacity() const {
    return std::size_t(layout.planes) * PcxPackedCapacity(std::max<std::size_t>(image.width(), layout.bytes_per_line));
  }

  // Packs bitmap row `y`, plane by plane, into `out`; the bytes written.
  std::size_t Pack(std::uint32_t y, std::uint8_t* out) {
    const std::uint32_t w = image.width();
    const int bits = image.bits_per_pixel();
    const std::uint8_t* pixels = image.row(y);
    if (bits == 8) return PcxPackPlaneRow(pixels, w, -1, out);
    std::size_t length = 0;
    if (bits == 24) {
      SplitChannels(pixels, w, planes.data());
      for (std::size_t p = 0; p < 3; ++p)
        length += PcxPackPlaneRow(planes.data() + p * w, w, -1 - int(w % 2), out + length);
      return length;
    }
    for (int p = 0; p < layout.planes; ++p) {
      IndexBitPlane(pixels, w, bits, p, planes.data());
      length += PcxPackPlaneRow(planes.data(), layout.bytes_per_line, -1, out + length);
    }
    return length;
  }
};

// The 256-colour table that follows the data of an 8-bit picture.
void FillTrailingPalette(const CodecImage& image, std::uint8_t* palette) {
  palette[0] = kPaletteSignature;
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* entry = image.color_table() + 4 * i;
    palette[1 + 3 * i] = entry[2];
    palette[2 + 3 * i] = entry[1];
    palette[3 + 3 * i] = entry[0];
  }
}

constexpr std::size_t kTrailingPaletteSize = 1 + 3 * 256;

// Packs the rows of the image, top row first, and writes them; false when
// the stream refuses a write.
bool WriteRows(const CodecImage& image, RowPacker& packer, PackedBlockWriter& out) {
  const std::size_t row_capacity = packer.Capacity();
  for (std::uint32_t y = image.height(); y-- > 0;) {
    std::uint8_t* room = out.Room(row_capacity);
    if (room == nullptr) return false;
    out.Commit(packer.Pack(y, room));
  }
  if (image.bits_per_pixel() == 8) {
    std::uint8_t* room = out.Room(kTrailingPaletteSize);
    if (room == nullptr) return false;
    FillTrailingPalette(image, room);
    out.Commit(kTrailingPaletteSize);
  }
  return out.Flush();
}

}  // namespace

bool CodecImagePCX::Encode(CodecFile* stream) {
  if (stream == nullptr) return Fail("null file handler");
  if (!IsValid()) return Fail("null image!!");
  // The header holds the sizes in 16 bits.
  if (width() > 0xfffe || height() > 0x10000) return Fail("image too large for PCX");
  const PcxLayoutOut layout = WrittenLayout(*this);
  std::uint8_t head[kPcxHeaderSize];
  FillHeader(head, *this, layout);
  if (!stream->WriteExactly(head, sizeof head)) return Fail("cannot write PCX header");
  try {
    RowPacker packer{*this, layout, std::vector<std::uint8_t>(3 * std::size_t(std::max(width(), layout.bytes_per_line)))};
    PackedBlockWriter out(*stream, std::max(packer.Capacity(), kTrailingPaletteSize));
    if (!WriteRows(*this, packer, out)) return Fail("cannot write PCX data");
  } catch (const std::bad_alloc&) {
    return Fail("can't allocate memory");
  }
  return true;
}

}  // namespace wrimple
