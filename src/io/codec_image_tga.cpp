#include "io/codec_image_tga.h"

#include <array>
#include <cstring>
#include <vector>

#include "document/picture.h"
#include "io/codec_byte_reader.h"

namespace wrimple {

namespace {

constexpr std::size_t kTgaHeaderSize = 18;
constexpr std::uint8_t kTopRowFirst = 0x20;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kNoCarry = 255;

struct TgaHeader {
  std::uint8_t id_length;
  std::uint8_t color_map_type;
  std::uint8_t image_type;
  std::uint16_t color_map_length;
  std::uint8_t color_map_entry_bits;
  std::uint16_t width;
  std::uint16_t height;
  std::uint8_t depth;
  std::uint8_t descriptor;
};

TgaHeader ParseHeader(const std::uint8_t* bytes) {
  return TgaHeader{.id_length = bytes[0],
                   .color_map_type = bytes[1],
                   .image_type = bytes[2],
                   .color_map_length = ReadLe16(bytes + 5),
                   .color_map_entry_bits = bytes[7],
                   .width = ReadLe16(bytes + 12),
                   .height = ReadLe16(bytes + 14),
                   .depth = bytes[16],
                   .descriptor = bytes[17]};
}

bool IsRunLength(int type) { return type == 9 || type == 10 || type == 11; }
bool IsUncompressed(int type) { return type == 1 || type == 2 || type == 3; }
bool IsGrey(int type) { return type == 3 || type == 11; }
bool IsKnownDepth(int depth) {
  return depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
}
std::size_t FileBytesPerPixel(int depth) { return std::size_t(depth + 7) / 8; }
// Colour map entries of 15, 16 or 32 bits take 2 or 4 bytes; any other size
// is read as 3-byte entries.
std::size_t MapEntryBytes(int bits) {
  if (bits == 15 || bits == 16) return 2;
  return bits == 32 ? 4 : 3;
}

// The fewest bytes after the header that can hold the identification field,
// the colour map and the pixels: a packet covers at most 128 pixels.
std::uint64_t LeastFileBytes(const TgaHeader& head) {
  const std::uint64_t pixels = std::uint64_t(head.width) * head.height;
  const std::uint64_t pixel_bytes = FileBytesPerPixel(head.depth);
  const std::uint64_t data =
      IsRunLength(head.image_type) ? (pixels + 127) / 128 * (1 + pixel_bytes) : pixels * pixel_bytes;
  const std::uint64_t map =
      head.color_map_type != 0 ? MapEntryBytes(head.color_map_entry_bits) * std::uint64_t(head.color_map_length) : 0;
  return head.id_length + map + data;
}

// A 5-5-5 colour in 16 bits, as blue, green, red.
void Put555(unsigned v, std::uint8_t* out) {
  out[0] = std::uint8_t((v & 31) * 8);
  out[1] = std::uint8_t((v >> 2) & 248);
  out[2] = std::uint8_t((v >> 7) & 248);
}

// Writes one file pixel of `depth` bits at column x of a bitmap row (and of the
// alpha row for 32-bit pixels). A 16-bit grey pixel is a grey byte and an
// alpha byte; the alpha is left out, as for the other kinds with alpha.
void PutPixel(const std::uint8_t* in, int depth, bool grey, std::uint8_t* row, std::uint8_t* alpha,
              std::uint32_t x) {
  std::uint8_t* out = row + 3 * std::size_t(x);
  switch (depth) {
    case 8: row[x] = in[0]; break;
    case 15:
    case 16:
      if (grey)
        out[0] = out[1] = out[2] = in[0];
      else
        Put555(ReadLe16(in), out);
      break;
    case 24: std::memcpy(out, in, 3); break;
    default:
      std::memcpy(out, in, 3);
      alpha[x] = in[3];
      break;
  }
}

// The run-length packet that did not fit in the previous row. A carried run
// keeps its pixel value, which the next row uses again.
struct RunCarry {
  std::uint8_t header = kNoCarry;
  std::array<std::uint8_t, 4> value{};
  bool is_run() const { return header != kNoCarry && (header & 0x80) != 0; }
};

class TgaRowReader {
 public:
  TgaRowReader(CodecByteReader& in, int depth, bool grey, std::uint32_t width)
      : in_(in), depth_(depth), grey_(grey), pixel_bytes_(FileBytesPerPixel(depth)),
        raw_(pixel_bytes_ * width), width_(width) {}

