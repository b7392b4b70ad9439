// Feeds arbitrary bytes to the BMP decoder.
#include "fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wrimple::FuzzDecode(data, size, wrimple::kCodecBmp);
  return 0;
}
