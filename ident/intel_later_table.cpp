// Intel client processors after the name tables: 64-bit NetBurst, Core Duo,
// Core 2, and the Core, Pentium and Celeron generations from Nehalem on,
// with the Xeons that share their dies.
//
// Sources: Intel ARK product pages (code name, socket, lithography), Intel
// datasheets and errata documents (processor signatures per segment
// and stepping), Intel launch material for the few published transistor
// counts and die sizes. Cells without such a fact stay unset.
//
// Model numbers, and the segment a model and stepping stand for: the Linux
// kernel's arch/x86/include/asm/intel-family.h (KABYLAKE_L 0x8E with
// AMBERLAKE_L at stepping 9, COFFEELAKE_L at 10, WHISKEYLAKE_L at 11 and
// 12, where Comet Lake-U V1 reports 12 as well; PANTHERLAKE_L 0xCC and
// PANTHERLAKE_R 0xE5, Cougar Cove / Darkmont;
// LUNARLAKE_M 0xBD and ARROWLAKE_H 0xC5, Lion Cove / Skymont; BARTLETTLAKE
// 0xD7, Raptor Cove; WILDCATLAKE_L 0xD5; NOVALAKE
// family 18 model 0x01 and NOVALAKE_L model 0x03, Coyote Cove / Arctic
// Wolf). Kaby Lake-U and Kaby Lake-Y share stepping 9 (H0) with Amber
// Lake-Y, and Kaby Lake-R (Y0) shares stepping 10 with Coffee Lake-U (D0),
// per Intel's errata documents for the 7th and 8th generation; so a
// stepping alone names both. Tiger Lake-H35 (i7-11390H, i7-11375H,
// i7-11370H, i5-11320H, i5-11300H): Intel's 11th generation H35 launch
// and ARK (FCBGA1449, the UP3 package). Wildcat Lake (Core Series 3) on
// Intel 18A: Intel's launch material.
//
// Brand patterns are substrings of the CPUID brand string; where one model
// serves desktop sockets and mobile packages, the mobile row comes first
// and names the processor-number suffixes of the mobile parts.
#include "ident/later_table.h"

