// Feeds arbitrary bytes to the imaging adapter's Jpeg reader, from memory.
#include "fuzz_imaging.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wrimple::FuzzReadRows(wrimple::OpenJpegReader(wrimple::MemoryFile(data, size)));
  return 0;
}
