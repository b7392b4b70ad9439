// Large picture buffers are filled once from start to end; backing them with
// huge pages saves the page faults that otherwise cost more than the copying.
#pragma once

#include <cstddef>

namespace wrimple {

// Asks the kernel for huge pages in the whole 2 MiB pages inside the block.
// Only a hint: nothing changes when the system does not offer them.
void AdviseHugePages(void* data, std::size_t size);

}  // namespace wrimple
