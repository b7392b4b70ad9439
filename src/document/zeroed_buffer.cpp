#include "document/zeroed_buffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace wrimple {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Smaller buffers stay on the C heap: they would hold at most one large page.
constexpr std::size_t kMappedFrom = 2 * kHugePage;

constexpr std::size_t kPage = 4096;

// Maps `length` bytes (a whole number of pages) starting on a large-page
// boundary, hinted to large pages.
std::uint8_t* MapAligned(std::size_t length) {
  void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  auto* begin = static_cast<std::uint8_t*>(raw);
  const std::size_t head = (kHugePage - reinterpret_cast<std::uintptr_t>(begin) % kHugePage) % kHugePage;
  if (head != 0) munmap(begin, head);
  munmap(begin + head + length, kHugePage - head);
  HintLargePages(begin + head, length);
  return begin + head;
}

}  // namespace

void HintLargePages(void* data, std::size_t size) {
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (start + size) & ~(kHugePage - 1);
  if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

ZeroedBuffer::ZeroedBuffer(std::size_t size) {
  if (!Allocate(size)) throw std::bad_alloc();
}

std::optional<ZeroedBuffer> ZeroedBuffer::TryAllocate(std::size_t size) {
  ZeroedBuffer buffer;
  if (!buffer.Allocate(size)) return std::nullopt;
  return buffer;
}

bool ZeroedBuffer::Allocate(std::size_t size) {
  if (size >= kMappedFrom) {
    if (size > SIZE_MAX / 2) return false;
    const std::size_t length = (size + kPage - 1) / kPage * kPage;
    data_ = MapAligned(length);
    if (data_ == nullptr) return false;
    size_ = size;
    mapped_ = length;
    return true;
  }
  data_ = static_cast<std::uint8_t*>(std::calloc(size == 0 ? 1 : size, 1));
  size_ = data_ != nullptr ? size : 0;
  return data_ != nullptr;
}

void ZeroedBuffer::Release() {
  if (data_ == nullptr) return;
  if (mapped_ != 0)
    munmap(data_, mapped_);
  else
    std::free(data_);
  data_ = nullptr;
  size_ = mapped_ = 0;
}

}  // namespace wrimple
