#include "io/codec_pcx_packing.h"

namespace wrimple {

namespace {

constexpr std::size_t kLongestRun = 63;
constexpr std::uint8_t kRunFlag = 192;

}  // namespace

std::size_t PcxPackPlaneRow(const std::uint8_t* values, std::size_t count, int trailing,
                            std::uint8_t* out) {
  std::uint8_t* next = out;
  for (std::size_t i = 0; i < count;) {
    const std::uint8_t value = values[i];
    std::size_t end = i + 1;
    while (end < count && values[end] == value) ++end;
    std::size_t length = end - i;
    i = end;
    // Full runs go out as soon as the next equal value arrives, so only a run
    // of 1 to 63 is left for the end.
    for (; length > kLongestRun; length -= kLongestRun) {
      *next++ = kRunFlag + kLongestRun;
      *next++ = value;
    }
    if (length == 1 && value < kRunFlag) {
      *next++ = value;
    } else {
      *next++ = std::uint8_t(kRunFlag + length);
      *next++ = value;
    }
  }
  if (trailing == -2) *next++ = 0;
  return std::size_t(next - out);
}

}  // namespace wrimple
