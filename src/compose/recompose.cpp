#include "compose/recompose.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace wrimple {

namespace {

// Fills the target-sized region of a plane with one colour.
void FillPlane(Plane plane, int width, int height, const Bgr& color) {
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = plane.row(y);
    for (int x = 0; x < width; ++x, p += 3) WritePixel(p, color);
  }
}

bool HasDrawablePicture(const SourceImage& s) {
  if (!s.SourcePicture || s.SourcePicture->bits_per_pixel() != 24) return false;
  const std::int64_t w = s.SourcePicture->width(), h = s.SourcePicture->height();
  return w > 0 && h > 0 &&
         kInfoHeaderSize + std::int64_t(RowLength24(int(w))) * h <= std::int64_t(s.SourcePicture->size());
}

}  // namespace

void PlaceSource(State& st, int n) {
  SourceImage& src = st.doc.Source(n);
  const int W = st.TargetWidth(), H = st.TargetHeight();
  const Plane plane = src.plane();
  FillPlane(plane, W, H, st.doc.BaseColor);
  if (!HasDrawablePicture(src)) return;

  const int w = src.SourcePicture->width(), h = src.SourcePicture->height();
  const std::uint8_t* bits = src.SourcePicture->bits();
  const int row_length = RowLength24(w);
  const double sx = src.ScaleXPercent, sy = src.ScaleYPercent;
  const bool flipped = src.Flipped == 1;

  double theta = src.Angle * 0.017453277777777776;
  if (flipped) theta = -theta;
  const double m = 2 * std::sin(theta / 2);
  const double K = m * m / 2;
  const double S = m * std::sqrt(4 - m * m) / 2;
  const double A = std::fabs(std::sin(theta)), B = std::fabs(std::cos(theta));
  const double BW = A * h + B * w, BH = B * h + A * w;
  src.PlacedWidth = int(BW * sx / 100);
  src.PlacedHeight = int(BH * sy / 100);
  const double GX = BW * sx / 200 - sx * w / 200;
  const double GY = BH * sy / 200 - sy * h / 200;
  const double kx = 100 / sx, ky = 100 / sy;
  const int half_w = w / 2, half_h = h / 2;

  for (int Y = std::max(0, -src.OffsetY); Y < H; ++Y) {
    const double v = (double(Y) + src.OffsetY - GY) * ky;
    const double Yc = (h - 1) - v - h / 2.0;
    std::uint8_t* out = plane.row(Y);
    for (int X = std::max(0, -src.OffsetX); X < W; ++X) {
      double u = (double(X) + src.OffsetX - GX) * kx - w / 2.0;
      if (flipped) u = -u;
      const double sxf = u + half_w - u * K - Yc * S;
      if (sxf >= w || sxf < 0) continue;
      const double syf = half_h + Yc - Yc * K + u * S;
      if (syf >= h || syf < 0) continue;
      const int ix = int(sxf), iy = int(syf);
      const int fx = int(sxf * 256 - ix * 256.0), fy = int(syf * 256 - iy * 256.0);
      const int ix1 = std::min(ix + 1, w - 1), iy1 = std::min(iy + 1, h - 1);
      const std::uint8_t* p00 = bits + std::size_t(iy) * row_length + 3 * ix;
      const std::uint8_t* p10 = bits + std::size_t(iy) * row_length + 3 * ix1;
      const std::uint8_t* p01 = bits + std::size_t(iy1) * row_length + 3 * ix;
      const std::uint8_t* p11 = bits + std::size_t(iy1) * row_length + 3 * ix1;
      std::uint8_t* o = out + 3 * X;
      for (int c = 0; c < 3; ++c)
        o[c] = std::uint8_t((p00[c] * (256 - fx) * (256 - fy) + p10[c] * fx * (256 - fy) +
                             p01[c] * (256 - fx) * fy + p11[c] * fx * fy) >> 16);
    }
  }
}

namespace {

int Brightness(const std::uint8_t* p, int k) {
  return int(7.04 * (p[0] + k)) + int(37.76 * (p[1] + k)) + int(19.2 * (p[2] + k));
}

// Weight of the comparing operators from one pixel: the cube root of the summed
// cubes of the softened per-channel comparisons, 0..255.
int CompWeight(const std::uint8_t* p, const Bgr& ref, int offset) {
  double e[3];
  for (int c = 0; c < 3; ++c) {
    const double d = double(p[c]) - ref[c] + offset;
    e[c] = d > 7 ? 1.0 : (d < -7 ? 0.0 : (d / 7 + 1) * 0.5);
  }
  const double s = e[0] * e[0] * e[0] + e[1] * e[1] * e[1] + e[2] * e[2] * e[2];
  if (s == 0) return 0;
  const int w = int(255 * std::exp(std::log(s) / 3));
  return std::clamp(w, 0, 255);
}

void Blend(const std::uint8_t* a, const std::uint8_t* b, int w, std::uint8_t* out) {
  for (int c = 0; c < 3; ++c) out[c] = std::uint8_t((a[c] * w + b[c] * (255 - w)) >> 8);
}

bool Equal(const std::uint8_t* p, const Bgr& q) { return p[0] == q[0] && p[1] == q[1] && p[2] == q[2]; }

}  // namespace

