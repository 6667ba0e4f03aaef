#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cpu/cpuid_dump.h"
#include "cpu/cpuid_pass.h"

namespace kest {
namespace {

CpuidRegs Q(CpuidSource& s, uint32_t leaf, uint32_t sub = 0) { return s.Query(leaf, sub); }

std::string ErrorOf(std::string_view text, const std::string& name = "dump.txt") {
    try {
        ParseCpuidDump(text, name);
    } catch (const DumpError& e) {
        return e.what();
    }
    return "(no error)";
}

// AIDA64 style, two processors, notes, sub-leaves and the trailer some
// collections append after a rule of dashes.
constexpr std::string_view kAida =
    "------[ Versions ]------\r\n"
    "Program Version : 6.92\r\n"
    "\r\n"
    "------[ CPUID Registers / Logical CPU #0 ]------\r\n"
    "CPUID 00000000: 00000020-756E6547-6C65746E-49656E69 [GenuineIntel]\r\n"
    "CPUID 00000001: 00090672-00200800-7FFAFBBF-BFEBFBFF\r\n"
    "CPUID 00000004: 3C004121-02C0003F-0000003F-00000000 [SL 00] [L1D: 48 KB]\r\n"
    "CPUID 00000004: 3C004122-01C0003F-0000003F-00000000 [SL 01] [L1I: 32 KB]\r\n"
    "CPUID 00000004: 3C004143-0240003F-000007FF-00000000 [SL 02] [L2U: 1280 KB]\r\n"
    "CPUID 0000000D: 000002E7-00000A80-00000A88-00000000 [SL 00] [x87]\r\n"
    "CPUID 0000000D: 00000010-00000000-00000001-00000000 [SL 0B]\r\n"
    "CPUID 80000000: 80000008-00000000-00000000-00000000\r\n"
    "CPUID 80000006: 00000000-00000000-05007040-00000000 [L2: 1280 KB] / L3: 0 KB]\r\n"
    "CPUID 8FFFFFFF: 53275449-4d414820-2052454d-454d4954\r\n"
    "CPUID c0000000: c0000001-00000000-00000000-00000000\r\n"
    "------[ CPUID Registers / Logical CPU #1 ]------\r\n"
    "CPUID 00000000: 00000020-756E6547-6C65746E-49656E69 [GenuineIntel]\r\n"
    "CPUID 00000001: 00090672-01200800-7FFAFBBF-BFEBFBFF\r\n"
    "CPUID 00000002: 11111111-11111111-11111111-11111111\r\n"
    "--------------------------------------------------------------------------------\r\n"
    "x86\r\n"
    "15\r\n"
    "-1 (non-authoritative)\r\n"
    "Core i5 (Alder Lake-S)\r\n";

TEST(CpuidDump, AidaFormatFirstProcessorOnly) {
    auto src = ParseCpuidDump(kAida, "aida.txt");
    EXPECT_TRUE(src->HasCpuid());
    EXPECT_EQ(Q(*src, 0), (CpuidRegs{0x20, 0x756E6547, 0x6C65746E, 0x49656E69}));
    EXPECT_EQ(Q(*src, 1).ebx, 0x00200800u);  // processor #0's APIC id, not #1's
    EXPECT_EQ(Q(*src, 2), CpuidRegs{});       // only processor #1 has it
    EXPECT_EQ(Q(*src, 4, 2), (CpuidRegs{0x3C004143, 0x0240003F, 0x7FF, 0}));
    EXPECT_EQ(Q(*src, 0xD, 0xB).eax, 0x10u);  // [SL 0B] is hexadecimal
    EXPECT_EQ(Q(*src, 0xD, 1), CpuidRegs{});
    EXPECT_EQ(Q(*src, 0x80000006).ecx, 0x05007040u);
    EXPECT_EQ(Q(*src, 0x8FFFFFFF), (CpuidRegs{0x53275449, 0x4D414820, 0x2052454D, 0x454D4954}));
    EXPECT_EQ(Q(*src, 0xC0000000).eax, 0xC0000001u);
    EXPECT_EQ(Q(*src, 0x80000001), CpuidRegs{});  // missing: zeros
}

// Older AIDA64/Everest dumps: no colon, blanks and a tab before the registers.
TEST(CpuidDump, AidaWithoutColonAfterTheLeaf) {
    auto src = ParseCpuidDump("CPUID Registers (CPU #1):\r\n"
                              "CPUID 00000000  \t00000005-68747541-444D4163-69746E65\r\n"
                              "CPUID 00000001\t00100F52-00040800-00802009-178BFBFF\r\n"
                              "CPUID 00000004 : 3C004121-02C0003F-0000003F-00000000 [SL 01]\r\n"
                              "CPUID Registers (CPU #2):\r\n"
                              "CPUID 00000001  \t11111111-00040800-00802009-178BFBFF\r\n",
                              "everest.txt");
    EXPECT_EQ(Q(*src, 0), (CpuidRegs{5, 0x68747541, 0x444D4163, 0x69746E65}));
    EXPECT_EQ(Q(*src, 1).eax, 0x00100F52u);
    EXPECT_EQ(Q(*src, 4, 1).eax, 0x3C004121u);
}

TEST(CpuidDump, TrailerAfterARuleOfDashesIsIgnored) {
    for (const char* first : {"CPUID 00000000: 00000001-68747541-444D4163-69746E65\n",
                              "basic_cpuid[0]=00000001 68747541 444d4163 69746e65\n"}) {
        const std::string text = std::string("----------\n") + first +
                                 "--------------------------------------------------------------------------------\n"
                                 "x86\n-1\n64 (non-authoritative)\nK5 (SSA/5)\nfpu vme de pse\n"
                                 "CPUID 00000000: not a record any more\n";
        auto src = ParseCpuidDump(text, "t.txt");
        EXPECT_EQ(Q(*src, 0).ebx, 0x68747541u);
    }
}

TEST(CpuidDump, RepeatedLeafWithoutSubleafNoteIsTheNextSubleaf) {
    auto src = ParseCpuidDump(
        "CPUID 00000000: 0000000A-756E6547-6C65746E-49656E69\n"
        "CPUID 00000004: 04000121-01C0003F-0000003F-00000001\n"
        "CPUID 00000004: 04000122-01C0003F-0000003F-00000001\n"
        "CPUID 00000004: 04004143-03C0003F-00000FFF-00000001\n"
        "CPUID 00000004: 00000000-00000000-00000000-00000000\n"
        "CPUID 0000000B: 00000001-00000002-00000100-00000000 [SL 05]\n"
        "CPUID 0000000B: 00000004-00000004-00000201-00000000\n",
        "old.txt");
    EXPECT_EQ(Q(*src, 4, 0).eax, 0x04000121u);
    EXPECT_EQ(Q(*src, 4, 1).eax, 0x04000122u);
    EXPECT_EQ(Q(*src, 4, 2).eax, 0x04004143u);
    EXPECT_EQ(Q(*src, 0xB, 6).eax, 4u);  // after [SL 05]

    const CpuidData d = RunCpuidPass(*src);
    ASSERT_EQ(d.leaf4.size(), 3u);
    EXPECT_EQ(d.leaf4[2].ecx, 0xFFFu);
}

TEST(CpuidDump, EachProcessorHeaderStartsAProcessor) {
    const std::pair<const char*, const char*> headers[] = {
        {"------[ Logical CPU #0 ]------", "------[ Logical CPU #1 ]------"},
        {"------[ CPUID Registers / Logical CPU #0 ]------", "------[ CPUID Registers / Logical CPU #1 ]------"},
        {"CPUID Registers (CPU #1):", "CPUID Registers (CPU #2):"},
        {"CPU#000 AffMask: 0x00000001", "CPU#001 AffMask: 0x00000002"},
        {"____ Logical CPU #0 ____", "____ Logical CPU #1 ____"},
        {"_________________ Logical CPU #0 _________________", "_________________ Logical CPU #1 _________________"},
    };
    for (const auto& [first, second] : headers) {
        SCOPED_TRACE(first);
        const std::string text = std::string("Some tool 1.0\n") + first +
                                 "\nCPUID 00000000: 00000001-68747541-444D4163-69746E65\n"
                                 "CPUID 00000001: 00000F29-00000000-00000000-00000000\n" +
                                 second +
                                 "\nCPUID 00000000: 00000001-68747541-444D4163-69746E65\n"
                                 "CPUID 00000001: 00000F2A-01000000-00000000-00000000\n";
        auto src = ParseCpuidDump(text, "h.txt");
        EXPECT_EQ(Q(*src, 1).eax, 0x00000F29u);
    }
}

constexpr std::string_view kLibcpuid =
    "version=0.6.4\n"
    "\n"
    "_________________ Logical CPU #0 _________________\n"
    "basic_cpuid[0]=00000005 756e6547 6c65746e 49656e69\n"
    "basic_cpuid[1]=00000f29 00020800 00000000 bfebfbff\n"
    "basic_cpuid[4]=deadbeef 00000000 00000000 00000000\n"
    "ext_cpuid[0]=80000008 00000000 00000000 00000000\n"
    "ext_cpuid[6]=00000000 00000000 02008140 00000000\n"
    "intel_fn4[0]=04000121 01c0003f 0000003f 00000001\n"
    "intel_fn4[1]=04000122 01c0003f 0000003f 00000001\n"
    "intel_fn11[1]=00000004 00000004 00000201 00000000\n"
    "amd_fn8000001dh[3]=00004163 03c0003f 00007fff 00000001\n"
    "cpu_clock=2400\n"
    "cpu_clock_measure=2399\n"
    "\n"
    "_________________ Logical CPU #1 _________________\n"
    "basic_cpuid[0]=00000099 756e6547 6c65746e 49656e69\n";

TEST(CpuidDump, LibcpuidFormat) {
    auto src = ParseCpuidDump(kLibcpuid, "raw.txt");
    EXPECT_EQ(Q(*src, 0).eax, 5u);  // processor #1's 0x99 is not read
    EXPECT_EQ(Q(*src, 1), (CpuidRegs{0x00000F29, 0x00020800, 0, 0xBFEBFBFF}));
    EXPECT_EQ(Q(*src, 0x80000006).ecx, 0x02008140u);
    EXPECT_EQ(Q(*src, 4, 0).eax, 0x04000121u);  // intel_fn4[0] replaces basic_cpuid[4]
    EXPECT_EQ(Q(*src, 4, 1).eax, 0x04000122u);
    EXPECT_EQ(Q(*src, 0xB, 1).ecx, 0x201u);
    EXPECT_EQ(Q(*src, 0x8000001D, 3).eax, 0x00004163u);

    const CpuidData d = RunCpuidPass(*src);
    EXPECT_EQ(d.vendorst, "GenuineIntel");
    EXPECT_EQ(d.signature, "00000F29");
    EXPECT_EQ(d.leaf4.size(), 2u);
    EXPECT_EQ(d.ext6.sizekb, 512);
}

constexpr std::string_view kCpuidTool =
    "CPU 0:\n"
    "   0x00000000 0x00: eax=0x0000000d ebx=0x68747541 ecx=0x444d4163 edx=0x69746e65\n"
    "   0x00000001 0x00: eax=0x00a00f11 ebx=0x00020800 ecx=0xfffa3203 edx=0x178bfbff\n"
    "   0x0000000b 0x01: eax=0x00000005 ebx=0x00000002 ecx=0x00000201 edx=0x00000001\n"
    "   0x80000000 0x00: eax=0x8000001d ebx=0x68747541 ecx=0x444d4163 edx=0x69746e65\n"
    "   0x8000001d 0x00: eax=0x00000121 ebx=0x01c0003f ecx=0x0000003f edx=0x00000000\n"
    "   0x8000001d 0x01: eax=0x00000122 ebx=0x01c0003f ecx=0x0000003f edx=0x00000000\n"
    "   0x8000001d 0x02: eax=0x00000000 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n"
    "CPU 1:\n"
    "   0x00000000 0x00: eax=0x0000000d ebx=0x68747541 ecx=0x444d4163 edx=0x69746e65\n"
    "   0x00000001 0x00: eax=0x00a00f11 ebx=0x01020800 ecx=0xfffa3203 edx=0x178bfbff\n";

TEST(CpuidDump, CpuidToolRawFormat) {
    auto src = ParseCpuidDump(kCpuidTool, "r.txt");
    EXPECT_EQ(Q(*src, 1).ebx, 0x00020800u);
    EXPECT_EQ(Q(*src, 0xB, 1).eax, 5u);
    const CpuidData d = RunCpuidPass(*src);
    EXPECT_EQ(d.vendorst, "AuthenticAMD");
    EXPECT_EQ(d.apic__id, 0);
    ASSERT_EQ(d.leaf8000001d.size(), 2u);
    EXPECT_EQ(d.leaf8000001d[1].eax, 0x122u);

    // cpuid -1 -r heads its single processor with "CPU:".
    auto one = ParseCpuidDump("CPU:\n   0x00000000 0x00: eax=0x00000001 ebx=0x1 ecx=0x2 edx=0x3\n", "one.txt");
    EXPECT_EQ(Q(*one, 0), (CpuidRegs{1, 1, 2, 3}));
}

// Leaf 7's second sub-leaf in each format that carries it: an AIDA64 "[SL 01]"
// note, a repeated AIDA64 line without a note, and cpuid -r's sub-leaf column.
TEST(CpuidDump, LeafSevenSubleafOneInEveryFormat) {
    const char* dumps[] = {
        "CPUID 00000000: 00000007-756E6547-6C65746E-49656E69\n"
        "CPUID 00000007: 00000001-00000011-00000022-00000033 [SL 00]\n"
        "CPUID 00000007: 00000044-00000000-00000000-00000000 [SL 01]\n",
        "CPUID 00000000: 00000007-756E6547-6C65746E-49656E69\n"
        "CPUID 00000007: 00000001-00000011-00000022-00000033\n"
        "CPUID 00000007: 00000044-00000000-00000000-00000000\n",
        "   0x00000000 0x00: eax=0x00000007 ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
        "   0x00000007 0x00: eax=0x00000001 ebx=0x00000011 ecx=0x00000022 edx=0x00000033\n"
        "   0x00000007 0x01: eax=0x00000044 ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n",
    };
    for (const char* text : dumps) {
        const CpuidData d = RunCpuidPass(*ParseCpuidDump(text, "dump.txt"));
        EXPECT_EQ(d.l7s0_ebx, 0x11u) << text;
        EXPECT_EQ(d.l7s0_ecx, 0x22u) << text;
        EXPECT_EQ(d.l7s0_edx, 0x33u) << text;
        EXPECT_EQ(d.l7s1_eax, 0x44u) << text;
    }
}

TEST(CpuidDump, MalformedLinesNameFileAndLine) {
    struct Case {
        const char* text;
        const char* where;
    };
    const Case cases[] = {
        {"CPUID 00000000: 00000001-68747541-444D4163\n", "d.txt:1: "},                       // three registers
        {"\nCPUID 00000000: 00000001-6874754G-444D4163-69746E65\n", "d.txt:2: "},           // not hex
        {"CPUID 00000000: 00000001-168747541-444D4163-69746E65\n", "d.txt:1: "},            // 9 digits
        {"CPUID 0000000: 1-2-3-4\nCPUID 1 \t2-3-4\n", "d.txt:2: "},                       // no colon, 3 registers
        {"CPUID 00000000: 00000001-68747541-444D4163-69746E65 trailing\n", "d.txt:1: "},    // unbracketed text
        {"CPUID 00000004: 1-2-3-4 [SL zz]\n", "d.txt:1: "},
        {"CPUID 00000000: 1-2-3-4\nsomething odd\n", "d.txt:2: "},                         // free text inside
        {"CPUID 00000000: 1-2-3-4\n   0x00000001 0x00: eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n", "d.txt:2: "},  // mixed
        {"basic_cpuid[x]=1 2 3 4\n", "d.txt:1: "},
        {"basic_cpuid[1]=00000001 00000002 00000003\n", "d.txt:1: "},
        {"version=0.6\nintel_fn4[2]=1 2 3 4 5\n", "d.txt:2: "},
        {"CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2 ecx=0x3\n", "d.txt:2: "},
        {"CPU:\n   0x00000000 0x00 eax=0x1 ebx=0x2 ecx=0x3 edx=0x4\n", "d.txt:2: "},
        {"CPU:\n   0x00000000 0x00: eax=1 ebx=0x2 ecx=0x3 edx=0x4\n", "d.txt:2: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ErrorOf(c.text, "d.txt").rfind(c.where, 0), 0u) << ErrorOf(c.text, "d.txt");
    }
}

TEST(CpuidDump, FilesWithoutRecordsAreErrors) {
    for (const char* text : {"", "\n\n", "------[ Logical CPU #0 ]------\n",
                             "version=0.6.4\ncpu_clock=100\n", "Just some notes\nmore notes\n",
                             "------[ Logical CPU #0 ]------\n------[ Logical CPU #1 ]------\n"
                             "CPUID 00000000: 1-2-3-4\n"}) {
        SCOPED_TRACE(text);
        const std::string err = ErrorOf(text, "e.txt");
        EXPECT_EQ(err.rfind("e.txt: ", 0), 0u) << err;
    }
}

TEST(CpuidDump, LoadsFromFile) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::string good = (dir / "kest_cpuid_dump_good.txt").string();
    const std::string bad = (dir / "kest_cpuid_dump_bad.txt").string();
    std::ofstream(good, std::ios::binary) << kLibcpuid;
    std::ofstream(bad, std::ios::binary) << "CPUID 00000000: 00000001-68747541-444D4163-69746E65\n"
                                            "CPUID 00000001: oops\n";
    EXPECT_EQ(Q(*LoadCpuidDump(good), 1).eax, 0x00000F29u);
    try {
        LoadCpuidDump(bad);
        ADD_FAILURE() << "no error for a malformed file";
    } catch (const DumpError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(bad + ":2: ", 0), 0u) << e.what();
    }
    std::remove(good.c_str());
    std::remove(bad.c_str());

