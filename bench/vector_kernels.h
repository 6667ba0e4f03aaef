// Vector measuring loops of the throughput test, beside the word loops of
// bench/kernels.h: the same shape (counter, aligned loop, counter), but each
// step moves the widest register the processor and the operating system
// allow, several per step so that the load and store units stay busy. Plain
// loads and stores (no string instructions, no non-temporal stores): the
// point is what the caches deliver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cpu/machine.h"

namespace kest {

// Bytes of one register; None where the processor has no usable SSE2.
enum class VectorWidth : int { None = 0, Sse2 = 16, Avx2 = 32, Avx512 = 64 };

// "SSE2", "AVX2", "AVX-512"; empty for None.
std::string_view VectorWidthName(VectorWidth w);

// The widest width whose instructions the processor has and whose registers
// the operating system saves (XCR0: YMM state for AVX2; opmask, ZMM_Hi256
// and Hi16_ZMM state as well for AVX-512).
VectorWidth ChooseVectorWidth(const VectorSupport& s);
inline VectorWidth ChooseVectorWidth(Machine& m) { return ChooseVectorWidth(m.ReadVectorSupport()); }

// Every width from SSE2 up to `widest`.
std::vector<VectorWidth> WidthsUpTo(VectorWidth widest);

// A block handed to the loops starts on a 64-byte boundary and is a
// multiple of this many bytes long.
inline constexpr size_t kVectorBlockStep = 1024;

// Each loop walks the block `reps` times between the two counter reads and
// returns the counter difference; nothing is done for 0 bytes or 0 reps.
struct VectorKernels {
    // Loads every byte; *sum is the sum of the block's 32-bit words times
    // reps, modulo 2^32 (so that nothing is left for the compiler to drop).
    uint64_t (*read)(const void* block, size_t bytes, size_t reps, uint32_t* sum);
    // Stores v into every 32-bit word.
    uint64_t (*write)(void* block, size_t bytes, size_t reps, uint32_t v);
    // Copies the first half of the block into its second half: the block
    // size counts the bytes read and the bytes written, as the copy kernels
    // of other tools do.
    uint64_t (*copy)(void* block, size_t bytes, size_t reps);
};

// The loops of width w (None gives the SSE2 ones; call only with a width
// ChooseVectorWidth allows).
const VectorKernels& KernelsFor(VectorWidth w);

}  // namespace kest
