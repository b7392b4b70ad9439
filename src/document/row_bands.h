// Splitting a run of picture rows over threads. Every operation that uses it
// computes each row from inputs that no row writes, so the result does not
// depend on how the rows are split.
#pragma once

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

// The one thread policy of the row loops: a command splits its rows over up
// to RowThreads() threads (the machine's cores, at most 8, unless set), and
// gives no thread fewer than kMinRowsPerThread rows, since for short runs a
// thread costs more than it saves.
inline constexpr int kMinRowsPerThread = 32;
int RowThreads();
void SetRowThreads(int threads);  // for tests and benchmarks; at least 1

// The threads for a run of rows: at most `wanted`, by the policy above.
int ThreadsForRows(int rows, int wanted = RowThreads());

}  // namespace wrimple
