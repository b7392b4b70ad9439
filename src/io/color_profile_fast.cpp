// The table conversion's row loop with the three contributions of a pixel
// added as one vector and clamped in 16-bit lanes.
#include <emmintrin.h>

#include "io/color_profile.h"

namespace wrimple {

void ConvertRowFast(const MatrixShaperTables& t, std::uint8_t* bgr, int width) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i one = _mm_set1_epi16(MatrixShaperTables::kLinearOne);
  const auto load = [&](int channel, std::uint8_t level) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(t.contribution[channel][level]));
  };
  for (int x = 0; x < width; ++x, bgr += 3) {
    const __m128i sum = _mm_add_epi32(_mm_add_epi32(load(0, bgr[2]), load(1, bgr[1])), load(2, bgr[0]));
    // A sum beyond 16 bits saturates on the same side of 0..kLinearOne, so
    // the clamp gives what the plain loop's does.
    const __m128i lanes = _mm_min_epi16(_mm_max_epi16(_mm_packs_epi32(sum, sum), zero), one);
    const int red = _mm_extract_epi16(lanes, 0), green = _mm_extract_epi16(lanes, 1), blue = _mm_extract_epi16(lanes, 2);
    bgr[0] = t.encode[blue];
    bgr[1] = t.encode[green];
    bgr[2] = t.encode[red];
  }
}

}  // namespace wrimple
