// The measuring loops: what they do to memory, and what the processor runs.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "disassembly.h"
#include "bench/kernels.h"

namespace {

TEST(Kernels, TouchExactlyTheFirstNWords) {
    std::vector<uint32_t> buf(1024 * 3 + 2, 0xDEADBEEF);
    const size_t n = 1024 * 3;
    EXPECT_GT(kest_timed_write(buf.data(), n, 0x12345678u), 0u);
    for (size_t i = 0; i < n; ++i) ASSERT_EQ(buf[i], 0x12345678u) << i;
    EXPECT_EQ(buf[n], 0xDEADBEEFu);

    for (size_t i = 0; i < buf.size(); ++i) buf[i] = static_cast<uint32_t>(i * 2654435761u);
    const std::vector<uint32_t> before = buf;
    EXPECT_GT(kest_timed_copy(buf.data(), n), 0u);
    EXPECT_EQ(buf, before);  // loaded and stored back in place
    EXPECT_GT(kest_timed_read(buf.data(), n), 0u);
    EXPECT_EQ(buf, before);
}

TEST(Kernels, NothingToDoForNoWords) {
    uint32_t w = 7;
    EXPECT_EQ(kest_timed_write(&w, 0, 1), 0u);
    EXPECT_EQ(kest_timed_copy(&w, 0), 0u);
    EXPECT_EQ(kest_timed_read(&w, 0), 0u);
    EXPECT_EQ(w, 7u);
}

using kest::disasm::Count;
using kest::disasm::Disassemble;

// The instructions between the two counter reads: the timed loop.
std::string TimedPart(const std::string& dis) {
    const size_t first = dis.find("rdtsc");
    const size_t second = first == std::string::npos ? first : dis.find("rdtsc", first + 5);
    if (second == std::string::npos) return {};
    const size_t begin = dis.find('\n', first);
    std::istringstream lines(dis.substr(begin, dis.rfind('\n', second) - begin));
    // Alignment padding: the nop forms, and xchg %ax,%ax (66 90).
    static const std::regex padding(R"(\bnop|xchg\s+%ax,%ax)");
    std::string part, line;
    while (std::getline(lines, line))
        if (!std::regex_search(line, padding)) part += "\n" + line;
    return part;
}

// One plain 32-bit access per step: no string instructions, no MMX/SSE/AVX
// registers, nothing timed but the access, the pointer step, the count and
// one backward branch.
TEST(Kernels, EmittedLoopIsOneWordPerStep) {
    struct Case { const char* symbol; size_t loads; size_t stores; };
    const Case cases[] = {{"kest_timed_copy", 1, 1}, {"kest_timed_read", 1, 0}, {"kest_timed_write", 0, 1}};
    const std::regex forbidden(R"(\b(rep|repz|repnz|movs[bwlq]?|stos[bwlq]?|lods[bwlq]?|scas[bwlq]?)\b|%[xyz]?mm[0-9])");
    const std::regex load32(R"(\bmov\s+\(%r[a-z0-9]+\),%e[a-z0-9]+)");
    const std::regex store32(R"(\bmov\s+%e[a-z0-9]+,\(%r[a-z0-9]+\))");
    const std::regex any_memory(R"(\()");
    const std::regex instruction(R"(\n\s+[0-9a-f]+:\s)");
    const std::regex rdtsc(R"(\brdtsc\b)");
    for (const auto& c : cases) {
        const std::string dis = Disassemble(c.symbol);
        if (dis.find(std::string("<") + c.symbol + ">:") == std::string::npos)
            GTEST_SKIP() << "objdump not available or symbol missing";
        SCOPED_TRACE(dis);
        EXPECT_EQ(Count(dis, forbidden), 0u) << c.symbol;
        EXPECT_EQ(Count(dis, rdtsc), 2u) << c.symbol;
        const std::string loop = TimedPart(dis);
        EXPECT_EQ(Count(loop, load32), c.loads) << c.symbol;
        EXPECT_EQ(Count(loop, store32), c.stores) << c.symbol;
        EXPECT_EQ(Count(loop, any_memory), c.loads + c.stores) << c.symbol;
        // Counter assembly (shl, or, mov) + accesses + add, dec, jne.
        EXPECT_EQ(Count(loop, instruction), 3 + c.loads + c.stores + 3) << c.symbol;
        EXPECT_NE(loop.find("jne"), std::string::npos) << c.symbol;
    }
}

}  // namespace
