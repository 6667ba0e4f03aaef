// The "GenuineIntel" tree: sub-keys, model-level values, the Extreme
// Edition step and the cache completions.
#include "ident_fixtures.h"

namespace kest::test {
namespace {

constexpr const char* kIntel = "GenuineIntel";
constexpr const char* kP6 = "6: P6 Processors Family";
constexpr const char* kF = "F: Pentium-4 Processors Family";
constexpr const char* kP4 = "Intel Pentium-IV Processor";

TEST(IntelTree, FamilySixSubKeys) {
    RunNameCases({
        {"model 2 has no row", kIntel, 0x0620, 256, {.familynote = kP6}},
        {"model 12 has no row", kIntel, 0x06C0, 256, {.familynote = kP6}},
        {"model 3 OverDrive", kIntel, 0x1633, 512,
         {kP6, "Intel Pentium-II Overdrive Processor", "POPD66X", 305, "", "", "Socket 8", "CMOS 0,25µm", "7.5M", "131 sqr. mm"}},
        {"model 3 secondary type", kIntel, 0x2633, 512,
         {kP6, "Intel Pentium-II Processor", "Klamath", 305, "", "", "Slot 1", "CMOS 0,28µm", "7.5M", "203 sqr. mm"}},
        {"model 5 without L2", kIntel, 0x0652, 0,
         {kP6, "Intel Celeron Processor", "Covington", 306, "", "", "Slot 1 (SECC)", "CMOS 0,25µm", "7.5M", "118 sqr. mm"}},
        {"model 5 with any L2", kIntel, 0x0652, 1,
         {kP6, "Intel Pentium-II Processor", "Deschutes", 305, "", "", "Slot 1", "CMOS 0,25µm", "7.5M", "131 sqr. mm"}},
        {"Mendocino stepping 12", kIntel, 0x066C, 128,
         {kP6, "Intel Celeron A Processor", "Mendocino", 306, "", "", "", "CMOS 0,25µm", "19M", "154 sqr. mm"}},
        {"model 6 not 128 KB", kIntel, 0x066A, 256,
         {kP6, "Intel Pentium-II Mobile Processor", "Dixon", 305, "", "", "Mobile Module Connector", "CMOS 0,25µm", "27.4M",
          "180 sqr. mm"}},
        {"Coppermine stepping 6", kIntel, 0x0686, 256,
         {kP6, "Intel Pentium-III Processor", "Coppermine", 307, "", "", "", "CMOS Al 0,18µm", "28.1M", "90 sqr. mm"}},
        {"Coppermine-128", kIntel, 0x0683, 128,
         {kP6, "Intel Celeron Processor", "Coppermine-128", 306, "", "", "Socket 370 (FCPGA)", "CMOS Al 0,18µm", "28.1M",
          "90 sqr. mm"}},
        {"Geyserville clears two texts", kIntel, 0x0690, 512,
         {kP6, "Intel Pentium-III Mobile Processor", "Geyserville", 307, "", "", "Mobile Module Connector 2", "CMOS Cu 0,13µm"}},
        {"Tualatin", kIntel, 0x06B1, 512,
         {kP6, "Intel Pentium-IIIS Processor", "Tualatin", 307, "", "", "Socket 370 (FCPGA2)", "CMOS Cu 0,13µm", "44M",
          "80 sqr. mm"}},
    });
}

TEST(IntelTree, PlatformByStepping) {
    struct {
        uint32_t eax;
        uint32_t l2;
        const char* platform;
    } const cases[] = {
        {0x0660, 128, "Slot 1 (SECC)"},    {0x0664, 128, "Slot 1 (SECC)"},    {0x0665, 128, "Socket 370 (PGA)"},
        {0x0669, 128, "Socket 370 (PGA)"}, {0x066A, 128, ""},                 {0x066F, 128, ""},
        {0x0681, 256, "Slot 1"},           {0x0683, 256, "Socket 370 (FCPGA)"}, {0x0682, 256, ""},
        {0x068A, 256, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.eax);
        CacheInfo caches = L2Of(c.l2);
        EXPECT_EQ(c.platform, IdentifyProcessor(Cpu(kIntel, c.eax), caches).platform);
    }
}

TEST(IntelTree, FamilyFifteenSteppingAndL2) {
    RunNameCases({
        {"model 0 unknown stepping keeps the socket", kIntel, 0x0F03, 256, {.familynote = kF, .platform = "Socket 423"}},
        {"Willamette C1", kIntel, 0x0F0A, 256,
         {kF, kP4, "Willamette C1", 308, "", "", "Socket 423", "CMOS Al 0,18µm", "42M", "217 sqr. mm"}},
        {"model 1 stepping 3, 512 KB: any row only", kIntel, 0x0F13, 512,
         {kF, "", "", 0, "", "", "Socket 478", "CMOS Al 0,18µm", "42M", "217 sqr. mm"}},
        {"model 1 stepping 3, 128 KB: any row and L2 row", kIntel, 0x0F13, 128,
         {kF, "Intel Celeron Processor", "Willamette-128 E0", 306, "", "", "Socket 478", "CMOS Al 0,18µm", "42M",
          "217 sqr. mm"}},
        {"Northwood B0 keeps the model-level texts", kIntel, 0x0F24, 512,
         {kF, kP4, "Northwood B0", 308, "", "", "Socket 478", "CMOS Cu 0,13µm", "55M", "131 sqr. mm"}},
        {"model 2 stepping 5: EE without a code", kIntel, 0x0F25, 512,
         {kF, "Intel Pentium-IV EE Processor", "Gallatin", 0, "", "", "LGA 775", "CMOS Cu 0,09µm CDO", "55M", "131 sqr. mm"}},
        {"Celeron with the semicolon", kIntel, 0x0F27, 128,
         {kF, "Intel Celeron Processor;", "Northwood-128 C1", 306, "", "", "Socket 478", "CMOS Cu 0,13µm", "55M",
          "131 sqr. mm"}},
        {"Celeron D0 without it", kIntel, 0x0F29, 128,
         {kF, "Intel Celeron Processor", "Northwood-128 D0", 306, "", "", "Socket 478", "CMOS Cu 0,13µm", "55M",
          "131 sqr. mm"}},
        {"model 2 stepping 7, unnamed L2", kIntel, 0x0F27, 256,
         {kF, "", "", 0, "", "", "Socket 478", "CMOS Cu 0,13µm", "55M", "131 sqr. mm"}},
        {"model 3 stepping 3, 512 KB", kIntel, 0x0F33, 512,
         {kF, kP4, "Prescott (C0)", 308, "", "", "Socket 478", "CMOS Cu 0,09µm CDO", "125M", "112 sqr. mm"}},
        {"Celeron D", kIntel, 0x0F33, 256,
         {kF, "Intel Celeron D Processor", "Prescott (C0)", 311, "", "", "Socket 478", "CMOS Cu 0,09µm CDO", "125M",
          "112 sqr. mm"}},
        {"model 3 stepping 4, 1 MB", kIntel, 0x0F34, 1024,
         {kF, kP4, "Prescott (D0)", 308, "", "", "LGA 775", "CMOS Cu 0,09µm CDO", "125M", "112 sqr. mm"}},
        {"Nocona keeps the model-level code", kIntel, 0x0F37, 1024,
         {kF, "Intel Xeon Processor", "Nocona", 308, "", "", "Socket 604", "CMOS Cu 0,09µm CDO", "125M", "112 sqr. mm"}},
        {"model 4 stepping 1 has no code", kIntel, 0x0F41, 1024,
         {kF, kP4, "Prescott (E0)", 0, "", "", "LGA 775", "CMOS Cu 0,09µm CDO"}},
    });

    // A stepping the tables do not name: they give the family header only,
    // and the names come from the later rows (64-bit NetBurst).
    const CpuidData f43 = Cpu(kIntel, 0x0F43);
    CacheInfo caches = L2Of(1024);
    ExpectSameNames(HeaderThenLaterRows(f43, kF), IdentifyProcessor(f43, caches));
}

TEST(IntelTree, ExtremeEditionStep) {
    RunNameCases({
        {"Northwood C1 with L3", kIntel, 0x0F27, 512,
         {kF, "Intel Pentium-IV Extreme Edition Processor", "Gallatin", 309, "", "", "Socket 478", "CMOS Cu 0,13µm", "55M",
          "131 sqr. mm"},
         0, true},
        {"Prescott with L3", kIntel, 0x0F34, 1024,
         {kF, "Intel Pentium-IV Extreme Edition Processor", "Gallatin", 309, "", "", "LGA 775", "CMOS Cu 0,09µm CDO", "125M",
          "112 sqr. mm"},
         0, true},
        {"EE row without a code is left alone", kIntel, 0x0F25, 512,
         {kF, "Intel Pentium-IV EE Processor", "Gallatin", 0, "", "", "LGA 775", "CMOS Cu 0,09µm CDO", "55M", "131 sqr. mm"},
         0, true},
        {"a Celeron with L3 stays a Celeron", kIntel, 0x0F29, 128,
         {kF, "Intel Celeron Processor", "Northwood-128 D0", 306, "", "", "Socket 478", "CMOS Cu 0,13µm", "55M",
          "131 sqr. mm"},
         0, true},
    });
}

TEST(IntelTree, OldFamilies) {
    RunNameCases({
        {"386DX", kIntel, 0x0300, 0, {"3: Intel 80386 Family", "i80386DX", "P9 (0,80µm)", 300}},
        {"486DX model 1", kIntel, 0x0411, 0, {"4: Intel 80486 Family", "i80486DX", "P4", 301}},
        {"486 model 6 has no row", kIntel, 0x0460, 0, {.familynote = "4: Intel 80486 Family"}},
        {"Pentium model 2 keeps Socket 7", kIntel, 0x052C, 0,
         {"5: Pentium Procesors Family", "Intel Pentium Processor", "P54", 302, "", "", "Socket 7", "BiCMOS 0,50µm", "3.2M",
          "148 sqr. mm"}},
        {"Pentium model 0", kIntel, 0x0500, 0,
         {"5: Pentium Procesors Family", "Intel Pentium Processor", "P5 A", 302, "", "", "Socket 4", "BiCMOS 0,80µm", "3.1M",
          "294 sqr. mm"}},
        {"Tillamook", kIntel, 0x0581, 0,
         {"5: Pentium Procesors Family", "Intel Pentium MMX Mobile Processor", "Tillamook", 303, "", "", "Mobile",
          "CMOS 0,25µm", "4.5M", "90 sqr. mm"}},
        {"family 5 model 6 has no row", kIntel, 0x0560, 0, {.familynote = "5: Pentium Procesors Family", .platform = "Socket 7"}},
        {"Pentium Pro", kIntel, 0x0617, 256,
         {kP6, "Intel Pentium Pro Processor", "P6", 304, "", "", "Socket 8", "BiCMOS 0,35µm", "5.5M", "196 sqr. mm"}},
    });
}

// The completions overwrite what the cache decoding left and touch nothing else.
TEST(IntelTree, CacheCompletions) {
    CacheInfo c;
    c.l1.level1ic = 99;
    c.l1.level1dc = 77;
    c.l2.level2cs = 256;
    IdentifyProcessor(Cpu(kIntel, 0x0435), c);  // 486DX2
    EXPECT_FALSE(c.l1.isl1divd);
    EXPECT_EQ(8u, c.l1.level1ic);
    EXPECT_EQ(77u, c.l1.level1dc);
    EXPECT_FALSE(c.l2.islevel2);  // no L2, whatever was reported
    EXPECT_EQ(256u, c.l2.level2cs);

    c = CacheInfo{};
    IdentifyProcessor(Cpu(kIntel, 0x0480), c);  // DX4: U16
    EXPECT_FALSE(c.l1.isl1divd);
    EXPECT_EQ(16u, c.l1.level1ic);

    c = CacheInfo{};
    IdentifyProcessor(Cpu(kIntel, 0x0571), c);  // P54C: P5
    EXPECT_TRUE(c.l1.isl1divd);
    EXPECT_EQ((std::array<uint32_t, 6>{8, 2, 32, 8, 2, 32}),
              (std::array<uint32_t, 6>{c.l1.level1ic, c.l1.l1iassoc, c.l1.l1ilinsz, c.l1.level1dc, c.l1.l1dassoc, c.l1.l1dlinsz}));
    EXPECT_EQ((std::array<uint16_t, 8>{4, 32, 0, 0, 4, 64, 4, 8}),
              (std::array<uint16_t, 8>{c.l1.l1itlba4, c.l1.l1itlbe4, c.l1.l1itlba2, c.l1.l1itlbe2, c.l1.l1dtlba4,
                                       c.l1.l1dtlbe4, c.l1.l1dtlba2, c.l1.l1dtlbe2}));

    c = CacheInfo{};
    IdentifyProcessor(Cpu(kIntel, 0x0543), c);  // P55C: P55
    EXPECT_EQ((std::array<uint32_t, 6>{16, 4, 32, 16, 4, 32}),
              (std::array<uint32_t, 6>{c.l1.level1ic, c.l1.l1iassoc, c.l1.l1ilinsz, c.l1.level1dc, c.l1.l1dassoc, c.l1.l1dlinsz}));
    EXPECT_EQ((std::array<uint16_t, 8>{255, 32, 255, 32, 255, 64, 255, 64}),
              (std::array<uint16_t, 8>{c.l1.l1itlba4, c.l1.l1itlbe4, c.l1.l1itlba2, c.l1.l1itlbe2, c.l1.l1dtlba4,
                                       c.l1.l1dtlbe4, c.l1.l1dtlba2, c.l1.l1dtlbe2}));

    // A Pentium model without a row gets no completion.
    c = CacheInfo{};
    IdentifyProcessor(Cpu(kIntel, 0x0550), c);
    EXPECT_EQ(0u, c.l1.level1ic);
    EXPECT_TRUE(c.l1.isl1divd);
}

}  // namespace
}  // namespace kest::test
