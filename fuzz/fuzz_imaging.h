// The body shared by the imaging adapter's fuzz targets: a reader opened on
// the input reads every row, and the rows are summed so that the sanitizers
// see each written byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "io/imaging.h"

namespace wrimple {

inline void FuzzReadRows(std::unique_ptr<ImageFileReader> reader) {
  if (!reader) return;
  std::vector<std::uint8_t> rows(std::size_t(reader->width()) * std::size_t(reader->height()) * 3);
  if (!reader->ReadRows(rows.data(), 3 * std::ptrdiff_t(reader->width()))) return;
  unsigned sum = 0;
  for (std::uint8_t b : rows) sum += b;
  // The reads must happen even though nothing uses their sum.
  __asm__ volatile("" : : "r"(sum));
}

}  // namespace wrimple
