// The vector loops, one set per width, each function compiled for its own
// instruction set (the rest of the program keeps the baseline one, so it
// still runs where the wider units are missing). They build for i686 too.
//
// An empty asm statement on the pointer at every step keeps the loop as
// written: the compiler can neither re-roll nor merge its steps nor replace
// it with a library call (memset, memcpy: string instructions); one with a
// memory clobber around the counter reads keeps every access between them,
// and one after each walk keeps the walks from being merged.
#include "bench/vector_kernels.h"

#include <immintrin.h>
#include <x86intrin.h>

#include "cpu/cpuid_bits.h"

namespace kest {
namespace {

constexpr uint64_t kXcr0Ymm = 0x6;          // SSE and AVX state
constexpr uint64_t kXcr0Zmm = 0xE6;         // and opmask, ZMM_Hi256, Hi16_ZMM

inline uint64_t Counter() {
    asm volatile("" ::: "memory");
    const uint64_t t = __rdtsc();
    asm volatile("" ::: "memory");
    return t;
}

template <typename P>
inline void Opaque(P*& p) {
    asm volatile("" : "+r"(p));
}

// One set of loops. V is the register type; the operations are the
// intrinsics of that width. 8 registers per step for read and write, 4
// loads and 4 stores for copy.
#define KEST_VECTOR_LOOPS(NAME, TARGET, V, LOAD, STORE, STOREU, ADD, SET1, ZERO)           \
    __attribute__((target(TARGET))) uint64_t kest_vector_read_##NAME(const void* block, size_t bytes,    \
                                                       size_t reps, uint32_t* sum) {       \
        const V* const begin = static_cast<const V*>(block);                               \
        const V* const end = begin + bytes / sizeof(V);                                    \
        V a0 = ZERO(), a1 = ZERO(), a2 = ZERO(), a3 = ZERO();                              \
        const uint64_t start = Counter();                                                  \
        for (size_t r = 0; r < reps; ++r) {                                                \
            for (const V* p = begin; p != end; p += 8) {                                   \
                Opaque(p);                                                                 \
                a0 = ADD(a0, LOAD(p));                                                     \
                a1 = ADD(a1, LOAD(p + 1));                                                 \
                a2 = ADD(a2, LOAD(p + 2));                                                 \
                a3 = ADD(a3, LOAD(p + 3));                                                 \
                a0 = ADD(a0, LOAD(p + 4));                                                 \
                a1 = ADD(a1, LOAD(p + 5));                                                 \
                a2 = ADD(a2, LOAD(p + 6));                                                 \
                a3 = ADD(a3, LOAD(p + 7));                                                 \
            }                                                                              \
            asm volatile("" ::: "memory");                                                 \
        }                                                                                  \
        const uint64_t stop = Counter();                                                   \
        uint32_t lanes[sizeof(V) / 4];  /* unaligned: no over-aligned stack on Windows */  \
        STOREU(reinterpret_cast<V*>(lanes), ADD(ADD(a0, a1), ADD(a2, a3)));                \
        uint32_t s = 0;                                                                    \
        for (uint32_t lane : lanes) s += lane;                                             \
        *sum = s;                                                                          \
        return stop - start;                                                               \
    }                                                                                      \
    __attribute__((target(TARGET))) uint64_t kest_vector_write_##NAME(void* block, size_t bytes,         \
                                                        size_t reps, uint32_t value) {     \
        V* const begin = static_cast<V*>(block);                                           \
        V* const end = begin + bytes / sizeof(V);                                          \
        const V v = SET1(static_cast<int>(value));                                         \
        const uint64_t start = Counter();                                                  \
        for (size_t r = 0; r < reps; ++r) {                                                \
            for (V* p = begin; p != end; p += 8) {                                         \
                Opaque(p);                                                                 \
                STORE(p, v);                                                               \
                STORE(p + 1, v);                                                           \
                STORE(p + 2, v);                                                           \
                STORE(p + 3, v);                                                           \
                STORE(p + 4, v);                                                           \
                STORE(p + 5, v);                                                           \
                STORE(p + 6, v);                                                           \
                STORE(p + 7, v);                                                           \
            }                                                                              \
            asm volatile("" ::: "memory");                                                 \
        }                                                                                  \
        return Counter() - start;                                                          \
    }                                                                                      \
    __attribute__((target(TARGET))) uint64_t kest_vector_copy_##NAME(void* block, size_t bytes,          \
                                                       size_t reps) {                      \
        V* const begin = static_cast<V*>(block);                                           \
        V* const half = begin + bytes / 2 / sizeof(V);                                     \
        const size_t to = static_cast<size_t>(half - begin);                               \
        const uint64_t start = Counter();                                                  \
        for (size_t r = 0; r < reps; ++r) {                                                \
            for (V* p = begin; p != half; p += 4) {                                        \
                Opaque(p);                                                                 \
                const V x0 = LOAD(p), x1 = LOAD(p + 1), x2 = LOAD(p + 2), x3 = LOAD(p + 3); \
                STORE(p + to, x0);                                                         \
                STORE(p + to + 1, x1);                                                     \
                STORE(p + to + 2, x2);                                                     \
                STORE(p + to + 3, x3);                                                     \
            }                                                                              \
            asm volatile("" ::: "memory");                                                 \
        }                                                                                  \
        return Counter() - start;                                                          \
    }

}  // namespace

