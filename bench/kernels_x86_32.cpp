// The throughput test's measuring loops for 32-bit x86: the same loop shape
// as the 64-bit ones in kernels.cpp (one 32-bit access, add, dec, jnz on a
// 32-byte boundary, rdtsc around it), with the start count kept in memory
// because rdtsc takes both EAX and EDX and few registers remain.
#include "bench/kernels.h"

extern "C" {

uint64_t kest_timed_copy(uint32_t* words, size_t n) {
    if (n == 0) return 0;
    uint32_t start_lo, start_hi, end_lo, end_hi;
    asm volatile(
        "rdtsc\n\t"
        "movl %%eax, %[slo]\n\t"
        "movl %%edx, %[shi]\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "movl (%[p]), %%ecx\n\t"
        "movl %%ecx, (%[p])\n\t"
        "addl $4, %[p]\n\t"
        "decl %[n]\n\t"
        "jnz 1b\n\t"
        "rdtsc\n\t"
        : [slo] "=m"(start_lo), [shi] "=m"(start_hi), "=&a"(end_lo), "=&d"(end_hi), [p] "+r"(words), [n] "+r"(n)
        :
        : "ecx", "memory", "cc");
    return ((uint64_t(end_hi) << 32) | end_lo) - ((uint64_t(start_hi) << 32) | start_lo);
}

uint64_t kest_timed_read(const uint32_t* words, size_t n) {
    if (n == 0) return 0;
    uint32_t start_lo, start_hi, end_lo, end_hi;
    asm volatile(
        "rdtsc\n\t"
        "movl %%eax, %[slo]\n\t"
        "movl %%edx, %[shi]\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "movl (%[p]), %%ecx\n\t"
        "addl $4, %[p]\n\t"
        "decl %[n]\n\t"
        "jnz 1b\n\t"
        "rdtsc\n\t"
        : [slo] "=m"(start_lo), [shi] "=m"(start_hi), "=&a"(end_lo), "=&d"(end_hi), [p] "+r"(words), [n] "+r"(n)
        :
        : "ecx", "memory", "cc");
    return ((uint64_t(end_hi) << 32) | end_lo) - ((uint64_t(start_hi) << 32) | start_lo);
}

uint64_t kest_timed_write(uint32_t* words, size_t n, uint32_t v) {
    if (n == 0) return 0;
    uint32_t start_lo, start_hi, end_lo, end_hi;
    asm volatile(
        "rdtsc\n\t"
        "movl %%eax, %[slo]\n\t"
        "movl %%edx, %[shi]\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "movl %[v], (%[p])\n\t"
        "addl $4, %[p]\n\t"
        "decl %[n]\n\t"
        "jnz 1b\n\t"
        "rdtsc\n\t"
        : [slo] "=m"(start_lo), [shi] "=m"(start_hi), "=&a"(end_lo), "=&d"(end_hi), [p] "+r"(words), [n] "+r"(n)
        : [v] "r"(v)
        : "memory", "cc");
    return ((uint64_t(end_hi) << 32) | end_lo) - ((uint64_t(start_hi) << 32) | start_lo);
}

}  // extern "C"
