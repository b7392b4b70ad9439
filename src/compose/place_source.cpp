#include "compose/place_source.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "document/simd.h"

#include "compose/recompose.h"
#include "document/row_bands.h"

namespace wrimple {

namespace {

// Everything of a placement that is fixed for the whole call, in double
// precision and in the order the placement formulas state.
struct Placement {
  int w = 0, h = 0;            // source picture size
  int half_w = 0, half_h = 0;  // w / 2 and h / 2 in integers
  bool flipped = false;
  double K = 0, S = 0;  // 1 - cos(theta) and sin(theta), from the half angle
  double GX = 0, GY = 0;  // half-growth of the bounding box over the scaled picture
  double kx = 0, ky = 0;  // target pixels to source pixels
  int placed_width = 0, placed_height = 0;
};

// Truncation towards zero that saturates instead of overflowing (a scale far out
// of range or not a number must not make the conversion undefined).
int TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= double(INT_MAX)) return INT_MAX;
  if (v <= double(INT_MIN)) return INT_MIN;
  return int(v);
}

bool HasDrawablePicture(const SourceImage& s) {
  if (!s.SourcePicture || s.SourcePicture->bits_per_pixel() != 24) return false;
  const std::int64_t w = s.SourcePicture->width(), h = s.SourcePicture->height();
  const std::int64_t row_length = 3 * w + (w & 3);  // RowLength24 without int overflow
  return w > 0 && h > 0 && kInfoHeaderSize + row_length * h <= std::int64_t(s.SourcePicture->size());
}

Placement PlacementOf(const SourceImage& src) {
  Placement g;
  g.w = src.SourcePicture->width();
  g.h = src.SourcePicture->height();
  g.half_w = g.w / 2;
  g.half_h = g.h / 2;
  g.flipped = src.Flipped == 1;
  const double sx = src.ScaleXPercent, sy = src.ScaleYPercent;
  double theta = src.Angle * 0.017453277777777776;  // pi taken as 3.14159
  if (g.flipped) theta = -theta;
  const double m = 2 * std::sin(theta / 2);
  g.K = m * m / 2;
  g.S = m * std::sqrt(4 - m * m) / 2;
  const double A = std::fabs(std::sin(theta)), B = std::fabs(std::cos(theta));
  const double BW = A * g.h + B * g.w, BH = B * g.h + A * g.w;
  g.placed_width = TruncateToInt(BW * sx / 100);
  g.placed_height = TruncateToInt(BH * sy / 100);
  g.GX = BW * sx / 200 - sx * g.w / 200;
  g.GY = BH * sy / 200 - sy * g.h / 200;
  g.kx = 100 / sx;
  g.ky = 100 / sy;
  return g;
}

// Horizontal picture coordinate of target column X, mirrored when flipped.
double ColumnU(const Placement& g, int X, int offset_x) {
  const double u = (double(X) + offset_x - g.GX) * g.kx - g.w / 2.0;
  return g.flipped ? -u : u;
}
// Vertical picture coordinate of target row Y, from the picture's centre.
double RowYc(const Placement& g, int Y, int offset_y) {
  const double v = (double(Y) + offset_y - g.GY) * g.ky;
  return (g.h - 1) - v - g.h / 2.0;
}

struct SourceBits {
  SourceBits(const std::uint8_t* picture_bits, int width, int height)
      : bits(picture_bits), row_length(RowLength24(width)), w(width), h(height),
        end(bits + std::size_t(row_length) * h) {}

  // Whether the eight bytes from p lie within the picture's bits.
  bool ReadsEight(const std::uint8_t* p) const { return p + 8 <= end; }

  const std::uint8_t* bits;
  int row_length, w, h;
  const std::uint8_t* end;
};

// On the picture when 0 <= f < size; a coordinate that is not a number is not.
bool Inside(double f, double size) { return f >= 0 && f < size; }

