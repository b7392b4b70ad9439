// Feeds arbitrary bytes to the TGA decoder.
#include "fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wrimple::FuzzDecode(data, size, wrimple::kCodecTga);
  return 0;
}
