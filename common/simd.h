// Whether the SIMD fast paths are built: HORUNE_SSE2 is 1 where the
// processor has SSE2 (every x86-64 one) and the build does not ask for the
// plain loops with HORUNE_NO_SIMD, which CI builds so they stay tested.
#pragma once

#if defined(__SSE2__) && !defined(HORUNE_NO_SIMD)
#define HORUNE_SSE2 1
#include <emmintrin.h>
#else
#define HORUNE_SSE2 0
#endif