// Bilinear sample at (sxf, syf), syf counted in stored rows from the bottom, with
// 8-bit fractions and integer weights that sum to 65,536. Neighbours beyond the
// last column or row repeat the edge.
inline void SampleBilinear(const SourceBits& s, double sxf, double syf, std::uint8_t* o) {
  const int ix = int(sxf), iy = int(syf);
  const int fx = int(sxf * 256 - ix * 256.0), fy = int(syf * 256 - iy * 256.0);
  const int ix1 = std::min(ix + 1, s.w - 1), iy1 = std::min(iy + 1, s.h - 1);
  const std::uint8_t* row0 = s.bits + std::size_t(iy) * s.row_length;
  const std::uint8_t* row1 = s.bits + std::size_t(iy1) * s.row_length;
  const std::uint8_t* p00 = row0 + 3 * ix;
  const std::uint8_t* p10 = row0 + 3 * ix1;
  const std::uint8_t* p01 = row1 + 3 * ix;
  const std::uint8_t* p11 = row1 + 3 * ix1;
  const int w00 = (256 - fx) * (256 - fy), w10 = fx * (256 - fy), w01 = (256 - fx) * fy, w11 = fx * fy;
  for (int c = 0; c < 3; ++c)
    o[c] = std::uint8_t((p00[c] * w00 + p10[c] * w10 + p01[c] * w01 + p11[c] * w11) >> 16);
}

#if WRIMPLE_SSE2
// The mix below in 16-bit lanes, for neighbours side by side (dx = 3) whose
// eight bytes from p00 and from p01 may be read. The sum regroups exactly:
// with A = (256 - fx) p00 + fx p10 and B the same on the next row (each at
// most 65,280), the sum is (256 - fy) A + fy B; and with A = 256 Ah + Al (Al
// the low byte), that is 256 H + L for H = (256 - fy) Ah + fy Bh and
// L = (256 - fy) Al + fy Bl, every product a pair of 16-bit numbers, which
// is what the multiply-add instruction takes.
inline void MixFourInLanes(const std::uint8_t* p00, const std::uint8_t* p01, int fx, int fy, std::uint8_t* o) {
  const __m128i zero = _mm_setzero_si128();
  // Channel c of a pixel and of its right neighbour, side by side, for the
  // three channels: bytes 0..5 become the lanes 0, 3, 1, 4, 2, 5.
  const auto pairs = [&zero](const std::uint8_t* p) {
    const __m128i lanes = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
    return _mm_unpacklo_epi16(lanes, _mm_srli_si128(lanes, 6));
  };
  const auto weights = [](int f) { return _mm_set1_epi32(f << 16 | (256 - f)); };
  const __m128i along_x = weights(fx), along_y = weights(fy);
  const __m128i a = _mm_madd_epi16(pairs(p00), along_x), b = _mm_madd_epi16(pairs(p01), along_x);
  const __m128i low_byte = _mm_set1_epi32(255);
  const __m128i high = _mm_or_si128(_mm_srli_epi32(a, 8), _mm_slli_epi32(_mm_srli_epi32(b, 8), 16));
  const __m128i low = _mm_or_si128(_mm_and_si128(a, low_byte), _mm_slli_epi32(_mm_and_si128(b, low_byte), 16));
  const __m128i sum = _mm_add_epi32(_mm_slli_epi32(_mm_madd_epi16(high, along_y), 8), _mm_madd_epi16(low, along_y));
  const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(_mm_srli_epi32(sum, 16), zero), zero);
  const std::uint32_t pixel = std::uint32_t(_mm_cvtsi128_si32(bytes));
  std::memcpy(o, &pixel, 3);
}
#endif

// The four-neighbour mix with 8-bit fractions fx, fy: p00 and p01 are the pixel
// and the one on the next stored row, dx the step to their right neighbours
// (0 at the last column).
inline void MixFour([[maybe_unused]] const SourceBits& s, const std::uint8_t* p00, const std::uint8_t* p01,
                    int dx, int fx, int fy, std::uint8_t* o) {
#if WRIMPLE_SSE2
  if (dx == 3 && s.ReadsEight(p01)) return MixFourInLanes(p00, p01, fx, fy, o);
#endif
  const int w00 = (256 - fx) * (256 - fy), w10 = fx * (256 - fy), w01 = (256 - fx) * fy, w11 = fx * fy;
#pragma GCC unroll 3
  for (int c = 0; c < 3; ++c)
    o[c] = std::uint8_t((p00[c] * w00 + p00[c + dx] * w10 + p01[c] * w01 + p01[c + dx] * w11) >> 16);
}

