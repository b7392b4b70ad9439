#include "qtsupport/target_qimage.h"

#include <cstdint>

#include "document/picture.h"
#include "document/state.h"

namespace wrimple {

namespace {

constexpr std::uint32_t Rgb32(std::uint32_t blue, std::uint32_t green, std::uint32_t red) {
  return 0xff000000u | (red << 16) | (green << 8) | blue;
}

// Makes `out` an RGB32 image of the clipped area's size, keeping its memory
// when it already has that size; false when the area is empty.
bool PrepareArea(const QRect& clipped, QImage& out) {
  if (clipped.isEmpty()) {
    out = QImage();
    return false;
  }
  if (out.format() != QImage::Format_RGB32 || out.size() != clipped.size())
    out = QImage(clipped.size(), QImage::Format_RGB32);
  return true;
}

void ConvertRow(const std::uint8_t* from, int width, std::uint32_t* to) {
  for (int x = 0; x < width; ++x, from += 3) to[x] = Rgb32(from[0], from[1], from[2]);
}

}  // namespace

void ConvertTargetArea(ConstTargetImage picture, const QRect& area, QImage& out) {
  const QRect clipped = area & QRect(0, 0, picture.width(), picture.height());
  if (!PrepareArea(clipped, out)) return;
  for (int row = 0; row < clipped.height(); ++row)
    ConvertRow(picture.pixel(clipped.left(), clipped.top() + row), clipped.width(),
               reinterpret_cast<std::uint32_t*>(out.scanLine(row)));
}

void ConvertPlaneArea(ConstPlane plane, const QRect& area, QImage& out) {
  const QRect clipped = area & QRect(0, 0, kMaxTargetWidth, kMaxTargetHeight);
  if (!PrepareArea(clipped, out)) return;
  for (int row = 0; row < clipped.height(); ++row)
    ConvertRow(plane.pixel(clipped.left(), clipped.top() + row), clipped.width(),
               reinterpret_cast<std::uint32_t*>(out.scanLine(row)));
}

void ConvertSourceAverageArea(const State& st, const QRect& area, QImage& out) {
  const QRect clipped = area & QRect(0, 0, st.TargetWidth(), st.TargetHeight());
  if (!PrepareArea(clipped, out)) return;
  const ConstPlane first = st.doc.Source(1).plane();
  const ConstPlane second = st.SourceCount < 2 ? first : st.doc.Source(2).plane();
  for (int row = 0; row < clipped.height(); ++row) {
    const std::uint8_t* a = first.pixel(clipped.left(), clipped.top() + row);
    const std::uint8_t* b = second.pixel(clipped.left(), clipped.top() + row);
    auto* to = reinterpret_cast<std::uint32_t*>(out.scanLine(row));
    for (int x = 0; x < clipped.width(); ++x, a += 3, b += 3)
      to[x] = Rgb32((a[0] + b[0]) >> 1, (a[1] + b[1]) >> 1, (a[2] + b[2]) >> 1);
  }
}

QImage PackedDibToQImage(const std::uint8_t* block, std::size_t size) {
  if (size < std::size_t(kInfoHeaderSize)) return {};
  const std::uint32_t header_size = ReadLe32(block + dib::kSize);
  const auto width = std::int32_t(ReadLe32(block + dib::kWidth));
  const auto height = std::int32_t(ReadLe32(block + dib::kHeight));
  const int bits = ReadLe16(block + dib::kBitCount);
  const std::uint32_t colors_used = ReadLe32(block + dib::kClrUsed);
  if (header_size < std::uint32_t(kInfoHeaderSize) || header_size > size) return {};
  if (ReadLe32(block + dib::kCompression) != 0) return {};
  if (width <= 0 || height <= 0 || width > 20000 || height > 20000) return {};
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
  const std::size_t palette_entries =
      colors_used != 0 ? colors_used : (bits <= 8 ? std::size_t(1) << bits : 0);
  const std::size_t row_length = std::size_t(DibRowLength(bits, width));
  const std::size_t pixels_at = header_size + 4 * palette_entries;
  if (palette_entries > 256 && bits <= 8) return {};
  if (pixels_at > size || (size - pixels_at) / row_length < std::size_t(height)) return {};
  QImage image(width, height, QImage::Format_RGB32);
  const std::uint8_t* palette = block + header_size;
  auto palette_color = [&](std::size_t index) {
    if (index >= palette_entries) return Rgb32(0, 0, 0);
    const std::uint8_t* c = palette + 4 * index;
    return Rgb32(c[0], c[1], c[2]);
  };
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = block + pixels_at + std::size_t(height - 1 - y) * row_length;
    auto* to = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      switch (bits) {
        case 24: to[x] = Rgb32(from[3 * x], from[3 * x + 1], from[3 * x + 2]); break;
        case 32: to[x] = Rgb32(from[4 * x], from[4 * x + 1], from[4 * x + 2]); break;
        default: {
          const int per_byte = 8 / bits;
          const int shift = 8 - bits * (x % per_byte + 1);
          to[x] = palette_color((from[x / per_byte] >> shift) & ((1 << bits) - 1));
        }
      }
    }
  }
  return image;
}

QImage TargetToQImage(ConstTargetImage picture) {
  QImage out;
  ConvertTargetArea(picture, QRect(0, 0, picture.width(), picture.height()), out);
  return out;
}

}  // namespace wrimple
