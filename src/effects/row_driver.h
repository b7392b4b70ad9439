// The loop over the target's rows shared by the whole-target effects. An effect
// supplies a row kernel, kernel(y) for the row y counted from the top, that reads
// only its input picture and writes only row y of its output; the driver runs it
// for every row, with the rows split by the one thread policy (row_bands.h) or
// on the threads given. Kernels that draw from a shared random generator must
// run on one thread.
#pragma once

#include "document/row_bands.h"

namespace wrimple {

template <typename RowKernel>
void ForEachTargetRow(int first_row, int end_row, int threads, const RowKernel& kernel) {
  ForEachRow(first_row, end_row, ThreadsForRows(end_row - first_row, threads), kernel);
}

template <typename RowKernel>
void ForEachTargetRow(int height, int threads, const RowKernel& kernel) {
  ForEachTargetRow(0, height, threads, kernel);
}

}  // namespace wrimple
