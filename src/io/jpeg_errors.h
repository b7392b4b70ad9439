// libjpeg's error manager made safe for this program: a fatal error jumps
// back to the setjmp of the function that called the library instead of
// ending the process, and warnings are not printed.
#pragma once

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>

namespace wrimple {

struct JpegErrors {
  jpeg_error_mgr manager{};
  std::jmp_buf jump{};
};

// Fills the manager and returns it for the codec object's err field.
jpeg_error_mgr* InstallJpegErrors(JpegErrors* errors);

}  // namespace wrimple
