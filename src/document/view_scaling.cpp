#include "document/view_scaling.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace wrimple {

static_assert(std::endian::native == std::endian::little,
              "0xffRRGGBB words are read as blue, green, red bytes");

TargetRows::TargetRows(ConstTargetImage picture)
    : PixelRows(picture.width(), picture.height(), 3), picture_(picture) {}

const std::uint8_t* TargetRows::Row(int y, int x0, int) { return picture_.pixel(x0, y); }

PlaneRows::PlaneRows(ConstPlane plane, int width, int height)
    : PixelRows(width, height, 3), plane_(plane) {}

const std::uint8_t* PlaneRows::Row(int y, int x0, int) { return plane_.pixel(x0, y); }

PlaneAverageRows::PlaneAverageRows(ConstPlane a, ConstPlane b, int width, int height)
    : PixelRows(width, height, 3), a_(a), b_(b) {}

const std::uint8_t* PlaneAverageRows::Row(int y, int x0, int x1) {
  std::vector<std::uint8_t>& row = rows_[next_];
  next_ = (next_ + 1) % 3;
  const std::size_t bytes = 3 * std::size_t(x1 - x0);
  if (row.size() < bytes) row.resize(bytes);
  const std::uint8_t* a = a_.pixel(x0, y);
  const std::uint8_t* b = b_.pixel(x0, y);
  for (std::size_t i = 0; i < bytes; ++i) row[i] = std::uint8_t((a[i] + b[i]) >> 1);
  return row.data();
}

WordRows::WordRows(const std::uint32_t* words, int width, int height, std::ptrdiff_t stride)
    : PixelRows(width, height, 4), words_(words), stride_(stride) {}

const std::uint8_t* WordRows::Row(int y, int x0, int) {
  return reinterpret_cast<const std::uint8_t*>(words_ + y * stride_ + x0);
}

