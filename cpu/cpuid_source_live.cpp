// CPUID and the EFLAGS toggle tests on the processor we run on.
#include "cpu/cpuid_source.h"

#if !defined(__x86_64__) && !defined(__i386__)
#error "Kestrune reads the CPUID instruction and builds for x86 (i386 or x86-64) only"
#endif

namespace kest {

namespace {

// Tries to flip the EFLAGS bits in `mask`: saves EFLAGS, writes it back with
// the bits inverted, reads it again and restores the saved value. Returns
// the bits of `mask` that actually changed. Every flag is as it was after.
uintptr_t ToggleEflags(uintptr_t mask) {
    uintptr_t before = 0, after = 0;
#if defined(__x86_64__)
    // The pushes below would overwrite the red zone under the stack pointer
    // where the compiler may keep locals; step over it first (lea leaves the
    // flags alone).
    asm volatile(
        "lea -128(%%rsp), %%rsp\n\t"
        "pushfq\n\t"             // the saved copy, restored at the end
        "pushfq\n\t"
        "popq %0\n\t"            // first read
        "movq %0, %1\n\t"
        "xorq %2, %1\n\t"        // flip the bits
        "pushq %1\n\t"
        "popfq\n\t"              // write
        "pushfq\n\t"
        "popq %1\n\t"            // second read
        "popfq\n\t"              // restore the saved copy
        "lea 128(%%rsp), %%rsp\n\t"
        : "=&r"(before), "=&r"(after)
        : "r"(mask)
        : "cc", "memory");
#else
    asm volatile(
        "pushfl\n\t"
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl %2, %1\n\t"
        "pushl %1\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %1\n\t"
        "popfl\n\t"
        : "=&r"(before), "=&r"(after)
        : "r"(mask)
        : "cc", "memory");
#endif
    return (before ^ after) & mask;
}

constexpr uintptr_t kIdFlag = 0x200000;  // bit 21: CPUID exists
constexpr uintptr_t kAcFlag = 0x40000;   // bit 18: alignment check, 486 and later

class LiveCpuidSource final : public CpuidSource {
public:
    bool HasCpuid() override { return ToggleEflags(kIdFlag) == kIdFlag; }
    bool Is486() override { return ToggleEflags(kAcFlag) == kAcFlag; }

    CpuidRegs Query(uint32_t leaf, uint32_t subleaf) override {
        // EAX = leaf, ECX = sub-leaf, EBX and EDX zeroed; all four kept.
        uint32_t a = leaf, b = 0, c = subleaf, d = 0;
        asm volatile("cpuid" : "+a"(a), "+b"(b), "+c"(c), "+d"(d));
        return CpuidRegs{a, b, c, d};
    }
};

}  // namespace

std::unique_ptr<CpuidSource> MakeLiveCpuidSource() { return std::make_unique<LiveCpuidSource>(); }

}  // namespace kest
