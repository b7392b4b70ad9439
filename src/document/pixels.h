// Pixel layout of the target, the working copy and the source planes.
//
// A pixel is three bytes: blue, green, red. The target and the working copy hold
// bottom-up rows padded to a multiple of 4 bytes, exactly like the bits of a
// 24-bit bitmap of the target size. Source planes hold top-down rows of a fixed
// 12,288 bytes. Every access to these buffers goes through the helpers here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wrimple {

inline constexpr int kMaxTargetWidth = 4096;
inline constexpr int kMaxTargetHeight = 3072;
inline constexpr int kPlaneRowBytes = 3 * kMaxTargetWidth;  // 12,288
inline constexpr std::size_t kImageBufferBytes =
    std::size_t(kPlaneRowBytes) * kMaxTargetHeight;  // 37,748,736

// Blue, green, red: byte 0, 1, 2.
using Bgr = std::array<std::uint8_t, 3>;

// A colour as exchanged with the platform: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue) {
  return ColorRef(red & 0xff) | (ColorRef(green & 0xff) << 8) | (ColorRef(blue & 0xff) << 16);
}
constexpr Bgr ToBgr(ColorRef c) {
  return Bgr{std::uint8_t((c >> 16) & 0xff), std::uint8_t((c >> 8) & 0xff), std::uint8_t(c & 0xff)};
}
constexpr ColorRef ToColorRef(const Bgr& p) { return MakeColorRef(p[2], p[1], p[0]); }

// Length of a bottom-up 24-bit row of w pixels: 3w rounded up to a multiple of 4.
constexpr int RowLength24(int w) { return 3 * w + (w & 3); }

// Non-owning view of a bottom-up, padded 24-bit picture (the target layout).
// Rows are addressed with y counted from the top.
template <typename Byte>
class BottomUpImage {
 public:
  BottomUpImage(Byte* bits, int width, int height)
      : bits_(bits), width_(width), height_(height), row_length_(RowLength24(width)) {}
  // A writable view converts to a read-only one.
  template <typename Other>
  BottomUpImage(const BottomUpImage<Other>& other)  // NOLINT(google-explicit-constructor)
      : BottomUpImage(other.bits(), other.width(), other.height()) {}

  int width() const { return width_; }
  int height() const { return height_; }
  int row_length() const { return row_length_; }
  Byte* bits() const { return bits_; }
  std::size_t byte_size() const { return std::size_t(row_length_) * height_; }

  Byte* row(int y) const { return bits_ + std::size_t(height_ - 1 - y) * row_length_; }
  Byte* pixel(int x, int y) const { return row(y) + 3 * x; }
  static std::size_t Offset(int x, int y, int width, int height) {
    return std::size_t(height - 1 - y) * RowLength24(width) + 3 * std::size_t(x);
  }

 private:
  Byte* bits_;
  int width_;
  int height_;
  int row_length_;
};
using TargetImage = BottomUpImage<std::uint8_t>;
using ConstTargetImage = BottomUpImage<const std::uint8_t>;

// Non-owning view of a source plane: top-down rows of 12,288 bytes.
template <typename Byte>
class PlaneImage {
 public:
  explicit PlaneImage(Byte* bits) : bits_(bits) {}
  template <typename Other>
  PlaneImage(const PlaneImage<Other>& other) : bits_(other.bits()) {}  // NOLINT
  Byte* bits() const { return bits_; }
  Byte* row(int y) const { return bits_ + std::size_t(y) * kPlaneRowBytes; }
  Byte* pixel(int x, int y) const { return row(y) + 3 * x; }
  static constexpr std::size_t Offset(int x, int y) {
    return std::size_t(y) * kPlaneRowBytes + 3 * std::size_t(x);
  }

 private:
  Byte* bits_;
};
using Plane = PlaneImage<std::uint8_t>;
using ConstPlane = PlaneImage<const std::uint8_t>;

inline Bgr ReadPixel(const std::uint8_t* p) { return Bgr{p[0], p[1], p[2]}; }
inline void WritePixel(std::uint8_t* p, const Bgr& v) {
  p[0] = v[0];
  p[1] = v[1];
  p[2] = v[2];
}

constexpr std::uint8_t ClampByte(int v) { return std::uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v)); }

}  // namespace wrimple
