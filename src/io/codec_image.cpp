#include "io/codec_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "document/picture.h"
#include "io/codec_image_bmp.h"
#include "io/codec_image_pcx.h"
#include "io/codec_image_tga.h"
#include "io/codec_io_file.h"
#include "io/codec_mem_file.h"

namespace wrimple {

namespace {

// A resolution read from a file can lie far beyond any real one; the header
// field then keeps the largest value it can hold.
int PixelsPerMetre(int dpi) {
  const double ppm = std::floor(dpi * 10000.0 / 254.0 + 0.5);
  return ppm >= double(INT32_MAX) ? INT32_MAX : int(ppm);
}

std::uint32_t RoundedBitCount(std::uint32_t bits) {
  if (bits <= 1) return 1;
  if (bits <= 4) return 4;
  if (bits <= 8) return 8;
  return 24;
}

}  // namespace

CodecImage::CodecImage(const std::string& path, int format) { Load(path, format); }

CodecImage::CodecImage(const std::uint8_t* memory, std::size_t length, int format) {
  CodecMemFile stream(memory, length);
  Decode(&stream, format);
}

bool CodecImage::Fail(const std::string& text) {
  last_error_ = text.substr(0, kCodecMaxErrorLength);
  return false;
}

bool CodecImage::Load(const std::string& path, int format) {
  if (format == kCodecBmp || format == kCodecTga || format == kCodecPcx) {
    CodecIOFile file;
    if (!file.Open(path.c_str(), "rb")) return false;
    if (Decode(&file, format)) return true;
  }
  const std::string kept_error = last_error_;
  CodecIOFile file;
  if (!file.Open(path.c_str(), "rb")) return false;
  const bool decoded = Decode(&file, kCodecUnknown);
  if (!decoded && format != kCodecUnknown) last_error_ = kept_error;
  return decoded;
}

template <typename Codec>
bool CodecImage::DecodeWith(CodecFile* stream) {
  Codec codec;
  if (!codec.Decode(stream)) return Fail(codec.last_error());
  TakeContent(codec);
  return true;
}

bool CodecImage::Decode(CodecFile* stream, int format) {
  if (stream == nullptr) return Fail("null file handler");
  switch (format) {
    case kCodecBmp: return DecodeWith<CodecImageBMP>(stream);
    case kCodecTga: return DecodeWith<CodecImageTGA>(stream);
    case kCodecPcx: return DecodeWith<CodecImagePCX>(stream);
    case kCodecUnknown: {
      const long start = stream->Tell();
      if (DecodeWith<CodecImageBMP>(stream)) return true;
      stream->Seek(start, SEEK_SET);
      if (DecodeWith<CodecImageTGA>(stream)) return true;
      stream->Seek(start, SEEK_SET);
      if (DecodeWith<CodecImagePCX>(stream)) return true;
      return Fail("Decode: Unknown or wrong format");
    }
    default: return Fail("Decode: Unknown or wrong format");
  }
}

bool CodecImage::Save(const std::string& path, int format) {
  CodecIOFile file;
  if (!file.Open(path.c_str(), "wb")) return false;
  const bool encoded = Encode(&file, format);
  // A stream that cannot be flushed on closing has lost data.
  const bool closed = file.Close();
  if (encoded && !closed) return Fail("cannot close the written file");
  return encoded;
}

template <typename Codec>
bool CodecImage::EncodeWith(CodecFile* stream) {
  // The codec works on this image's own content, lent for the call.
  Codec codec;
  codec.TakeContent(*this);
  const bool encoded = codec.Encode(stream);
  TakeContent(codec);
  return encoded || Fail(codec.last_error());
}

bool CodecImage::Encode(CodecFile* stream, int format) {
  switch (format) {
    case kCodecBmp: return EncodeWith<CodecImageBMP>(stream);
    case kCodecTga: return EncodeWith<CodecImageTGA>(stream);
    case kCodecPcx: return EncodeWith<CodecImagePCX>(stream);
    default: return Fail("Encode: Unknown format");
  }
}

void CodecImage::TakeContent(CodecImage& other) {
  block_ = std::move(other.block_);
  other.block_.reset();
  alpha_ = std::move(other.alpha_);
  row_length_ = std::exchange(other.row_length_, 0);
  format_ = other.format_;
  x_dpi_ = other.x_dpi_;
  y_dpi_ = other.y_dpi_;
}

bool CodecImage::CanCreate(std::uint32_t w, std::uint32_t h, std::uint32_t bits) {
  if (w == 0 || h == 0) return Fail("CodecImage::Create : width and height must be greater than zero");
  std::uint64_t pixel_bits;
  if (__builtin_mul_overflow(std::uint64_t(w) * h, RoundedBitCount(bits), &pixel_bits) ||
      pixel_bits >= CODEC_MAX_MEMORY)
    return Fail("CODEC_MAX_MEMORY exceeded");
  // Rows are padded to 4 bytes, so a narrow picture needs up to 32 times more
  // than its pixels: the limit holds for the padded rows too.
  const std::uint64_t row_bits = (std::uint64_t(w) * RoundedBitCount(bits) + 31) / 32 * 32;
  if (row_bits * h >= CODEC_MAX_MEMORY) return Fail("CODEC_MAX_MEMORY exceeded");
  return true;
}

bool CodecImage::Create(std::uint32_t w, std::uint32_t h, std::uint32_t bits, int format) {
  block_.reset();
  alpha_.reset();
  row_length_ = 0;
  if (!CanCreate(w, h, bits)) return false;
  bits = RoundedBitCount(bits);
  const std::uint32_t colors = bits <= 8 ? std::uint32_t(1) << bits : 0;
  const std::uint32_t row_length = std::uint32_t((std::uint64_t(w) * bits + 31) / 32 * 4);
  const std::uint64_t image_size = std::uint64_t(row_length) * h;
  try {
    block_ = std::make_unique<ZeroedBuffer>(kInfoHeaderSize + colors * 4 + std::size_t(image_size));
  } catch (const std::bad_alloc&) {
    return Fail("CodecImage::Create can't allocate memory");
  }
  row_length_ = row_length;
  format_ = format;
  std::uint8_t* head = header();
  WriteLe32(head + dib::kSize, kInfoHeaderSize);
  WriteLe32(head + dib::kWidth, w);
  WriteLe32(head + dib::kHeight, h);
  WriteLe16(head + dib::kPlanes, 1);
  WriteLe16(head + dib::kBitCount, std::uint16_t(bits));
  WriteLe32(head + dib::kSizeImage, std::uint32_t(image_size));
  WriteLe32(head + dib::kClrUsed, colors);
  SetXDpi(x_dpi_);
  SetYDpi(y_dpi_);
  return true;
}

std::uint8_t* CodecImage::header() { return block_ ? block_->data() : nullptr; }

std::uint32_t CodecImage::width() const { return block_ ? ReadLe32(bitmap() + dib::kWidth) : 0; }
std::uint32_t CodecImage::height() const { return block_ ? ReadLe32(bitmap() + dib::kHeight) : 0; }
int CodecImage::bits_per_pixel() const { return block_ ? ReadLe16(bitmap() + dib::kBitCount) : 0; }
std::uint32_t CodecImage::compression() const {
  return block_ ? ReadLe32(bitmap() + dib::kCompression) : 0;
}
std::uint32_t CodecImage::colors_used() const {
  return block_ ? ReadLe32(bitmap() + dib::kClrUsed) : 0;
}

std::uint8_t* CodecImage::color_table() { return block_ ? block_->data() + kInfoHeaderSize : nullptr; }
const std::uint8_t* CodecImage::color_table() const {
  return block_ ? bitmap() + kInfoHeaderSize : nullptr;
}

void CodecImage::SetColor(std::uint32_t index, std::uint8_t red, std::uint8_t green,
                          std::uint8_t blue) {
  if (index >= colors_used()) return;
  std::uint8_t* entry = color_table() + 4 * index;
  entry[0] = blue;
  entry[1] = green;
  entry[2] = red;
  entry[3] = 0;
}

std::uint8_t* CodecImage::row(std::uint32_t y) {
  return color_table() + 4 * colors_used() + std::size_t(y) * row_length_;
}
const std::uint8_t* CodecImage::row(std::uint32_t y) const {
  return color_table() + 4 * colors_used() + std::size_t(y) * row_length_;
}

bool CodecImage::CreateAlpha() {
  try {
    alpha_ = std::make_unique<ZeroedBuffer>(std::size_t(width()) * height());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void CodecImage::SetXDpi(int dpi) {
  x_dpi_ = dpi < 1 ? 96 : dpi;
  if (block_) WriteLe32(header() + dib::kXPelsPerMeter, std::uint32_t(PixelsPerMetre(x_dpi_)));
}

void CodecImage::SetYDpi(int dpi) {
  y_dpi_ = dpi < 1 ? 96 : dpi;
  if (block_) WriteLe32(header() + dib::kYPelsPerMeter, std::uint32_t(PixelsPerMetre(y_dpi_)));
}

void CodecImage::FlipRows() {
  const std::uint32_t h = height();
  for (std::uint32_t top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(row(top), row(top) + row_length_, row(bottom));
    if (HasAlpha()) std::swap_ranges(alpha_row(top), alpha_row(top) + width(), alpha_row(bottom));
  }
}

void CodecImage::MirrorColumns() {
  const std::uint32_t w = width();
  const int bits = bits_per_pixel();
  for (std::uint32_t y = 0; y < height(); ++y) {
    std::uint8_t* pixels = row(y);
    for (std::uint32_t left = 0, right = w - 1; left < right; ++left, --right) {
      if (bits == 24) {
        std::swap_ranges(pixels + 3 * left, pixels + 3 * left + 3, pixels + 3 * right);
      } else {
        const std::uint8_t a = PackedIndex(pixels, left, bits);
        SetPackedIndex(pixels, left, bits, PackedIndex(pixels, right, bits));
        SetPackedIndex(pixels, right, bits, a);
      }
    }
    if (HasAlpha()) std::reverse(alpha_row(y), alpha_row(y) + w);
  }
}

void SetPackedIndex(std::uint8_t* row, std::uint32_t x, int bits, std::uint8_t index) {
  if (bits == 8) {
    row[x] = index;
    return;
  }
  const int per_byte = 8 / bits;
  const int shift = 8 - bits * (1 + int(x % per_byte));
  const std::uint8_t mask = std::uint8_t(((1 << bits) - 1) << shift);
  std::uint8_t& byte = row[x / per_byte];
  byte = std::uint8_t((byte & ~mask) | ((index << shift) & mask));
}

std::uint8_t PackedIndex(const std::uint8_t* row, std::uint32_t x, int bits) {
  if (bits == 8) return row[x];
  const int per_byte = 8 / bits;
  const int shift = 8 - bits * (1 + int(x % per_byte));
  return std::uint8_t((row[x / per_byte] >> shift) & ((1 << bits) - 1));
}

}  // namespace wrimple
