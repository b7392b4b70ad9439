#include "io/codec_bmp_run_length.h"

#include <cstdint>

#include "io/codec_byte_reader.h"

namespace wrimple {

namespace {

constexpr int kEndOfLine = 0;
constexpr int kEndOfBitmap = 1;
constexpr int kDelta = 2;

// Where the next pixel goes; pixels outside the picture are dropped.
class RunCursor {
 public:
  RunCursor(CodecImage& image, int bits) : image_(image), bits_(bits) {}

  bool past_top() const { return y_ >= image_.height(); }
  void Put(std::uint8_t index) {
    if (x_ < image_.width() && !past_top()) SetPackedIndex(image_.row(std::uint32_t(y_)), std::uint32_t(x_), bits_, index);
    ++x_;
  }
  void NextLine() {
    x_ = 0;
    ++y_;
  }
  void Move(int dx, int dy) {
    x_ += std::uint64_t(dx);
    y_ += std::uint64_t(dy);
  }

 private:
  CodecImage& image_;
  int bits_;
  std::uint64_t x_ = 0;
  std::uint64_t y_ = 0;
};

// The i-th pixel of a byte: the byte itself for 8 bits, else its high nibble
// for even i and its low nibble for odd i.
std::uint8_t PixelOf(int byte, int bits, int i) {
  if (bits == 8) return std::uint8_t(byte);
  return std::uint8_t(i % 2 == 0 ? byte >> 4 : byte & 15);
}

// An absolute run of `count` pixels, padded to an even number of bytes.
bool ReadAbsoluteRun(CodecByteReader& in, int bits, int count, RunCursor& cursor) {
  const int bytes = bits == 8 ? count : (count + 1) / 2;
  int byte = 0;
  for (int i = 0; i < count; ++i) {
    if (bits == 8 || i % 2 == 0) {
      if ((byte = in.GetByte()) < 0) return false;
    }
    cursor.Put(PixelOf(byte, bits, i));
  }
  return bytes % 2 == 0 || in.GetByte() >= 0;
}

}  // namespace

const char* ExpandBmpRunLength(CodecFile& stream, int bits, CodecImage& image) {
  CodecByteReader in(stream);
  RunCursor cursor(image, bits);
  while (!cursor.past_top()) {
    const int count = in.GetByte();
    const int code = in.GetByte();
    if (code < 0) return "corrupted BMP";
    if (count > 0) {
      for (int i = 0; i < count; ++i) cursor.Put(PixelOf(code, bits, i));
      continue;
    }
    switch (code) {
      case kEndOfLine: cursor.NextLine(); break;
      case kEndOfBitmap: return nullptr;
      case kDelta: {
        const int dx = in.GetByte();
        const int dy = in.GetByte();
        if (dx < 0 || dy < 0) return "corrupted BMP";
        cursor.Move(dx, dy);
        break;
      }
      default:
        if (!ReadAbsoluteRun(in, bits, code, cursor)) return "corrupted BMP";
    }
  }
  return nullptr;
}

}  // namespace wrimple
