// Centaur/VIA and the small vendors' trees.
#include "ident_fixtures.h"

namespace kest::test {
namespace {

TEST(OtherVendors, Centaur) {
    constexpr const char* kC = "CentaurHauls";
    RunNameCases({
        {"WinChip model 5 has no row", kC, 0x0550, 0, {.familynote = "5: WinChip Family", .platform = "Socket 7"}},
        {"WinChip keeps Socket 7", kC, 0x0540, 0,
         {"5: WinChip Family", "Centaur WinChip", "C6", 1100, "", "", "Socket 7", "CMOS 0,35µm", "5.4M", "88 sqr. mm"}},
        {"C3 stepping 7 is Samuel", kC, 0x0677, 64,
         {"6: Cyrix-III/C3 Processors Family", "VIA C3 Processor", "Samuel (C5B)", 202, "", "", "", "CMOS 0,15µm", "15.2M",
          "52 sqr. mm"}},
        {"C3 stepping 8 is Ezra", kC, 0x0678, 64,
         {"6: Cyrix-III/C3 Processors Family", "VIA C3 Processor", "Ezra (C5C)", 202, "", "", "", "CMOS 0,13µm", "15.4M",
          "52 sqr. mm"}},
        {"family 7 is not listed", kC, 0x0790, 64, {}},
    });
}

TEST(OtherVendors, SmallVendors) {
    RunNameCases({
        {"Cyrix 6x86MX uses 805", "CyrixInstead", 0x0600, 0,
         {"", "Cyrix 6x86MX", "M2", 805, "", "", "", "CMOS 0,35µm", "6.5M", "197 sqr. mm"}},
        {"Cyrix MediaGXm", "CyrixInstead", 0x0540, 0, {"", "Cyrix MediaGXm", "GXm", 502, "", "", "", "CMOS 0,65µm"}},
        {"Cyrix 5x86", "CyrixInstead", 0x0490, 0, {"", "Cyrix 5x86", "M1sc (0,65)", 503}},
        {"Crusoe", "GenuineTMx86", 0x0543, 0, {"", "Transmeta Crusoe TM3x00", "TM3", 901}},
        {"Transmeta family 6 gets nothing", "GenuineTMx86", 0x0642, 0, {}},
        {"Geode GX2", "Geode by NSC", 0x0552, 0, {"", "NS Geode GX2 Processor", "GX2", 1001}},
        {"Geode model 6 gets nothing", "Geode by NSC", 0x0560, 0, {}},
        {"Nx686", "NexGenDriven", 0x0560, 0, {"", "NexGen Nx686", "HA", 602, "", "", "", "CMOS 0,35µm", "6M", "150 sqr. mm"}},
        {"Rise Lynx", "RiseRiseRise", 0x0520, 0, {"", "Rise mP6", "Lynx", 701, "", "", "", "CMOS 0,18µm", "3.6M"}},
        {"UMC with its trailing blank", "UMC UMC UMC ", 0x0410, 0, {"", "U80486DX Processor", "U5D", 401}},
        {"SiS with its trailing blank", "SiS SiS SiS ", 0x0500, 0, {"", "SiS x55 Processor", "x55", 801}},
    });
}

// The vendor strings are compared as the processor returns them, twelve
// bytes; the eleven-byte forms never occur and must not match either.
TEST(OtherVendors, ElevenByteVendorStringsDoNotMatch) {
    for (const std::string& v : {std::string("UMC UMC UMC"), std::string("SiS SiS SiS"), std::string("UMC UMC UMC\0", 12)}) {
        CacheInfo c;
        const ProcessorNames n = IdentifyProcessor(Cpu(v, 0x0410), c);
        EXPECT_EQ(0, n.intprocn) << v;
        EXPECT_EQ("", n.procname) << v;
    }
    CacheInfo c;
    EXPECT_EQ(401, IdentifyProcessor(Cpu(std::string("UMC UMC UMC "), 0x0420), c).intprocn);
}

}  // namespace
}  // namespace kest::test
