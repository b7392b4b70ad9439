// Plain versions of the smoothing, the perturbation and the bands, one pixel
// and one channel at a time.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "document/pixels.h"

namespace wrimple::testing {

inline constexpr double kModelWeights[16] = {0.014, 0.028, 0.042, 0.056, 0.069, 0.0833,
                                             0.097, 0.111, 0.111, 0.097, 0.0833, 0.069,
                                             0.056, 0.042, 0.028, 0.014};

// Channel values by (x, y, c), top row first; 0 where nothing is computed.
struct ModelPlane {
  int width, height;
  std::vector<int> v;
  ModelPlane(int w, int h) : width(w), height(h), v(std::size_t(w) * h * 3, 0) {}
  int& at(int x, int y, int c) { return v[(std::size_t(y) * width + x) * 3 + c]; }
  int at(int x, int y, int c) const { return v[(std::size_t(y) * width + x) * 3 + c]; }
};

inline int ModelTruncClamp(double s) {
  const int t = int(s);
  return t < 0 ? 0 : (t > 255 ? 255 : t);
}

inline ModelPlane ModelSmooth(ConstTargetImage in) {
  const int w = in.width(), h = in.height();
  ModelPlane first(w, h), second(w, h);
  if (w <= 16) return second;
  for (int y = 0; y < h; ++y)
    for (int x = 8; x <= w - 9; ++x)
      for (int c = 0; c < 3; ++c) {
        double s = 0;
        for (int j = 0; j < 16; ++j) s += kModelWeights[j] * in.pixel(x - 8 + j, y)[c];
        first.at(x, y, c) = ModelTruncClamp(s);
      }
  if (h <= 16) return second;
  for (int x = 8; x <= w - 9; ++x)
    for (int y = 8; y <= h - 9; ++y)
      for (int c = 0; c < 3; ++c) {
        double s = 0;
        for (int j = 0; j < 16; ++j) s += kModelWeights[j] * first.at(x, y - 8 + j, c);
        second.at(x, y, c) = ModelTruncClamp(s);
      }
  return second;
}

inline void ModelPerturb(ConstTargetImage in, TargetImage out, int amplitude, int frequency) {
  const ModelPlane m = ModelSmooth(in);
  const int w = in.width(), h = in.height();
  const double f = frequency / 400.0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int ty = y + int(std::sin(m.at(x, y, 0) * f) * amplitude);
      const int tx = x + int(std::sin((m.at(x, y, 2) + m.at(x, y, 1)) * f) * amplitude);
      const bool inside = tx >= 0 && tx < w && ty >= 0 && ty < h;
      WritePixel(out.pixel(x, y), inside ? ReadPixel(in.pixel(tx, ty)) : Bgr{0, 0, 0});
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (x < 8 || x >= w - 8 || y < 8 || y >= h - 8) WritePixel(out.pixel(x, y), Bgr{0, 0, 0});
}

inline void ModelBands(ConstTargetImage in, TargetImage out, int bands) {
  const ModelPlane m = ModelSmooth(in);
  for (int y = 0; y < in.height(); ++y)
    for (int x = 0; x < in.width(); ++x) {
      const double brightness = (0.3 * m.at(x, y, 2) + 0.59 * m.at(x, y, 1)) + 0.11 * m.at(x, y, 0);
      const std::uint8_t v = (int(brightness * bands) & 128) ? 255 : 0;
      WritePixel(out.pixel(x, y), Bgr{v, v, v});
    }
}

}  // namespace wrimple::testing