// Plain symbol names, so that tests/bench can disassemble them.
extern "C" {
KEST_VECTOR_LOOPS(sse2, "sse2", __m128i, _mm_load_si128, _mm_store_si128, _mm_storeu_si128, _mm_add_epi32,
                  _mm_set1_epi32, _mm_setzero_si128)
KEST_VECTOR_LOOPS(avx2, "avx2", __m256i, _mm256_load_si256, _mm256_store_si256, _mm256_storeu_si256,
                  _mm256_add_epi32, _mm256_set1_epi32, _mm256_setzero_si256)
KEST_VECTOR_LOOPS(avx512, "avx512f", __m512i, _mm512_load_si512, _mm512_store_si512, _mm512_storeu_si512,
                  _mm512_add_epi32, _mm512_set1_epi32, _mm512_setzero_si512)

}  // extern "C"

#undef KEST_VECTOR_LOOPS

namespace {

constexpr VectorKernels kSse2{kest_vector_read_sse2, kest_vector_write_sse2, kest_vector_copy_sse2};
constexpr VectorKernels kAvx2{kest_vector_read_avx2, kest_vector_write_avx2, kest_vector_copy_avx2};
constexpr VectorKernels kAvx512{kest_vector_read_avx512, kest_vector_write_avx512, kest_vector_copy_avx512};

}  // namespace

std::string_view VectorWidthName(VectorWidth w) {
    switch (w) {
        case VectorWidth::Sse2: return "SSE2";
        case VectorWidth::Avx2: return "AVX2";
        case VectorWidth::Avx512: return "AVX-512";
        case VectorWidth::None: break;
    }
    return {};
}

VectorWidth ChooseVectorWidth(const VectorSupport& s) {
    if (!BitSet(s.leaf1_edx, cpuid_bit::kSse2)) return VectorWidth::None;
    const bool xsave = BitSet(s.leaf1_ecx, cpuid_bit::kOsxsave);
    const bool ymm = xsave && (s.xcr0 & kXcr0Ymm) == kXcr0Ymm && BitSet(s.leaf1_ecx, cpuid_bit::kAvx);
    if (ymm && (s.xcr0 & kXcr0Zmm) == kXcr0Zmm && BitSet(s.leaf7_ebx, cpuid_bit::kAvx512f)) return VectorWidth::Avx512;
    if (ymm && BitSet(s.leaf7_ebx, cpuid_bit::kAvx2)) return VectorWidth::Avx2;
    return VectorWidth::Sse2;
}

std::vector<VectorWidth> WidthsUpTo(VectorWidth widest) {
    std::vector<VectorWidth> out;
    for (VectorWidth w : {VectorWidth::Sse2, VectorWidth::Avx2, VectorWidth::Avx512})
        if (static_cast<int>(w) <= static_cast<int>(widest)) out.push_back(w);
    return out;
}

const VectorKernels& KernelsFor(VectorWidth w) {
    switch (w) {
        case VectorWidth::Avx512: return kAvx512;
        case VectorWidth::Avx2: return kAvx2;
        default: return kSse2;
    }
}

}  // namespace kest
