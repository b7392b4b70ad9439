#include "zone_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace wrimple::testing {

namespace {

struct Box {
  int xmin, xmax, ymin, ymax, xc, yc, Hz;
  double ry;
};

Box BoxOf(ModelZone z) {
  Box b{};
  b.xmin = std::min(z.X1, z.X2);
  b.xmax = std::max(z.X1, z.X2);
  b.ymin = std::min(z.Y1, z.Y2);
  b.ymax = std::max(z.Y1, z.Y2);
  b.xc = (b.xmin + b.xmax) >> 1;
  b.yc = (b.ymin + b.ymax) >> 1;
  b.Hz = std::abs(z.Y2 - z.Y1);
  b.ry = double(z.Y2 - z.Y1) / double(z.X2 - z.X1);
  return b;
}

// The edge factor, or false outside the ellipse.
bool EdgeFactor(const Box& b, int x, int y, double& q) {
  const int dx = x - b.xc, dy = y - b.yc;
  const double r = std::sqrt((dx * b.ry) * (dx * b.ry) + double(dy * dy));
  if (b.Hz - 2 * r < 0) return false;
  q = (b.Hz - 2 * r) / b.Hz;
  return true;
}

std::uint8_t Clamp(int v) { return std::uint8_t(std::min(255, std::max(0, v))); }

void Bilinear(const ModelPicture& base, double xs, double ys, std::uint8_t* out) {
  const int J = int(xs), K = int(ys);
  const int fx = int(256 * xs) - 256 * J, fy = int(256 * ys) - 256 * K;
  for (int c = 0; c < 3; ++c)
    out[c] = std::uint8_t(
        ((256 - fx) * (256 - fy) * base.At(J, K)[c] + fx * (256 - fy) * base.At(J + 1, K)[c] +
         (256 - fx) * fy * base.At(J, K + 1)[c] + fx * fy * base.At(J + 1, K + 1)[c]) >>
        16);
}

// The eight bounds, with a sample just left of or above 0 counted outside.
bool Inside(const Box& b, const ModelPicture& t, double xs, double ys) {
  const int J = int(xs), K = int(ys);
  return xs >= 0 && ys >= 0 && J >= 0 && J + 1 < t.width && K >= 0 && K + 1 < t.height &&
         J >= b.xmin && J + 1 < b.xmax && K >= b.ymin && K + 1 < b.ymax;
}

}  // namespace

void ModelNudge(const ModelPicture& base, ModelPicture& target, ModelZone z, bool vertical, int n,
                int A) {
  const Box b = BoxOf(z);
  const int vmin = vertical ? b.ymin : b.xmin, vmax = vertical ? b.ymax : b.xmax;
  const int umin = vertical ? b.xmin : b.ymin, umax = vertical ? b.xmax : b.ymax;
  const int vc = vertical ? b.yc : b.xc, uc = vertical ? b.xc : b.yc;
  for (int u = umin; u < umax; ++u) {
    const float t = float((u - uc) * 8) / float(umax - umin);
    const float g = t * t * t * t + 1;
    const int first = n > 0 ? vmin : vmin + 1, last = n > 0 ? vmax - 1 : vmax;
    for (int v = first; v <= last; ++v) {
      float s = float(v);
      for (int k = 0; k < std::abs(n); ++k) {
        const float e = s > float(vc) ? float(vmax) - s : s - float(vmin);
        const float step = e / 150.0f * float(A) / g;
        s = n > 0 ? s + step : s - step;
      }
      const int i = int(s);
      const int f = int(256.0f * s) - 256 * i;
      const int dx = vertical ? u : v, dy = vertical ? v : u;
      const int x0 = vertical ? u : i, y0 = vertical ? i : u;
      const int x1 = vertical ? u : i + 1, y1 = vertical ? i + 1 : u;
      if (dy >= target.height || y0 >= target.height || y1 >= target.height || dx < 0 || x0 < 0)
        continue;
      std::uint8_t* out = target.At(dx, dy);
      for (int c = 0; c < 3; ++c) {
        const int p1 = f == 0 ? 0 : base.At(x1, y1)[c];
        out[c] = std::uint8_t(((256 - f) * 256 * base.At(x0, y0)[c] + f * 256 * p1) >> 16);
      }
    }
  }
}

void ModelTwist(const ModelPicture& base, ModelPicture& target, ModelZone z, double n, int A) {
  const Box b = BoxOf(z);
  for (int y = b.ymin; y < b.ymax; ++y)
    for (int x = b.xmin; x < b.xmax; ++x) {
      double q;
      if (!EdgeFactor(b, x, y, q)) continue;
      const int dx = x - b.xc, dy = y - b.yc;
      const double rho = std::sqrt(double(dx * dx + dy * dy));
      const double theta = std::atan2(double(dy), double(dx));
      const double turned = theta - q * q * (n * 3.14159) * A / 80;
      double xs = std::cos(turned) * rho + b.xc, ys = std::sin(turned) * rho + b.yc;
      if (n == 0) xs = x, ys = y;  // no turn samples the pixel itself
      if (Inside(b, target, xs, ys)) Bilinear(base, xs, ys, target.At(x, y));
    }
}

void ModelSquashStretch(const ModelPicture& base, ModelPicture& target, ModelZone z, int n, int A) {
  const Box b = BoxOf(z);
  const int k = 80 / A;
  for (int y = b.ymin; y < b.ymax; ++y)
    for (int x = b.xmin; x < b.xmax; ++x) {
      double q;
      if (!EdgeFactor(b, x, y, q)) continue;
      const int dx = x - b.xc, dy = y - b.yc;
      const double theta = std::atan2(double(dy), double(dx));
      const double rho = std::sqrt(double(dx * dx + dy * dy));
      double m = 1;
      for (int i = 0; i < std::abs(n); ++i) m = n > 0 ? m * (k / (k + q)) : m * (q / k + 1);
      double xs = std::cos(theta) * (m * rho) + b.xc, ys = std::sin(theta) * (m * rho) + b.yc;
      if (n == 0) xs = x, ys = y;  // no scaling samples the pixel itself
      if (Inside(b, target, xs, ys)) Bilinear(base, xs, ys, target.At(x, y));
    }
}

void ModelPortionMerge(const ModelPicture& base, ModelPicture& target, const std::uint8_t* plane,
                       ModelZone z, int n) {
  const Box b = BoxOf(z);
  for (int y = b.ymin; y < b.ymax; ++y)
    for (int x = b.xmin; x < b.xmax; ++x) {
      double q;
      if (!EdgeFactor(b, x, y, q)) continue;
      const double w = q * q * std::abs(n);
      const std::uint8_t* P = base.At(x, y);
      const std::uint8_t* S = plane + 3 * (4096 * y + x);
      for (int c = 0; c < 3; ++c)
        target.At(x, y)[c] = w < 8 ? Clamp(P[c] + (int((S[c] - P[c]) * w) >> 3)) : S[c];
    }
}

void ModelBlush(const ModelPicture& base, ModelPicture& target, ModelZone z, int n,
                const std::uint8_t reference[3]) {
  const Box b = BoxOf(z);
  for (int y = b.ymin; y < b.ymax; ++y)
    for (int x = b.xmin; x < b.xmax; ++x) {
      double q;
      if (!EdgeFactor(b, x, y, q)) continue;
      double w = q * q * n * 0.25;
      if (n >= 0) w = w / (w + 1);
      const std::uint8_t* P = base.At(x, y);
      for (int c = 0; c < 3; ++c) target.At(x, y)[c] = Clamp(P[c] - int((P[c] - reference[c]) * w));
    }
}

}  // namespace wrimple::testing
