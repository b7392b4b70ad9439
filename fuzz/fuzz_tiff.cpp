// Feeds arbitrary bytes to the imaging adapter's TIFF reader, from memory.
#include "fuzz_imaging.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wrimple::FuzzReadRows(wrimple::OpenTiffReader(data, size));
  return 0;
}
