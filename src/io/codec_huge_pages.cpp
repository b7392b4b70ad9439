#include "io/codec_huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace wrimple {

namespace {
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
}

void AdviseHugePages(void* data, std::size_t size) {
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace wrimple
