#include "effects/invert_color_brightness.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "effects/target_filter.h"

namespace wrimple {

namespace {

// The strength depends on the spread of the channels (0..255) only.
std::array<double, 256> StrengthBySpread() {
  std::array<double, 256> strength;
  for (int spread = 0; spread < 256; ++spread) strength[spread] = std::sin(spread * 3.14159 * 0.001953125);
  return strength;
}

}  // namespace

void InvertColorBrightness(ConstTargetImage from, TargetImage to, int threads) {
  const std::array<double, 256> strength = StrengthBySpread();
  const int width = to.width();
  ForEachRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    for (int i = 0; i < 3 * width; i += 3) {
      const int blue = in[i], green = in[i + 1], red = in[i + 2];
      const int spread = std::max({blue, green, red}) - std::min({blue, green, red});
      const double brightness = (0.6 * red + 1.18 * green) + 0.22 * blue;
      const int shift = int(strength[spread] * (255.0 - brightness));
      out[i] = ClampByte(blue + shift);
      out[i + 1] = ClampByte(green + shift);
      out[i + 2] = ClampByte(red + shift);
    }
  });
}

void OnInvertColorBrightness(State& st, Platform& pf) {
  RunTargetFilter(st, pf,
                  [](ConstTargetImage from, TargetImage to) { InvertColorBrightness(from, to); });
}

}  // namespace wrimple
