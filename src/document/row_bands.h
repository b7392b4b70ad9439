// Splitting a run of picture rows over threads. Every operation that uses it
// computes each row from inputs that no row writes, so the result does not
// depend on how the rows are split.
#pragma once

#include <cstddef>
#include <functional>

namespace wrimple {

// Calls band(first, last) for consecutive bands covering rows begin .. end - 1,
// one band per thread (the last on the calling thread); one call when threads
// is below 2 or there is only one row.
void ForEachRowBand(int begin, int end, int threads, const std::function<void(int first, int last)>& band);

// Calls row(y) for every row begin .. end - 1, the rows split as above.
template <typename RowKernel>
void ForEachRow(int begin, int end, int threads, const RowKernel& row) {
  ForEachRowBand(begin, end, threads, [&](int first, int last) {
    for (int y = first; y < last; ++y) row(y);
  });
}

// At most `wanted` threads, and none that would get fewer than min_rows rows:
// for short runs a thread costs more than it saves.
int ThreadsForRows(int rows, int wanted, int min_rows);

// Threads for a pass over a whole picture of `pixels` pixels: the machine's
// cores for large pictures, one for small ones.
int ThreadsForPixels(std::size_t pixels);

}  // namespace wrimple
