#include "io/codec_byte_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace wrimple {

namespace {
constexpr std::size_t kBlockSize = 64 * 1024;
}

CodecByteReader::CodecByteReader(CodecFile& stream) : stream_(stream), buffer_(kBlockSize) {}

CodecByteReader::~CodecByteReader() {
  if (end_ != next_) stream_.Seek(-long(end_ - next_), SEEK_CUR);
}

bool CodecByteReader::Refill() {
  const std::size_t got = stream_.Read(buffer_.data(), 1, buffer_.size());
  next_ = buffer_.data();
  end_ = next_ + got;
  return got > 0;
}

bool CodecByteReader::ReadExactly(std::uint8_t* out, std::size_t size) {
  while (size > 0) {
    if (next_ == end_) {
      // Large reads go straight to the stream.
      if (size >= buffer_.size()) return stream_.ReadExactly(out, size);
      if (!Refill()) return false;
    }
    const std::size_t part = std::min(size, std::size_t(end_ - next_));
    std::memcpy(out, next_, part);
    next_ += part;
    out += part;
    size -= part;
  }
  return true;
}

bool CodecByteReader::Skip(std::size_t size) {
  const std::size_t buffered = std::min(size, std::size_t(end_ - next_));
  next_ += buffered;
  size -= buffered;
  while (size > 0) {
    if (!Refill()) return false;
    const std::size_t part = std::min(size, std::size_t(end_ - next_));
    next_ += part;
    size -= part;
  }
  return true;
}

}  // namespace wrimple
