// The view's scaling written straight from its definition, one output pixel
// at a time; the reference the fast loops of view_scaling.cpp are tested
// against.
#include <algorithm>

#include "document/view_scaling.h"

namespace wrimple {

namespace {

// Channel c of picture pixel (x, y).
int Channel(PixelRows& picture, int x, int y, int c) {
  return picture.Row(y, x, x + 1)[c];
}

// The pixel under the centre of enlarged pixel (X, Y).
std::uint32_t Nearest(PixelRows& picture, ZoomRatio z, int X, int Y) {
  const std::int64_t n = z.numerator, d = z.denominator;
  const int x = int(FloorDiv((2 * std::int64_t(X) + 1) * d, 2 * n));
  const int y = int(FloorDiv((2 * std::int64_t(Y) + 1) * d, 2 * n));
  std::uint32_t word = 0xff000000u;
  for (int c = 0; c < 3; ++c) word |= std::uint32_t(Channel(picture, x, y, c)) << (8 * c);
  return word;
}

// The area average of shrunk pixel (X, Y): every covered picture pixel times
// its horizontal and its vertical weight.
std::uint32_t BoxAverage(PixelRows& picture, ZoomRatio z, int X, int Y) {
  const BoxTaps across = BoxTapsOf(X, picture.width(), z);
  const BoxTaps down = BoxTapsOf(Y, picture.height(), z);
  std::uint32_t word = 0xff000000u;
  for (int c = 0; c < 3; ++c) {
    int sum = 0;
    for (int j = 0; j < down.count; ++j)
      for (int i = 0; i < across.count; ++i)
        sum += Channel(picture, across.first + i, down.first + j, c) * across.weight[i] * down.weight[j];
    word |= std::uint32_t((sum + 32768) >> 16) << (8 * c);
  }
  return word;
}

}  // namespace

void ScaleAreaPlain(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out) {
  for (int Y = area.top; Y < area.bottom; ++Y)
    for (int X = area.left; X < area.right; ++X)
      out.words[(Y - area.top) * out.stride + (X - area.left)] =
          z.Enlarges() ? Nearest(picture, z, X, Y) : BoxAverage(picture, z, X, Y);
}

void HalveAreaPlain(PixelRows& picture, const PixelRect& area, WordTarget out) {
  for (int j = area.top; j < area.bottom; ++j)
    for (int i = area.left; i < area.right; ++i) {
      const int x0 = 2 * i, y0 = 2 * j;
      const int x1 = std::min(x0 + 1, picture.width() - 1);
      const int y1 = std::min(y0 + 1, picture.height() - 1);
      std::uint32_t word = 0xff000000u;
      for (int c = 0; c < 3; ++c) {
        const int sum = Channel(picture, x0, y0, c) + Channel(picture, x1, y0, c) +
                        Channel(picture, x0, y1, c) + Channel(picture, x1, y1, c);
        word |= std::uint32_t((sum + 2) >> 2) << (8 * c);
      }
      out.words[(j - area.top) * out.stride + (i - area.left)] = word;
    }
}

}  // namespace wrimple
