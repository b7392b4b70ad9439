#include "zone/zone_row_bands.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace wrimple {

namespace {

std::atomic<int> zone_threads{2};

// Below this many rows a thread costs more than it saves.
constexpr int kMinRowsPerThread = 32;

}  // namespace

int ZoneThreads() { return zone_threads.load(); }
void SetZoneThreads(int threads) { zone_threads.store(std::max(1, threads)); }

void ForEachZoneRowBand(int begin, int end, const std::function<void(int, int)>& band) {
  const int rows = end - begin;
  if (rows <= 0) return;
  const int threads = std::clamp(rows / kMinRowsPerThread, 1, ZoneThreads());
  if (threads == 1) {
    band(begin, end);
    return;
  }
  std::vector<std::thread> workers;
  const int per_band = (rows + threads - 1) / threads;
  for (int first = begin + per_band; first < end; first += per_band)
    workers.emplace_back(band, first, std::min(end, first + per_band));
  band(begin, std::min(end, begin + per_band));
  for (std::thread& w : workers) w.join();
}

}  // namespace wrimple
