// Intel server dies and the Atom line after the name tables.
//
// Family 6 models whose dies are sold only as Xeon (or as Xeon and as the
// Core i7/i9 X-series on the same die), the Xeon Phi, and every die of the
// Atom line, including the Celeron, Pentium, "Intel Processor" and Core 3
// N-series parts built on Atom dies. The client dies that also carry Xeon
// E3/E-2xxx parts are in intel_later_table.cpp; the two tables key
// different models.
//
// Where one model carries several segments, the brand-string rows come
// first and a plain row for the model closes the group; the plain row
// leaves the code name or the package unset where they depend on the
// segment.
//
// Model numbers and what each stands for: the Linux kernel's
// arch/x86/include/asm/intel-family.h (ATOM_SILVERMONT_MID2 0x5A
// "Anniedale", the SoC of the Moorefield platform; ATOM_AIRMONT_NP 0x75
// "Lightning Mountain", a name for one of its SoCs only; ATOM_TREMONT_D
// 0x86 "Jacobsville"; ICELAKE_NNPI 0x9D; ATOM_CRESTMONT 0xB6 "Grand Ridge";
// ATOM_DARKMONT_X 0xDD "Clearwater Forest"; DIAMONDRAPIDS_X family 19 model
// 0x01, Panther Cove).
// Intel ARK code names: Atom P5900 (P5921B ... P5962B) "Snow Ridge", Atom
// P5300/P5700 "Jacobsville"; the NNP-I 1000 inference accelerators "Spring
// Hill".
#include "ident/later_table.h"

namespace kest::ident {
namespace {

// Brand substrings of the X-series desktop parts on server dies.
constexpr Text kCoreX = "Core(TM) i|Core i";

constexpr LaterRow kRows[] = {
    // ---- Server dies -------------------------------------------------

    // Dunnington: six Penryn cores and an L3 on one die, Xeon 7400.
    {.family = 6, .model = Is(0x1D), .corecode = "Dunnington", .platform = "Socket 604",
     .techpar1 = "Intel 45 nm", .techpar2 = "1.9B", .modelnote = "29: Penryn, Dunnington",
     .intprocn = line::kXeon},

    // Nehalem-EX (Xeon 6500/7500) and Westmere-EX (Xeon E7-2800/4800/8800).
    {.family = 6, .model = Is(0x2E), .corecode = "Nehalem-EX", .platform = "LGA 1567",
     .techpar1 = "Intel 45 nm", .techpar2 = "2.3B", .modelnote = "46: Nehalem, Nehalem-EX",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x2F), .corecode = "Westmere-EX", .platform = "LGA 1567",
     .techpar1 = "Intel 32 nm", .modelnote = "47: Westmere, Westmere-EX", .intprocn = line::kXeon},

