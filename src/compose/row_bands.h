// Splitting a picture's rows over threads. Every row is computed exactly as on
// one thread, so the result does not depend on the number of threads.
#pragma once

#include <cstddef>
#include <functional>

namespace wrimple {

// Runs body(first_row, end_row) over consecutive bands of [0, rows), one band
// per thread (the last on the calling thread); threads below 2 run body once.
void ForEachRowBand(int rows, int threads, const std::function<void(int, int)>& body);

// Threads for a picture operation over `pixels` pixels: the machine's cores for
// large pictures, one for small ones, where starting threads costs more.
int ThreadsForPixels(std::size_t pixels);

}  // namespace wrimple
