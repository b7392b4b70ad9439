// A fixed-size byte buffer allocated zero-filled. Large zeroed allocations come
// straight from the operating system, so pages that are never touched (the part
// of a 4096 x 3072 buffer outside a small target) cost no memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

namespace wrimple {

class ZeroedBuffer {
 public:
  explicit ZeroedBuffer(std::size_t size)
      : data_(static_cast<std::uint8_t*>(std::calloc(size, 1))), size_(size) {
    if (data_ == nullptr) throw std::bad_alloc();
  }
  ~ZeroedBuffer() { std::free(data_); }
  ZeroedBuffer(const ZeroedBuffer&) = delete;
  ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;
  ZeroedBuffer(ZeroedBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

  std::uint8_t* data() { return data_; }
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace wrimple
