#include "effects/invert_color_brightness.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "effects/pixel_map.h"
#include "effects/target_filter.h"

namespace wrimple {

namespace {

// The shift of a pixel is trunc(sin(spread 3.14159 / 512) (255 - L)) with
// L = (0.6 R + 1.18 G) + 0.22 B. Here 255 - L is taken as the integer
// 25500 - (60 R + 118 G + 22 B), exact and within 16 bits, times a hundredth
// folded into the sine. The products differ from the formula's by far less
// than the distance of any of its results from an integer (at least 7.9e-8
// over all 2^24 pixels), so every truncation comes out the same; the effect
// tests compare every colour with the formula.
class ShiftFactors {
 public:
  ShiftFactors() {
    for (int spread = 0; spread < 256; ++spread)
      per_hundredth_[spread] = std::sin(spread * 3.14159 * 0.001953125) * 0.01;
  }
  int operator()(int spread, int hundredths) const { return int(per_hundredth_[spread] * hundredths); }

  // 100 (255 - L), for ints or for eight lanes, where the sums wrap in
  // unsigned lanes and the result fits a signed lane.
  template <typename Lanes>
  [[gnu::always_inline]] static Lanes Hundredths(Lanes blue, Lanes green, Lanes red) {
    return 25500 - (Product(blue, 22) + Product(green, 118) + Product(red, 60));
  }

  // Eight pixels: the factors are looked up one by one, the products and
  // truncations go four lanes of doubles at a time.
  [[gnu::always_inline]] Shorts8 operator()(Shorts8 spread, Shorts8 hundredths) const {
    // The even lanes (the low halves of the 32-bit lanes, the byte order
    // being little-endian as everywhere in the lanes) and the odd lanes,
    // sign-extended, and the shifts put back in the same places; every shift
    // lies within -255..255.
    const Ints4 pairs = Ints4(hundredths);
    const Ints4 even = Products(spread, 0, (pairs << 16) >> 16), odd = Products(spread, 1, pairs >> 16);
    return Shorts8((even & 0xffff) | (odd << 16));
  }

 private:
  using Ints4 = std::int32_t __attribute__((vector_size(16)));
  using Doubles4 = double __attribute__((vector_size(32)));

  // The truncated products of the lanes first, first + 2, first + 4 and
  // first + 6, whose hundredths are in `hundredths`.
  [[gnu::always_inline]] Ints4 Products(Shorts8 spread, int first, Ints4 hundredths) const {
    // The spreads leave the vector as two 64-bit words and are picked out with
    // integer shifts, which keeps the vector units free for the rest.
    std::uint64_t words[2];
    std::memcpy(words, &spread, sizeof words);
    Doubles4 factors;
#pragma GCC unroll 4
    for (int i = 0; i < 4; ++i) {
      const int lane = first + 2 * i;
      factors[i] = per_hundredth_[std::uint16_t(words[lane / 4] >> (16 * (lane % 4)))];
    }
    return __builtin_convertvector(factors * __builtin_convertvector(hundredths, Doubles4), Ints4);
  }

  std::array<double, 256> per_hundredth_;
};

}  // namespace

void InvertColorBrightness(ConstTargetImage from, TargetImage to, int threads) {
  const ShiftFactors factors;
  ShiftEveryPixel(
      from, to, threads,
      [&factors](Shorts8 blue, Shorts8 green, Shorts8 red) {
        const Shorts8 hundredths = Shorts8(ShiftFactors::Hundredths(
            UnsignedShorts8(blue), UnsignedShorts8(green), UnsignedShorts8(red)));
        const Shorts8 spread = Max(blue, Max(green, red)) - Min(blue, Min(green, red));
        return factors(spread, hundredths);
      },
      [&factors](int blue, int green, int red) {
        return factors(std::max({blue, green, red}) - std::min({blue, green, red}), ShiftFactors::Hundredths(blue, green, red));
      });
}

void OnInvertColorBrightness(State& st, Platform& pf) {
  RunTargetFilter(st, pf,
                  [](ConstTargetImage from, TargetImage to) { InvertColorBrightness(from, to); });
}

}  // namespace wrimple
