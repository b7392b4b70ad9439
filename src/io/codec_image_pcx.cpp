#include "io/codec_image_pcx.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "document/picture.h"
#include "io/codec_byte_reader.h"
#include "io/codec_mem_file.h"
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

// The bits of a row: a run may continue from one row into the next.
class PcxUnpacker {
 public:
  PcxUnpacker(CodecByteReader& in, std::uint64_t total) : in_(in), wanted_(total) {}

  // Fills `size` bytes; the error text, or nullptr on success.
  const char* Unpack(std::uint8_t* out, std::size_t size) {
    while (size > 0) {
      if (run_left_ > 0) {
        const std::size_t part = std::min<std::size_t>(size, run_left_);
        std::memset(out, run_value_, part);
        out += part;
        size -= part;
        run_left_ -= part;
        continue;
      }
      if (in_.AtEnd()) return "corrupted PCX";
      const int c = in_.GetByte();
      if (c <= 191) {
        *out++ = std::uint8_t(c);
        --size;
        --wanted_;
        continue;
      }
      const int d = in_.GetByte();
      if (d < 0) return "corrupted PCX";
      const std::uint32_t count = std::uint32_t(c) & 63;
      if (count > wanted_) return "repeat count spans end of image";
      wanted_ -= count;
      run_left_ = count;
      run_value_ = std::uint8_t(d);
    }
    return nullptr;
  }

 private:
  CodecByteReader& in_;
  std::uint64_t wanted_;
  std::uint32_t run_left_ = 0;
  std::uint8_t run_value_ = 0;
};

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

}  // namespace

