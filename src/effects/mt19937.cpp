#include "effects/mt19937.h"

#include <algorithm>

namespace wrimple {

namespace {

constexpr int kWords = 624;
constexpr int kShift = 397;
constexpr std::uint32_t kMatrix = 0x9908b0dfu;
constexpr std::uint32_t kUpperBit = 0x80000000u;
constexpr std::uint32_t kLowerBits = 0x7fffffffu;

std::uint32_t Twisted(std::uint32_t word, std::uint32_t next, std::uint32_t far) {
  const std::uint32_t y = (word & kUpperBit) | (next & kLowerBits);
  return far ^ (y >> 1) ^ (-(y & 1u) & kMatrix);
}

std::uint32_t Tempered(std::uint32_t y) {
  y ^= y >> 11;
  y ^= (y << 7) & 0x9d2c5680u;
  y ^= (y << 15) & 0xefc60000u;
  return y ^ (y >> 18);
}

// The twist of the whole state and the tempering of the new words. The first
// loop reads words it has not yet replaced, the second words replaced at
// least 227 places before: both vectorise without changing a word.
__attribute__((target_clones("avx2", "default"), optimize("tree-vectorize", "vect-cost-model=dynamic")))
void TwistAndTemper(std::uint32_t* __restrict state, std::uint32_t* __restrict output) {
  int i = 0;
  for (; i < kWords - kShift; ++i) state[i] = Twisted(state[i], state[i + 1], state[i + kShift]);
  for (; i < kWords - 1; ++i) state[i] = Twisted(state[i], state[i + 1], state[i + kShift - kWords]);
  state[kWords - 1] = Twisted(state[kWords - 1], state[0], state[kShift - 1]);
  for (int k = 0; k < kWords; ++k) output[k] = Tempered(state[k]);
}

}  // namespace

Mt19937::Mt19937(std::uint32_t seed) {
  state_[0] = seed;
  for (int i = 1; i < kWords; ++i)
    state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + std::uint32_t(i);
}

void Mt19937::Fill(std::uint32_t* out, int count) {
  while (count > 0) {
    if (next_ == kWords) NextBlock();
    const int taken = std::min(count, kWords - next_);
    std::copy(output_ + next_, output_ + next_ + taken, out);
    next_ += taken, out += taken, count -= taken;
  }
}

void Mt19937::NextBlock() {
  TwistAndTemper(state_, output_);
  next_ = 0;
}

}  // namespace wrimple
