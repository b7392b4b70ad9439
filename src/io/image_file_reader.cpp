#include <vector>

#include "io/imaging.h"

namespace wrimple {

bool ImageFileReader::ReadRows(std::uint8_t* first_row, std::ptrdiff_t stride) {
  const auto convert = [&](std::uint8_t* rows, std::ptrdiff_t row_stride) {
    if (!to_srgb_) return;
    for (int y = 0; y < stored_height_; ++y) to_srgb_->ConvertRow(rows + y * row_stride, stored_width_);
  };
  if (orientation_ == 1) {
    if (!ReadStoredRows(first_row, stride)) return false;
    convert(first_row, stride);
    return true;
  }
  const std::ptrdiff_t stored_stride = 3 * std::ptrdiff_t(stored_width_);
  std::vector<std::uint8_t> stored(std::size_t(stored_stride) * std::size_t(stored_height_));
  if (!ReadStoredRows(stored.data(), stored_stride)) return false;
  convert(stored.data(), stored_stride);
  Reorient(stored.data(), stored_width_, stored_height_, orientation_, first_row, stride);
  return true;
}

}  // namespace wrimple
