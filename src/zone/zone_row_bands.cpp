#include "zone/zone_row_bands.h"

#include <algorithm>
#include <atomic>

#include "document/row_bands.h"

namespace wrimple {

namespace {

std::atomic<int> zone_threads{2};

// Below this many rows a thread costs more than it saves.
constexpr int kMinRowsPerThread = 32;

}  // namespace

int ZoneThreads() { return zone_threads.load(); }
void SetZoneThreads(int threads) { zone_threads.store(std::max(1, threads)); }

void ForEachZoneRowBand(int begin, int end, const std::function<void(int, int)>& band) {
  ForEachRowBand(begin, end, ThreadsForRows(end - begin, ZoneThreads(), kMinRowsPerThread), band);
}

}  // namespace wrimple
