#include "effects/invert_color_brightness.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "effects/target_filter.h"

namespace wrimple {

namespace {

// Every factor of the formula depends on one byte: the strength on the spread
// of the channels, each brightness term on its own channel. The tables hold
// the very products the formula forms, so the sums come out identical.
struct Factors {
  std::array<double, 256> strength, red, green, blue;

  Factors() {
    for (int v = 0; v < 256; ++v) {
      strength[v] = std::sin(v * 3.14159 * 0.001953125);
      red[v] = 0.6 * v;
      green[v] = 1.18 * v;
      blue[v] = 0.22 * v;
    }
  }
};

}  // namespace

void InvertColorBrightness(ConstTargetImage from, TargetImage to, int threads) {
  const Factors f;
  const ShiftedByteClamp clamp;
  const int width = to.width();
  ForEachTargetRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    for (int i = 0; i < 3 * width; i += 3) {
      const int blue = in[i], green = in[i + 1], red = in[i + 2];
      const int spread = std::max({blue, green, red}) - std::min({blue, green, red});
      const double brightness = (f.red[red] + f.green[green]) + f.blue[blue];
      const int shift = int(f.strength[spread] * (255.0 - brightness));
      out[i] = clamp(blue + shift);
      out[i + 1] = clamp(green + shift);
      out[i + 2] = clamp(red + shift);
    }
  });
}

void OnInvertColorBrightness(State& st, Platform& pf) {
  RunTargetFilter(st, pf,
                  [](ConstTargetImage from, TargetImage to) { InvertColorBrightness(from, to); });
}

}  // namespace wrimple
