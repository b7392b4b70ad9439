// Pictures stored in another orientation than they are meant to be shown:
// the eight orientations of TIFF and EXIF (1 upright, 2 mirrored, 3 turned
// half round, 4 upside down, 5 transposed, 6 turned a quarter clockwise,
// 7 transversed, 8 turned a quarter anticlockwise, each saying how the
// stored rows are to be laid out on the screen).
#pragma once

#include <cstddef>
#include <cstdint>

namespace wrimple {

// The orientation a tag value names; values outside 1..8 count as upright.
int ValidOrientation(long value);

// Whether the orientation lays the stored rows out as columns.
inline bool SwapsSides(int orientation) { return orientation >= 5; }

// Copies a stored picture of width x height blue-green-red pixels (rows of
// 3 * width bytes, top row first) into the displayed picture: its row y goes
// to first_row + y * stride and is height wide when the sides swap.
void Reorient(const std::uint8_t* stored, int width, int height, int orientation,
              std::uint8_t* first_row, std::ptrdiff_t stride);

}  // namespace wrimple
