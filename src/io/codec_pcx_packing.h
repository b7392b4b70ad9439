// Run-length packing of one plane of one PCX row, and the unpacking of a whole
// picture's run-length data row by row.
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/codec_byte_reader.h"

namespace wrimple {

// Bytes PcxPackPlaneRow may write for `count` values.
inline std::size_t PcxPackedCapacity(std::size_t count) { return 2 * count + 1; }

// Packs `count` values into `out` and returns the bytes written. A run is at
// most 63 bytes long, written as 192 + length and the value; a single value
// below 192 is written alone. `trailing` ends the row: -1 writes nothing more,
// -2 also writes the zero pad byte that makes an odd row length even.
// `out` must hold PcxPackedCapacity(count) bytes: the packer may store
// scratch bytes past the end of what it returns, within that room.
std::size_t PcxPackPlaneRow(const std::uint8_t* values, std::size_t count, int trailing,
                            std::uint8_t* out);

// The run-length data of a picture of `total` bytes, handed out in rows: a
// byte below 192 stands for itself; a byte c of 192 or more repeats the byte
// after it c & 63 times, and such a run may continue from one row into the
// next but never past the end of the picture.
class PcxUnpacker {
 public:
  PcxUnpacker(CodecByteReader& in, std::uint64_t total) : in_(in), wanted_(total) {}

  // Fills `size` bytes; the error text, or nullptr on success. After a
  // failure the contents of `out` mean nothing.
  const char* Unpack(std::uint8_t* out, std::size_t size);

 private:
  // The picture bytes of the buffered input from `next` up to `end` into
  // `out` .. `out_end`; stops early where a count's value byte lies beyond
  // `end`. Returns the first byte not used.
  const std::uint8_t* UnpackBuffered(const std::uint8_t* next, const std::uint8_t* end,
                                     std::uint8_t*& out, std::uint8_t* out_end, const char*& error);
  // Takes a count byte and its value; the error text when the run would pass
  // the end of the picture.
  const char* StartRun(std::uint8_t count_byte, std::uint8_t value);
  // Writes what is left of the current run, as far as `out_end`.
  std::uint8_t* ContinueRun(std::uint8_t* out, std::uint8_t* out_end);

  CodecByteReader& in_;
  std::uint64_t wanted_;
  std::uint32_t run_left_ = 0;
  std::uint8_t run_value_ = 0;
};

}  // namespace wrimple
