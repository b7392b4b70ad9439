#include "compose/row_bands.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace wrimple {

void ForEachRowBand(int rows, int threads, const std::function<void(int, int)>& body) {
  const int bands = std::clamp(threads, 1, std::max(rows, 1));
  if (bands == 1) {
    body(0, rows);
    return;
  }
  std::vector<std::thread> workers;
  workers.reserve(std::size_t(bands - 1));
  auto band_start = [&](int band) { return int(std::int64_t(rows) * band / bands); };
  for (int band = 0; band + 1 < bands; ++band)
    workers.emplace_back(body, band_start(band), band_start(band + 1));
  body(band_start(bands - 1), rows);
  for (std::thread& t : workers) t.join();
}

int ThreadsForPixels(std::size_t pixels) {
  constexpr std::size_t kSmallPicture = 256 * 256;
  constexpr unsigned kMostThreads = 8;
  if (pixels < kSmallPicture) return 1;
  return int(std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads));
}

}  // namespace wrimple