// The same sample with the whole and fractional parts taken from one conversion:
// for 0 <= f < 20,000, f * 256 is exact, so its truncation t gives trunc(f) as
// t >> 8 and trunc(f * 256 - trunc(f) * 256) as t & 255.
inline void SampleBilinearOneConversion(const SourceBits& s, double sxf, double syf, std::uint8_t* o) {
  const int tx = int(sxf * 256), ty = int(syf * 256);
  const int ix = tx >> 8, iy = ty >> 8, fx = tx & 255, fy = ty & 255;
  const std::uint8_t* row0 = s.bits + std::size_t(iy) * s.row_length;
  if ((fx | fy) == 0) {  // on a stored pixel: its weight is the whole 65,536
    WritePixel(o, ReadPixel(row0 + 3 * ix));
    return;
  }
  const std::uint8_t* row1 = iy + 1 < s.h ? row0 + s.row_length : row0;
  MixFour(s, row0 + 3 * ix, row1 + 3 * ix, ix + 1 < s.w ? 3 : 0, fx, fy, o);
}

void FillRow(std::uint8_t* row, int width, const Bgr& color) {
  for (int x = 0; x < width; ++x, row += 3) WritePixel(row, color);
}

// First row or column drawn: the box's top-left corner may lie left of or above
// the target.
int FirstCovered(int offset, int size) {
  return int(std::clamp<std::int64_t>(-std::int64_t(offset), 0, size));
}

// Where one target column or row samples the picture: the byte offset of the
// stored column (or the stored row's index), the 8-bit fraction towards the next
// one, and whether the sample lies on the picture at all.
struct AxisSample {
  bool inside;
  int whole, fraction;
};
AxisSample AxisSampleAt(double f, int size) {
  if (!Inside(f, size)) return {false, 0, 0};
  const int t = int(f * 256);  // as in SampleBilinearOneConversion
  return {true, t >> 8, t & 255};
}

// Upright placement (no rotation, mirrored or not): the sample column then
// depends on the target column alone and the sample row on the target row
// alone, because u K and u S, Yc K and Yc S are all zero. The weights are the
// same integers as in the general sample, so the bytes are too.
void PlaceRowUpright(const SourceBits& s, const std::vector<AxisSample>& columns, AxisSample row_sample,
                     int x0, const Bgr& base, std::uint8_t* row, int W) {
  FillRow(row, x0, base);
  const std::uint8_t* row0 = s.bits + std::size_t(row_sample.whole) * s.row_length;
  const std::uint8_t* row1 = row_sample.whole + 1 < s.h ? row0 + s.row_length : row0;
  const int fy = row_sample.fraction;
  for (int X = x0; X < W; ++X) {
    std::uint8_t* o = row + 3 * X;
    const AxisSample c = columns[std::size_t(X)];
    if (!c.inside) {
      WritePixel(o, base);
      continue;
    }
    const std::uint8_t* p00 = row0 + 3 * c.whole;
    if ((c.fraction | fy) == 0) {
      WritePixel(o, ReadPixel(p00));
      continue;
    }
    MixFour(s, p00, row1 + 3 * c.whole, c.whole + 1 < s.w ? 3 : 0, c.fraction, fy, o);
  }
}

}  // namespace

