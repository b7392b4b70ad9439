// An image decoded from or encoded to BMP, TGA or PCX. The pixels live in one
// device-independent bitmap block: the 40-byte information header, the colour
// table (4 bytes per entry: blue, green, red, 0) and the rows, bottom row first,
// each padded to a multiple of 4 bytes. Decoded images always have 1, 4, 8 or 24
// bits per pixel and no compression.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "document/zeroed_buffer.h"
#include "io/codec_file.h"

namespace wrimple {

enum CodecFormat : int {
  kCodecUnknown = 0,  // decode: try every codec in turn
  kCodecBmp = 1,
  kCodecTga = 7,
  kCodecPcx = 8,
};

// Width x height x bits per pixel (counted in 32 bits) must stay below this.
// Fuzzing builds decode pictures of at most 1 MiB, so that each input takes a
// fraction of a millisecond and the fuzzer explores the decoders instead of
// filling memory.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr std::uint64_t CODEC_MAX_MEMORY = std::uint64_t(1) << 23;
#else
inline constexpr std::uint64_t CODEC_MAX_MEMORY = (std::uint64_t(1) << 31) + 8;
#endif

// Longest kept error text.
inline constexpr std::size_t kCodecMaxErrorLength = 255;

class CodecImage {
 public:
  CodecImage() = default;
  CodecImage(const std::string& path, int format);
  CodecImage(const std::uint8_t* memory, std::size_t length, int format);
  virtual ~CodecImage() = default;
  CodecImage(CodecImage&&) = default;
  CodecImage& operator=(CodecImage&&) = default;

  // Decodes the file with `format`; when that fails, tries every codec, and if
  // those fail too keeps the first attempt's error. False with the error
  // unchanged when the file cannot be opened.
  bool Load(const std::string& path, int format);
  bool Decode(CodecFile* stream, int format);
  bool Save(const std::string& path, int format);
  bool Encode(CodecFile* stream, int format);

  // Empties the image and makes a zero-filled one; bits are rounded up to 1, 4,
  // 8 or 24. False with the error text set when it cannot.
  bool Create(std::uint32_t width, std::uint32_t height, std::uint32_t bits, int format);
  // Create's checks of the sizes without the allocation: false with Create's
  // error text. Decoders use it to refuse short data before allocating.
  bool CanCreate(std::uint32_t width, std::uint32_t height, std::uint32_t bits);

  bool IsValid() const { return block_ != nullptr; }
  std::uint32_t width() const;
  std::uint32_t height() const;
  int bits_per_pixel() const;
  std::uint32_t compression() const;
  std::uint32_t colors_used() const;
  std::uint32_t row_length() const { return row_length_; }
  int format() const { return format_; }

  // The whole bitmap block, header first; nullptr when not valid.
  const std::uint8_t* bitmap() const { return block_ ? block_->data() : nullptr; }
  // Header + colour table + image size.
  std::size_t bitmap_size() const { return block_ ? block_->size() : 0; }
  // Colour table entries, 4 bytes each.
  std::uint8_t* color_table();
  const std::uint8_t* color_table() const;
  void SetColor(std::uint32_t index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  // Row y of the bits, y = 0 the bottom row.
  std::uint8_t* row(std::uint32_t y);
  const std::uint8_t* row(std::uint32_t y) const;

  // Per-pixel opacity, width x height bytes with rows in the order of the bits.
  bool HasAlpha() const { return alpha_ != nullptr; }
  // False when memory is short.
  bool CreateAlpha();
  std::uint8_t* alpha_row(std::uint32_t y) { return alpha_->data() + std::size_t(y) * width(); }
  const std::uint8_t* alpha_row(std::uint32_t y) const {
    return alpha_->data() + std::size_t(y) * width();
  }

  // Dots per inch; values below 1 count as 96. Also sets the header's pixels
  // per metre.
  int x_dpi() const { return x_dpi_; }
  int y_dpi() const { return y_dpi_; }
  void SetXDpi(int dpi);
  void SetYDpi(int dpi);

  const std::string& last_error() const { return last_error_; }
  // Sets the error text (cut to 255 characters) and returns false, so that a
  // failing step can end with `return Fail("...")`.
  bool Fail(const std::string& text);

  // Reverses the order of the rows, or of the pixels in every row.
  void FlipRows();
  void MirrorColumns();

 protected:
  std::uint8_t* header();

 private:
  template <typename Codec>
  bool DecodeWith(CodecFile* stream);
  template <typename Codec>
  bool EncodeWith(CodecFile* stream);
  // Takes over the pixels, header, alpha plane and resolutions of `other`.
  void TakeContent(CodecImage& other);

  std::unique_ptr<ZeroedBuffer> block_;
  std::unique_ptr<ZeroedBuffer> alpha_;
  std::uint32_t row_length_ = 0;
  int format_ = kCodecUnknown;
  int x_dpi_ = 96;
  int y_dpi_ = 96;
  std::string last_error_;
};

// Sets pixel x of a packed row of a 1-, 4- or 8-bit image, high bits first.
void SetPackedIndex(std::uint8_t* row, std::uint32_t x, int bits_per_pixel, std::uint8_t index);
std::uint8_t PackedIndex(const std::uint8_t* row, std::uint32_t x, int bits_per_pixel);

}  // namespace wrimple
