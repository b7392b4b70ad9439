#include "io/tiff_quiet.h"

#include <tiffio.h>

namespace wrimple {

void SilenceTiffMessages() {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
}

}  // namespace wrimple
