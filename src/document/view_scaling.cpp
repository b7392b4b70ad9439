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
  next_ ^= 1;
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
// with separable weights out of 256 (BoxTaps); the horizontal sums of a
// picture row are kept while the output rows that read it are made.
void ShrinkArea(PixelRows& picture, ZoomRatio z, const PixelRect& area, WordTarget out) {
  const int pb = picture.pixel_bytes();
  std::vector<BoxTaps> columns(std::size_t(area.Width()));
  for (int i = 0; i < area.Width(); ++i) columns[std::size_t(i)] = BoxTapsOf(area.left + i, picture.width(), z);
  const int first = columns.front().first;
  const int end = columns.back().first + columns.back().count;
  std::vector<int> offsets(columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) offsets[i] = (columns[i].first - first) * pb;
  // Horizontal sums of up to three picture rows, by row number.
  struct SummedRow {
    int y = -1;
    std::vector<std::uint16_t> sums;  // three channels a column, each at most 255 * 256
  };
  SummedRow rows[3];
  auto summed = [&](int y) -> const std::uint16_t* {
    SummedRow& r = rows[y % 3];
    if (r.y == y) return r.sums.data();
    r.y = y;
    r.sums.resize(3 * columns.size());
    const std::uint8_t* from = picture.Row(y, first, end);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const BoxTaps& t = columns[i];
      const std::uint8_t* p = from + offsets[i];
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int k = 0; k < t.count; ++k) sum += p[k * pb + c] * t.weight[k];
        r.sums[3 * i + std::size_t(c)] = std::uint16_t(sum);
      }
    }
    return r.sums.data();
  };
  for (int j = 0; j < area.Height(); ++j) {
    const BoxTaps t = BoxTapsOf(area.top + j, picture.height(), z);
    const std::uint16_t* s[3] = {};
    for (int k = 0; k < t.count; ++k) s[k] = summed(t.first + k);
    std::uint32_t* to = out.words + std::ptrdiff_t(j) * out.stride;
    for (int i = 0; i < area.Width(); ++i) {
      std::uint32_t channel[3];
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int k = 0; k < t.count; ++k) sum += s[k][3 * i + c] * t.weight[k];
        channel[c] = std::uint32_t((sum + 32768) >> 16);
      }
      to[i] = Word(channel[0], channel[1], channel[2]);
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
  else
    ShrinkArea(picture, z, area, out);
}

void HalveArea(PixelRows& picture, const PixelRect& area, WordTarget out) {
  if (area.Empty()) return;
  const int pb = picture.pixel_bytes();
  const int last_x = picture.width() - 1, last_y = picture.height() - 1;
  const int x_first = 2 * area.left, x_end = std::min(2 * area.right, last_x + 1);
  std::vector<int> first(std::size_t(area.Width())), second(std::size_t(area.Width()));
  for (int i = 0; i < area.Width(); ++i) {
    const int x = 2 * (area.left + i);
    first[std::size_t(i)] = (x - x_first) * pb;
    second[std::size_t(i)] = (std::min(x + 1, last_x) - x_first) * pb;
  }
  for (int j = 0; j < area.Height(); ++j) {
    const int y = 2 * (area.top + j);
    const std::uint8_t* r0 = picture.Row(y, x_first, x_end);
    const std::uint8_t* r1 = y + 1 <= last_y ? picture.Row(y + 1, x_first, x_end) : r0;
    std::uint32_t* to = out.words + std::ptrdiff_t(j) * out.stride;
    for (int i = 0; i < area.Width(); ++i) {
      const std::uint8_t* a = r0 + first[std::size_t(i)];
      const std::uint8_t* b = r0 + second[std::size_t(i)];
      const std::uint8_t* c = r1 + first[std::size_t(i)];
      const std::uint8_t* e = r1 + second[std::size_t(i)];
      to[i] = Word((a[0] + b[0] + c[0] + e[0] + 2) >> 2, (a[1] + b[1] + c[1] + e[1] + 2) >> 2,
                   (a[2] + b[2] + c[2] + e[2] + 2) >> 2);
    }
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
