// A byte stream the image codecs read from and write to: a file or a block of
// memory behind the same thirteen operations, modelled on the C run-time's
// file streams so that a codec never needs to know which one it has.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wrimple {

class CodecFile {
 public:
  virtual ~CodecFile() = default;

  // True on success, and when there is nothing to close.
  virtual bool Close() = 0;
  // Whole items of `size` bytes copied; fewer than `count` at the end of the data.
  virtual std::size_t Read(void* buffer, std::size_t size, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t size, std::size_t count) = 0;
  // origin: SEEK_SET, SEEK_CUR or SEEK_END.
  virtual bool Seek(long offset, int origin) = 0;
  virtual long Tell() = 0;
  virtual long Size() = 0;
  virtual bool Flush() = 0;
  virtual bool Eof() = 0;
  virtual long Error() = 0;
  virtual bool PutC(std::uint8_t byte) = 0;
  // The next byte, or -1 when none can be read.
  virtual long GetC() = 0;
  // Up to n - 1 bytes, ending after a line feed, zero-terminated; nullptr when
  // not a single byte could be read.
  virtual char* GetS(char* buffer, int n) = 0;
  // Formatted read of one value; the number of values converted.
  virtual long Scanf(const char* format, void* output) = 0;

  bool ReadExactly(void* buffer, std::size_t size) { return Read(buffer, 1, size) == size; }
  bool WriteExactly(const void* buffer, std::size_t size) {
    return size == 0 || Write(buffer, 1, size) == size;
  }
  // False only when the stream knows its size and fewer than `bytes` remain
  // after the position: decoders refuse such data before allocating for it.
  bool MayHold(std::uint64_t bytes) {
    const long size = Size();
    const long position = Tell();
    if (size < 0 || position < 0) return true;
    return position <= size && std::uint64_t(size - position) >= bytes;
  }
};

}  // namespace wrimple