    // Sandy Bridge-E/EP/EN: Core i7 39xx/3820 and Xeon E5-1600/2600/4600
    // on LGA 2011, Xeon E5-1400/2400 on LGA 1356.
    {.family = 6, .model = Is(0x2D), .brand = kCoreX, .corecode = "Sandy Bridge-E",
     .platform = "LGA 2011", .techpar1 = "Intel 32 nm",
     .modelnote = "45: Sandy Bridge, Sandy Bridge-E / Sandy Bridge-EP / Sandy Bridge-EN",
     .intprocn = line::kCoreI},
    {.family = 6, .model = Is(0x2D), .brand = "E5-24|E5-14", .corecode = "Sandy Bridge-EN",
     .platform = "LGA 1356", .techpar1 = "Intel 32 nm",
     .modelnote = "45: Sandy Bridge, Sandy Bridge-E / Sandy Bridge-EP / Sandy Bridge-EN",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x2D), .brand = "Xeon", .corecode = "Sandy Bridge-EP",
     .platform = "LGA 2011", .techpar1 = "Intel 32 nm",
     .modelnote = "45: Sandy Bridge, Sandy Bridge-E / Sandy Bridge-EP / Sandy Bridge-EN",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x2D), .techpar1 = "Intel 32 nm",
     .modelnote = "45: Sandy Bridge, Sandy Bridge-E / Sandy Bridge-EP / Sandy Bridge-EN",
     .intprocn = line::kXeon},

    // Ivy Bridge-E/EP/EN/EX: Core i7 48xx/49xx, Xeon E5 v2 and E7 v2. The
    // Core i7 parts are all cut from the six-core die (1.86 billion
    // transistors, 257 sq. mm as Intel gave them at launch); the Xeons also
    // use larger dies.
    {.family = 6, .model = Is(0x3E), .brand = kCoreX, .corecode = "Ivy Bridge-E",
     .platform = "LGA 2011", .techpar1 = "Intel 22 nm", .techpar2 = "1.86B", .techpar3 = "257 sqr. mm",
     .modelnote = "62: Ivy Bridge, Ivy Bridge-E / Ivy Bridge-EP / Ivy Bridge-EN / Ivy Bridge-EX",
     .intprocn = line::kCoreI},
    {.family = 6, .model = Is(0x3E), .brand = "E7-", .corecode = "Ivy Bridge-EX",
     .platform = "LGA 2011-1", .techpar1 = "Intel 22 nm",
     .modelnote = "62: Ivy Bridge, Ivy Bridge-E / Ivy Bridge-EP / Ivy Bridge-EN / Ivy Bridge-EX",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x3E), .brand = "E5-24|E5-14", .corecode = "Ivy Bridge-EN",
     .platform = "LGA 1356", .techpar1 = "Intel 22 nm",
     .modelnote = "62: Ivy Bridge, Ivy Bridge-E / Ivy Bridge-EP / Ivy Bridge-EN / Ivy Bridge-EX",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x3E), .brand = "Xeon", .corecode = "Ivy Bridge-EP",
     .platform = "LGA 2011", .techpar1 = "Intel 22 nm",
     .modelnote = "62: Ivy Bridge, Ivy Bridge-E / Ivy Bridge-EP / Ivy Bridge-EN / Ivy Bridge-EX",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x3E), .techpar1 = "Intel 22 nm",
     .modelnote = "62: Ivy Bridge, Ivy Bridge-E / Ivy Bridge-EP / Ivy Bridge-EN / Ivy Bridge-EX",
     .intprocn = line::kXeon},

    // Haswell-E/EP/EX: Core i7 58xx/59xx, Xeon E5 v3 and E7 v3.
    {.family = 6, .model = Is(0x3F), .brand = kCoreX, .corecode = "Haswell-E",
     .platform = "LGA 2011-3", .techpar1 = "Intel 22 nm",
     .modelnote = "63: Haswell, Haswell-E / Haswell-EP / Haswell-EX", .intprocn = line::kCoreI},
    {.family = 6, .model = Is(0x3F), .brand = "E7-", .corecode = "Haswell-EX",
     .platform = "LGA 2011-1", .techpar1 = "Intel 22 nm",
     .modelnote = "63: Haswell, Haswell-E / Haswell-EP / Haswell-EX", .intprocn = line::kXeon},
    // The few embedded E5-2400 v3 parts are not on LGA 2011-3.
    {.family = 6, .model = Is(0x3F), .brand = "E5-24", .techpar1 = "Intel 22 nm",
     .modelnote = "63: Haswell, Haswell-E / Haswell-EP / Haswell-EX", .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x3F), .brand = "Xeon", .corecode = "Haswell-EP",
     .platform = "LGA 2011-3", .techpar1 = "Intel 22 nm",
     .modelnote = "63: Haswell, Haswell-E / Haswell-EP / Haswell-EX", .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x3F), .techpar1 = "Intel 22 nm",
     .modelnote = "63: Haswell, Haswell-E / Haswell-EP / Haswell-EX", .intprocn = line::kXeon},

    // Broadwell-E/EP/EX: Core i7 68xx/69xx, Xeon E5 v4 and E7 v4.
    {.family = 6, .model = Is(0x4F), .brand = kCoreX, .corecode = "Broadwell-E",
     .platform = "LGA 2011-3", .techpar1 = "Intel 14 nm",
     .modelnote = "79: Broadwell, Broadwell-E / Broadwell-EP / Broadwell-EX",
     .intprocn = line::kCoreI},
    {.family = 6, .model = Is(0x4F), .brand = "E7-", .corecode = "Broadwell-EX",
     .platform = "LGA 2011-1", .techpar1 = "Intel 14 nm",
     .modelnote = "79: Broadwell, Broadwell-E / Broadwell-EP / Broadwell-EX", .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x4F), .brand = "Xeon", .corecode = "Broadwell-EP",
     .platform = "LGA 2011-3", .techpar1 = "Intel 14 nm",
     .modelnote = "79: Broadwell, Broadwell-E / Broadwell-EP / Broadwell-EX", .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x4F), .techpar1 = "Intel 14 nm",
     .modelnote = "79: Broadwell, Broadwell-E / Broadwell-EP / Broadwell-EX", .intprocn = line::kXeon},

    // Broadwell-DE SoC: Xeon D-1500, Pentium D1500; Hewitt Lake: Xeon D-1600.
    {.family = 6, .model = Is(0x56), .brand = "D-16", .corecode = "Hewitt Lake",
     .platform = "BGA 1667", .techpar1 = "Intel 14 nm",
     .modelnote = "86: Broadwell, Broadwell-DE / Hewitt Lake", .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x56), .corecode = "Broadwell-DE", .platform = "BGA 1667",
     .techpar1 = "Intel 14 nm", .modelnote = "86: Broadwell, Broadwell-DE / Hewitt Lake",
     .intprocn = line::kXeon},

    // Model 0x55: Skylake server dies (steppings up to 4), Cascade Lake
    // (5 to 7), Cooper Lake (10 and 11). Each is sold as Xeon Scalable on
    // LGA 3647 and, on the same die, as Core i7/i9 X-series and Xeon W.
    {.family = 6, .model = Is(0x55), .stepping = Range(10, 11), .corecode = "Cooper Lake",
     .platform = "LGA 4189", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(5, 7), .brand = kCoreX,
     .corecode = "Cascade Lake-X", .platform = "LGA 2066", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kCoreI},
    {.family = 6, .model = Is(0x55), .stepping = Range(5, 7), .brand = "W-22",
     .corecode = "Cascade Lake-W", .platform = "LGA 2066", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(5, 7), .brand = "W-32",
     .corecode = "Cascade Lake-W", .platform = "LGA 3647", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(5, 7), .brand = "Platinum 92",
     .corecode = "Cascade Lake-AP", .platform = "BGA 5903", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(5, 7), .brand = "Xeon",
     .corecode = "Cascade Lake-SP", .platform = "LGA 3647", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(5, 7), .corecode = "Cascade Lake",
     .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(0, 4), .brand = kCoreX,
     .corecode = "Skylake-X", .platform = "LGA 2066", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kCoreI},
    {.family = 6, .model = Is(0x55), .stepping = Range(0, 4), .brand = "W-21",
     .corecode = "Skylake-W", .platform = "LGA 2066", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(0, 4), .brand = "W-31",
     .corecode = "Skylake-W", .platform = "LGA 3647", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(0, 4), .brand = "D-21",
     .corecode = "Skylake-D", .platform = "BGA 2518", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .stepping = Range(0, 4), .brand = "Xeon",
     .corecode = "Skylake-SP", .platform = "LGA 3647", .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x55), .techpar1 = "Intel 14 nm",
     .modelnote = "85: Skylake, Skylake-SP / Skylake-X / Cascade Lake / Cooper Lake",
     .intprocn = line::kXeon},

    // Ice Lake server dies: Xeon Scalable 3rd generation and Xeon W-3300
    // on LGA 4189; Ice Lake-D (Xeon D-1700/D-2700) in two BGA packages.
    {.family = 6, .model = Is(0x6A), .corecode = "Ice Lake-SP", .platform = "LGA 4189",
     .techpar1 = "Intel 10 nm", .modelnote = "106: Sunny Cove, Ice Lake-SP",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x6C), .corecode = "Ice Lake-D", .techpar1 = "Intel 10 nm",
     .modelnote = "108: Sunny Cove, Ice Lake-D", .intprocn = line::kXeon},

    // Sapphire Rapids (Xeon Scalable 4th generation, Xeon Max, Xeon W-2400/
    // W-3400) and Emerald Rapids (5th generation), all on LGA 4677.
    {.family = 6, .model = Is(0x8F), .corecode = "Sapphire Rapids", .platform = "LGA 4677",
     .techpar1 = "Intel 7", .modelnote = "143: Golden Cove, Sapphire Rapids",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0xCF), .corecode = "Emerald Rapids", .platform = "LGA 4677",
     .techpar1 = "Intel 7", .modelnote = "207: Raptor Cove, Emerald Rapids",
     .intprocn = line::kXeon},

    // Xeon 6: Granite Rapids (P-cores) and Sierra Forest (E-cores) on
    // LGA 4710 and LGA 7529, Granite Rapids-D in BGA packages.
    {.family = 6, .model = Is(0xAD), .corecode = "Granite Rapids", .techpar1 = "Intel 3",
     .modelnote = "173: Redwood Cove, Granite Rapids", .intprocn = line::kXeon},
    {.family = 6, .model = Is(0xAE), .corecode = "Granite Rapids-D", .techpar1 = "Intel 3",
     .modelnote = "174: Redwood Cove, Granite Rapids-D", .intprocn = line::kXeon},
    {.family = 6, .model = Is(0xAF), .corecode = "Sierra Forest", .techpar1 = "Intel 3",
     .modelnote = "175: Crestmont, Sierra Forest", .intprocn = line::kXeon},
    // Grand Ridge: Crestmont network SoC.
    {.family = 6, .model = Is(0xB6), .corecode = "Grand Ridge", .modelnote = "182: Crestmont, Grand Ridge",
     .intprocn = line::kAtom},
    // Xeon 6+ (Clearwater Forest): Darkmont cores on Intel 18A compute
    // tiles stacked on Intel 3 base tiles.
    {.family = 6, .model = Is(0xDD), .corecode = "Clearwater Forest", .techpar1 = "Intel 18A",
     .modelnote = "221: Darkmont, Clearwater Forest", .intprocn = line::kXeon},
    // Diamond Rapids: Panther Cove cores, the first family 19 processor.
    {.family = 19, .model = Is(0x01), .corecode = "Diamond Rapids",
     .modelnote = "1: Panther Cove, Diamond Rapids", .intprocn = line::kXeon},
    // Spring Hill: the NNP-I inference accelerator's Sunny Cove cores.
    {.family = 6, .model = Is(0x9D), .corecode = "Spring Hill", .techpar1 = "Intel 10 nm",
     .modelnote = "157: Sunny Cove, Ice Lake NNPI (Spring Hill)"},

    // Xeon Phi x200 (Knights Landing) and 72x5 (Knights Mill).
    {.family = 6, .model = Is(0x57), .corecode = "Knights Landing", .platform = "LGA 3647",
     .techpar1 = "Intel 14 nm", .modelnote = "87: Xeon Phi, Knights Landing",
     .intprocn = line::kXeon},
    {.family = 6, .model = Is(0x85), .corecode = "Knights Mill", .platform = "LGA 3647",
     .techpar1 = "Intel 14 nm", .modelnote = "133: Xeon Phi, Knights Mill",
     .intprocn = line::kXeon},

    // ---- Atom line ---------------------------------------------------

    // Bonnell, 45 nm. Stepping 2: the one die (47 million transistors) sold
    // as Silverthorne (Atom Z5xx, 441-ball package) and as Diamondville
    // (Atom N2xx, 230, 330; 437-ball package, die listed at 26 sq. mm; the
    // Silverthorne launch gave 25 sq. mm, so that row leaves the size
    // unset). Stepping 10: Pineview (Atom N4xx/N5xx/D4xx/D5xx), memory
    // controller and graphics on the die.
    {.family = 6, .model = Is(0x1C), .stepping = Is(2), .brand = " Z5",
     .corecode = "Silverthorne", .platform = "BGA 441", .techpar1 = "Intel 45 nm",
     .techpar2 = "47M", .modelnote = "28: Bonnell, Silverthorne / Diamondville / Pineview",
     .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x1C), .stepping = Is(2), .corecode = "Diamondville",
     .platform = "BGA 437", .techpar1 = "Intel 45 nm", .techpar2 = "47M",
     .techpar3 = "26 sqr. mm",
     .modelnote = "28: Bonnell, Silverthorne / Diamondville / Pineview", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x1C), .stepping = Is(10), .corecode = "Pineview",
     .platform = "BGA 559", .techpar1 = "Intel 45 nm",
     .modelnote = "28: Bonnell, Silverthorne / Diamondville / Pineview", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x1C), .techpar1 = "Intel 45 nm",
     .modelnote = "28: Bonnell, Silverthorne / Diamondville / Pineview", .intprocn = line::kAtom},

    // Bonnell SoCs: Lincroft (Atom Z6xx) and Tunnel Creek (Atom E6xx).
    {.family = 6, .model = Is(0x26), .brand = " Z6", .corecode = "Lincroft",
     .techpar1 = "Intel 45 nm", .modelnote = "38: Bonnell, Lincroft / Tunnel Creek",
     .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x26), .brand = " E6", .corecode = "Tunnel Creek",
     .techpar1 = "Intel 45 nm", .modelnote = "38: Bonnell, Lincroft / Tunnel Creek",
     .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x26), .techpar1 = "Intel 45 nm",
     .modelnote = "38: Bonnell, Lincroft / Tunnel Creek", .intprocn = line::kAtom},

    // Saltwell, 32 nm: Penwell (Atom Z2000/Z2400, Medfield phones),
    // Cloverview (Atom Z2500/Z2700, Clover Trail tablets), Cedarview (Atom
    // N2000/D2000) and Centerton (Atom S1200) on one model.
    {.family = 6, .model = Is(0x27), .corecode = "Penwell", .techpar1 = "Intel 32 nm",
     .modelnote = "39: Saltwell, Penwell", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x35), .corecode = "Cloverview", .techpar1 = "Intel 32 nm",
     .modelnote = "53: Saltwell, Cloverview", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x36), .brand = " S12", .corecode = "Centerton",
     .techpar1 = "Intel 32 nm", .modelnote = "54: Saltwell, Cedarview / Centerton",
     .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x36), .corecode = "Cedarview", .platform = "BGA 559",
     .techpar1 = "Intel 32 nm", .modelnote = "54: Saltwell, Cedarview / Centerton",
     .intprocn = line::kAtom},

    // Silvermont, 22 nm. Bay Trail: Atom Z3000 tablets (-T, several
    // packages), Atom E3800 (-I), Celeron/Pentium J (-D) and N (-M), the
    // last three in FCBGA1170.
    {.family = 6, .model = Is(0x37), .brand = " Z3", .corecode = "Bay Trail-T",
     .techpar1 = "Intel 22 nm", .modelnote = "55: Silvermont, Bay Trail", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x37), .brand = " E38", .corecode = "Bay Trail-I",
     .platform = "BGA 1170", .techpar1 = "Intel 22 nm", .modelnote = "55: Silvermont, Bay Trail",
     .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x37), .brand = " J1| J2", .corecode = "Bay Trail-D",
     .platform = "BGA 1170", .techpar1 = "Intel 22 nm", .modelnote = "55: Silvermont, Bay Trail",
     .intprocn = line::kPentium},
    {.family = 6, .model = Is(0x37), .brand = " N2| N3", .corecode = "Bay Trail-M",
     .platform = "BGA 1170", .techpar1 = "Intel 22 nm", .modelnote = "55: Silvermont, Bay Trail",
     .intprocn = line::kPentium},
    {.family = 6, .model = Is(0x37), .corecode = "Bay Trail", .techpar1 = "Intel 22 nm",
     .modelnote = "55: Silvermont, Bay Trail", .intprocn = line::kAtom},
    // Merrifield (Atom Z34xx) and Moorefield (Atom Z35xx) phone SoCs.
    {.family = 6, .model = Is(0x4A), .corecode = "Merrifield", .techpar1 = "Intel 22 nm",
     .modelnote = "74: Silvermont, Merrifield", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x5A), .corecode = "Anniedale", .techpar1 = "Intel 22 nm",
     .modelnote = "90: Silvermont, Anniedale (Moorefield platform)", .intprocn = line::kAtom},
    // Atom C2000 server SoC: Avoton, and Rangeley (the C2xx8 parts) for
    // network equipment, both FCBGA1283.
    {.family = 6, .model = Is(0x4D),
     .brand = "C2308|C2338|C2358|C2508|C2518|C2558|C2718|C2738|C2758", .corecode = "Rangeley",
     .platform = "BGA 1283", .techpar1 = "Intel 22 nm", .modelnote = "77: Silvermont, Avoton / Rangeley",
     .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x4D), .corecode = "Avoton", .platform = "BGA 1283",
     .techpar1 = "Intel 22 nm", .modelnote = "77: Silvermont, Avoton / Rangeley",
     .intprocn = line::kAtom},

    // Airmont, 14 nm: Cherry Trail (Atom x5/x7-Z8000 tablets) and Braswell
    // (Celeron/Pentium N3000/J3000, Atom E8000; FCBGA1170).
    {.family = 6, .model = Is(0x4C), .brand = "-Z8", .corecode = "Cherry Trail",
     .techpar1 = "Intel 14 nm", .modelnote = "76: Airmont, Braswell / Cherry Trail",
     .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x4C), .corecode = "Braswell", .platform = "BGA 1170",
     .techpar1 = "Intel 14 nm", .modelnote = "76: Airmont, Braswell / Cherry Trail",
     .intprocn = line::kPentium},
    // Airmont in more than one SoC: Intel's Lightning Mountain network SoC,
    // and other makers' (Spreadtrum's SC9853I reports this model too). The
    // model alone does not tell which, so only the core is named.
    {.family = 6, .model = Is(0x75), .corecode = "Airmont", .techpar1 = "Intel 14 nm",
     .modelnote = "117: Airmont"},

    // Goldmont, 14 nm: Apollo Lake (Celeron/Pentium N3350-N4200,
    // J3355-J4205, Atom E3900; FCBGA1296) and Denverton (Atom C3000;
    // FCBGA1310).
    {.family = 6, .model = Is(0x5C), .corecode = "Apollo Lake", .platform = "BGA 1296",
     .techpar1 = "Intel 14 nm", .modelnote = "92: Goldmont, Apollo Lake",
     .intprocn = line::kPentium},
    {.family = 6, .model = Is(0x5F), .corecode = "Denverton", .platform = "BGA 1310",
     .techpar1 = "Intel 14 nm", .modelnote = "95: Goldmont, Denverton", .intprocn = line::kAtom},

    // Goldmont Plus, 14 nm: Gemini Lake (stepping B0) and its refresh
    // (stepping R0: N4020/N4120/N5030, J4025/J4125/J5040), FCBGA1090.
    {.family = 6, .model = Is(0x7A), .stepping = Is(8), .corecode = "Gemini Lake Refresh",
     .platform = "BGA 1090", .techpar1 = "Intel 14 nm",
     .modelnote = "122: Goldmont Plus, Gemini Lake / Gemini Lake Refresh",
     .intprocn = line::kPentium},
    {.family = 6, .model = Is(0x7A), .corecode = "Gemini Lake", .platform = "BGA 1090",
     .techpar1 = "Intel 14 nm", .modelnote = "122: Goldmont Plus, Gemini Lake / Gemini Lake Refresh",
     .intprocn = line::kPentium},

    // Tremont, 10 nm: Snow Ridge (Atom P5900 base-station SoC), Lakefield
    // (one Sunny Cove and four Tremont cores, Foveros stack; the compute
    // die's process), Elkhart Lake (Atom x6000E, Pentium/Celeron J6000/
    // N6000; FCBGA1493), Jasper Lake (Celeron/Pentium Silver N4500-N6005;
    // FCBGA1338).
    {.family = 6, .model = Is(0x86), .brand = " P59", .corecode = "Snow Ridge",
     .techpar1 = "Intel 10 nm", .modelnote = "134: Tremont, Jacobsville / Snow Ridge", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x86), .brand = " P53| P57", .corecode = "Jacobsville",
     .techpar1 = "Intel 10 nm", .modelnote = "134: Tremont, Jacobsville / Snow Ridge", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x86), .techpar1 = "Intel 10 nm",
     .modelnote = "134: Tremont, Jacobsville / Snow Ridge", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x8A), .corecode = "Lakefield", .techpar1 = "Intel 10 nm",
     .modelnote = "138: Sunny Cove + Tremont, Lakefield", .intprocn = line::kCoreI},
    {.family = 6, .model = Is(0x96), .corecode = "Elkhart Lake", .platform = "BGA 1493",
     .techpar1 = "Intel 10 nm", .modelnote = "150: Tremont, Elkhart Lake", .intprocn = line::kAtom},
    {.family = 6, .model = Is(0x9C), .corecode = "Jasper Lake", .platform = "BGA 1338",
     .techpar1 = "Intel 10 nm", .modelnote = "156: Tremont, Jasper Lake",
     .intprocn = line::kPentium},

    // Gracemont only, Intel 7, FCBGA1264: Alder Lake-N (Intel Processor
    // N50-N200, Core i3-N300/N305, Atom x7000E) and its refresh Twin Lake
    // (Intel Processor N150/N250, Core 3 N350/N355).
    {.family = 6, .model = Is(0xBE), .brand = "N150|N250|N350|N355", .corecode = "Twin Lake",
     .platform = "BGA 1264", .techpar1 = "Intel 7",
     .modelnote = "190: Gracemont, Alder Lake-N / Twin Lake", .intprocn = line::kPentium},
    {.family = 6, .model = Is(0xBE), .corecode = "Alder Lake-N", .platform = "BGA 1264",
     .techpar1 = "Intel 7", .modelnote = "190: Gracemont, Alder Lake-N / Twin Lake",
     .intprocn = line::kPentium},
};

}  // namespace

std::span<const LaterRow> IntelServerAtomLaterRows() { return kRows; }

}  // namespace kest::ident
