#include "io/codec_mem_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "document/zeroed_buffer.h"

namespace wrimple {

namespace {

// Capacity grows in steps of 64 KiB: the needed size with its low 16 bits
// cleared, plus 64 KiB.
std::size_t GrownCapacity(std::size_t needed) { return (needed & ~std::size_t(0xffff)) + 0x10000; }

}  // namespace

CodecMemFile::CodecMemFile(const std::uint8_t* memory, std::size_t size)
    : data_(const_cast<std::uint8_t*>(memory)), size_(size), capacity_(size) {}

CodecMemFile::~CodecMemFile() { Close(); }

bool CodecMemFile::Open() {
  if (data_ != nullptr) return false;
  data_ = static_cast<std::uint8_t*>(std::malloc(1));
  if (data_ == nullptr) return false;
  owned_ = true;
  capacity_ = 1;
  size_ = position_ = 0;
  return true;
}

bool CodecMemFile::Close() {
  if (owned_) std::free(data_);
  data_ = nullptr;
  owned_ = false;
  size_ = capacity_ = position_ = 0;
  return true;
}

std::size_t CodecMemFile::Read(void* buffer, std::size_t size, std::size_t count) {
  if (data_ == nullptr || size == 0 || count == 0 || position_ >= size_) return 0;
  const std::size_t available = size_ - position_;
  // Like fread, a part of an item at the end is copied but not counted.
  const std::size_t copied = count > available / size ? available : size * count;
  std::memcpy(buffer, data_ + position_, copied);
  position_ += copied;
  return copied / size;
}

bool CodecMemFile::Reserve(std::size_t needed) {
  if (owned_ && needed <= capacity_) return true;
  const std::size_t capacity = GrownCapacity(needed);
  if (capacity < needed) return false;
  std::uint8_t* grown;
  if (owned_) {
    grown = static_cast<std::uint8_t*>(std::realloc(data_, capacity));
  } else {
    grown = static_cast<std::uint8_t*>(std::malloc(capacity));
    if (grown != nullptr && size_ > 0) std::memcpy(grown, data_, size_);
  }
  if (grown == nullptr) return false;
  HintLargePages(grown, capacity);  // a picture's worth of fresh memory faults in far fewer steps
  data_ = grown;
  capacity_ = capacity;
  owned_ = true;
  return true;
}

std::size_t CodecMemFile::Write(const void* buffer, std::size_t size, std::size_t count) {
  if (size == 0 || count == 0) return 0;
  if (count > (SIZE_MAX - position_) / size) return 0;
  const std::size_t bytes = size * count;
  if (!Reserve(position_ + bytes)) return 0;
  // A write after a seek past the end leaves no uninitialised gap.
  if (position_ > size_) std::memset(data_ + size_, 0, position_ - size_);
  std::memcpy(data_ + position_, buffer, bytes);
  position_ += bytes;
  size_ = std::max(size_, position_);
  return count;
}

bool CodecMemFile::Seek(long offset, int origin) {
  if (data_ == nullptr) return false;
  long base;
  switch (origin) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = long(position_); break;
    case SEEK_END: base = long(size_); break;
    default: return false;
  }
  long target;
  if (__builtin_add_overflow(base, offset, &target)) target = offset < 0 ? 0 : LONG_MAX;
  position_ = target < 0 ? 0 : std::size_t(target);
  return true;
}

long CodecMemFile::Tell() { return data_ != nullptr ? long(position_) : -1; }

long CodecMemFile::Size() { return data_ != nullptr ? long(size_) : -1; }

bool CodecMemFile::Flush() { return data_ != nullptr; }

bool CodecMemFile::Eof() { return data_ == nullptr || position_ >= size_; }

long CodecMemFile::Error() {
  if (data_ == nullptr) return -1;
  return position_ > size_ ? 1 : 0;
}

bool CodecMemFile::PutC(std::uint8_t byte) { return Write(&byte, 1, 1) == 1; }

long CodecMemFile::GetC() {
  if (data_ == nullptr || position_ >= size_) return -1;
  return data_[position_++];
}

char* CodecMemFile::GetS(char* buffer, int n) {
  if (n <= 0) return nullptr;
  int stored = 0;
  while (stored < n - 1) {
    const long c = GetC();
    if (c < 0) break;
    buffer[stored++] = char(c);
    if (c == '\n') break;
  }
  if (stored == 0 && n > 1) return nullptr;
  buffer[stored] = '\0';
  return buffer;
}

long CodecMemFile::Scanf(const char*, void*) { return 0; }

}  // namespace wrimple
