// Buffered reading from a CodecFile for decoders that take their input a byte
// at a time: one virtual call per block instead of one per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "io/codec_file.h"

namespace wrimple {

class CodecByteReader {
 public:
  explicit CodecByteReader(CodecFile& stream);
  // Gives back to the stream what was buffered but not consumed.
  ~CodecByteReader();
  CodecByteReader(const CodecByteReader&) = delete;
  CodecByteReader& operator=(const CodecByteReader&) = delete;

  // True when not one more byte can be had.
  bool AtEnd() {
    return next_ == end_ && !Refill();
  }
  // The next byte, or -1 at the end of the data.
  int GetByte() {
    if (next_ == end_ && !Refill()) return -1;
    return *next_++;
  }
  // The bytes buffered and not yet consumed, refilled first when none are
  // left; empty at the end of the data. A decoder that works through them in
  // place says with Consume() how many it used.
  std::span<const std::uint8_t> Buffered() {
    if (next_ == end_) Refill();
    return {next_, end_};
  }
  void Consume(std::size_t size) { next_ += size; }
  // Copies exactly `size` bytes; false (with fewer copied) at the end of the data.
  bool ReadExactly(std::uint8_t* out, std::size_t size);
  // Skips `size` bytes; false when the data ends first.
  bool Skip(std::size_t size);

 private:
  bool Refill();

  CodecFile& stream_;
  std::vector<std::uint8_t> buffer_;
  const std::uint8_t* next_ = nullptr;
  const std::uint8_t* end_ = nullptr;
};

}  // namespace wrimple
