// Measuring loops of the throughput test (x86-64, AT&T syntax).
//
// Loop shape, the same for the three tests:
//     rdtsc                 ; start
//  1: <one 32-bit access>   ; copy: load + store back, read: load, write: store
//     add  $4, ptr
//     dec  count
//     jnz  1b
//     rdtsc                 ; end
// The assembler text is the loop the processor runs: no string instructions,
// no MMX/SSE, one word per step. The loop starts on a 32-byte boundary: a
// loop this short that straddles a 64-byte line of the instruction fetch
// runs at half speed on some processors, and its place would otherwise
// depend on where the linker puts the function. tests/bench/test_kernels.cpp disassembles
// these functions to keep it that way.
#include "bench/kernels.h"

#if !defined(__x86_64__)
#error "the throughput kernels are written for x86-64"
#endif

extern "C" {

uint64_t kest_timed_copy(uint32_t* words, size_t n) {
    if (n == 0) return 0;
    uint64_t start, end;
    asm volatile(
        "rdtsc\n\t"
        "shlq $32, %%rdx\n\t"
        "orq %%rdx, %%rax\n\t"
        "movq %%rax, %[start]\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "movl (%[p]), %%ecx\n\t"
        "movl %%ecx, (%[p])\n\t"
        "addq $4, %[p]\n\t"
        "decq %[n]\n\t"
        "jnz 1b\n\t"
        "rdtsc\n\t"
        "shlq $32, %%rdx\n\t"
        "orq %%rdx, %%rax\n\t"
        : [start] "=&r"(start), "=&a"(end), [p] "+r"(words), [n] "+r"(n)
        :
        : "rcx", "rdx", "memory", "cc");
    return end - start;
}

uint64_t kest_timed_read(const uint32_t* words, size_t n) {
    if (n == 0) return 0;
    uint64_t start, end;
    asm volatile(
        "rdtsc\n\t"
        "shlq $32, %%rdx\n\t"
        "orq %%rdx, %%rax\n\t"
        "movq %%rax, %[start]\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "movl (%[p]), %%ecx\n\t"
        "addq $4, %[p]\n\t"
        "decq %[n]\n\t"
        "jnz 1b\n\t"
        "rdtsc\n\t"
        "shlq $32, %%rdx\n\t"
        "orq %%rdx, %%rax\n\t"
        : [start] "=&r"(start), "=&a"(end), [p] "+r"(words), [n] "+r"(n)
        :
        : "rcx", "rdx", "memory", "cc");
    return end - start;
}

uint64_t kest_timed_write(uint32_t* words, size_t n, uint32_t v) {
    if (n == 0) return 0;
    uint64_t start, end;
    asm volatile(
        "rdtsc\n\t"
        "shlq $32, %%rdx\n\t"
        "orq %%rdx, %%rax\n\t"
        "movq %%rax, %[start]\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "movl %[v], (%[p])\n\t"
        "addq $4, %[p]\n\t"
        "decq %[n]\n\t"
        "jnz 1b\n\t"
        "rdtsc\n\t"
        "shlq $32, %%rdx\n\t"
        "orq %%rdx, %%rax\n\t"
        : [start] "=&r"(start), "=&a"(end), [p] "+r"(words), [n] "+r"(n)
        : [v] "r"(v)
        : "rdx", "memory", "cc");
    return end - start;
}

}  // extern "C"
