// Feeds arbitrary bytes to the clipboard bitmap converter as a pasted block;
// a converted picture is read whole so that every written byte is touched.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "io/clipboard_sources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> block(data, data + size);
  const std::optional<wrimple::PictureBlock> picture = wrimple::ConvertPastedBitmap(block);
  if (picture) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < picture->size(); ++i) sum += picture->data()[i];
    volatile unsigned sink = sum;
    (void)sink;
  }
  return 0;
}
