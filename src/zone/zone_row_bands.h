// Splits a run of rows into bands and computes them on up to ZoneThreads()
// threads. Every zone pixel depends only on the working copy and the planes, so
// the bands may run in any order with the same result.
#pragma once

#include <functional>

namespace wrimple {

// Number of threads the zone operations use (1 or more); 2 unless changed.
int ZoneThreads();
void SetZoneThreads(int threads);

// Calls band(first, last) for consecutive bands covering rows begin .. end - 1.
void ForEachZoneRowBand(int begin, int end, const std::function<void(int first, int last)>& band);

}  // namespace wrimple