namespace {

constexpr std::uint32_t Word(std::uint32_t blue, std::uint32_t green, std::uint32_t red) {
  return 0xff000000u | (red << 16) | (green << 8) | blue;
}

// Enlarged or 1:1: every output pixel copies the picture pixel under its
// centre, and rows that read the same picture row repeat the row before.
void EnlargeArea(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out) {
  const int pb = picture.pixel_bytes();
  auto centre = [&](int X) {
    return int(FloorDiv((2 * std::int64_t(X) + 1) * z.denominator, 2 * std::int64_t(z.numerator)));
  };
  const int first = centre(area.left), end = centre(area.right - 1) + 1;
  std::vector<int> offsets(std::size_t(area.Width()));
  for (int i = 0; i < area.Width(); ++i) offsets[std::size_t(i)] = (centre(area.left + i) - first) * pb;
  int previous_row = -1;
  for (int j = 0; j < area.Height(); ++j) {
    std::uint32_t* to = out.words + std::ptrdiff_t(j) * out.stride;
    const int y = centre(area.top + j);
    if (y == previous_row) {
      std::memcpy(to, to - out.stride, sizeof(std::uint32_t) * std::size_t(area.Width()));
      continue;
    }
    previous_row = y;
    const std::uint8_t* row = picture.Row(y, first, end);
    for (int i = 0; i < area.Width(); ++i) {
      const std::uint8_t* p = row + offsets[std::size_t(i)];
      to[i] = Word(p[0], p[1], p[2]);
    }
  }
}

// Shrunk: a box filter. Each output pixel averages its area of the picture
// with separable weights out of 256 (BoxTaps). The picture rows of an output
// row are first summed byte by byte with their vertical weights (each sum at
// most 255 * 256); then every output pixel sums its columns of that row with
// the horizontal weights, red and blue together in the 32-bit halves of one
// word.
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Shorts16 = std::uint16_t __attribute__((vector_size(32)));

template <int kTaps>
void SumRows(const std::uint8_t* const* rows, const std::uint32_t* weight, std::size_t bytes,
             std::uint16_t* to) {
  std::size_t b = 0;
  // Sixteen bytes at a time; the products and their sum fit 16 bits, as the
  // weights add up to at most 256.
  for (; b + 16 <= bytes; b += 16) {
    Shorts16 sum = {};
    for (int k = 0; k < kTaps; ++k) {
      Bytes16 v;
      std::memcpy(&v, rows[k] + b, 16);
      sum += __builtin_convertvector(v, Shorts16) * std::uint16_t(weight[k]);
    }
    std::memcpy(to + b, &sum, sizeof sum);
  }
  for (; b < bytes; ++b) {
    std::uint32_t sum = 0;
    for (int k = 0; k < kTaps; ++k) sum += rows[k][b] * weight[k];
    to[b] = std::uint16_t(sum);
  }
}

template <int kPixelBytes>
void ShrinkArea(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out) {
  const std::size_t width = std::size_t(area.Width());
  // Three taps a column; the unused ones weigh 0 and read the first again.
  std::vector<int> offset[BoxTaps::kMaxTaps];
  std::vector<std::uint64_t> weight[BoxTaps::kMaxTaps];
  for (int k = 0; k < BoxTaps::kMaxTaps; ++k) {
    offset[k].resize(width);
    weight[k].resize(width);
  }
  const int first = BoxTapsOf(area.left, picture.width(), z).first;
  int end = first + 1;
  for (std::size_t i = 0; i < width; ++i) {
    const BoxTaps t = BoxTapsOf(area.left + int(i), picture.width(), z);
    for (int k = 0; k < BoxTaps::kMaxTaps; ++k) {
      offset[k][i] = (t.first + (k < t.count ? k : 0) - first) * kPixelBytes;
      weight[k][i] = std::uint64_t(k < t.count ? t.weight[k] : 0);
    }
    end = std::max(end, t.first + t.count);
  }
  const std::size_t bytes = std::size_t(end - first) * kPixelBytes;
  std::vector<std::uint16_t> row(bytes);
  constexpr std::uint64_t kHalf = std::uint64_t(32768) << 32 | 32768;
  for (int j = 0; j < area.Height(); ++j) {
    const BoxTaps t = BoxTapsOf(area.top + j, picture.height(), z);
    const std::uint8_t* rows[BoxTaps::kMaxTaps];
    std::uint32_t h[BoxTaps::kMaxTaps];
    for (int k = 0; k < t.count; ++k) {
      rows[k] = picture.Row(t.first + k, first, end);
      h[k] = std::uint32_t(t.weight[k]);
    }
    if (t.count == 3)
      SumRows<3>(rows, h, bytes, row.data());
    else if (t.count == 2)
      SumRows<2>(rows, h, bytes, row.data());
    else
      SumRows<1>(rows, h, bytes, row.data());
    const std::uint16_t* v = row.data();
    std::uint32_t* to = out.words + std::ptrdiff_t(j) * out.stride;
    for (std::size_t i = 0; i < width; ++i) {
      const std::uint16_t* a = v + offset[0][i];
      const std::uint16_t* b = v + offset[1][i];
      const std::uint16_t* c = v + offset[2][i];
      const std::uint64_t red_blue = (std::uint64_t(a[2]) << 32 | a[0]) * weight[0][i] +
                                     (std::uint64_t(b[2]) << 32 | b[0]) * weight[1][i] +
                                     (std::uint64_t(c[2]) << 32 | c[0]) * weight[2][i] + kHalf;
      const std::uint64_t green = a[1] * weight[0][i] + b[1] * weight[1][i] + c[1] * weight[2][i] + 32768;
      to[i] = 0xff000000u | std::uint32_t((red_blue >> 48) & 0xff) << 16 |
              std::uint32_t((green >> 16) & 0xff) << 8 | std::uint32_t((red_blue >> 16) & 0xff);
    }
  }
}

}  // namespace

BoxTaps BoxTapsOf(int X, int size, ZoomRatio z) {
  // In units of 1/n picture pixel the output pixel spans [X d, (X + 1) d) and
  // picture pixel i spans [i n, (i + 1) n); the part beyond the picture drops out.
  const std::int64_t n = z.numerator, d = z.denominator;
  const std::int64_t low = X * d, high = std::min((X + 1) * d, size * n);
  BoxTaps taps;
  taps.first = int(low / n);
  const std::int64_t total = high - low;
  if (total <= 0) return taps;
  std::int64_t covered = 0;
  int given = 0;
  for (int i = taps.first; std::int64_t(i) * n < high && taps.count < BoxTaps::kMaxTaps; ++i) {
    covered += std::min(high, (i + 1) * n) - std::max(low, i * n);
    // Cumulative weights rounded, so that they add up to 256 exactly.
    const int cumulative = int((2 * 256 * covered + total) / (2 * total));
    taps.weight[taps.count++] = cumulative - given;
    given = cumulative;
  }
  return taps;
}

void ScaleArea(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out) {
  if (area.Empty()) return;
  if (z.Enlarges())
    EnlargeArea(picture, z, area, out);
  else if (picture.pixel_bytes() == 4)
    ShrinkArea<4>(picture, z, area, out);
  else
    ShrinkArea<3>(picture, z, area, out);
}

