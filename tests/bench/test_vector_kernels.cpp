// The vector loops: what they do to memory at every width this machine
// has, what the processor runs, and which width a machine gets.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <regex>
#include <string>

#include "disassembly.h"
#include "bench/vector_kernels.h"
#include "cpu/cpuid_bits.h"

namespace kest {
namespace {

// A block with 1 KB of guard bytes on either side, all on 64-byte
// boundaries.
struct GuardedBlock {
    static constexpr size_t kGuard = 1024;
    explicit GuardedBlock(size_t bytes) : size(bytes), all(static_cast<uint8_t*>(::operator new(bytes + 2 * kGuard, std::align_val_t{64}))) {}
    ~GuardedBlock() { ::operator delete(all, std::align_val_t{64}); }
    uint8_t* block() { return all + kGuard; }
    size_t Total() const { return size + 2 * kGuard; }
    size_t size;
    uint8_t* all;
};

size_t ChangedBytes(const uint8_t* a, const uint8_t* b, size_t n) {
    size_t c = 0;
    for (size_t i = 0; i < n; ++i) c += a[i] != b[i];
    return c;
}

TEST(VectorKernels, TouchExactlyTheBytesTheyClaimAtEveryWidth) {
    const VectorWidth widest = ChooseVectorWidth(*MakeLiveMachine());
    if (widest == VectorWidth::None) GTEST_SKIP() << "no SSE2";
    const size_t bytes = 3 * kVectorBlockStep;
    for (VectorWidth w : WidthsUpTo(widest)) {
        SCOPED_TRACE(std::string(VectorWidthName(w)));
        const VectorKernels& k = KernelsFor(w);
        GuardedBlock g(bytes);
        std::vector<uint8_t> before(g.Total());

        // Write: every byte of the block and nothing else (0xA5 differs from
        // every byte of the value).
        std::memset(g.all, 0xA5, g.Total());
        std::memcpy(before.data(), g.all, g.Total());
        EXPECT_GT(k.write(g.block(), bytes, 2, 0x12345678u), 0u);
        EXPECT_EQ(ChangedBytes(before.data(), g.all, g.Total()), bytes);
        for (size_t i = 0; i < bytes; i += 4) {
            uint32_t word;
            std::memcpy(&word, g.block() + i, 4);
            ASSERT_EQ(word, 0x12345678u) << i;
        }

        // Copy: the second half becomes the first; every byte of the halves
        // differs before, so exactly half the block changes.
        for (size_t i = 0; i < g.Total(); ++i) g.all[i] = static_cast<uint8_t>(i * 7 + 1);
        for (size_t i = 0; i < bytes / 2; ++i) g.block()[bytes / 2 + i] = static_cast<uint8_t>(~g.block()[i]);
        std::memcpy(before.data(), g.all, g.Total());
        EXPECT_GT(k.copy(g.block(), bytes, 3), 0u);
        EXPECT_EQ(ChangedBytes(before.data(), g.all, g.Total()), bytes / 2);
        EXPECT_EQ(std::memcmp(g.block(), g.block() + bytes / 2, bytes / 2), 0);

        // Read: the sum of the block's words, once per walk, and nothing
        // changed.
        uint32_t expected = 0;
        for (size_t i = 0; i < bytes; i += 4) {
            uint32_t word;
            std::memcpy(&word, g.block() + i, 4);
            expected += word;
        }
        std::memcpy(before.data(), g.all, g.Total());
        uint32_t sum = 0;
        EXPECT_GT(k.read(g.block(), bytes, 5, &sum), 0u);
        EXPECT_EQ(sum, expected * 5u);
        EXPECT_EQ(ChangedBytes(before.data(), g.all, g.Total()), 0u);
    }
}

using kest::disasm::Count;
using kest::disasm::Disassemble;

// The compiler keeps the loops as written: no string instructions or calls
// (a loop turned into memset or memcpy), no non-temporal stores, every
// access at the loop's own width and as many per step as written.
TEST(VectorKernels, EmittedLoopsUseTheirWidthAndNoStringInstructions) {
    struct Case { const char* width; const char* reg; };
    const Case widths[] = {{"sse2", "xmm"}, {"avx2", "ymm"}, {"avx512", "zmm"}};
    struct Loop { const char* kind; size_t accesses; };
    const Loop loops[] = {{"read", 8}, {"write", 8}, {"copy", 8}};
    const std::regex forbidden(R"(\b(rep|repz|repnz|call|jmp\s+[0-9a-f]+ <mem)|movs[bwlq]\b|stos[bwlq]?\b|movnt)");
    const std::regex rdtsc(R"(\brdtsc\b)");
    for (const Case& c : widths) {
        const std::regex access(std::string(R"(\n[^\n]*(\([^)]*\)[^\n]*%)") + c.reg + "|%" + c.reg +
                                R"([0-9]+,[^\n]*\())");
        for (const Loop& l : loops) {
            const std::string symbol = std::string("kest_vector_") + l.kind + "_" + c.width;
            const std::string dis = Disassemble(symbol);
            if (dis.find("<" + symbol + ">:") == std::string::npos)
                GTEST_SKIP() << "objdump not available or symbol missing";
            // A sanitizer build checks every access with a call of its own:
            // only an uninstrumented build shows the loop as it runs.
            if (dis.find("__asan") != std::string::npos || dis.find("__ubsan") != std::string::npos)
                GTEST_SKIP() << "loops instrumented by the sanitizers";
            SCOPED_TRACE(dis);
            EXPECT_EQ(Count(dis, forbidden), 0u) << symbol;
            ASSERT_EQ(Count(dis, rdtsc), 2u) << symbol;
            const size_t first = dis.find("rdtsc"), second = dis.find("rdtsc", first + 5);
            const std::string timed = dis.substr(first, second - first);
            EXPECT_EQ(Count(timed, access), l.accesses) << symbol;
        }
    }
}

// A scripted machine: only its vector support matters here.
class ScriptedMachine : public Machine {
public:
    explicit ScriptedMachine(VectorSupport s) : s_(s) {}
    void RaisePriority() override {}
    void RestorePriority() override {}
    void SleepMs(unsigned) override {}
    std::optional<uint64_t> ReadTsc() override { return 0; }
    uint64_t MonotonicNs() override { return 0; }
    VectorSupport ReadVectorSupport() override { return s_; }

private:
    VectorSupport s_;
};

// The widest width the processor has AND the operating system saves the
// registers of: a processor with AVX-512 under a system that does not
// enable its state must not get those loops (they would fault).
TEST(VectorKernels, WidthNeedsTheProcessorAndTheSystem) {
    using namespace cpuid_bit;
    constexpr uint32_t sse2 = kSse2.Mask(), osxsave = kOsxsave.Mask(), avx = kAvx.Mask(), avx2 = kAvx2.Mask(),
                       avx512f = kAvx512f.Mask();
    struct Case { uint32_t ecx, edx, ebx; uint64_t xcr0; VectorWidth want; const char* why; };
    const Case cases[] = {
        {osxsave | avx, sse2, avx2 | avx512f, 0xE7, VectorWidth::Avx512, "everything"},
        {osxsave | avx, sse2, avx2 | avx512f, 0x07, VectorWidth::Avx2, "no ZMM state"},
        {osxsave | avx, sse2, avx2 | avx512f, 0x67, VectorWidth::Avx2, "no Hi16_ZMM state"},
        {osxsave | avx, sse2, avx2 | avx512f, 0xA7, VectorWidth::Avx2, "no ZMM_Hi256 state"},
        {osxsave | avx, sse2, avx2 | avx512f, 0x03, VectorWidth::Sse2, "no YMM state"},
        {osxsave | avx, sse2, avx2 | avx512f, 0xE3, VectorWidth::Sse2, "ZMM but no YMM state"},
        {avx, sse2, avx2 | avx512f, 0xE7, VectorWidth::Sse2, "no OSXSAVE: XCR0 not to be trusted"},
        {osxsave, sse2, avx2 | avx512f, 0xE7, VectorWidth::Sse2, "no AVX"},
        {osxsave | avx, sse2, 0, 0xE7, VectorWidth::Sse2, "AVX without AVX2"},
        {osxsave | avx, sse2, avx512f, 0xE7, VectorWidth::Avx512, "AVX-512 without AVX2"},
        {osxsave | avx, 0, avx2 | avx512f, 0xE7, VectorWidth::None, "no SSE2"},
        {0, 0, 0, 0, VectorWidth::None, "nothing known"},
    };
    for (const Case& c : cases) {
        ScriptedMachine m({c.ecx, c.edx, c.ebx, c.xcr0});
        EXPECT_EQ(ChooseVectorWidth(m), c.want) << c.why;
    }
}

}  // namespace
}  // namespace kest
