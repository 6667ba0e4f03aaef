#include "cpu/cpuid_bits.h"
#include "cpu/machine.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace kest {
namespace {

#if defined(__x86_64__) || defined(__i386__)
// XGETBV with ECX = 0, written out so that no target option is needed.
uint64_t Xgetbv0() {
    uint32_t eax = 0, edx = 0;
    asm volatile("xgetbv" : "=a"(eax), "=d"(edx) : "c"(0));
    return (uint64_t{edx} << 32) | eax;
}
#endif

}  // namespace

VectorSupport ReadVectorSupportHere() {
    VectorSupport v;
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return v;
    v.leaf1_ecx = ecx;
    v.leaf1_edx = edx;
    if (__get_cpuid_max(0, nullptr) >= 7) {
        __cpuid_count(7, 0, eax, ebx, ecx, edx);
        v.leaf7_ebx = ebx;
    }
    // Without OSXSAVE the instruction faults.
    if (BitSet(v.leaf1_ecx, cpuid_bit::kOsxsave)) v.xcr0 = Xgetbv0();
#endif
    return v;
}

}  // namespace kest
