#include "io/exif_orientation.h"

#include <cstring>

#include "io/orientation.h"

namespace wrimple {

namespace {

constexpr std::uint8_t kExifName[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr unsigned kOrientationTag = 274;
constexpr unsigned kShortType = 3;
constexpr std::size_t kEntrySize = 12;

// Reads the little- or big-endian numbers of a TIFF block.
struct TiffBytes {
  const std::uint8_t* data;
  std::size_t size;
  bool big_endian;

  bool Holds(std::size_t at, std::size_t n) const { return at <= size && n <= size - at; }
  unsigned U16(std::size_t at) const {
    return big_endian ? unsigned(data[at]) << 8 | data[at + 1] : unsigned(data[at + 1]) << 8 | data[at];
  }
  std::uint32_t U32(std::size_t at) const {
    return big_endian ? std::uint32_t(U16(at)) << 16 | U16(at + 2) : std::uint32_t(U16(at + 2)) << 16 | U16(at);
  }
};

}  // namespace

int ExifOrientation(const std::uint8_t* marker_data, std::size_t size) {
  if (size < sizeof kExifName + 8 || std::memcmp(marker_data, kExifName, sizeof kExifName) != 0) return 1;
  const TiffBytes tiff{marker_data + sizeof kExifName, size - sizeof kExifName, marker_data[6] == 'M'};
  const bool known_order = (tiff.data[0] == 'I' && tiff.data[1] == 'I') || (tiff.data[0] == 'M' && tiff.data[1] == 'M');
  if (!known_order || tiff.U16(2) != 42) return 1;
  const std::uint32_t directory = tiff.U32(4);
  if (!tiff.Holds(directory, 2)) return 1;
  const unsigned entries = tiff.U16(directory);
  for (unsigned i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + i * kEntrySize;
    if (!tiff.Holds(entry, kEntrySize)) return 1;
    if (tiff.U16(entry) == kOrientationTag)
      return tiff.U16(entry + 2) == kShortType ? ValidOrientation(long(tiff.U16(entry + 8))) : 1;
  }
  return 1;
}

}  // namespace wrimple