bool CodecImagePCX::Decode(CodecFile* stream) {
  if (stream == nullptr) return Fail("null file handler");
  std::uint8_t bytes[kPcxHeaderSize];
  if (!stream->ReadExactly(bytes, sizeof bytes)) return Fail("Can't read PCX image");
  if (bytes[0] != kManufacturer) return Fail("Error: Not a PCX file");
  if (bytes[2] != 1) return Fail("PCX file has unknown encoding scheme");
  const PcxHeader head = ParseHeader(bytes);
  if (head.planes > 4) return Fail("Can't handle image with more than 4 planes");

  SetXDpi(head.x_dpi);
  SetYDpi(head.y_dpi);
  const int image_bits = ImageBits(head);
  const auto w = std::uint32_t(head.width);
  const auto h = std::uint32_t(head.height);
  if (!CanCreate(w, h, std::uint32_t(image_bits))) return false;

  PcxLayout layout;
  if (image_bits == 24 && head.bits == 8) {
    layout = PcxLayout::kRgb;
  } else if (head.planes == 1) {
    if (head.bits != 1 && head.bits != 2 && head.bits != 4 && head.bits != 8)
      return Fail("PCX_UnpackPixels: Can't handle packed pixels with more than 1 plane");
    layout = PcxLayout::kPacked;
  } else if (head.planes > 1 && head.bits == 1) {
    layout = PcxLayout::kPlanar;
  } else {
    return Fail("PCX_PlanesToPixels: more than 4 planes or more than 1 bit per pixel");
  }
  // A row's plane must hold every pixel of the row.
  if (std::uint64_t(head.bytes_per_line) * 8 < std::uint64_t(w) * head.bits)
    return Fail("PCX bytes per line too small for the image width");
  const std::size_t line = std::size_t(head.bytes_per_line) * std::size_t(head.planes);
  // A run of 2 bytes gives at most 63 bytes of the picture.
  if (!stream->MayHold((2 * std::uint64_t(line) * h + 62) / 63)) return Fail("corrupted PCX");
  if (!Create(w, h, std::uint32_t(image_bits), kCodecPcx)) return false;
  if (head.planes == 4 && head.bits == 8 && !CreateAlpha()) return Fail("can't allocate memory");

  std::vector<std::uint8_t> planes(line);
  CodecByteReader in(*stream);
  PcxUnpacker unpacker(in, std::uint64_t(line) * height());
  const int out_bits = bits_per_pixel();
  for (std::uint32_t y = 0; y < height(); ++y) {
    if (const char* error = unpacker.Unpack(planes.data(), line)) return Fail(error);
    const std::uint32_t out_y = height() - 1 - y;
    switch (layout) {
      case PcxLayout::kRgb:
        RgbRowToPixels(planes.data(), head.bytes_per_line, width(), row(out_y),
                       HasAlpha() ? alpha_row(out_y) : nullptr);
        break;
      case PcxLayout::kPacked: PackedRowToIndices(planes.data(), head.bits, width(), row(out_y), out_bits); break;
      case PcxLayout::kPlanar:
        PlanarRowToIndices(planes.data(), head.bytes_per_line, head.planes, width(), row(out_y), out_bits);
        break;
    }
  }

  std::uint8_t palette[3 * 256] = {};
  std::memcpy(palette, bytes + kPaletteOffset, 48);
  if (head.bits == 8 && head.planes == 1) {
    if (in.GetByte() != kPaletteSignature) return Fail("bad color map signature");
    if (!in.ReadExactly(palette, sizeof palette)) return Fail("corrupted PCX");
  } else if (head.bits == 1 && head.planes == 1) {
    std::memset(palette, 0, 3);
    std::memset(palette + 3, 255, 3);
  }
  for (std::uint32_t i = 0; i < colors_used(); ++i)
    SetColor(i, palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
  return true;
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

// Packs the rows of the image, top row first, plane by plane.
bool PackRows(const CodecImage& image, const PcxLayoutOut& layout, CodecMemFile& data) {
  const std::uint32_t w = image.width();
  const int bits = image.bits_per_pixel();
  std::vector<std::uint8_t> plane(std::max<std::size_t>(w, layout.bytes_per_line));
  std::vector<std::uint8_t> packed(PcxPackedCapacity(plane.size()));
  for (std::uint32_t y = image.height(); y-- > 0;) {
    const std::uint8_t* pixels = image.row(y);
    for (int p = 0; p < layout.planes; ++p) {
      std::size_t length;
      if (bits == 24) {
        // Plane 0 is red, byte 2 of a pixel.
        for (std::uint32_t x = 0; x < w; ++x) plane[x] = pixels[3 * std::size_t(x) + 2 - p];
        length = PcxPackPlaneRow(plane.data(), w, -1 - int(w % 2), packed.data());
      } else if (bits == 8) {
        length = PcxPackPlaneRow(pixels, w, -1, packed.data());
      } else {
        IndexBitPlane(pixels, w, bits, p, plane.data());
        length = PcxPackPlaneRow(plane.data(), layout.bytes_per_line, -1, packed.data());
      }
      if (!data.WriteExactly(packed.data(), length)) return false;
    }
  }
  if (bits != 8) return true;
  std::uint8_t palette[1 + 3 * 256];
  palette[0] = kPaletteSignature;
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* entry = image.color_table() + 4 * i;
    palette[1 + 3 * i] = entry[2];
    palette[2 + 3 * i] = entry[1];
    palette[3 + 3 * i] = entry[0];
  }
  return data.WriteExactly(palette, sizeof palette);
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

  // Room for the longest packing, so that the buffer never grows; pages that
  // are not written cost nothing.
  const std::size_t longest = std::size_t(height()) * std::size_t(layout.planes) *
                                  PcxPackedCapacity(std::max<std::size_t>(width(), layout.bytes_per_line)) +
                              769;
  CodecMemFile data;
  if (!data.Open() || !data.Reserve(longest) || !PackRows(*this, layout, data))
    return Fail("can't allocate memory");
  if (!stream->WriteExactly(data.data(), std::size_t(data.Size()))) return Fail("cannot write PCX data");
  return true;
}

}  // namespace wrimple
