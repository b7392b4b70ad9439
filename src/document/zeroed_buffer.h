// A fixed-size byte buffer allocated zero-filled. Large buffers come straight
// from the operating system as zero pages, so pages that are never touched (the
// part of a 4096 x 3072 buffer outside a small target) cost no memory, and they
// are asked for in 2 MB pages: a full-size picture is then touched in a few
// dozen page faults instead of some nine thousand, which is most of the cost of
// the first pass over a freshly loaded picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace wrimple {

// Asks that the whole 2 MB pages inside [data, data + size) be backed by large
// pages; only a hint, so a refusal is ignored.
void HintLargePages(void* data, std::size_t size);

class ZeroedBuffer {
 public:
  // Throws std::bad_alloc when memory is short.
  explicit ZeroedBuffer(std::size_t size);
  // nullopt when memory is short.
  static std::optional<ZeroedBuffer> TryAllocate(std::size_t size);

  ~ZeroedBuffer() { Release(); }
  ZeroedBuffer(const ZeroedBuffer&) = delete;
  ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;
  ZeroedBuffer(ZeroedBuffer&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)),
        mapped_(std::exchange(other.mapped_, 0)) {}
  ZeroedBuffer& operator=(ZeroedBuffer&& other) noexcept {
    if (this != &other) {
      Release();
      data_ = std::exchange(other.data_, nullptr);
      size_ = std::exchange(other.size_, 0);
      mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
  }

  std::uint8_t* data() { return data_; }
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  ZeroedBuffer() = default;
  bool Allocate(std::size_t size);
  void Release();

  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mapped_ = 0;  // bytes mapped from the system; 0 when from calloc
};

}  // namespace wrimple
