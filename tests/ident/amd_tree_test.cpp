// The "AuthenticAMD" tree and the family 15 brand decode.
#include "ident_fixtures.h"

namespace kest::test {
namespace {

constexpr const char* kAmd = "AuthenticAMD";
constexpr const char* kK7 = "6: AMD K7 (Athlon, Duron, Athlon XP) Family";
constexpr const char* kK8 = "F: AMD 64-bit Processor Family";
constexpr const char* kXp = "AMD Athlon(tm) XP Processor";
constexpr const char* kA64 = "AMD Athlon64(tm) Processor";
constexpr const char* kNote8 = "8: AthlonXP (Thoroughbred), Duron (Applebred)";
constexpr const char* kNote10 = "10: AthlonXP (Barton, Thorton)";
constexpr const char* kSoi = "CMOS Cu 0,13µm SOI";

TEST(AmdTree, K7SubKeys) {
    RunNameCases({
        {"model 5 sets only the technology", kAmd, 0x0650, 256, {.familynote = kK7, .techpar1 = "CMOS Cu 0,18µm"}},
        {"model 8 with 128 KB", kAmd, 0x0681, 128, {.familynote = kK7, .platform = "Socket A"}},
        {"Applebred", kAmd, 0x0681, 64,
         {kK7, "AMD Duron(tm) Processor", "Applebred", 108, "", kNote8, "Socket A", "CMOS Cu 0,13µm", "37.6M", "80.9 sqr. mm"}},
        {"Thoroughbred A", kAmd, 0x0680, 256,
         {kK7, kXp, "Thoroughbred A", 109, "", kNote8, "Socket A", "CMOS Cu 0,13µm", "37.2M", "80.9 sqr. mm"}},
        {"Thoroughbred B", kAmd, 0x0681, 256,
         {kK7, kXp, "Thoroughbred B", 109, "", kNote8, "Socket A", "CMOS Cu 0,13µm", "37.6M", "84.7 sqr. mm"}},
        {"Thoroughbred", kAmd, 0x0682, 256,
         {kK7, kXp, "Thoroughbred", 109, "", kNote8, "Socket A", "CMOS Cu 0,13µm", "37.6M", "87 sqr. mm"}},
        {"model 8, 256 KB, stepping 3", kAmd, 0x0683, 256, {.familynote = kK7, .modelnote = kNote8, .platform = "Socket A"}},
        {"model 10 with 384 KB", kAmd, 0x06A0, 384, {.familynote = kK7, .modelnote = kNote10, .platform = "Socket A"}},
        {"Barton", kAmd, 0x06A0, 512,
         {kK7, kXp, "Barton", 109, "", kNote10, "Socket A", "CMOS Cu 0,13µm", "54.3M", "101 sqr. mm"}},
        {"Thorton", kAmd, 0x06A0, 256,
         {kK7, kXp, "Thorton", 109, "", kNote10, "Socket A", "CMOS Cu 0,13µm", "54.3M", "101 sqr. mm"}},
        {"Palomino", kAmd, 0x0662, 256,
         {kK7, kXp, "Palomino", 109, "", "6: AthlonXP (Palomino)", "Socket A", "CMOS Cu 0,18µm", "37M", "129.6 sqr. mm"}},
    });
}

TEST(AmdTree, OlderFamilies) {
    RunNameCases({
        {"386 holds the package in the die size", kAmd, 0x0320, 0,
         {"3: AMD 386 Family", "Am80386SX Processor", "P9 (0,80µm)", 100, "", "2: Am80386SX", "", "CMOS 0,80µm", "250K",
          "PGA, 132-pin"}},
        {"Am5x86WB", kAmd, 0x04F4, 0,
         {"4: AMD 486 and 5x86 Family", "Am5x86WB Processor", "X5", 102, "", "15: 5x86WB", "", "CMOS 0,80µm", "1.6M"}},
        {"K5 model 0", kAmd, 0x0501, 0,
         {"5: AMD K5 and K6 family", "AMD K5(tm) Processor", "SSA5", 103, "", "0: K5 (SSA5)", "Socket 5", "CMOS 0,80µm",
          "4.3M", "251 sqr. mm"}},
        {"K5 model 2 shares the 1-3 row", kAmd, 0x0524, 0,
         {"5: AMD K5 and K6 family", "AMD K5(tm) Processor", "5k86", 103, "", "1-3: K5 (5k86)", "Socket 7", "CMOS 0,35µm",
          "4.3M", "181 sqr. mm"}},
        {"K6-2 Chomper", kAmd, 0x058C, 0,
         {"5: AMD K5 and K6 family", "AMD K6(tm)-2 Processor", "Chomper", 105, "", "8: K6-2", "Socket 7", "CMOS 0,25µm",
          "9.3M", "81 sqr. mm"}},
        {"K6-2+", kAmd, 0x05D0, 128,
         {"5: AMD K5 and K6 family", "AMD K6(tm)-2+ Processor", "", 105, "", "13: K6-2+, K6-III+", "Socket 7", "CMOS 0,18µm"}},
        {"K6-III+", kAmd, 0x05D0, 256,
         {"5: AMD K5 and K6 family", "AMD K6(tm)-III+ Processor", "", 106, "", "13: K6-2+, K6-III+", "Socket 7", "CMOS 0,18µm",
          "22M"}},
        {"family 5 model 10 has no row", kAmd, 0x05A0, 0, {.familynote = "5: AMD K5 and K6 family", .platform = "Socket 7"}},
    });
}

TEST(AmdTree, Family15ModelsAndRevisions) {
    RunNameCases({
        {"Athlon 64 model 7 stepping 10", kAmd, 0x0F7A, 512,
         {kK8, kA64, "SledgeHammer (rev. CG)", 111, "3200+", "7: Athlon 64", "Socket 939", kSoi, "105.9M", "193 sqr. mm"},
         0x10A},
        {"model 12 stepping 0, 0x10C", kAmd, 0x0FC0, 512,
         {kK8, kA64, "ClawHammer (rev. CG)", 111, "3400+", "C: Athlon 64", "Socket 754", kSoi, "105.9M", "193 sqr. mm"},
         0x10C},
        {"model 4 stepping 8 is Newcastle", kAmd, 0x0F48, 512,
         {kK8, kA64, "Newcastle", 111, "3000+", "4: Athlon 64", "Socket 754", kSoi, "105.9M", "193 sqr. mm"}, 0x108},
        {"model 15 stepping 0 is NewCastle", kAmd, 0x0FF0, 512,
         {kK8, kA64, "NewCastle (rev. CG)", 111, "3000+", "F: Athlon 64", "Socket 939", kSoi, "105.9M", "144 sqr. mm"}, 0x108},
        {"model 15 stepping 1", kAmd, 0x0FF1, 512,
         {kK8, kA64, "NewCastle", 111, "3000+", "F: Athlon 64", "Socket 939", kSoi, "105.9M", "144 sqr. mm"}, 0x108},
        {"Opteron 174", kAmd, 0x0F51, 1024,
         {kK8, "AMD Opteron(tm) 174 Processor", "SledgeHammer (rev. B3)", 110, "", "5: Opteron, Athlon FX", "Socket 940", kSoi,
          "105.9M", "193 sqr. mm"},
         0x312},
        {"index 0 appends to the model name", kAmd, 0x0F40, 1024,
         {kK8, "AMD Athlon64(tm) ProcessorEngineering sample 5", "ClawHammer", 113, "", "4: Athlon 64", "Socket 754", kSoi,
          "105.9M", "193 sqr. mm"},
         0x005},
        {"model 6 has no row", kAmd, 0x0F60, 512, {.familynote = kK8, .procname = kA64, .intprocn = 111, .modelrating = "2300+"},
         0x101},
        {"model 6, index 0: nothing to append to", kAmd, 0x0F60, 512,
         {.familynote = kK8, .procname = "Engineering sample 0", .intprocn = 113}, 0x000},
    });
}

TEST(AmdTree, BrandIndexes) {
    const Want model8{kK8, kA64, "ClawHammer", 111, "", "8: Athlon 64", "Socket 754", kSoi, "105.9M", "193 sqr. mm"};
    struct {
        uint16_t extbrand;
        const char* procname;
        uint16_t intprocn;
        const char* rating;
        const char* platform;
    } const cases[] = {
        {0x108, "AMD Athlon64(tm) Processor", 111, "3000+", "Socket 754"},
        {0x1FF, "AMD Athlon64(tm) Processor", 111, "27700+", "Socket 754"},
        {0x20A, "AMD Athlon64(tm) Mobile Processor", 111, "3200+", "Mobile"},
        {0x40A, "AMD Opteron(tm) 258 Processor", 110, "", "Socket 754"},
        {0x50A, "AMD Opteron(tm) 858 Processor", 110, "", "Socket 754"},
        {0x91B, "AMD Athlon64(tm) FX-51 Processor", 112, "", "Socket 754"},
        {0x600, "AMD Athlon64(tm) Processor", 111, "", "Socket 754"},
        {0x7FF, "AMD Athlon64(tm) Processor", 111, "", "Socket 754"},
        {0x810, "AMD Athlon64(tm) Processor", 111, "", "Socket 754"},
        {0xA01, "AMD Athlon64(tm) Processor", 111, "", "Socket 754"},
        {0xF01, "AMD Athlon64(tm) Processor", 111, "", "Socket 754"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extbrand);
        CpuidData cpu = Cpu(kAmd, 0x0F81);
        cpu.extbrand = c.extbrand;
        CacheInfo caches = L2Of(512);
        Want w = model8;
        w.procname = c.procname;
        w.intprocn = c.intprocn;
        w.modelrating = c.rating;
        w.platform = c.platform;
        ExpectNames(w, IdentifyProcessor(cpu, caches));
    }
}

TEST(AmdTree, CacheCompletions) {
    CacheInfo c = L2Of(0);
    IdentifyProcessor(Cpu(kAmd, 0x0500), c);  // K5 model 0
    EXPECT_EQ((std::array<uint32_t, 6>{16, 4, 32, 8, 4, 32}),
              (std::array<uint32_t, 6>{c.l1.level1ic, c.l1.l1iassoc, c.l1.l1ilinsz, c.l1.level1dc, c.l1.l1dassoc, c.l1.l1dlinsz}));
    EXPECT_EQ((std::array<uint16_t, 8>{4, 128, 4, 255, 4, 128, 2, 255}),
              (std::array<uint16_t, 8>{c.l1.l1itlba4, c.l1.l1itlbe4, c.l1.l1itlba2, c.l1.l1itlbe2, c.l1.l1dtlba4,
                                       c.l1.l1dtlbe4, c.l1.l1dtlba2, c.l1.l1dtlbe2}));
    EXPECT_FALSE(c.l2.islevel2);

    // The 486 rows fill the unified cache but leave the L2 flag to the final
    // step: a board cache reported as L2 keeps it.
    c = L2Of(128);
    IdentifyProcessor(Cpu(kAmd, 0x0435), c);
    EXPECT_FALSE(c.l1.isl1divd);
    EXPECT_EQ(8u, c.l1.level1ic);
    EXPECT_TRUE(c.l2.islevel2);

    c = L2Of(0);
    IdentifyProcessor(Cpu(kAmd, 0x04E4), c);  // Am5x86: U16
    EXPECT_FALSE(c.l1.isl1divd);
    EXPECT_EQ(16u, c.l1.level1ic);
    EXPECT_FALSE(c.l2.islevel2);

    // K5 model 1 has no completion set, only "no L2".
    c = L2Of(256);
    c.l1.level1ic = 5;
    IdentifyProcessor(Cpu(kAmd, 0x0514), c);
    EXPECT_EQ(5u, c.l1.level1ic);
    EXPECT_FALSE(c.l2.islevel2);
}

}  // namespace
}  // namespace kest::test
