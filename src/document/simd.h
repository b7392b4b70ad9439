// Whether the hand-written SSE2 paths are built. They are where the compiler
// targets SSE2, unless the build asks for the plain fallbacks (the CMake
// option WRIMPLE_SIMD=OFF), which the byte-exact tests then check.
#pragma once

#if defined(__SSE2__) && !defined(WRIMPLE_NO_SIMD)
#define WRIMPLE_SSE2 1
#include <emmintrin.h>
#else
#define WRIMPLE_SSE2 0
#endif
