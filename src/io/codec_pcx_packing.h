// Run-length packing of one plane of one PCX row.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wrimple {

// Bytes PcxPackPlaneRow may write for `count` values.
inline std::size_t PcxPackedCapacity(std::size_t count) { return 2 * count + 1; }

// Packs `count` values into `out` and returns the bytes written. A run is at
// most 63 bytes long, written as 192 + length and the value; a single value
// below 192 is written alone. `trailing` ends the row: -1 writes nothing more,
// -2 also writes the zero pad byte that makes an odd row length even.
std::size_t PcxPackPlaneRow(const std::uint8_t* values, std::size_t count, int trailing,
                            std::uint8_t* out);

}  // namespace wrimple