namespace kest::ident {
namespace {

constexpr LaterFamily kFamilies[] = {
    // The name tables' own headers stay for these two families, and an
    // unknown model reads "Intel family 6, model 0xCC".
    {.family = 6},
    {.family = 15},
    {.family = 18, .familynote = "18: Intel Nova Lake"},
    {.family = 19, .familynote = "19: Intel Diamond Rapids (Xeon)"},
};

// Product-line codes a row falls back on when the brand string names none.
constexpr uint16_t kP4 = line::kPentium4;
constexpr uint16_t kCore = line::kCore;
constexpr uint16_t kCore2 = line::kCore2;
constexpr uint16_t kCoreI = line::kCoreI;
constexpr uint16_t kUltra = line::kCoreUltra;
constexpr uint16_t kXeon = line::kXeon;
constexpr uint16_t kPentium = line::kPentium;

// Mobile processor numbers of the dies that also go into desktop sockets.
// ("U @" alone would also match "CPU @".)
constexpr Text kSandyMobile = "M CPU|U CPU|M @|B9|B8|B7|CPU 8|CPU 9|CPU 7";
constexpr Text kIvyMobile = "M CPU|U CPU|Y CPU|M @|7U @|0U @|Y @";
constexpr Text kHaswellMobile = "M CPU|MQ CPU|MX CPU|HQ CPU|M @";
constexpr Text kSkylakeH = "HQ|HK|H CPU|M v5";
constexpr Text kKabyLakeH = "HQ|HK|H CPU|M v6";
constexpr Text kCoffeeLakeH = "HQ CPU|HK CPU|H CPU|E-2176M|E-2186M|E-2276M|E-2286M";
constexpr Text kCometLakeH = "H CPU|HK CPU|M CPU";

constexpr LaterRow kRows[] = {
    // ---- family 15: 90 nm NetBurst with 64-bit extensions -------------
    {.family = 15, .model = Is(4), .brand = "Xeon(TM) MP|Xeon MP",
     .platform = "Socket 604", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kXeon},
    {.family = 15, .model = Is(4), .stepping = Is(1), .brand = "Xeon",
     .corecode = "Nocona", .platform = "Socket 604", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kXeon},
    {.family = 15, .model = Is(4), .stepping = Is(9), .brand = "Xeon",
     .corecode = "Nocona", .platform = "Socket 604", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kXeon},
    {.family = 15, .model = Is(4), .stepping = Is(3), .brand = "Xeon",
     .corecode = "Irwindale", .platform = "Socket 604", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kXeon},
    {.family = 15, .model = Is(4), .stepping = Is(10), .brand = "Xeon",
     .corecode = "Irwindale", .platform = "Socket 604", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kXeon},
    {.family = 15, .model = Is(4), .brand = "Xeon",
     .platform = "Socket 604", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kXeon},
    {.family = 15, .model = Is(4), .brand = "Celeron",
     .corecode = "Prescott", .platform = "LGA 775", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = line::kCeleronD},
    {.family = 15, .model = Is(4), .stepping = Is(4),
     .corecode = "Smithfield", .platform = "LGA 775", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kPentium},
    {.family = 15, .model = Is(4), .stepping = Is(7),
     .corecode = "Smithfield", .platform = "LGA 775", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kPentium},
    {.family = 15, .model = Is(4), .stepping = Is(3),
     .corecode = "Prescott-2M", .platform = "LGA 775", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kP4},
    {.family = 15, .model = Is(4), .stepping = Is(10),
     .corecode = "Prescott-2M", .platform = "LGA 775", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kP4},
    {.family = 15, .model = Is(4), .stepping = Is(9),
     .corecode = "Prescott", .platform = "LGA 775", .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kP4},
    {.family = 15, .model = Is(4), .techpar1 = "Intel 90 nm",
     .modelnote = "4: NetBurst, Prescott / Prescott-2M / Smithfield / Nocona / Irwindale",
     .intprocn = kP4},

    // ---- family 15: 65 nm NetBurst -------------------------------------
    {.family = 15, .model = Is(6), .stepping = Is(8), .brand = "Xeon",
     .corecode = "Tulsa", .platform = "Socket 604", .techpar1 = "Intel 65 nm",
     .modelnote = "6: NetBurst, Cedar Mill / Presler / Dempsey / Tulsa", .intprocn = kXeon},
    {.family = 15, .model = Is(6), .brand = "Xeon",
     .corecode = "Dempsey", .platform = "LGA 771", .techpar1 = "Intel 65 nm",
     .modelnote = "6: NetBurst, Cedar Mill / Presler / Dempsey / Tulsa", .intprocn = kXeon},
    {.family = 15, .model = Is(6), .brand = "Pentium(R) D|Pentium D|Extreme Edition",
     .corecode = "Presler", .platform = "LGA 775", .techpar1 = "Intel 65 nm",
     .modelnote = "6: NetBurst, Cedar Mill / Presler / Dempsey / Tulsa", .intprocn = kPentium},
    {.family = 15, .model = Is(6), .brand = "Pentium(R) 4|Pentium 4|Celeron",
     .corecode = "Cedar Mill", .platform = "LGA 775", .techpar1 = "Intel 65 nm",
     .modelnote = "6: NetBurst, Cedar Mill / Presler / Dempsey / Tulsa", .intprocn = kP4},
    {.family = 15, .model = Is(6), .techpar1 = "Intel 65 nm",
     .modelnote = "6: NetBurst, Cedar Mill / Presler / Dempsey / Tulsa", .intprocn = kP4},

    // ---- family 6: Yonah (Core Duo, Core Solo, their Celeron, Pentium and Xeon)
    {.family = 6, .model = Is(0x0E), .brand = "Xeon",
     .corecode = "Sossaman", .techpar1 = "Intel 65 nm",
     .modelnote = "14: Enhanced Pentium M, Yonah / Sossaman", .intprocn = kXeon},
    {.family = 6, .model = Is(0x0E),
     .corecode = "Yonah", .techpar1 = "Intel 65 nm",
     .modelnote = "14: Enhanced Pentium M, Yonah / Sossaman", .intprocn = kCore},

    // ---- Core microarchitecture, 65 nm ---------------------------------
    {.family = 6, .model = Is(0x0F), .brand = "E73|X73|L73",
     .corecode = "Tigerton", .platform = "Socket 604", .techpar1 = "Intel 65 nm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kXeon},
    {.family = 6, .model = Is(0x0F), .brand = "E53|X53|L53",
     .corecode = "Clovertown", .platform = "LGA 771", .techpar1 = "Intel 65 nm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kXeon},
    {.family = 6, .model = Is(0x0F), .brand = " 51",
     .corecode = "Woodcrest", .platform = "LGA 771", .techpar1 = "Intel 65 nm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kXeon},
    {.family = 6, .model = Is(0x0F), .brand = "Quad|QX6|Q6|X32",
     .corecode = "Kentsfield", .platform = "LGA 775", .techpar1 = "Intel 65 nm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x0F), .brand = "T5|T7|L7|U7|X7|T2|T1|U2|U1|Celeron(R) M",
     .corecode = "Merom", .techpar1 = "Intel 65 nm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x0F), .stepping = Is(2),
     .corecode = "Allendale", .platform = "LGA 775", .techpar1 = "Intel 65 nm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x0F), .stepping = Is(13),
     .corecode = "Allendale", .platform = "LGA 775", .techpar1 = "Intel 65 nm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x0F),
     .corecode = "Conroe", .platform = "LGA 775", .techpar1 = "Intel 65 nm",
     .techpar2 = "291M", .techpar3 = "143 sqr. mm",
     .modelnote = "15: Core, Conroe / Allendale / Merom / Kentsfield / Woodcrest / Clovertown / Tigerton",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x16), .brand = "Celeron(R) M|Celeron M|U2",
     .corecode = "Merom-L", .techpar1 = "Intel 65 nm",
     .modelnote = "22: Core, Conroe-L / Merom-L", .intprocn = kPentium},
    {.family = 6, .model = Is(0x16),
     .corecode = "Conroe-L", .techpar1 = "Intel 65 nm",
     .modelnote = "22: Core, Conroe-L / Merom-L", .intprocn = kPentium},

    // ---- Penryn, 45 nm ---------------------------------------------------
    {.family = 6, .model = Is(0x17), .brand = "E3110|E3113|E3120|L3110",
     .corecode = "Wolfdale", .platform = "LGA 775", .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kXeon},
    {.family = 6, .model = Is(0x17), .brand = "X33|L33",
     .corecode = "Yorkfield", .platform = "LGA 775", .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kXeon},
    {.family = 6, .model = Is(0x17),
     .brand = "E5405|E5410|E5420|E5430|E5440|E5450|E5462|E5472|X54|L54",
     .corecode = "Harpertown", .platform = "LGA 771", .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kXeon},
    {.family = 6, .model = Is(0x17), .brand = "E5205|E5220|X52|L52",
     .corecode = "Wolfdale-DP", .platform = "LGA 771", .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kXeon},
    {.family = 6, .model = Is(0x17),
     .brand = "Extreme CPU Q9|QX9300|Q9000|Q9100|X9000|X9100|T9|T8|P9|P8|P7|T6|T4|T3|T1|SU|SL|SP|U3|U4|U5|U7",
     .corecode = "Penryn", .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x17), .brand = "Quad|Q9|Q8|QX9|X9650|X9770|X9775",
     .corecode = "Yorkfield", .platform = "LGA 775", .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x17), .brand = "E8|E7|E6|E5|E3|E2|E1",
     .corecode = "Wolfdale", .platform = "LGA 775", .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kCore2},
    {.family = 6, .model = Is(0x17), .techpar1 = "Intel 45 nm",
     .modelnote = "23: Penryn, Wolfdale / Yorkfield / Penryn / Wolfdale-DP / Harpertown",
     .intprocn = kCore2},

    // ---- Nehalem, 45 nm --------------------------------------------------
    {.family = 6, .model = Is(0x1A), .brand = "W35",
     .corecode = "Bloomfield", .platform = "LGA 1366", .techpar1 = "Intel 45 nm",
     .techpar2 = "731M", .techpar3 = "263 sqr. mm",
     .modelnote = "26: Nehalem, Bloomfield / Gainestown", .intprocn = kXeon},
    {.family = 6, .model = Is(0x1A), .brand = "Xeon",
     .corecode = "Gainestown", .platform = "LGA 1366", .techpar1 = "Intel 45 nm",
     .techpar2 = "731M", .techpar3 = "263 sqr. mm",
     .modelnote = "26: Nehalem, Bloomfield / Gainestown", .intprocn = kXeon},
    {.family = 6, .model = Is(0x1A),
     .corecode = "Bloomfield", .platform = "LGA 1366", .techpar1 = "Intel 45 nm",
     .techpar2 = "731M", .techpar3 = "263 sqr. mm",
     .modelnote = "26: Nehalem, Bloomfield / Gainestown", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x1E), .brand = "QM|XM| Q 7| Q 8| X 9",
     .corecode = "Clarksfield", .techpar1 = "Intel 45 nm",
     .techpar2 = "774M", .techpar3 = "296 sqr. mm",
     .modelnote = "30: Nehalem, Lynnfield / Clarksfield / Jasper Forest", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x1E), .brand = "EC5|LC5|EC3|LC3|P1053",
     .corecode = "Jasper Forest", .platform = "LGA 1366", .techpar1 = "Intel 45 nm",
     .modelnote = "30: Nehalem, Lynnfield / Clarksfield / Jasper Forest", .intprocn = kXeon},
    {.family = 6, .model = Is(0x1E),
     .corecode = "Lynnfield", .platform = "LGA 1156", .techpar1 = "Intel 45 nm",
     .techpar2 = "774M", .techpar3 = "296 sqr. mm",
     .modelnote = "30: Nehalem, Lynnfield / Clarksfield / Jasper Forest", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x1F), .techpar1 = "Intel 45 nm",
     .modelnote = "31: Nehalem", .intprocn = kCoreI},

    // ---- Westmere, 32 nm -------------------------------------------------
    {.family = 6, .model = Is(0x25), .brand = " M |L 6|U 6|L 5|U 5|U 3|P6|P4|U54|U34",
     .corecode = "Arrandale", .techpar1 = "Intel 32 nm",
     .modelnote = "37: Westmere, Clarkdale / Arrandale", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x25),
     .corecode = "Clarkdale", .platform = "LGA 1156", .techpar1 = "Intel 32 nm",
     .modelnote = "37: Westmere, Clarkdale / Arrandale", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x2C), .brand = "W36",
     .corecode = "Gulftown", .platform = "LGA 1366", .techpar1 = "Intel 32 nm",
     .techpar2 = "1.17B",
     .modelnote = "44: Westmere, Gulftown / Westmere-EP", .intprocn = kXeon},
    {.family = 6, .model = Is(0x2C), .brand = "Xeon",
     .corecode = "Westmere-EP", .platform = "LGA 1366", .techpar1 = "Intel 32 nm",
     .techpar2 = "1.17B",
     .modelnote = "44: Westmere, Gulftown / Westmere-EP", .intprocn = kXeon},
    {.family = 6, .model = Is(0x2C),
     .corecode = "Gulftown", .platform = "LGA 1366", .techpar1 = "Intel 32 nm",
     .techpar2 = "1.17B",
     .modelnote = "44: Westmere, Gulftown / Westmere-EP", .intprocn = kCoreI},

    // ---- Sandy Bridge, Ivy Bridge ---------------------------------------
    {.family = 6, .model = Is(0x2A), .brand = kSandyMobile,
     .corecode = "Sandy Bridge", .techpar1 = "Intel 32 nm",
     .modelnote = "42: Sandy Bridge", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x2A),
     .corecode = "Sandy Bridge", .platform = "LGA 1155", .techpar1 = "Intel 32 nm",
     .modelnote = "42: Sandy Bridge", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x3A), .brand = kIvyMobile,
     .corecode = "Ivy Bridge", .techpar1 = "Intel 22 nm",
     .modelnote = "58: Ivy Bridge", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x3A),
     .corecode = "Ivy Bridge", .platform = "LGA 1155", .techpar1 = "Intel 22 nm",
     .modelnote = "58: Ivy Bridge", .intprocn = kCoreI},

    // ---- Haswell, Broadwell ----------------------------------------------
    {.family = 6, .model = Is(0x3C), .brand = kHaswellMobile,
     .corecode = "Haswell", .techpar1 = "Intel 22 nm",
     .modelnote = "60: Haswell", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x3C),
     .corecode = "Haswell", .platform = "LGA 1150", .techpar1 = "Intel 22 nm",
     .modelnote = "60: Haswell", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x45),
     .corecode = "Haswell-ULT", .platform = "BGA 1168", .techpar1 = "Intel 22 nm",
     .modelnote = "69: Haswell, Haswell-ULT", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x46),
     .corecode = "Haswell", .platform = "BGA 1364", .techpar1 = "Intel 22 nm",
     .modelnote = "70: Haswell, Haswell with Crystalwell eDRAM", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x3D), .brand = "5Y",
     .corecode = "Broadwell-Y", .platform = "BGA 1234", .techpar1 = "Intel 14 nm",
     .techpar2 = "1.3B", .techpar3 = "82 sqr. mm",
     .modelnote = "61: Broadwell, Broadwell-U / Broadwell-Y", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x3D),
     .corecode = "Broadwell-U", .platform = "BGA 1168", .techpar1 = "Intel 14 nm",
     .modelnote = "61: Broadwell, Broadwell-U / Broadwell-Y", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x47), .brand = "C CPU",
     .corecode = "Broadwell-H", .platform = "LGA 1150", .techpar1 = "Intel 14 nm",
     .modelnote = "71: Broadwell, Broadwell-H", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x47), .brand = "HQ",
     .corecode = "Broadwell-H", .platform = "BGA 1364", .techpar1 = "Intel 14 nm",
     .modelnote = "71: Broadwell, Broadwell-H", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x47),
     .corecode = "Broadwell-H", .techpar1 = "Intel 14 nm",
     .modelnote = "71: Broadwell, Broadwell-H", .intprocn = kCoreI},

    // ---- Skylake and the 14 nm generations on its core ------------------
    {.family = 6, .model = Is(0x4E), .brand = "6Y|405Y",
     .corecode = "Skylake-Y", .platform = "BGA 1515", .techpar1 = "Intel 14 nm",
     .modelnote = "78: Skylake, Skylake-U / Skylake-Y", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x4E),
     .corecode = "Skylake-U", .platform = "BGA 1356", .techpar1 = "Intel 14 nm",
     .modelnote = "78: Skylake, Skylake-U / Skylake-Y", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x5E), .brand = kSkylakeH,
     .corecode = "Skylake-H", .platform = "BGA 1440", .techpar1 = "Intel 14 nm",
     .modelnote = "94: Skylake, Skylake-S / Skylake-H", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x5E),
     .corecode = "Skylake-S", .platform = "LGA 1151", .techpar1 = "Intel 14 nm",
     .modelnote = "94: Skylake, Skylake-S / Skylake-H", .intprocn = kCoreI},

    // Model 142: one mobile model for six segments. The processor number
    // tells them apart; without a known number, the stepping (H0/J1 Kaby
    // Lake, Y0 Kaby Lake R, W0 and V0 Whiskey Lake) decides.
    {.family = 6, .model = Is(0x8E), .brand = "8100Y|8200Y|8210Y|8500Y|10110Y|10210Y|10310Y|10510Y|4425Y|6500Y",
     .corecode = "Amber Lake-Y", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .brand = "7Y|4410Y|4415Y|3965Y",
     .corecode = "Kaby Lake-Y", .platform = "BGA 1515", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .brand = "-10|5205U|5305U|6405U",
     .corecode = "Comet Lake-U", .platform = "BGA 1528", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .brand = "8109U|8257U|8259U|8269U|8279U|8557U|8559U|8569U",
     .corecode = "Coffee Lake-U", .platform = "BGA 1528", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .brand = "8145U|8265U|8365U|8565U|8665U|5405U|4205U|4305U",
     .corecode = "Whiskey Lake-U", .platform = "BGA 1528", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .brand = "8130U|8250U|8350U|8550U|8650U",
     .corecode = "Kaby Lake-R", .platform = "BGA 1356", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .stepping = Is(9),
     .corecode = "Kaby Lake / Amber Lake-Y", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .stepping = Is(10),
     .corecode = "Kaby Lake-R / Coffee Lake-U", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .stepping = Is(11),
     .corecode = "Whiskey Lake-U", .platform = "BGA 1528", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    // 806EC is both V0 Whiskey Lake-U and V1 Comet Lake-U (the i5-10210U of
    // the corpus reports it): without a known number, both are named.
    {.family = 6, .model = Is(0x8E), .stepping = Is(12),
     .corecode = "Whiskey Lake-U / Comet Lake-U", .platform = "BGA 1528", .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8E), .techpar1 = "Intel 14 nm",
     .modelnote = "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / "
                  "Coffee Lake-U / Whiskey Lake-U / Comet Lake-U",
     .intprocn = kCoreI},

    // Model 158: B0 Kaby Lake (desktop, mobile H, HEDT X); U0, B0, P0 and
    // R0 Coffee Lake (desktop and mobile H, 8th and 9th generation).
    {.family = 6, .model = Is(0x9E), .stepping = Is(9), .brand = "7640X|7740X",
     .corecode = "Kaby Lake-X", .platform = "LGA 2066", .techpar1 = "Intel 14 nm",
     .modelnote = "158: Kaby Lake, Kaby Lake-S / Kaby Lake-H / Kaby Lake-X / Coffee Lake-S / "
                  "Coffee Lake-H",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9E), .stepping = Is(9), .brand = kKabyLakeH,
     .corecode = "Kaby Lake-H", .platform = "BGA 1440", .techpar1 = "Intel 14 nm",
     .modelnote = "158: Kaby Lake, Kaby Lake-S / Kaby Lake-H / Kaby Lake-X / Coffee Lake-S / "
                  "Coffee Lake-H",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9E), .stepping = Is(9),
     .corecode = "Kaby Lake-S", .platform = "LGA 1151", .techpar1 = "Intel 14 nm",
     .modelnote = "158: Kaby Lake, Kaby Lake-S / Kaby Lake-H / Kaby Lake-X / Coffee Lake-S / "
                  "Coffee Lake-H",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9E), .stepping = Range(10, 13), .brand = kCoffeeLakeH,
     .corecode = "Coffee Lake-H", .platform = "BGA 1440", .techpar1 = "Intel 14 nm",
     .modelnote = "158: Kaby Lake, Kaby Lake-S / Kaby Lake-H / Kaby Lake-X / Coffee Lake-S / "
                  "Coffee Lake-H",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9E), .stepping = Range(10, 13),
     .corecode = "Coffee Lake-S", .platform = "LGA 1151", .techpar1 = "Intel 14 nm",
     .modelnote = "158: Kaby Lake, Kaby Lake-S / Kaby Lake-H / Kaby Lake-X / Coffee Lake-S / "
                  "Coffee Lake-H",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9E), .techpar1 = "Intel 14 nm",
     .modelnote = "158: Kaby Lake, Kaby Lake-S / Kaby Lake-H / Kaby Lake-X / Coffee Lake-S / "
                  "Coffee Lake-H",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0xA5), .brand = kCometLakeH,
     .corecode = "Comet Lake-H", .platform = "BGA 1440", .techpar1 = "Intel 14 nm",
     .modelnote = "165: Comet Lake, Comet Lake-S / Comet Lake-H", .intprocn = kCoreI},
    {.family = 6, .model = Is(0xA5),
     .corecode = "Comet Lake-S", .platform = "LGA 1200", .techpar1 = "Intel 14 nm",
     .modelnote = "165: Comet Lake, Comet Lake-S / Comet Lake-H", .intprocn = kCoreI},
    {.family = 6, .model = Is(0xA6),
     .corecode = "Comet Lake-U", .platform = "BGA 1528", .techpar1 = "Intel 14 nm",
     .modelnote = "166: Comet Lake, Comet Lake-U", .intprocn = kCoreI},
    {.family = 6, .model = Is(0xA7),
     .corecode = "Rocket Lake-S", .platform = "LGA 1200", .techpar1 = "Intel 14 nm",
     .modelnote = "167: Cypress Cove, Rocket Lake-S", .intprocn = kCoreI},

    // ---- 10 nm generations -----------------------------------------------
    {.family = 6, .model = Is(0x66),
     .corecode = "Cannon Lake", .techpar1 = "Intel 10 nm",
     .modelnote = "102: Palm Cove, Cannon Lake", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x7D),
     .corecode = "Ice Lake", .techpar1 = "Intel 10 nm",
     .modelnote = "125: Sunny Cove, Ice Lake", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x7E), .brand = "1000G|1030G|1060G|1000NG|1030NG|1060NG",
     .corecode = "Ice Lake-Y", .techpar1 = "Intel 10 nm",
     .modelnote = "126: Sunny Cove, Ice Lake-U / Ice Lake-Y", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x7E),
     .corecode = "Ice Lake-U", .platform = "BGA 1526", .techpar1 = "Intel 10 nm",
     .modelnote = "126: Sunny Cove, Ice Lake-U / Ice Lake-Y", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8C), .brand = "11390H|11375H|11370H|11320H|11300H",
     .corecode = "Tiger Lake-H35", .platform = "BGA 1449", .techpar1 = "Intel 10 nm SuperFin",
     .modelnote = "140: Willow Cove, Tiger Lake-UP3 / Tiger Lake-UP4 / Tiger Lake-H35", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8C),
     .corecode = "Tiger Lake-UP3/UP4", .techpar1 = "Intel 10 nm SuperFin",
     .modelnote = "140: Willow Cove, Tiger Lake-UP3 / Tiger Lake-UP4 / Tiger Lake-H35", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x8D),
     .corecode = "Tiger Lake-H", .platform = "BGA 1787", .techpar1 = "Intel 10 nm SuperFin",
     .modelnote = "141: Willow Cove, Tiger Lake-H", .intprocn = kCoreI},

    // ---- Intel 7 hybrid generations --------------------------------------
    {.family = 6, .model = Is(0x97), .brand = "HX",
     .corecode = "Alder Lake-HX", .platform = "BGA 1964", .techpar1 = "Intel 7",
     .modelnote = "151: Golden Cove + Gracemont, Alder Lake-S / Alder Lake-HX", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x97),
     .corecode = "Alder Lake-S", .platform = "LGA 1700", .techpar1 = "Intel 7",
     .modelnote = "151: Golden Cove + Gracemont, Alder Lake-S / Alder Lake-HX", .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9A), .brand = "0U|5U|8505|8500|7305|7300",
     .corecode = "Alder Lake-U", .techpar1 = "Intel 7",
     .modelnote = "154: Golden Cove + Gracemont, Alder Lake-P / Alder Lake-H / Alder Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9A), .brand = "0H|5H",
     .corecode = "Alder Lake-H", .platform = "BGA 1744", .techpar1 = "Intel 7",
     .modelnote = "154: Golden Cove + Gracemont, Alder Lake-P / Alder Lake-H / Alder Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0x9A),
     .corecode = "Alder Lake-P", .platform = "BGA 1744", .techpar1 = "Intel 7",
     .modelnote = "154: Golden Cove + Gracemont, Alder Lake-P / Alder Lake-H / Alder Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0xB7), .brand = "HX",
     .corecode = "Raptor Lake-HX", .platform = "BGA 1964", .techpar1 = "Intel 7",
     .modelnote = "183: Raptor Cove + Gracemont, Raptor Lake-S / Raptor Lake-HX", .intprocn = kCoreI},
    {.family = 6, .model = Is(0xB7),
     .corecode = "Raptor Lake-S", .platform = "LGA 1700", .techpar1 = "Intel 7",
     .modelnote = "183: Raptor Cove + Gracemont, Raptor Lake-S / Raptor Lake-HX", .intprocn = kCoreI},
    {.family = 6, .model = Is(0xBF), .brand = "HX",
     .corecode = "Raptor Lake-HX", .platform = "BGA 1964", .techpar1 = "Intel 7",
     .modelnote = "191: Raptor Lake-S / Raptor Lake-HX, 8P+8E and 6P+0E dies", .intprocn = kCoreI},
    {.family = 6, .model = Is(0xBF),
     .corecode = "Raptor Lake-S", .platform = "LGA 1700", .techpar1 = "Intel 7",
     .modelnote = "191: Raptor Lake-S / Raptor Lake-HX, 8P+8E and 6P+0E dies", .intprocn = kCoreI},
    // Bartlett Lake-S: Raptor Cove cores only, for the same socket.
    {.family = 6, .model = Is(0xD7),
     .corecode = "Bartlett Lake-S", .platform = "LGA 1700", .techpar1 = "Intel 7",
     .modelnote = "215: Raptor Cove, Bartlett Lake-S", .intprocn = kCoreI},
    {.family = 6, .model = Is(0xBA), .brand = "0U|5U|4U",
     .corecode = "Raptor Lake-U", .techpar1 = "Intel 7",
     .modelnote = "186: Raptor Cove + Gracemont, Raptor Lake-P / Raptor Lake-H / Raptor Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0xBA), .brand = "0H|5H",
     .corecode = "Raptor Lake-H", .platform = "BGA 1744", .techpar1 = "Intel 7",
     .modelnote = "186: Raptor Cove + Gracemont, Raptor Lake-P / Raptor Lake-H / Raptor Lake-U",
     .intprocn = kCoreI},
    {.family = 6, .model = Is(0xBA),
     .corecode = "Raptor Lake-P", .platform = "BGA 1744", .techpar1 = "Intel 7",
     .modelnote = "186: Raptor Cove + Gracemont, Raptor Lake-P / Raptor Lake-H / Raptor Lake-U",
     .intprocn = kCoreI},

    // ---- tiled Core Ultra generations (process of the compute tile) -----
    {.family = 6, .model = Is(0xAA), .brand = "5U|4U",
     .corecode = "Meteor Lake-U", .platform = "BGA 2049", .techpar1 = "Intel 4",
     .modelnote = "170: Redwood Cove + Crestmont, Meteor Lake-H / Meteor Lake-U", .intprocn = kUltra},
    {.family = 6, .model = Is(0xAA),
     .corecode = "Meteor Lake-H", .platform = "BGA 2049", .techpar1 = "Intel 4",
     .modelnote = "170: Redwood Cove + Crestmont, Meteor Lake-H / Meteor Lake-U", .intprocn = kUltra},
    {.family = 6, .model = Is(0xAC),
     .corecode = "Meteor Lake", .techpar1 = "Intel 4",
     .modelnote = "172: Redwood Cove + Crestmont, Meteor Lake", .intprocn = kUltra},
    {.family = 6, .model = Is(0xB5),
     .corecode = "Arrow Lake-U", .platform = "BGA 2049", .techpar1 = "Intel 3",
     .modelnote = "181: Redwood Cove + Crestmont, Arrow Lake-U", .intprocn = kUltra},
    {.family = 6, .model = Is(0xC5),
     .corecode = "Arrow Lake-H", .platform = "BGA 2049", .techpar1 = "TSMC N3B",
     .modelnote = "197: Lion Cove + Skymont, Arrow Lake-H", .intprocn = kUltra},
    {.family = 6, .model = Is(0xC6), .brand = "HX",
     .corecode = "Arrow Lake-HX", .platform = "BGA 2114", .techpar1 = "TSMC N3B",
     .modelnote = "198: Lion Cove + Skymont, Arrow Lake-S / Arrow Lake-HX", .intprocn = kUltra},
    {.family = 6, .model = Is(0xC6),
     .corecode = "Arrow Lake-S", .platform = "LGA 1851", .techpar1 = "TSMC N3B",
     .modelnote = "198: Lion Cove + Skymont, Arrow Lake-S / Arrow Lake-HX", .intprocn = kUltra},
    {.family = 6, .model = Is(0xBD),
     .corecode = "Lunar Lake", .platform = "BGA 2833", .techpar1 = "TSMC N3B",
     .modelnote = "189: Lion Cove + Skymont, Lunar Lake", .intprocn = kUltra},
    {.family = 6, .model = Is(0xCC),
     .corecode = "Panther Lake", .techpar1 = "Intel 18A",
     .modelnote = "204: Cougar Cove + Darkmont, Panther Lake", .intprocn = kUltra},
    {.family = 6, .model = Is(0xE5),
     .corecode = "Panther Lake", .modelnote = "229: Cougar Cove + Darkmont, Panther Lake", .intprocn = kUltra},
    {.family = 6, .model = Is(0xD5),
     .corecode = "Wildcat Lake", .techpar1 = "Intel 18A",
     .modelnote = "213: Cougar Cove + Darkmont, Wildcat Lake", .intprocn = kCoreI},

    // ---- family 18 -------------------------------------------------------
    {.family = 18, .model = Is(0x01),
     .corecode = "Nova Lake", .modelnote = "1: Coyote Cove + Arctic Wolf, Nova Lake", .intprocn = kUltra},
    {.family = 18, .model = Is(0x03),
     .corecode = "Nova Lake", .modelnote = "3: Coyote Cove + Arctic Wolf, Nova Lake (mobile)",
     .intprocn = kUltra},
};

}  // namespace

std::span<const LaterRow> IntelLaterRows() { return kRows; }
std::span<const LaterFamily> IntelLaterFamilies() { return kFamilies; }

}  // namespace kest::ident
