// The orientation tag of an EXIF block, as JPEG files carry it in their APP1
// marker: "Exif", two zero bytes, then a small TIFF file whose first
// directory may hold tag 274.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wrimple {

// The orientation 1..8 the block states; 1 when it states none, states a
// value outside 1..8, or is not a well-formed EXIF block.
int ExifOrientation(const std::uint8_t* marker_data, std::size_t size);

}  // namespace wrimple
