// Names for "AuthenticAMD", and the brand-index texts of family 15. One
// entry per table row; family-level and model-level values come first in
// their family or model.
#include "ident/name_table.h"

namespace kest::ident {
namespace {

constexpr Text kXpName = "AMD Athlon(tm) XP Processor";
constexpr Text kA64Name = "AMD Athlon64(tm) Processor";
constexpr Text kNote8 = "8: AthlonXP (Thoroughbred), Duron (Applebred)";
constexpr Text kNote10 = "10: AthlonXP (Barton, Thorton)";
constexpr Text kCmos80 = "CMOS 0,80\xB5m";
constexpr Text kCu13 = "CMOS Cu 0,13\xB5m";
constexpr Text kSoi13 = "CMOS Cu 0,13\xB5m SOI";

constexpr NameRow kAmd[] = {
    // Family 3: the die-size text holds the package
    {.level = Level::kFamily, .family = 3, .familynote = "3: AMD 386 Family", .platform = kCleared},
    {.family = 3, .model = Is(0), .procname = "Am80386DX Processor", .corecode = "P9 (0,80\xB5m)", .intprocn = 100,
     .modelnote = "0: Am80386DX", .techpar1 = kCmos80, .techpar2 = "250K", .techpar3 = "PGA, 132-pin"},
    {.family = 3, .model = Is(2), .procname = "Am80386SX Processor", .corecode = "P9 (0,80\xB5m)", .intprocn = 100,
     .modelnote = "2: Am80386SX", .techpar1 = kCmos80, .techpar2 = "250K", .techpar3 = "PGA, 132-pin"},

    // Family 4: the rows leave islevel2 to the final L2 step
    {.level = Level::kFamily, .family = 4, .familynote = "4: AMD 486 and 5x86 Family", .platform = kCleared},
    {.family = 4, .model = Is(0), .procname = "Am80486DX Processor", .corecode = "P4", .intprocn = 101, .modelnote = "0: Am80486DX",
     .techpar1 = kCmos80, .techpar2 = "1.25M", .techpar3 = kCleared, .cache = CacheSet::kU8},
    {.family = 4, .model = Is(3), .procname = "Am80486DX2 Processor", .corecode = "P24", .intprocn = 101, .modelnote = "3: Am80486DX2",
     .techpar1 = kCmos80, .techpar2 = "1.25M", .techpar3 = kCleared, .cache = CacheSet::kU8},
    {.family = 4, .model = Is(7), .procname = "Am80486DX2WB Processor", .corecode = "P24", .intprocn = 101, .modelnote = "7: Am80486DX2WB",
     .techpar1 = kCmos80, .techpar2 = "1.25M", .techpar3 = kCleared, .cache = CacheSet::kU8},
    {.family = 4, .model = Is(8), .procname = "Am80486DX4 Processor", .corecode = "P24C", .intprocn = 101, .modelnote = "8: Am80486DX4",
     .techpar1 = kCmos80, .techpar2 = "1.25M", .techpar3 = kCleared, .cache = CacheSet::kU8},
    {.family = 4, .model = Is(9), .procname = "Am80486DX4WB Processor", .corecode = "P24C", .intprocn = 101, .modelnote = "9: Am80486DX4WB",
     .techpar1 = kCmos80, .techpar2 = "1.25M", .techpar3 = kCleared, .cache = CacheSet::kU8},
    {.family = 4, .model = Is(14), .procname = "Am5x86 Processor", .corecode = "X5", .intprocn = 102, .modelnote = "14: 5x86",
     .techpar1 = kCmos80, .techpar2 = "1.6M", .techpar3 = kCleared, .cache = CacheSet::kU16},
    {.family = 4, .model = Is(15), .procname = "Am5x86WB Processor", .corecode = "X5", .intprocn = 102, .modelnote = "15: 5x86WB",
     .platform = kCleared, .techpar1 = kCmos80, .techpar2 = "1.6M", .techpar3 = kCleared, .cache = CacheSet::kU16},

    // Family 5 (models 4, 5, 10, 11 and 12 have no row)
    {.level = Level::kFamily, .family = 5, .familynote = "5: AMD K5 and K6 family", .platform = "Socket 7"},
    {.family = 5, .model = Is(0), .procname = "AMD K5(tm) Processor", .corecode = "SSA5", .intprocn = 103, .modelnote = "0: K5 (SSA5)",
     .platform = "Socket 5", .techpar1 = kCmos80, .techpar2 = "4.3M", .techpar3 = "251 sqr. mm", .cache = CacheSet::kK5, .no_l2 = true},
    {.family = 5, .model = Range(1, 3), .procname = "AMD K5(tm) Processor", .corecode = "5k86", .intprocn = 103, .modelnote = "1-3: K5 (5k86)",
     .techpar1 = "CMOS 0,35\xB5m", .techpar2 = "4.3M", .techpar3 = "181 sqr. mm", .no_l2 = true},
    {.family = 5, .model = Is(6), .procname = "AMD K6(tm) Processor", .corecode = "K6", .intprocn = 104, .modelnote = "6: K6",
     .techpar1 = "CMOS 0,30\xB5m", .techpar2 = "8.8M", .techpar3 = "162 sqr. mm"},
    {.family = 5, .model = Is(7), .procname = "AMD K6(tm) Processor", .corecode = "Little Foot", .intprocn = 104, .modelnote = "7: K6",
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "8.8M", .techpar3 = "68 sqr. mm"},
    {.family = 5, .model = Is(8), .procname = "AMD K6(tm)-2 Processor", .corecode = "Chomper", .intprocn = 105, .modelnote = "8: K6-2",
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "9.3M", .techpar3 = "81 sqr. mm"},
    {.family = 5, .model = Is(9), .procname = "AMD K6(tm)-III Processor", .corecode = "Sharptooth", .intprocn = 106, .modelnote = "9: K6-III",
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "21.3M", .techpar3 = "118 sqr. mm"},
    {.family = 5, .model = Is(13), .l2 = Is(128), .procname = "AMD K6(tm)-2+ Processor", .corecode = kCleared, .intprocn = 105,
     .modelnote = "13: K6-2+, K6-III+", .techpar1 = "CMOS 0,18\xB5m", .techpar2 = kCleared, .techpar3 = kCleared},
    {.family = 5, .model = Is(13), .l2 = Not(128), .procname = "AMD K6(tm)-III+ Processor", .corecode = kCleared, .intprocn = 106,
     .modelnote = "13: K6-2+, K6-III+", .techpar1 = "CMOS 0,18\xB5m", .techpar2 = "22M", .techpar3 = kCleared},

    // Family 6
    {.level = Level::kFamily, .family = 6, .familynote = "6: AMD K7 (Athlon, Duron, Athlon XP) Family"},
    {.family = 6, .model = Is(0), .procname = "AMD K7(tm) Processor", .corecode = "Argon", .intprocn = 107, .modelnote = "0: Athlon (K7)",
     .platform = "Slot A", .techpar1 = "CMOS Al 0,25\xB5m", .techpar2 = "22M", .techpar3 = "184 sqr. mm"},
    {.family = 6, .model = Is(1), .procname = "AMD K7(tm) Processor", .corecode = "Pluto", .intprocn = 107, .modelnote = "1: Athlon (K75)",
     .platform = "Slot A", .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "22M", .techpar3 = "102 sqr. mm"},
    {.family = 6, .model = Is(2), .procname = "AMD Athlon(tm) Processor", .corecode = "Orion", .intprocn = 107, .modelnote = "2: Athlon (K76)",
     .platform = "Slot A", .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "22M", .techpar3 = "102 sqr. mm"},
    {.family = 6, .model = Is(3), .procname = "AMD Duron(tm) Processor", .corecode = "Spitfire", .intprocn = 108, .modelnote = "3: Duron (Spitfire)",
     .platform = "Socket A", .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "25M", .techpar3 = "100 sqr. mm"},
    {.family = 6, .model = Is(4), .procname = "AMD Athlon(tm) Processor", .corecode = "Thunderbird", .intprocn = 107,
     .modelnote = "4: Athlon (Thunderbird)", .platform = "Socket A", .techpar1 = "CMOS 0,18\xB5m", .techpar2 = "37M", .techpar3 = "120 sqr. mm"},
    {.family = 6, .model = Is(5), .procname = kCleared, .corecode = kCleared, .modelnote = kCleared, .platform = kCleared,
     .techpar1 = "CMOS Cu 0,18\xB5m", .techpar2 = kCleared, .techpar3 = kCleared},
    {.family = 6, .model = Is(6), .procname = kXpName, .corecode = "Palomino", .intprocn = 109, .modelnote = "6: AthlonXP (Palomino)",
     .platform = "Socket A", .techpar1 = "CMOS Cu 0,18\xB5m", .techpar2 = "37M", .techpar3 = "129.6 sqr. mm"},
    {.family = 6, .model = Is(7), .procname = "AMD Duron(tm) Processor", .corecode = "Morgan", .intprocn = 108, .modelnote = "7: Duron (Morgan)",
     .platform = "Socket A", .techpar1 = "CMOS Cu 0,18\xB5m", .techpar2 = "25M", .techpar3 = "105.7 sqr. mm"},
    // model 8: the platform before the L2 test, for 256 KB the note before the stepping test
    {.family = 6, .model = Is(8), .platform = "Socket A"},
    {.family = 6, .model = Is(8), .l2 = Is(64), .procname = "AMD Duron(tm) Processor", .corecode = "Applebred", .intprocn = 108,
     .modelnote = kNote8, .platform = "Socket A", .techpar1 = kCu13, .techpar2 = "37.6M", .techpar3 = "80.9 sqr. mm"},
    {.family = 6, .model = Is(8), .l2 = Is(256), .modelnote = kNote8},
    {.family = 6, .model = Is(8), .stepping = Is(0), .l2 = Is(256), .procname = kXpName, .corecode = "Thoroughbred A", .intprocn = 109,
     .modelnote = kNote8, .platform = "Socket A", .techpar1 = kCu13, .techpar2 = "37.2M", .techpar3 = "80.9 sqr. mm"},
    {.family = 6, .model = Is(8), .stepping = Is(1), .l2 = Is(256), .procname = kXpName, .corecode = "Thoroughbred B", .intprocn = 109,
     .modelnote = kNote8, .platform = "Socket A", .techpar1 = kCu13, .techpar2 = "37.6M", .techpar3 = "84.7 sqr. mm"},
    {.family = 6, .model = Is(8), .stepping = Is(2), .l2 = Is(256), .procname = kXpName, .corecode = "Thoroughbred", .intprocn = 109,
     .modelnote = kNote8, .platform = "Socket A", .techpar1 = kCu13, .techpar2 = "37.6M", .techpar3 = "87 sqr. mm"},
    {.family = 6, .model = Is(9), .procname = kCleared, .corecode = kCleared, .modelnote = kCleared, .platform = kCleared,
     .techpar1 = kCu13, .techpar2 = kCleared, .techpar3 = kCleared},
    // model 10: note and platform before the L2 test
    {.family = 6, .model = Is(10), .modelnote = kNote10, .platform = "Socket A"},
    {.family = 6, .model = Is(10), .l2 = Is(256), .procname = kXpName, .corecode = "Thorton", .intprocn = 109, .modelnote = kNote10,
     .platform = "Socket A", .techpar1 = kCu13, .techpar2 = "54.3M", .techpar3 = "101 sqr. mm"},
    {.family = 6, .model = Is(10), .l2 = Is(512), .procname = kXpName, .corecode = "Barton", .intprocn = 109, .modelnote = kNote10,
     .platform = "Socket A", .techpar1 = kCu13, .techpar2 = "54.3M", .techpar3 = "101 sqr. mm"},

    // Family 15 (models 0 to 3, 6, 9, 10, 13 and 14 have no row); the brand
    // decode follows whatever the model. "Newcastle" (model 4) and
    // "NewCastle" (model 15) are two different texts.
    {.level = Level::kFamily, .family = 15, .familynote = "F: AMD 64-bit Processor Family"},
    {.family = 15, .model = Is(4), .procname = kA64Name, .corecode = "ClawHammer", .intprocn = 113, .modelnote = "4: Athlon 64",
     .platform = "Socket 754", .techpar1 = kSoi13, .techpar2 = "105.9M", .techpar3 = "193 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kCorecode, {{8, 8, "Newcastle"}, {10, 10, "Newcastle"}})},
    {.family = 15, .model = Is(5), .procname = "AMD Opteron(tm) Processor", .corecode = "SledgeHammer", .intprocn = 113,
     .modelnote = "5: Opteron, Athlon FX", .platform = "Socket 940", .techpar1 = kSoi13, .techpar2 = "105.9M", .techpar3 = "193 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kCorecode, {{1, 1, "SledgeHammer (rev. B3)"},
                                                       {8, 8, "SledgeHammer (rev. C0)"},
                                                       {10, 10, "SledgeHammer (rev. CG)"}})},
    {.family = 15, .model = Is(7), .procname = kA64Name, .corecode = "ClawHammer", .intprocn = 111, .modelnote = "7: Athlon 64",
     .platform = "Socket 939", .techpar1 = kSoi13, .techpar2 = "105.9M", .techpar3 = "193 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kCorecode, {{10, 10, "SledgeHammer (rev. CG)"}})},
    {.family = 15, .model = Is(8), .procname = kA64Name, .corecode = "ClawHammer", .intprocn = 111, .modelnote = "8: Athlon 64",
     .platform = "Socket 754", .techpar1 = kSoi13, .techpar2 = "105.9M", .techpar3 = "193 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kCorecode, {{2, 2, "ClawHammer (rev. CG)"}})},
    {.family = 15, .model = Is(11), .procname = kA64Name, .corecode = "ClawHammer", .intprocn = 111, .modelnote = "B: Athlon 64",
     .platform = "Socket 939", .techpar1 = kSoi13, .techpar2 = "105.9M", .techpar3 = "193 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kCorecode, {{2, 2, "ClawHammer (rev. CG)"}})},
    {.family = 15, .model = Is(12), .procname = kA64Name, .corecode = "ClawHammer", .intprocn = 111, .modelnote = "C: Athlon 64",
     .platform = "Socket 754", .techpar1 = kSoi13, .techpar2 = "105.9M", .techpar3 = "193 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kCorecode, {{0, 0, "ClawHammer (rev. CG)"}})},
    {.family = 15, .model = Is(15), .procname = kA64Name, .corecode = "NewCastle", .intprocn = 111, .modelnote = "F: Athlon 64",
     .platform = "Socket 939", .techpar1 = kSoi13, .techpar2 = "105.9M", .techpar3 = "144 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kCorecode, {{0, 0, "NewCastle (rev. CG)"}})},
};

// Indexes 6, 7, 8 and 10-15 have no row: they change nothing.
constexpr BrandRow kAmdBrands[] = {
    {.index = 0, .intprocn = 113, .append = true, .prefix = "Engineering sample ", .mul = 1, .add = 0},
    {.index = 1, .intprocn = 111, .prefix = "AMD Athlon64(tm) Processor", .rating = true},
    {.index = 2, .intprocn = 111, .prefix = "AMD Athlon64(tm) Mobile Processor", .rating = true, .platform = "Mobile"},
    {.index = 3, .intprocn = 110, .prefix = "AMD Opteron(tm) 1", .mul = 2, .add = 38, .suffix = " Processor"},
    {.index = 4, .intprocn = 110, .prefix = "AMD Opteron(tm) 2", .mul = 2, .add = 38, .suffix = " Processor"},
    {.index = 5, .intprocn = 110, .prefix = "AMD Opteron(tm) 8", .mul = 2, .add = 38, .suffix = " Processor"},
    {.index = 9, .intprocn = 112, .prefix = "AMD Athlon64(tm) FX-", .mul = 1, .add = 24, .suffix = " Processor"},
};

}  // namespace

std::span<const NameRow> AmdRows() { return kAmd; }
std::span<const BrandRow> AmdBrandRows() { return kAmdBrands; }

}  // namespace kest::ident
