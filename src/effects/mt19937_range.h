// Uniform integer draws for the dapple walks, from 32-bit Mersenne Twister
// outputs. The reduction is the dapple's own (the standard library's
// distributions reduce differently and would change every picture).
#pragma once

#include <cstdint>

namespace wrimple {

// A draw from the n values a .. a + n - 1 (n >= 1): one engine output u gives
// a + u mod n, except that u is thrown away and drawn again while it falls in
// the incomplete top block, that is while u / n >= 4294967295 / n and
// 4294967295 mod n differs from n - 1. A single value uses no engine output.
// Always inlined, so that a constant range folds its divisions away.
template <typename Engine>
[[gnu::always_inline]] inline std::int32_t DrawInRange(Engine& engine, std::int32_t a, std::uint32_t n) {
  if (n == 1) return a;
  constexpr std::uint32_t kTop = 4294967295u;
  const std::uint32_t blocks = kTop / n;
  const bool top_block_complete = kTop % n == n - 1;
  std::uint32_t u = std::uint32_t(engine());
  while (u / n >= blocks && !top_block_complete) u = std::uint32_t(engine());
  return a + std::int32_t(u % n);
}

}  // namespace wrimple
