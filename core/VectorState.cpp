#include "core/VectorState.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ORVELO_X86_VECTOR_STATE 1
#endif

namespace orvelo {

#ifdef ORVELO_X86_VECTOR_STATE

namespace {

// Built for AVX on its own, so that nothing else is: it only runs where the processor has AVX.
__attribute__((target("avx"))) void ZeroUpperHalves()
{
    _mm256_zeroupper();
}

} // namespace

void ClearUpperVectorState()
{
    __builtin_cpu_init();
    // True only when the system also saves the AVX registers (otherwise the instruction would fault).
    if (__builtin_cpu_supports("avx"))
        ZeroUpperHalves();
}

#else

void ClearUpperVectorState() {}

#endif

} // namespace orvelo