  // True when the data holds what the next row needs to start.
  bool RowCanStart() { return carry_.is_run() || !in_.AtEnd(); }

  bool ReadRaw(std::uint8_t* row, std::uint8_t* alpha, std::uint32_t x, std::uint32_t count) {
    if (depth_ == 24) return in_.ReadExactly(row + 3 * std::size_t(x), 3 * std::size_t(count));
    if (!in_.ReadExactly(raw_.data(), pixel_bytes_ * count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) PutPixel(&raw_[pixel_bytes_ * i], depth_, grey_, row, alpha, x + i);
    return true;
  }

  bool ReadRunLengthRow(std::uint8_t* row, std::uint8_t* alpha) {
    for (std::uint32_t x = 0; x < width_;) {
      const bool carried = carry_.header != kNoCarry;
      int header = carry_.header;
      carry_.header = kNoCarry;
      if (!carried && (header = in_.GetByte()) < 0) return false;
      const std::uint32_t left = width_ - x;
      std::uint32_t count;
      if (header & 0x80) {
        count = std::uint32_t(header) - 127;
        if (!carried && !in_.ReadExactly(carry_.value.data(), pixel_bytes_)) return false;
        if (count > left) {
          carry_.header = std::uint8_t(128 + (count - left - 1));
          count = left;
        }
        for (std::uint32_t i = 0; i < count; ++i) PutPixel(carry_.value.data(), depth_, grey_, row, alpha, x + i);
      } else {
        count = std::uint32_t(header) + 1;
        if (count > left) {
          carry_.header = std::uint8_t(count - left - 1);
          count = left;
        }
        if (!ReadRaw(row, alpha, x, count)) return false;
      }
      x += count;
    }
    return true;
  }

 private:
  CodecByteReader& in_;
  int depth_;
  bool grey_;
  std::size_t pixel_bytes_;
  std::vector<std::uint8_t> raw_;
  std::uint32_t width_;
  RunCarry carry_;
};

// Reads every colour map entry in the size the header states and keeps the
// ones the image's colour table has room for.
bool ReadColorMap(CodecByteReader& in, const TgaHeader& head, CodecImage& image) {
  const std::size_t entry = MapEntryBytes(head.color_map_entry_bits);
  std::vector<std::uint8_t> map(entry * std::size_t(head.color_map_length));
  if (!in.ReadExactly(map.data(), map.size())) return false;
  for (std::uint32_t i = 0; i < head.color_map_length; ++i) {
    std::uint8_t bgr[3];
    if (entry == 2)
      Put555(ReadLe16(&map[2 * i]), bgr);
    else
      std::memcpy(bgr, &map[entry * i], 3);
    image.SetColor(i, bgr[2], bgr[1], bgr[0]);
  }
  return true;
}

}  // namespace

bool CodecImageTGA::Decode(CodecFile* stream) {
  if (stream == nullptr) return Fail("null file handler");
  std::uint8_t bytes[kTgaHeaderSize];
  if (!stream->ReadExactly(bytes, sizeof bytes)) return Fail("Not a TGA");
  const TgaHeader head = ParseHeader(bytes);
  const bool run_length = IsRunLength(head.image_type);
  if (!run_length && !IsUncompressed(head.image_type)) return Fail("Unknown TGA image type");
  if (head.width == 0 || head.height == 0 || head.depth == 0 || head.color_map_length > 256 ||
      !IsKnownDepth(head.depth))
    return Fail("bad TGA header");

  if (!CanCreate(head.width, head.height, head.depth)) return Fail("TGA Create failed");
  if (!stream->MayHold(LeastFileBytes(head))) return Fail("corrupted TGA");
  CodecByteReader in(*stream);
  if (!in.Skip(head.id_length)) return Fail("corrupted TGA");
  if (!Create(head.width, head.height, head.depth, kCodecTga)) return Fail("TGA Create failed");
  if (head.depth == 32 && !CreateAlpha()) return Fail("TGA Create failed");

  if (head.color_map_type != 0 && !ReadColorMap(in, head, *this)) return Fail("corrupted TGA");
  if (IsGrey(head.image_type)) {
    const std::uint32_t colors = colors_used();
    for (std::uint32_t i = 0; i < colors; ++i) {
      const auto grey = std::uint8_t(i * (255 / (colors - 1)));
      SetColor(i, grey, grey, grey);
    }
  }

  TgaRowReader rows(in, head.depth, IsGrey(head.image_type), head.width);
  const bool top_first = (head.descriptor & kTopRowFirst) != 0;
  for (std::uint32_t r = 0; r < head.height; ++r) {
    if (!rows.RowCanStart()) return Fail("corrupted TGA");
    const std::uint32_t y = top_first ? head.height - 1 - r : r;
    std::uint8_t* alpha = HasAlpha() ? alpha_row(y) : nullptr;
    const bool read = run_length ? rows.ReadRunLengthRow(row(y), alpha)
                                 : rows.ReadRaw(row(y), alpha, 0, head.width);
    if (!read) return Fail("corrupted TGA");
  }
  if (head.descriptor & kRightToLeft) MirrorColumns();
  return true;
}

namespace {

void FillHeader(std::uint8_t* bytes, const CodecImage& image, int depth) {
  const bool mapped = image.bits_per_pixel() == 8;
  std::memset(bytes, 0, kTgaHeaderSize);
  bytes[1] = mapped ? 1 : 0;
  bytes[2] = mapped ? 1 : 2;
  WriteLe16(bytes + 5, mapped ? 256 : 0);
  bytes[7] = mapped ? 24 : 0;
  WriteLe16(bytes + 12, std::uint16_t(image.width()));
  WriteLe16(bytes + 14, std::uint16_t(image.height()));
  bytes[16] = std::uint8_t(depth);
}

}  // namespace

bool CodecImageTGA::Encode(CodecFile* stream) {
  if (stream == nullptr) return Fail("null file handler");
  if (!IsValid()) return Fail("null image!!");
  const int bits = bits_per_pixel();
  if (bits < 8) return Fail("Bit depth must be 8 or 24");
  // The header holds the sizes in 16 bits.
  if (width() > 0xffff || height() > 0xffff) return Fail("image too large for TGA");
  const bool with_alpha = HasAlpha() && bits == 24;
  const int depth = with_alpha ? 32 : bits;

  std::uint8_t head[kTgaHeaderSize];
  FillHeader(head, *this, depth);
  if (!stream->WriteExactly(head, sizeof head)) return Fail("cannot write TGA data");
  if (bits == 8) {
    std::uint8_t map[3 * 256];
    for (int i = 0; i < 256; ++i) std::memcpy(map + 3 * i, color_table() + 4 * i, 3);
    if (!stream->WriteExactly(map, sizeof map)) return Fail("cannot write TGA data");
  }

  const std::uint32_t w = width();
  std::vector<std::uint8_t> out(with_alpha ? 4 * std::size_t(w) : 0);
  for (std::uint32_t y = 0; y < height(); ++y) {
    const std::uint8_t* pixels = row(y);
    std::size_t length = std::size_t(w) * std::size_t(bits / 8);
    if (with_alpha) {
      for (std::uint32_t x = 0; x < w; ++x) {
        std::memcpy(&out[4 * x], pixels + 3 * std::size_t(x), 3);
        out[4 * x + 3] = alpha_row(y)[x];
      }
      pixels = out.data();
      length = out.size();
    }
    if (!stream->WriteExactly(pixels, length)) return Fail("cannot write TGA data");
  }
  return true;
}

}  // namespace wrimple
