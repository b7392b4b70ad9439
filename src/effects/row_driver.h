// The loop over the target's rows shared by the whole-target effects. An effect
// supplies a row kernel, kernel(y) for the row y counted from the top, that reads
// only its input picture and writes only row y of its output; the driver runs it
// for every row, on one thread or with the rows split between two. Kernels that
// draw from a shared random generator must run on one thread.
#pragma once

#include <thread>

namespace wrimple {

// Two threads by default: the results do not depend on the split.
inline constexpr int kDefaultRowThreads = 2;

// Below this many rows a second thread costs more than it saves.
inline constexpr int kMinRowsPerThread = 64;

template <typename RowKernel>
void ForEachRow(int first_row, int end_row, int threads, const RowKernel& kernel) {
  const int rows = end_row - first_row;
  if (threads < 2 || rows < 2 * kMinRowsPerThread) {
    for (int y = first_row; y < end_row; ++y) kernel(y);
    return;
  }
  const int middle = first_row + rows / 2;
  std::thread upper([&] {
    for (int y = first_row; y < middle; ++y) kernel(y);
  });
  for (int y = middle; y < end_row; ++y) kernel(y);
  upper.join();
}

template <typename RowKernel>
void ForEachRow(int height, int threads, const RowKernel& kernel) {
  ForEachRow(0, height, threads, kernel);
}

}  // namespace wrimple