void MergeSources(State& st, Platform& pf) {
  const int method = st.MergeMethod;
  if (method < 0 || method > 10) {
    pf.messages.ShowInfo(
        "Need to select a merge type before combining pictures.\n Press the white/green 'M'.");
    return;
  }
  const int beta = st.MergeBias;
  const Bgr ref = st.ReferenceColor;
  const Bgr base = st.doc.BaseColor;
  const bool text1 = st.doc.Source(1).SourceKind == kKindTypedText;
  const bool text2 = st.doc.Source(2).SourceKind == kKindTypedText;
  const Bgr color1 = ToBgr(st.doc.Source(1).TextColor), color2 = ToBgr(st.doc.Source(2).TextColor);
  const int sub_a = beta > 127 ? 255 - beta : 127, sub_b = beta > 127 ? 127 : beta;
  const int T = st.ContrastThreshold;
  const ConstPlane plane1 = std::as_const(st.doc).Source(1).plane();
  const ConstPlane plane2 = std::as_const(st.doc).Source(2).plane();
  const TargetImage target = st.Target();

  for (int Y = 0; Y < target.height(); ++Y) {
    const std::uint8_t* p1 = plane1.row(Y);
    const std::uint8_t* p2 = plane2.row(Y);
    std::uint8_t* o = target.row(Y);
    for (int X = 0; X < target.width(); ++X, p1 += 3, p2 += 3, o += 3) {
      switch (method) {
        case 0: std::memcpy(o, p1, 3); break;
        case 1: std::memcpy(o, p2, 3); break;
        case 2: std::memcpy(o, Brightness(p1, 255 - beta) < Brightness(p2, beta) ? p2 : p1, 3); break;
        case 3: std::memcpy(o, Brightness(p1, 255 - beta) < Brightness(p2, beta) ? p1 : p2, 3); break;
        case 4:
          for (int c = 0; c < 3; ++c) o[c] = ClampByte(((sub_a * p1[c] - sub_b * p2[c]) >> 7) + beta);
          break;
        case 5:
          for (int c = 0; c < 3; ++c)
            o[c] = ClampByte(((sub_b * p2[c] - sub_a * p1[c]) >> 7) + 255 - beta);
          break;
        case 6:
          for (int c = 0; c < 3; ++c) o[c] = std::uint8_t((p1[c] * (255 - beta) + p2[c] * beta) >> 8);
          break;
        case 7:
          if (text1)
            WritePixel(o, Equal(p1, base) ? ReadPixel(p2) : color1);
          else
            Blend(p1, p2, CompWeight(p1, ref, 255 - 2 * beta), o);
          break;
        case 8:
          if (text1)
            std::memcpy(o, Equal(p1, base) ? p1 : p2, 3);
          else
            Blend(p2, p1, CompWeight(p1, ref, 255 - 2 * beta), o);
          break;
        case 9:
          if (text2)
            std::memcpy(o, Equal(p2, base) ? p2 : p1, 3);
          else
            Blend(p1, p2, CompWeight(p2, ref, -255 + 2 * beta), o);
          break;
        case 10:
          if (text2)
            WritePixel(o, Equal(p2, base) ? ReadPixel(p1) : color2);
          else
            Blend(p2, p1, CompWeight(p2, ref, -255 + 2 * beta), o);
          break;
      }
      if (st.ContrastMode == 2) {
        for (int c = 0; c < 3; ++c) o[c] = o[c] > T ? 255 : 0;
      } else if (st.ContrastMode == 1) {
        const std::uint8_t v = o[0] + o[1] + o[2] > 3 * T ? 255 : 0;
        o[0] = o[1] = o[2] = v;
      }
    }
  }
  st.TargetModified = false;
  pf.view.RedrawView();
}

void RecomposeTarget(State& st, Platform& pf) {
  if (st.SourceCount < 1) return;
  PlaceSource(st, 1);
  if (st.SourceCount == 2) PlaceSource(st, 2);
  if (st.TargetLock) {
    pf.view.RedrawView();
    return;
  }
  if (st.SourceCount == 2) {
    MergeSources(st, pf);
    return;
  }
  const ConstPlane plane = std::as_const(st.doc).Source(1).plane();
  const TargetImage target = st.Target();
  for (int Y = 0; Y < target.height(); ++Y) std::memcpy(target.row(Y), plane.row(Y), 3 * std::size_t(target.width()));
  pf.view.RedrawView();
}

}  // namespace wrimple
