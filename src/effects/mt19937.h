// The 32-bit Mersenne Twister MT19937 with its standard seeding, producing
// its outputs a whole state at a time: the twist and the tempering run as
// vector loops over the 624 words, so an output costs a load. The outputs are
// exactly std::mt19937's.
#pragma once

#include <cstdint>

namespace wrimple {

class Mt19937 {
 public:
  explicit Mt19937(std::uint32_t seed);

  std::uint32_t operator()() {
    if (next_ == kWords) NextBlock();
    return output_[next_++];
  }

  // The next `count` outputs, in order, as that many calls would give them.
  void Fill(std::uint32_t* out, int count);

 private:
  static constexpr int kWords = 624;
  void NextBlock();

  std::uint32_t state_[kWords];
  std::uint32_t output_[kWords];
  int next_ = kWords;
};

}  // namespace wrimple