void HalveArea(PixelRows& picture, const PixelRect& area, WordTarget out) {
  if (area.Empty()) return;
  const int pb = picture.pixel_bytes();
  const int last_x = picture.width() - 1, last_y = picture.height() - 1;
  const int x_first = 2 * area.left, x_end = std::min(2 * area.right, last_x + 1);
  const std::size_t bytes = std::size_t(x_end - x_first) * std::size_t(pb);
  // The two rows summed byte by byte first (weights 1 and 1), then pairs of
  // columns; an odd last column pairs with itself.
  std::vector<std::uint16_t> sums(bytes);
  const std::uint32_t ones[2] = {1, 1};
  const int width = area.Width();
  const bool odd_end = 2 * area.right > last_x + 1;
  for (int j = 0; j < area.Height(); ++j) {
    const int y = 2 * (area.top + j);
    const std::uint8_t* rows[2] = {picture.Row(y, x_first, x_end), nullptr};
    rows[1] = y + 1 <= last_y ? picture.Row(y + 1, x_first, x_end) : rows[0];
    SumRows<2>(rows, ones, bytes, sums.data());
    std::uint32_t* to = out.words + std::ptrdiff_t(j) * out.stride;
    const std::uint16_t* v = sums.data();
    const int pairs = odd_end ? width - 1 : width;
    for (int i = 0; i < pairs; ++i, v += 2 * pb)
      to[i] = Word((v[0] + v[pb] + 2) >> 2, (v[1] + v[pb + 1] + 2) >> 2, (v[2] + v[pb + 2] + 2) >> 2);
    if (odd_end) to[pairs] = Word((2 * v[0] + 2) >> 2, (2 * v[1] + 2) >> 2, (2 * v[2] + 2) >> 2);
  }
}

void DrawPixelGrid(ZoomRatio z, const PixelRect& area, WordTarget out) {
  if (area.Empty()) return;
  // A window pixel starts a picture pixel when the pixel under its centre
  // differs from the one under its left (upper) neighbour's.
  auto starts = [&](int X) {
    auto centre = [&](int at) {
      return FloorDiv((2 * std::int64_t(at) + 1) * z.denominator, 2 * std::int64_t(z.numerator));
    };
    return centre(X) != centre(X - 1);
  };
  auto grey = [](std::uint32_t& word) { word = 0xff000000u | (((word >> 1) & 0x7f7f7fu) + 0x404040u); };
  std::vector<int> columns;
  for (int X = area.left; X < area.right; ++X)
    if (starts(X)) columns.push_back(X - area.left);
  for (int j = 0; j < area.Height(); ++j) {
    std::uint32_t* row = out.words + std::ptrdiff_t(j) * out.stride;
    if (starts(area.top + j)) {
      for (int i = 0; i < area.Width(); ++i) grey(row[i]);
      continue;
    }
    for (int i : columns) grey(row[i]);
  }
}

int LevelForZoom(ZoomRatio z) {
  int k = 0;
  std::int64_t n = z.numerator;
  while (2 * n <= z.denominator) {
    n *= 2;
    ++k;
  }
  return k;
}

void ViewPyramid::Rebuild(PixelRows& picture) {
  width_ = picture.width();
  height_ = picture.height();
  levels_.clear();
  int w = width_, h = height_;
  while (w > 1 || h > 1) {
    w = (w + 1) / 2;
    h = (h + 1) / 2;
    levels_.push_back(Level{w, h, std::vector<std::uint32_t>(std::size_t(w) * std::size_t(h))});
  }
  UpdateLevels(picture, {0, 0, width_, height_});
}

void ViewPyramid::Update(PixelRows& picture, const PixelRect& changed) {
  if (!Matches(picture)) return Rebuild(picture);
  UpdateLevels(picture, changed.Intersected({0, 0, width_, height_}));
}

void ViewPyramid::UpdateLevels(PixelRows& picture, PixelRect changed) {
  PixelRows* from = &picture;
  WordRows previous(nullptr, 0, 0, 0);
  for (Level& level : levels_) {
    if (changed.Empty()) return;
    changed = PixelRect{changed.left / 2, changed.top / 2, (changed.right + 1) / 2,
                        (changed.bottom + 1) / 2}
                  .Intersected({0, 0, level.width, level.height});
    HalveArea(*from, changed,
              {level.words.data() + std::ptrdiff_t(changed.top) * level.width + changed.left,
               level.width});
    previous = WordRows(level.words.data(), level.width, level.height, level.width);
    from = &previous;
  }
}

void ViewPyramid::Draw(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out) {
  const int k = std::min(LevelForZoom(z), LevelCount());
  if (k == 0) return ScaleArea(picture, z, area, out);
  const Level& level = levels_[std::size_t(k - 1)];
  WordRows rows(level.words.data(), level.width, level.height, level.width);
  ScaleArea(rows, ZoomRatio{z.numerator << k, z.denominator}, area, out);
}

}  // namespace wrimple