    const std::string missing = (dir / "kest_cpuid_dump_missing.txt").string();
    try {
        LoadCpuidDump(missing);
        ADD_FAILURE() << "no error for a missing file";
    } catch (const DumpError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(missing + ": ", 0), 0u) << e.what();
    }
}

// Every real dump of the project's corpus loads, and so do those of the
// shared collection where it lies next to the checkout.
TEST(CpuidDump, EveryRealDumpLoads) {
    int loaded = 0;
    std::string dirs = KEST_DUMP_DIRS;
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find('|', start);
        if (end == std::string::npos) end = dirs.size();
        const std::filesystem::path dir = dirs.substr(start, end - start);
        start = end + 1;
        if (!std::filesystem::is_directory(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() != ".txt") continue;
            SCOPED_TRACE(entry.path().string());
            std::unique_ptr<CpuidSource> src;
            try {
                src = LoadCpuidDump(entry.path().string());
            } catch (const DumpError& e) {
                ADD_FAILURE() << e.what();
                continue;
            }
            const CpuidData d = RunCpuidPass(*src);
            EXPECT_GT(d.maxcpuid, 0u);
            EXPECT_EQ(d.vendorst.size(), 12u);
            ++loaded;
        }
    }
    EXPECT_GE(loaded, 70) << "the project's own dumps: the fuzz seeds and the processor corpus";
}

}  // namespace
}  // namespace kest