void PlaceSourcePlain(State& st, int n) {
  SourceImage& src = st.doc.Source(n);
  const int W = st.TargetWidth(), H = st.TargetHeight();
  const Plane plane = src.plane();
  for (int Y = 0; Y < H; ++Y) FillRow(plane.row(Y), W, st.doc.BaseColor);
  if (!HasDrawablePicture(src)) return;
  const Placement g = PlacementOf(src);
  src.PlacedWidth = g.placed_width;
  src.PlacedHeight = g.placed_height;
  const SourceBits bits(src.SourcePicture->bits(), g.w, g.h);
  for (int Y = FirstCovered(src.OffsetY, H); Y < H; ++Y) {
    const double Yc = RowYc(g, Y, src.OffsetY);
    for (int X = FirstCovered(src.OffsetX, W); X < W; ++X) {
      const double u = ColumnU(g, X, src.OffsetX);
      const double sxf = u + g.half_w - u * g.K - Yc * g.S;
      if (!Inside(sxf, g.w)) continue;
      const double syf = g.half_h + Yc - Yc * g.K + u * g.S;
      if (!Inside(syf, g.h)) continue;
      SampleBilinear(bits, sxf, syf, plane.pixel(X, Y));
    }
  }
}

// The same sums as the plain version, with the parts that depend only on the
// column (u, u + w/2 - u K, u S) or only on the row computed once each.
void PlaceSourceFast(State& st, int n, int threads) {
  SourceImage& src = st.doc.Source(n);
  const int W = st.TargetWidth(), H = st.TargetHeight();
  const Plane plane = src.plane();
  const Bgr base = st.doc.BaseColor;
  if (!HasDrawablePicture(src)) {
    ForEachRowBand(0, H, threads, [&](int first, int end) {
      for (int Y = first; Y < end; ++Y) FillRow(plane.row(Y), W, base);
    });
    return;
  }
  const Placement g = PlacementOf(src);
  src.PlacedWidth = g.placed_width;
  src.PlacedHeight = g.placed_height;
  const SourceBits bits(src.SourcePicture->bits(), g.w, g.h);
  const int x0 = FirstCovered(src.OffsetX, W), y0 = FirstCovered(src.OffsetY, H);
  std::vector<double> column_x(static_cast<std::size_t>(W)), column_uS(static_cast<std::size_t>(W));
  for (int X = x0; X < W; ++X) {
    const double u = ColumnU(g, X, src.OffsetX);
    column_x[std::size_t(X)] = u + g.half_w - u * g.K;
    column_uS[std::size_t(X)] = u * g.S;
  }
  if (g.K == 0 && g.S == 0) {
    std::vector<AxisSample> columns(static_cast<std::size_t>(W));
    for (int X = x0; X < W; ++X) columns[std::size_t(X)] = AxisSampleAt(column_x[std::size_t(X)], g.w);
    ForEachRowBand(0, H, threads, [&](int first, int end) {
      for (int Y = first; Y < end; ++Y) {
        const double Yc = RowYc(g, Y, src.OffsetY);
        const AxisSample row_sample = AxisSampleAt(g.half_h + Yc - Yc * g.K, g.h);
        if (Y < y0 || !row_sample.inside)
          FillRow(plane.row(Y), W, base);
        else
          PlaceRowUpright(bits, columns, row_sample, x0, base, plane.row(Y), W);
      }
    });
    return;
  }
  ForEachRowBand(0, H, threads, [&](int first, int end) {
    // Locals, so that the byte stores cannot make the loop read them again.
    const SourceBits picture = bits;
    const double* const xs = column_x.data();
    const double* const uSs = column_uS.data();
    const double width = g.w, height = g.h;
    for (int Y = first; Y < end; ++Y) {
      std::uint8_t* row = plane.row(Y);
      if (Y < y0) {
        FillRow(row, W, base);
        continue;
      }
      // Each pixel is written once, with its sample or the base colour.
      FillRow(row, x0, base);
      const double Yc = RowYc(g, Y, src.OffsetY);
      const double Yc_S = Yc * g.S;
      const double row_y = g.half_h + Yc - Yc * g.K;
      for (int X = x0; X < W; ++X) {
        const double sxf = xs[X] - Yc_S;
        const double syf = row_y + uSs[X];
        if (Inside(sxf, width) && Inside(syf, height))
          SampleBilinearOneConversion(picture, sxf, syf, row + 3 * X);
        else
          WritePixel(row + 3 * X, base);
      }
    }
  });
}

void PlaceSource(State& st, int n) {
  PlaceSourceFast(st, n, ThreadsForRows(st.TargetHeight()));
}

}  // namespace wrimple
