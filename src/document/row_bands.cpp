#include "document/row_bands.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace wrimple {

void ForEachRowBand(int begin, int end, int threads, const std::function<void(int, int)>& band) {
  const int rows = end - begin;
  if (rows <= 0) return;
  const int bands = std::clamp(threads, 1, rows);
  if (bands == 1) {
    band(begin, end);
    return;
  }
  auto band_start = [&](int b) { return begin + int(std::int64_t(rows) * b / bands); };
  std::vector<std::thread> workers;
  workers.reserve(std::size_t(bands - 1));
  for (int b = 0; b + 1 < bands; ++b) workers.emplace_back(band, band_start(b), band_start(b + 1));
  band(band_start(bands - 1), end);
  for (std::thread& t : workers) t.join();
}

namespace {

int MachineThreads() {
  constexpr unsigned kMostThreads = 8;
  return int(std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads));
}

std::atomic<int> row_threads{MachineThreads()};

}  // namespace

int RowThreads() { return row_threads.load(); }
void SetRowThreads(int threads) { row_threads.store(std::max(1, threads)); }

int ThreadsForRows(int rows, int wanted) { return std::clamp(rows / kMinRowsPerThread, 1, std::max(wanted, 1)); }

}  // namespace wrimple
