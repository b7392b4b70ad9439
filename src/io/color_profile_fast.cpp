// The table conversion's row loop: the three contributions of a pixel added
// as one vector, two pixels clamped together in 16-bit lanes.
#include <emmintrin.h>

#include "io/color_profile.h"

namespace wrimple {

namespace {

// The pixel's linear red, green, blue (and a zero) in four 32-bit lanes.
inline __m128i Sum(const MatrixShaperTables& t, const std::uint8_t* bgr) {
  const auto load = [&](int channel, std::uint8_t level) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(t.contribution[channel][level]));
  };
  return _mm_add_epi32(_mm_add_epi32(load(0, bgr[2]), load(1, bgr[1])), load(2, bgr[0]));
}

// Writes the pixel whose red, green and blue are 16-bit lanes kLane..kLane + 2.
template <int kLane>
inline void Store(const MatrixShaperTables& t, __m128i lanes, std::uint8_t* bgr) {
  const int red = _mm_extract_epi16(lanes, kLane);
  const int green = _mm_extract_epi16(lanes, kLane + 1);
  const int blue = _mm_extract_epi16(lanes, kLane + 2);
  bgr[0] = t.encode[blue];
  bgr[1] = t.encode[green];
  bgr[2] = t.encode[red];
}

}  // namespace

void ConvertRowFast(const MatrixShaperTables& t, std::uint8_t* bgr, int width) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i one = _mm_set1_epi16(MatrixShaperTables::kLinearOne);
  // A sum beyond 16 bits saturates on the same side of 0..kLinearOne, so the
  // clamp gives what the plain loop's does.
  const auto clamp = [&](__m128i a, __m128i b) {
    return _mm_min_epi16(_mm_max_epi16(_mm_packs_epi32(a, b), zero), one);
  };
  int x = 0;
  for (; x + 2 <= width; x += 2, bgr += 6) {
    const __m128i lanes = clamp(Sum(t, bgr), Sum(t, bgr + 3));
    Store<0>(t, lanes, bgr);
    Store<4>(t, lanes, bgr + 3);
  }
  if (x < width) Store<0>(t, clamp(Sum(t, bgr), zero), bgr);
}

}  // namespace wrimple
