// Pictures for the encoding tests: 24-bit images filled with a pattern that
// gives runs and lone values, and streams whose writes fail.
#pragma once

#include <cstdint>
#include <cstdio>

#include "io/codec_file.h"
#include "io/codec_image.h"

namespace wrimple::testing {

// A 24-bit image whose pixels repeat in short runs, with channel values above
// and below 192.
inline CodecImage PatternImage(std::uint32_t w, std::uint32_t h, int bits = 24) {
  CodecImage image;
  image.Create(w, h, std::uint32_t(bits), kCodecBmp);
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::uint32_t v = (x / 3) * 37 + y * 11;
      if (bits == 24) {
        std::uint8_t* p = image.row(y) + 3 * x;
        p[0] = std::uint8_t(v);
        p[1] = std::uint8_t(v * 5 + 190);
        p[2] = std::uint8_t(x % 4 == 0 ? 200 : v * 3);
      } else {
        SetPackedIndex(image.row(y), x, bits, std::uint8_t(v % (1u << bits)));
      }
    }
  }
  // Two-colour pictures are black and white, as two-colour PCX files are read.
  for (std::uint32_t i = 0; i < image.colors_used(); ++i) {
    if (bits == 1) {
      image.SetColor(i, std::uint8_t(255 * i), std::uint8_t(255 * i), std::uint8_t(255 * i));
    } else {
      image.SetColor(i, std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7));
    }
  }
  return image;
}

// A stream that accepts the first `accepted` bytes written and then fails.
class FailingFile : public CodecFile {
 public:
  explicit FailingFile(std::size_t accepted) : left_(accepted) {}
  bool Close() override { return true; }
  std::size_t Read(void*, std::size_t, std::size_t) override { return 0; }
  std::size_t Write(const void*, std::size_t size, std::size_t count) override {
    if (size * count > left_) return 0;
    left_ -= size * count;
    return count;
  }
  bool Seek(long, int) override { return false; }
  long Tell() override { return 0; }
  long Size() override { return -1; }
  bool Flush() override { return true; }
  bool Eof() override { return true; }
  long Error() override { return 1; }
  bool PutC(std::uint8_t) override { return false; }
  long GetC() override { return -1; }
  char* GetS(char*, int) override { return nullptr; }
  long Scanf(const char*, void*) override { return 0; }

 private:
  std::size_t left_;
};

}  // namespace wrimple::testing
