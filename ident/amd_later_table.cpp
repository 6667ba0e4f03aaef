// AMD processors after the name tables: K8 revisions E to G, K10 and the
// families built since (0x10 to 0x1A).
//
// Keys are display family and display model as AMD computes them: the
// extended model is folded in because every one of these processors has
// base family 15. Silicon revisions per model follow AMD's revision guides
// (CPUID Fn0000_0001_EAX per revision); where one die is sold as several
// product lines (Ryzen, Threadripper, EPYC, Opteron, Phenom, Sempron ...),
// rows split by brand-string substrings come before the model's plain row.
//
// Die figures (transistors, area) appear only where AMD published them;
// for a package of several dies they are those of the compute die.
//
// Generations by model range (families 0x17, 0x19 and 0x1A each hold two
// or more): the Linux kernel's arch/x86/kernel/cpu/amd.c, bsp_init_amd(),
// which sets X86_FEATURE_ZEN1 ... ZEN6 from these ranges (Zen 6 ranges as
// extended in October 2025: 0x50-0x5F, 0x80-0xAF, 0xC0-0xCF).
// K8 revision D (models 0x14-0x1F): AMD's Revision Guide for AMD Athlon 64
// and AMD Opteron Processors (25759), CPUID values per silicon revision
// (SH-D0 00010F40h Socket 754, 00010F50h
// Socket 940, 00010F70h Socket 939; DH-D0 00010FC0h and 00010FF0h; CH-D0
// 00010F80h and 00010FB0h).
// Zen 5c (model 0x11): AMD's EPYC 9005 launch material, the dense core
// complex die made on TSMC's 3 nm process. Model 0x91 (Van Gogh) and the
// two desktop kits' models (0x47 for the 4700S, 0x84 for the 4800S, whose
// dies are the console SoCs AMD names no code for): AMD's product pages
// for the kits; the kernel's Zen 2 range holds 0x47 and 0x90-0x91.
// Threadripper 9000 / PRO 9000WX (Shimada Peak) report model 0x08.
// Embedded and server parts on client dies, by AMD's announcements: the
// Opteron X3000 "Toronto" (X3216, X3418, X3421, named by the brand on the
// Excavator models 0x60 and 0x65) and the Embedded R-Series "Merlin Falcon"
// on the Excavator die of model 0x60, the second-generation Embedded
// G-Series SOC "Steppe Eagle" (GX-...) on the Puma die of family 0x16 model
// 0x30.
#include "ident/later_table.h"

namespace kest::ident {
namespace {

// Processes, as the foundry names them.
constexpr Text kAmd90 = "AMD 90 nm SOI";
constexpr Text kAmd65 = "AMD 65 nm SOI";
constexpr Text kAmd45 = "AMD 45 nm SOI";
constexpr Text kGf32 = "GF 32 nm SOI";
constexpr Text kGf28 = "GF 28 nm";
constexpr Text kTsmc40 = "TSMC 40 nm";
constexpr Text kTsmc28 = "TSMC 28 nm";
constexpr Text kGf14 = "GF 14LPP";
constexpr Text kGf12 = "GF 12LP";
constexpr Text kN7 = "TSMC N7";
constexpr Text kN6 = "TSMC N6";
constexpr Text kN5 = "TSMC N5";
constexpr Text kN4 = "TSMC N4";
constexpr Text kN4P = "TSMC N4P";
constexpr Text kN3 = "TSMC N3";

// Sockets and packages.
constexpr Text k754 = "Socket 754";
constexpr Text k939 = "Socket 939";
constexpr Text k940 = "Socket 940";
constexpr Text kAM2 = "Socket AM2";
constexpr Text kAM2p = "Socket AM2+";
constexpr Text kAM3 = "Socket AM3";
constexpr Text kAM3p = "Socket AM3+";
constexpr Text kAM4 = "Socket AM4";
constexpr Text kAM5 = "Socket AM5";
constexpr Text kS1 = "Socket S1g1";
constexpr Text kF = "Socket F (1207)";
constexpr Text kG34 = "Socket G34";
constexpr Text kC32 = "Socket C32";
constexpr Text kSP3 = "Socket SP3";
constexpr Text kSP5 = "Socket SP5";

// Brand strings of desktop APUs that sit in the socket rather than on a
// board: "AMD Ryzen 5 2400G with Radeon Vega Graphics", "... 5600GE with ..."
constexpr Text kDesktopApu = "G with|GE with|GT with";

using L = uint16_t;
constexpr L kOpt = line::kOpteron, kA64 = line::kAthlon64, kAth = line::kAthlon, kPhe = line::kPhenom,
            kApu = line::kApuFx, kRyz = line::kRyzen, kTr = line::kThreadripper, kEpyc = line::kEpyc,
            kSem = line::kSempron, kTur = line::kTurion;

constexpr LaterFamily kFamilies[] = {
    // Family 15 keeps the name tables' own header.
    {.family = 0x0F, .microarch = "K8 family"},
    {.family = 0x10, .familynote = "16: AMD K10 (Phenom, Phenom II, Athlon II, Opteron)", .microarch = "K10 family"},
    {.family = 0x11, .familynote = "17: AMD Turion X2 Ultra and notebook Athlon X2 (Griffin)",
     .microarch = "Griffin family"},
    {.family = 0x12, .familynote = "18: AMD Llano APUs (K10 cores)", .microarch = "Llano family"},
    {.family = 0x14, .familynote = "20: AMD Bobcat APUs", .microarch = "Bobcat family"},
    {.family = 0x15, .familynote = "21: AMD Bulldozer, Piledriver, Steamroller and Excavator",
     .microarch = "Bulldozer family"},
    {.family = 0x16, .familynote = "22: AMD Jaguar and Puma", .microarch = "Jaguar family"},
    // These three span generations: see kGenerations.
    {.family = 0x17, .familynote = "23: AMD Zen, Zen+ and Zen 2"},
    {.family = 0x19, .familynote = "25: AMD Zen 3 and Zen 4"},
    {.family = 0x1A, .familynote = "26: AMD Zen 5 and Zen 6"},
};

// The kernel's ranges; Zen+ shares the Zen range.
constexpr LaterGeneration kGenerations[] = {
    {.family = 0x17, .model = Range(0x00, 0x2F), .microarch = "Zen family"},
    {.family = 0x17, .model = Range(0x50, 0x5F), .microarch = "Zen family"},
    {.family = 0x17, .model = Range(0x30, 0x4F), .microarch = "Zen 2 family"},
    {.family = 0x17, .model = Range(0x60, 0x7F), .microarch = "Zen 2 family"},
    {.family = 0x17, .model = Range(0x90, 0x91), .microarch = "Zen 2 family"},
    {.family = 0x17, .model = Range(0xA0, 0xAF), .microarch = "Zen 2 family"},
    {.family = 0x19, .model = Range(0x00, 0x0F), .microarch = "Zen 3 family"},
    {.family = 0x19, .model = Range(0x20, 0x5F), .microarch = "Zen 3 family"},
    {.family = 0x19, .model = Range(0x10, 0x1F), .microarch = "Zen 4 family"},
    {.family = 0x19, .model = Range(0x60, 0xAF), .microarch = "Zen 4 family"},
    {.family = 0x1A, .model = Range(0x00, 0x2F), .microarch = "Zen 5 family"},
    {.family = 0x1A, .model = Range(0x40, 0x4F), .microarch = "Zen 5 family"},
    {.family = 0x1A, .model = Range(0x60, 0x7F), .microarch = "Zen 5 family"},
    {.family = 0x1A, .model = Range(0x50, 0x5F), .microarch = "Zen 6 family"},
    {.family = 0x1A, .model = Range(0x80, 0xAF), .microarch = "Zen 6 family"},
    {.family = 0x1A, .model = Range(0xC0, 0xCF), .microarch = "Zen 6 family"},
};

constexpr LaterRow kRows[] = {
    // ---- Family 15, revision D (90 nm) ---------------------------------
    // The model's low digit gives the package: 4 and 8 and C Socket 754,
    // 5 Socket 940, 7 and B and F Socket 939.
    {.family = 0x0F, .model = Is(0x14), .corecode = "SH-D0", .platform = k754, .techpar1 = kAmd90,
     .modelnote = "20: K8 rev. D, 1 MB L2", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x15), .corecode = "SH-D0", .platform = k940, .techpar1 = kAmd90,
     .modelnote = "21: K8 rev. D, 1 MB L2", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x17), .corecode = "SH-D0", .platform = k939, .techpar1 = kAmd90,
     .modelnote = "23: K8 rev. D, 1 MB L2", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x18), .corecode = "CH-D0", .platform = k754, .techpar1 = kAmd90,
     .modelnote = "24: K8 rev. D, 512 KB L2", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x1B), .corecode = "CH-D0", .platform = k939, .techpar1 = kAmd90,
     .modelnote = "27: K8 rev. D, 512 KB L2", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x1C), .corecode = "DH-D0", .platform = k754, .techpar1 = kAmd90,
     .modelnote = "28: K8 rev. D, 512 KB L2 or less", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x1F), .corecode = "DH-D0", .platform = k939, .techpar1 = kAmd90,
     .modelnote = "31: K8 rev. D, 512 KB L2 or less", .intprocn = kA64},

    // ---- Family 15, revision E (90 nm) ---------------------------------
    // JH: two cores, 1 MB L2 each. Socket 940 (Opteron 2xx/8xx), 939.
    {.family = 0x0F, .model = Is(0x21), .brand = "Processor 8|Opteron 8", .corecode = "Egypt", .platform = k940,
     .techpar1 = kAmd90, .modelnote = "33: K8 rev. E, Italy / Egypt", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x21), .brand = "Opteron", .corecode = "Italy", .platform = k940,
     .techpar1 = kAmd90, .modelnote = "33: K8 rev. E, Italy / Egypt", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x21), .platform = k940, .techpar1 = kAmd90,
     .modelnote = "33: K8 rev. E, Italy / Egypt", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x23), .brand = "Opteron", .corecode = "Denmark", .platform = k939,
     .techpar1 = kAmd90, .modelnote = "35: K8 rev. E, Toledo / Denmark", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x23), .corecode = "Toledo", .platform = k939, .techpar1 = kAmd90,
     .modelnote = "35: K8 rev. E, Toledo / Denmark", .intprocn = kAth},
    // SH: one core, 1 MB L2.
    {.family = 0x0F, .model = Is(0x24), .brand = "Turion", .corecode = "Lancaster", .platform = k754,
     .techpar1 = kAmd90, .modelnote = "36: K8 rev. E, Lancaster / Newark", .intprocn = kTur},
    {.family = 0x0F, .model = Is(0x24), .brand = "Athlon", .corecode = "Newark", .platform = k754,
     .techpar1 = kAmd90, .modelnote = "36: K8 rev. E, Lancaster / Newark", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x24), .platform = k754, .techpar1 = kAmd90,
     .modelnote = "36: K8 rev. E, Lancaster / Newark", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x25), .brand = "Processor 8|Opteron 8", .corecode = "Athens", .platform = k940,
     .techpar1 = kAmd90, .modelnote = "37: K8 rev. E, Troy / Athens", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x25), .brand = "Opteron", .corecode = "Troy", .platform = k940,
     .techpar1 = kAmd90, .modelnote = "37: K8 rev. E, Troy / Athens", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x25), .platform = k940, .techpar1 = kAmd90,
     .modelnote = "37: K8 rev. E, Troy / Athens", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x27), .brand = "Opteron", .corecode = "Venus", .platform = k939,
     .techpar1 = kAmd90, .modelnote = "39: K8 rev. E, San Diego / Venus", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x27), .corecode = "San Diego", .platform = k939, .techpar1 = kAmd90,
     .modelnote = "39: K8 rev. E, San Diego / Venus", .intprocn = kA64},
    // BH: two cores, 512 KB L2 each.
    {.family = 0x0F, .model = Is(0x2B), .corecode = "Manchester", .platform = k939, .techpar1 = kAmd90,
     .modelnote = "43: K8 rev. E, Manchester", .intprocn = kAth},
    // DH: one core, 512 KB or less L2.
    {.family = 0x0F, .model = Is(0x2C), .brand = "Sempron", .corecode = "Palermo", .platform = k754,
     .techpar1 = kAmd90, .modelnote = "44: K8 rev. E, Venice / Palermo", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x2C), .platform = k754, .techpar1 = kAmd90,
     .modelnote = "44: K8 rev. E, Venice / Palermo", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x2F), .brand = "Sempron", .corecode = "Palermo", .platform = k939,
     .techpar1 = kAmd90, .modelnote = "47: K8 rev. E, Venice / Palermo", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x2F), .corecode = "Venice", .platform = k939, .techpar1 = kAmd90,
     .modelnote = "47: K8 rev. E, Venice / Palermo", .intprocn = kA64},

    // ---- Family 15, revision F (90 nm, DDR2) ---------------------------
    {.family = 0x0F, .model = Is(0x41), .brand = "FX", .corecode = "Windsor", .platform = kF, .techpar1 = kAmd90,
     .modelnote = "65: K8 rev. F, Santa Rosa", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x41), .corecode = "Santa Rosa", .platform = kF, .techpar1 = kAmd90,
     .modelnote = "65: K8 rev. F, Santa Rosa", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x43), .brand = "Opteron", .corecode = "Santa Ana", .platform = kAM2,
     .techpar1 = kAmd90, .modelnote = "67: K8 rev. F, Windsor / Santa Ana", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0x43), .corecode = "Windsor", .platform = kAM2, .techpar1 = kAmd90,
     .modelnote = "67: K8 rev. F, Windsor / Santa Ana", .intprocn = kAth},
    {.family = 0x0F, .model = Is(0x48), .brand = "TL-50|TL-52", .corecode = "Taylor", .platform = kS1,
     .techpar1 = kAmd90, .modelnote = "72: K8 rev. F, Taylor / Trinidad", .intprocn = kTur},
    {.family = 0x0F, .model = Is(0x48), .brand = "Turion", .corecode = "Trinidad", .platform = kS1,
     .techpar1 = kAmd90, .modelnote = "72: K8 rev. F, Taylor / Trinidad", .intprocn = kTur},
    {.family = 0x0F, .model = Is(0x48), .platform = kS1, .techpar1 = kAmd90,
     .modelnote = "72: K8 rev. F, Taylor / Trinidad", .intprocn = kTur},
    {.family = 0x0F, .model = Is(0x4B), .corecode = "Windsor", .platform = kAM2, .techpar1 = kAmd90,
     .modelnote = "75: K8 rev. F, Windsor", .intprocn = kAth},
    {.family = 0x0F, .model = Is(0x4C), .brand = "Sempron", .corecode = "Keene", .platform = kS1,
     .techpar1 = kAmd90, .modelnote = "76: K8 rev. F, one core for notebooks", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x4C), .corecode = "Richmond", .platform = kS1, .techpar1 = kAmd90,
     .modelnote = "76: K8 rev. F, one core for notebooks", .intprocn = kTur},
    {.family = 0x0F, .model = Is(0x4F), .brand = "Sempron", .corecode = "Manila", .platform = kAM2,
     .techpar1 = kAmd90, .modelnote = "79: K8 rev. F, Orleans / Manila", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x4F), .corecode = "Orleans", .platform = kAM2, .techpar1 = kAmd90,
     .modelnote = "79: K8 rev. F, Orleans / Manila", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x5F), .brand = "Sempron", .corecode = "Manila", .platform = kAM2,
     .techpar1 = kAmd90, .modelnote = "95: K8 rev. F, Orleans / Manila", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x5F), .corecode = "Orleans", .platform = kAM2, .techpar1 = kAmd90,
     .modelnote = "95: K8 rev. F, Orleans / Manila", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x5D), .corecode = "Santa Rosa", .platform = kF, .techpar1 = kAmd90,
     .modelnote = "93: K8 rev. F, Santa Rosa", .intprocn = kOpt},
    {.family = 0x0F, .model = Is(0xC1), .corecode = "Santa Rosa", .platform = kF, .techpar1 = kAmd90,
     .modelnote = "193: K8 rev. F, Santa Rosa", .intprocn = kOpt},

    // ---- Family 15, revision G (65 nm) ---------------------------------
    {.family = 0x0F, .model = Is(0x68), .corecode = "Tyler", .platform = kS1, .techpar1 = kAmd65,
     .modelnote = "104: K8 rev. G, Tyler", .intprocn = kTur},
    {.family = 0x0F, .model = Is(0x6B), .corecode = "Brisbane", .platform = kAM2, .techpar1 = kAmd65,
     .modelnote = "107: K8 rev. G, Brisbane", .intprocn = kAth},
    {.family = 0x0F, .model = Is(0x6C), .brand = "Sempron", .corecode = "Sherman", .platform = kS1,
     .techpar1 = kAmd65, .modelnote = "108: K8 rev. G, one core for notebooks", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x6C), .platform = kS1, .techpar1 = kAmd65,
     .modelnote = "108: K8 rev. G, one core for notebooks", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x6F), .brand = "Sempron", .corecode = "Sparta", .platform = kAM2,
     .techpar1 = kAmd65, .modelnote = "111: K8 rev. G, Lima / Sparta", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x6F), .corecode = "Lima", .platform = kAM2, .techpar1 = kAmd65,
     .modelnote = "111: K8 rev. G, Lima / Sparta", .intprocn = kA64},
    {.family = 0x0F, .model = Is(0x7C), .brand = "Sempron", .corecode = "Sherman", .platform = kS1,
     .techpar1 = kAmd65, .modelnote = "124: K8 rev. G, one core for notebooks", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x7C), .platform = kS1, .techpar1 = kAmd65,
     .modelnote = "124: K8 rev. G, one core for notebooks", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x7F), .brand = "Sempron", .corecode = "Sparta", .platform = kAM2,
     .techpar1 = kAmd65, .modelnote = "127: K8 rev. G, Lima / Sparta", .intprocn = kSem},
    {.family = 0x0F, .model = Is(0x7F), .corecode = "Lima", .platform = kAM2, .techpar1 = kAmd65,
     .modelnote = "127: K8 rev. G, Lima / Sparta", .intprocn = kA64},

    // ---- Family 0x10, K10 ----------------------------------------------
    // DR (revisions B0-B3): four cores, 65 nm.
    {.family = 0x10, .model = Is(0x02), .brand = "Processor 13|Opteron 13", .corecode = "Budapest", .platform = kAM2p,
     .techpar1 = kAmd65, .techpar2 = "463M", .techpar3 = "283 sqr. mm",
     .modelnote = "2: K10, Barcelona / Budapest / Agena / Toliman / Kuma", .intprocn = kOpt},
    {.family = 0x10, .model = Is(0x02), .brand = "Opteron", .corecode = "Barcelona", .platform = kF,
     .techpar1 = kAmd65, .techpar2 = "463M", .techpar3 = "283 sqr. mm",
     .modelnote = "2: K10, Barcelona / Budapest / Agena / Toliman / Kuma", .intprocn = kOpt},
    {.family = 0x10, .model = Is(0x02), .brand = "Triple-Core", .corecode = "Toliman", .platform = kAM2p,
     .techpar1 = kAmd65, .techpar2 = "463M", .techpar3 = "283 sqr. mm",
     .modelnote = "2: K10, Barcelona / Budapest / Agena / Toliman / Kuma", .intprocn = kPhe},
    {.family = 0x10, .model = Is(0x02), .brand = "Dual-Core", .corecode = "Kuma", .platform = kAM2p,
     .techpar1 = kAmd65, .techpar2 = "463M", .techpar3 = "283 sqr. mm",
     .modelnote = "2: K10, Barcelona / Budapest / Agena / Toliman / Kuma", .intprocn = kAth},
    {.family = 0x10, .model = Is(0x02), .brand = "Phenom", .corecode = "Agena", .platform = kAM2p,
     .techpar1 = kAmd65, .techpar2 = "463M", .techpar3 = "283 sqr. mm",
     .modelnote = "2: K10, Barcelona / Budapest / Agena / Toliman / Kuma", .intprocn = kPhe},
    {.family = 0x10, .model = Is(0x02), .techpar1 = kAmd65, .techpar2 = "463M", .techpar3 = "283 sqr. mm",
     .modelnote = "2: K10, Barcelona / Budapest / Agena / Toliman / Kuma", .intprocn = kOpt},
    // RB (revisions C2, C3): four cores, 6 MB L3, 45 nm.
    {.family = 0x10, .model = Is(0x04), .brand = "Processor 13|Opteron 13", .corecode = "Suzuka", .platform = kAM3,
     .techpar1 = kAmd45, .techpar2 = "758M", .techpar3 = "258 sqr. mm",
     .modelnote = "4: K10, Deneb / Heka / Callisto / Shanghai / Suzuka", .intprocn = kOpt},
    {.family = 0x10, .model = Is(0x04), .brand = "Opteron", .corecode = "Shanghai", .platform = kF,
     .techpar1 = kAmd45, .techpar2 = "758M", .techpar3 = "258 sqr. mm",
     .modelnote = "4: K10, Deneb / Heka / Callisto / Shanghai / Suzuka", .intprocn = kOpt},
    {.family = 0x10, .model = Is(0x04), .brand = "II X3|II X 3", .corecode = "Heka", .platform = kAM3,
     .techpar1 = kAmd45, .techpar2 = "758M", .techpar3 = "258 sqr. mm",
     .modelnote = "4: K10, Deneb / Heka / Callisto / Shanghai / Suzuka", .intprocn = kPhe},
    {.family = 0x10, .model = Is(0x04), .brand = "II X2|II X 2", .corecode = "Callisto", .platform = kAM3,
     .techpar1 = kAmd45, .techpar2 = "758M", .techpar3 = "258 sqr. mm",
     .modelnote = "4: K10, Deneb / Heka / Callisto / Shanghai / Suzuka", .intprocn = kPhe},
    {.family = 0x10, .model = Is(0x04), .brand = "X4 920|X4 940", .corecode = "Deneb", .platform = kAM2p,
     .techpar1 = kAmd45, .techpar2 = "758M", .techpar3 = "258 sqr. mm",
     .modelnote = "4: K10, Deneb / Heka / Callisto / Shanghai / Suzuka", .intprocn = kPhe},
    {.family = 0x10, .model = Is(0x04), .corecode = "Deneb", .platform = kAM3, .techpar1 = kAmd45,
     .techpar2 = "758M", .techpar3 = "258 sqr. mm",
     .modelnote = "4: K10, Deneb / Heka / Callisto / Shanghai / Suzuka", .intprocn = kPhe},
    // BL (revisions C2, C3): four cores without L3. Notebook quad and
    // triple cores (Champlain) come from this die as well.
    {.family = 0x10, .model = Is(0x05),
     .brand = "II N|II P|II X9",
     .corecode = "Champlain", .platform = "Socket S1g4", .techpar1 = kAmd45,
     .modelnote = "5: K10, Propus / Rana / Champlain", .intprocn = kPhe},
    {.family = 0x10, .model = Is(0x05), .brand = "X3", .corecode = "Rana", .platform = kAM3, .techpar1 = kAmd45,
     .modelnote = "5: K10, Propus / Rana / Champlain", .intprocn = kAth},
    {.family = 0x10, .model = Is(0x05), .corecode = "Propus", .platform = kAM3, .techpar1 = kAmd45,
     .modelnote = "5: K10, Propus / Rana / Champlain", .intprocn = kAth},
    // DA (revisions C2, C3): two cores without L3.
    {.family = 0x10, .model = Is(0x06),
     .brand = "II N|II P|AMD V1",
     .corecode = "Champlain", .platform = "Socket S1g4", .techpar1 = kAmd45,
     .modelnote = "6: K10, Regor / Sargas / Caspian / Champlain", .intprocn = kAth},
    {.family = 0x10, .model = Is(0x06), .brand = "II M|II Ultra|Dual-Core M|Sempron(tm) M|Sempron M",
     .corecode = "Caspian", .platform = "Socket S1g3", .techpar1 = kAmd45,
     .modelnote = "6: K10, Regor / Sargas / Caspian / Champlain", .intprocn = kTur},
    {.family = 0x10, .model = Is(0x06), .brand = "Sempron", .corecode = "Sargas", .platform = kAM3,
     .techpar1 = kAmd45, .modelnote = "6: K10, Regor / Sargas / Caspian / Champlain", .intprocn = kSem},
    {.family = 0x10, .model = Is(0x06), .corecode = "Regor", .platform = kAM3, .techpar1 = kAmd45,
     .modelnote = "6: K10, Regor / Sargas / Caspian / Champlain", .intprocn = kAth},
    // HY (revision D0/D1): six cores. One die (Istanbul, Lisbon) is model
    // 8; the two-die package for G34 (Magny-Cours) is model 9.
    {.family = 0x10, .model = Is(0x08), .brand = "Processor 41|Opteron 41", .corecode = "Lisbon", .platform = kC32,
     .techpar1 = kAmd45, .techpar2 = "904M", .techpar3 = "346 sqr. mm",
     .modelnote = "8: K10, Istanbul / Lisbon", .intprocn = kOpt},
    {.family = 0x10, .model = Is(0x08), .corecode = "Istanbul", .platform = kF, .techpar1 = kAmd45,
     .techpar2 = "904M", .techpar3 = "346 sqr. mm", .modelnote = "8: K10, Istanbul / Lisbon", .intprocn = kOpt},
    {.family = 0x10, .model = Is(0x09), .corecode = "Magny-Cours", .platform = kG34, .techpar1 = kAmd45,
     .techpar2 = "904M", .techpar3 = "346 sqr. mm", .modelnote = "9: K10, Magny-Cours", .intprocn = kOpt},
    // PH (revision E0): six cores for the desktop.
    {.family = 0x10, .model = Is(0x0A), .brand = "X4", .corecode = "Zosma", .platform = kAM3, .techpar1 = kAmd45,
     .techpar2 = "904M", .techpar3 = "346 sqr. mm", .modelnote = "10: K10, Thuban / Zosma", .intprocn = kPhe},
    {.family = 0x10, .model = Is(0x0A), .corecode = "Thuban", .platform = kAM3, .techpar1 = kAmd45,
     .techpar2 = "904M", .techpar3 = "346 sqr. mm", .modelnote = "10: K10, Thuban / Zosma", .intprocn = kPhe},

    // ---- Family 0x11 -----------------------------------------------------
    {.family = 0x11, .model = Is(0x03), .corecode = "Griffin", .platform = "Socket S1g2", .techpar1 = kAmd65,
     .modelnote = "3: K8 family 11h, Griffin", .intprocn = kTur},

    // ---- Family 0x12, Llano ----------------------------------------------
    {.family = 0x12, .model = Is(0x01),
     .brand = "A8-38|A6-35|A6-36|A4-34|E2-3200|II X4 6|II X2 2|Sempron",
     .corecode = "Llano", .platform = "Socket FM1", .techpar1 = kGf32, .techpar2 = "1.178B", .techpar3 = "228 sqr. mm",
     .modelnote = "1: K10 (Husky), Llano", .intprocn = kApu},
    {.family = 0x12, .model = Is(0x01), .corecode = "Llano", .techpar1 = kGf32, .techpar2 = "1.178B",
     .techpar3 = "228 sqr. mm",
     .modelnote = "1: K10 (Husky), Llano", .intprocn = kApu},

    // ---- Family 0x14, Bobcat ---------------------------------------------
    {.family = 0x14, .model = Is(0x01), .brand = " C-", .corecode = "Ontario", .platform = "BGA 413",
     .techpar1 = kTsmc40, .modelnote = "1: Bobcat, Ontario / Zacate / Desna", .intprocn = kApu},
    {.family = 0x14, .model = Is(0x01), .brand = " Z-", .corecode = "Desna", .platform = "BGA 413", .techpar1 = kTsmc40,
     .modelnote = "1: Bobcat, Ontario / Zacate / Desna", .intprocn = kApu},
    {.family = 0x14, .model = Is(0x01), .corecode = "Zacate", .platform = "BGA 413", .techpar1 = kTsmc40,
     .modelnote = "1: Bobcat, Ontario / Zacate / Desna", .intprocn = kApu},
    {.family = 0x14, .model = Is(0x02), .brand = " C-", .corecode = "Ontario", .platform = "BGA 413",
     .techpar1 = kTsmc40, .modelnote = "2: Bobcat, Ontario / Zacate / Hondo", .intprocn = kApu},
    {.family = 0x14, .model = Is(0x02), .brand = " Z-", .corecode = "Hondo", .platform = "BGA 413", .techpar1 = kTsmc40,
     .modelnote = "2: Bobcat, Ontario / Zacate / Hondo", .intprocn = kApu},
    {.family = 0x14, .model = Is(0x02), .corecode = "Zacate", .platform = "BGA 413", .techpar1 = kTsmc40,
     .modelnote = "2: Bobcat, Ontario / Zacate / Hondo", .intprocn = kApu},

    // ---- Family 0x15 -----------------------------------------------------
    // Bulldozer (OR-B2/B3): one die for FX, Opteron 6200/4200/3200.
    {.family = 0x15, .model = Is(0x01), .brand = "Processor 62|Opteron 62", .corecode = "Interlagos",
     .platform = kG34, .techpar1 = kGf32, .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "1: Bulldozer, Zambezi / Interlagos / Valencia / Zurich", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x01), .brand = "Processor 42|Opteron 42", .corecode = "Valencia",
     .platform = kC32, .techpar1 = kGf32, .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "1: Bulldozer, Zambezi / Interlagos / Valencia / Zurich", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x01), .brand = "Processor 32|Opteron 32", .corecode = "Zurich",
     .platform = kAM3p, .techpar1 = kGf32, .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "1: Bulldozer, Zambezi / Interlagos / Valencia / Zurich", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x01), .corecode = "Zambezi", .platform = kAM3p, .techpar1 = kGf32,
     .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "1: Bulldozer, Zambezi / Interlagos / Valencia / Zurich", .intprocn = kApu},
    // Piledriver (OR-C0): FX 8300/6300/4300, Opteron 6300/4300/3300.
    {.family = 0x15, .model = Is(0x02), .brand = "Processor 63|Opteron 63", .corecode = "Abu Dhabi",
     .platform = kG34, .techpar1 = kGf32, .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "2: Piledriver, Vishera / Abu Dhabi / Seoul / Delhi", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x02), .brand = "Processor 43|Opteron 43", .corecode = "Seoul", .platform = kC32,
     .techpar1 = kGf32, .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "2: Piledriver, Vishera / Abu Dhabi / Seoul / Delhi", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x02), .brand = "Processor 33|Opteron 33", .corecode = "Delhi", .platform = kAM3p,
     .techpar1 = kGf32, .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "2: Piledriver, Vishera / Abu Dhabi / Seoul / Delhi", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x02), .corecode = "Vishera", .platform = kAM3p, .techpar1 = kGf32,
     .techpar2 = "1.2B", .techpar3 = "315 sqr. mm",
     .modelnote = "2: Piledriver, Vishera / Abu Dhabi / Seoul / Delhi", .intprocn = kApu},
    // Piledriver APUs. Desktop model numbers: Trinity 5xxx, Richland 6xxx.
    {.family = 0x15, .model = Is(0x10), .brand = "A10-5|A8-5|A6-5|A4-5|Athlon|Sempron", .corecode = "Trinity",
     .platform = "Socket FM2", .techpar1 = kGf32, .techpar2 = "1.303B", .techpar3 = "246 sqr. mm",
     .modelnote = "16: Piledriver, Trinity", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x10), .corecode = "Trinity", .techpar1 = kGf32, .techpar2 = "1.303B",
     .techpar3 = "246 sqr. mm", .modelnote = "16: Piledriver, Trinity", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x13), .brand = "A10-6|A8-6|A6-6|A4-6|Athlon|Sempron", .corecode = "Richland",
     .platform = "Socket FM2", .techpar1 = kGf32, .techpar2 = "1.303B", .techpar3 = "246 sqr. mm",
     .modelnote = "19: Piledriver, Richland", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x13), .corecode = "Richland", .techpar1 = kGf32, .techpar2 = "1.303B",
     .techpar3 = "246 sqr. mm", .modelnote = "19: Piledriver, Richland", .intprocn = kApu},
    // Steamroller.
    {.family = 0x15, .model = Is(0x30), .corecode = "Kaveri", .techpar1 = kGf28, .techpar2 = "2.41B",
     .techpar3 = "245 sqr. mm", .modelnote = "48: Steamroller, Kaveri", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x38), .corecode = "Godavari", .platform = "Socket FM2+", .techpar1 = kGf28,
     .techpar2 = "2.41B", .techpar3 = "245 sqr. mm", .modelnote = "56: Steamroller, Godavari", .intprocn = kApu},
    // Excavator.
    {.family = 0x15, .model = Is(0x60), .brand = "Opteron X3", .corecode = "Toronto", .techpar1 = kGf28,
     .techpar2 = "3.1B", .techpar3 = "250 sqr. mm", .modelnote = "96: Excavator, Carrizo", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x60), .brand = " RX-", .corecode = "Merlin Falcon", .techpar1 = kGf28,
     .techpar2 = "3.1B", .techpar3 = "250 sqr. mm", .modelnote = "96: Excavator, Carrizo", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x60), .corecode = "Carrizo", .techpar1 = kGf28, .techpar2 = "3.1B",
     .techpar3 = "250 sqr. mm", .modelnote = "96: Excavator, Carrizo", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x65), .brand = "Opteron X3", .corecode = "Toronto", .techpar1 = kGf28,
     .techpar2 = "3.1B", .techpar3 = "250 sqr. mm", .modelnote = "101: Excavator, Bristol Ridge", .intprocn = kOpt},
    {.family = 0x15, .model = Is(0x65),
     .brand = "A12-9800 |A12-9800E|A10-9700|A8-9600|A6-9500|X4 9|PRO A12-8870|PRO A10-8770|PRO A10-8750|"
              "PRO A8-8670|PRO A8-8650|PRO A6-8570|PRO A6-8550|PRO A4-8350",
     .corecode = "Bristol Ridge", .platform = kAM4, .techpar1 = kGf28, .techpar2 = "3.1B",
     .techpar3 = "250 sqr. mm", .modelnote = "101: Excavator, Bristol Ridge", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x65), .corecode = "Bristol Ridge", .techpar1 = kGf28, .techpar2 = "3.1B",
     .techpar3 = "250 sqr. mm", .modelnote = "101: Excavator, Bristol Ridge", .intprocn = kApu},
    {.family = 0x15, .model = Is(0x70), .corecode = "Stoney Ridge", .techpar1 = kGf28,
     .modelnote = "112: Excavator, Stoney Ridge", .intprocn = kApu},

    // ---- Family 0x16 -----------------------------------------------------
    {.family = 0x16, .model = Is(0x00), .brand = "Opteron", .corecode = "Kyoto", .techpar1 = kTsmc28,
     .modelnote = "0: Jaguar, Kabini / Temash / Kyoto", .intprocn = kOpt},
    {.family = 0x16, .model = Is(0x00), .brand = "A4-1200|A4-1250|A4-1350|A6-1450", .corecode = "Temash",
     .techpar1 = kTsmc28, .modelnote = "0: Jaguar, Kabini / Temash / Kyoto", .intprocn = kApu},
    {.family = 0x16, .model = Is(0x00), .brand = "Athlon|Sempron", .corecode = "Kabini", .platform = "Socket AM1",
     .techpar1 = kTsmc28, .modelnote = "0: Jaguar, Kabini / Temash / Kyoto", .intprocn = kAth},
    {.family = 0x16, .model = Is(0x00), .corecode = "Kabini", .techpar1 = kTsmc28,
     .modelnote = "0: Jaguar, Kabini / Temash / Kyoto", .intprocn = kApu},
    {.family = 0x16, .model = Is(0x30), .brand = "Micro-", .corecode = "Mullins", .techpar1 = kGf28,
     .modelnote = "48: Puma, Beema / Mullins", .intprocn = kApu},
    {.family = 0x16, .model = Is(0x30), .brand = " GX-", .corecode = "Steppe Eagle", .techpar1 = kGf28,
     .modelnote = "48: Puma, Beema / Mullins", .intprocn = kApu},
    {.family = 0x16, .model = Is(0x30), .corecode = "Beema", .techpar1 = kGf28,
     .modelnote = "48: Puma, Beema / Mullins", .intprocn = kApu},

    // ---- Family 0x17 -----------------------------------------------------
    // Zen: one die (Zeppelin) for Ryzen, Threadripper, EPYC.
    {.family = 0x17, .model = Is(0x01), .brand = "Threadripper", .corecode = "Whitehaven", .platform = "Socket sTR4",
     .techpar1 = kGf14, .techpar2 = "4.8B",
     .modelnote = "1: Zen, Summit Ridge / Whitehaven / Naples / Snowy Owl", .intprocn = kTr},
    {.family = 0x17, .model = Is(0x01), .brand = "EPYC 3", .corecode = "Snowy Owl", .techpar1 = kGf14,
     .techpar2 = "4.8B",
     .modelnote = "1: Zen, Summit Ridge / Whitehaven / Naples / Snowy Owl", .intprocn = kEpyc},
    {.family = 0x17, .model = Is(0x01), .brand = "EPYC", .corecode = "Naples", .platform = kSP3, .techpar1 = kGf14,
     .techpar2 = "4.8B",
     .modelnote = "1: Zen, Summit Ridge / Whitehaven / Naples / Snowy Owl", .intprocn = kEpyc},
    {.family = 0x17, .model = Is(0x01), .corecode = "Summit Ridge", .platform = kAM4, .techpar1 = kGf14,
     .techpar2 = "4.8B",
     .modelnote = "1: Zen, Summit Ridge / Whitehaven / Naples / Snowy Owl", .intprocn = kRyz},
    // Zen+.
    {.family = 0x17, .model = Is(0x08), .brand = "Threadripper", .corecode = "Colfax", .platform = "Socket sTR4",
     .techpar1 = kGf12, .techpar2 = "4.8B",
     .modelnote = "8: Zen+, Pinnacle Ridge / Colfax", .intprocn = kTr},
    {.family = 0x17, .model = Is(0x08), .corecode = "Pinnacle Ridge", .platform = kAM4, .techpar1 = kGf12,
     .techpar2 = "4.8B", .modelnote = "8: Zen+, Pinnacle Ridge / Colfax",
     .intprocn = kRyz},
    // Zen APUs.
    {.family = 0x17, .model = Is(0x11), .brand = "Embedded V1", .corecode = "Great Horned Owl", .techpar1 = kGf14,
     .techpar2 = "4.94B", .techpar3 = "209.78 sqr. mm", .modelnote = "17: Zen, Raven Ridge / Great Horned Owl",
     .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x11), .brand = kDesktopApu, .corecode = "Raven Ridge", .platform = kAM4,
     .techpar1 = kGf14, .techpar2 = "4.94B", .techpar3 = "209.78 sqr. mm",
     .modelnote = "17: Zen, Raven Ridge / Great Horned Owl", .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x11), .corecode = "Raven Ridge", .techpar1 = kGf14, .techpar2 = "4.94B",
     .techpar3 = "209.78 sqr. mm", .modelnote = "17: Zen, Raven Ridge / Great Horned Owl", .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x18), .brand = kDesktopApu, .corecode = "Picasso", .platform = kAM4,
     .techpar1 = kGf12, .modelnote = "24: Zen+, Picasso", .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x18), .corecode = "Picasso", .techpar1 = kGf12, .modelnote = "24: Zen+, Picasso",
     .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x20), .corecode = "Dali", .techpar1 = kGf14, .modelnote = "32: Zen, Dali",
     .intprocn = kRyz},
    // Zen 2. Rome's compute dies also make Threadripper 3000 (Castle Peak).
    {.family = 0x17, .model = Is(0x31), .brand = "Threadripper PRO", .corecode = "Castle Peak",
     .platform = "Socket sWRX8", .techpar1 = kN7, .techpar2 = "3.9B", .techpar3 = "74 sqr. mm",
     .modelnote = "49: Zen 2, Rome / Castle Peak", .intprocn = kTr},
    {.family = 0x17, .model = Is(0x31), .brand = "Threadripper", .corecode = "Castle Peak", .platform = "Socket sTRX4",
     .techpar1 = kN7, .techpar2 = "3.9B", .techpar3 = "74 sqr. mm",
     .modelnote = "49: Zen 2, Rome / Castle Peak", .intprocn = kTr},
    {.family = 0x17, .model = Is(0x31), .corecode = "Rome", .platform = kSP3, .techpar1 = kN7,
     .techpar2 = "3.9B", .techpar3 = "74 sqr. mm", .modelnote = "49: Zen 2, Rome / Castle Peak", .intprocn = kEpyc},
    {.family = 0x17, .model = Is(0x60), .brand = "Embedded V2", .corecode = "Grey Hawk", .techpar1 = kN7,
     .techpar2 = "9.8B", .techpar3 = "156 sqr. mm", .modelnote = "96: Zen 2, Renoir / Grey Hawk", .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x60), .brand = kDesktopApu, .corecode = "Renoir", .platform = kAM4,
     .techpar1 = kN7, .techpar2 = "9.8B", .techpar3 = "156 sqr. mm", .modelnote = "96: Zen 2, Renoir / Grey Hawk",
     .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x60), .corecode = "Renoir", .techpar1 = kN7, .techpar2 = "9.8B",
     .techpar3 = "156 sqr. mm", .modelnote = "96: Zen 2, Renoir / Grey Hawk", .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x68), .corecode = "Lucienne", .techpar1 = kN7, .techpar2 = "9.8B",
     .techpar3 = "156 sqr. mm", .modelnote = "104: Zen 2, Lucienne", .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x71), .corecode = "Matisse", .platform = kAM4, .techpar1 = kN7,
     .techpar2 = "3.9B", .techpar3 = "74 sqr. mm", .modelnote = "113: Zen 2, Matisse", .intprocn = kRyz},
    {.family = 0x17, .model = Is(0x90), .corecode = "Van Gogh", .techpar1 = kN7, .modelnote = "144: Zen 2, Van Gogh",
     .intprocn = kApu},
    {.family = 0x17, .model = Is(0x91), .corecode = "Van Gogh", .modelnote = "145: Zen 2, Van Gogh",
     .intprocn = kApu},
    // Desktop kits on console dies: the 4700S and the 4800S.
    {.family = 0x17, .model = Is(0x47), .techpar1 = kN7, .modelnote = "71: Zen 2, 4700S desktop kit"},
    {.family = 0x17, .model = Is(0x84), .techpar1 = kN7, .modelnote = "132: Zen 2, 4800S desktop kit"},
    {.family = 0x17, .model = Is(0xA0), .corecode = "Mendocino", .techpar1 = kN6,
     .modelnote = "160: Zen 2, Mendocino", .intprocn = kRyz},

    // ---- Family 0x19 -----------------------------------------------------
    // Zen 3.
    {.family = 0x19, .model = Is(0x01), .brand = "7773X|7573X|7473X|7373X", .corecode = "Milan-X",
     .platform = kSP3, .techpar1 = kN7, .techpar2 = "4.15B", .techpar3 = "80.7 sqr. mm",
     .modelnote = "1: Zen 3, Milan", .intprocn = kEpyc},
    {.family = 0x19, .model = Is(0x01), .corecode = "Milan", .platform = kSP3, .techpar1 = kN7,
     .techpar2 = "4.15B", .techpar3 = "80.7 sqr. mm", .modelnote = "1: Zen 3, Milan", .intprocn = kEpyc},
    {.family = 0x19, .model = Is(0x08), .corecode = "Chagall", .platform = "Socket sWRX8", .techpar1 = kN7,
     .techpar2 = "4.15B", .techpar3 = "80.7 sqr. mm", .modelnote = "8: Zen 3, Chagall", .intprocn = kTr},
    {.family = 0x19, .model = Is(0x21), .corecode = "Vermeer", .platform = kAM4, .techpar1 = kN7,
     .techpar2 = "4.15B", .techpar3 = "80.7 sqr. mm", .modelnote = "33: Zen 3, Vermeer", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x44), .brand = "7735|7736|7535|7435|7335", .corecode = "Rembrandt-R",
     .techpar1 = kN6, .techpar2 = "13.1B", .techpar3 = "208 sqr. mm", .modelnote = "68: Zen 3+, Rembrandt",
     .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x44), .corecode = "Rembrandt", .techpar1 = kN6, .techpar2 = "13.1B",
     .techpar3 = "208 sqr. mm", .modelnote = "68: Zen 3+, Rembrandt", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x50), .brand = "7730U|7530U|7430U|7330U", .corecode = "Barcel\xF3-R",
     .techpar1 = kN7, .techpar2 = "10.7B", .techpar3 = "180 sqr. mm", .modelnote = "80: Zen 3, Cezanne",
     .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x50), .brand = "5825U|5625U|5425U|5125C|5825C|5625C|5425C",
     .corecode = "Barcel\xF3", .techpar1 = kN7, .techpar2 = "10.7B", .techpar3 = "180 sqr. mm",
     .modelnote = "80: Zen 3, Cezanne", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x50), .brand = kDesktopApu, .corecode = "Cezanne", .platform = kAM4,
     .techpar1 = kN7, .techpar2 = "10.7B", .techpar3 = "180 sqr. mm", .modelnote = "80: Zen 3, Cezanne",
     .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x50), .corecode = "Cezanne", .techpar1 = kN7, .techpar2 = "10.7B",
     .techpar3 = "180 sqr. mm", .modelnote = "80: Zen 3, Cezanne", .intprocn = kRyz},
    // Zen 4.
    {.family = 0x19, .model = Is(0x11), .brand = "9684X|9384X|9184X", .corecode = "Genoa-X", .platform = kSP5,
     .techpar1 = kN5, .techpar2 = "6.5B", .techpar3 = "71 sqr. mm", .modelnote = "17: Zen 4, Genoa",
     .intprocn = kEpyc},
    {.family = 0x19, .model = Is(0x11), .corecode = "Genoa", .platform = kSP5, .techpar1 = kN5, .techpar2 = "6.5B",
     .techpar3 = "71 sqr. mm", .modelnote = "17: Zen 4, Genoa", .intprocn = kEpyc},
    {.family = 0x19, .model = Is(0x18), .corecode = "Storm Peak", .platform = "Socket sTR5", .techpar1 = kN5,
     .techpar2 = "6.5B", .techpar3 = "71 sqr. mm", .modelnote = "24: Zen 4, Storm Peak", .intprocn = kTr},
    {.family = 0x19, .model = Is(0x61), .brand = "HX", .corecode = "Dragon Range", .techpar1 = kN5,
     .techpar2 = "6.5B", .techpar3 = "71 sqr. mm", .modelnote = "97: Zen 4, Raphael / Dragon Range",
     .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x61), .corecode = "Raphael", .platform = kAM5, .techpar1 = kN5,
     .techpar2 = "6.5B", .techpar3 = "71 sqr. mm", .modelnote = "97: Zen 4, Raphael / Dragon Range",
     .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x74), .brand = "G w/|GE w/|8700F|8400F", .corecode = "Phoenix",
     .platform = kAM5, .techpar1 = kN4, .techpar2 = "25B", .techpar3 = "178 sqr. mm",
     .modelnote = "116: Zen 4, Phoenix", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x74), .corecode = "Phoenix", .techpar1 = kN4, .techpar2 = "25B",
     .techpar3 = "178 sqr. mm", .modelnote = "116: Zen 4, Phoenix", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x75), .brand = "G w/|GE w/|8700F|8400F", .corecode = "Phoenix",
     .platform = kAM5, .techpar1 = kN4, .techpar2 = "25B", .techpar3 = "178 sqr. mm",
     .modelnote = "117: Zen 4, Phoenix / Hawk Point", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x75), .brand = "8945|8845|8840|8645|8640|8540|8440", .corecode = "Hawk Point",
     .techpar1 = kN4, .techpar2 = "25B", .techpar3 = "178 sqr. mm",
     .modelnote = "117: Zen 4, Phoenix / Hawk Point", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x75), .corecode = "Phoenix", .techpar1 = kN4, .techpar2 = "25B",
     .techpar3 = "178 sqr. mm", .modelnote = "117: Zen 4, Phoenix / Hawk Point", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x78), .brand = "G w/|GE w/", .corecode = "Phoenix 2", .platform = kAM5,
     .techpar1 = kN4, .modelnote = "120: Zen 4 + Zen 4c, Phoenix 2", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0x78), .corecode = "Phoenix 2", .techpar1 = kN4,
     .modelnote = "120: Zen 4 + Zen 4c, Phoenix 2", .intprocn = kRyz},
    {.family = 0x19, .model = Is(0xA0), .brand = "EPYC 8", .corecode = "Siena", .platform = "Socket SP6",
     .techpar1 = kN5, .modelnote = "160: Zen 4c, Bergamo / Siena", .intprocn = kEpyc},
    {.family = 0x19, .model = Is(0xA0), .corecode = "Bergamo", .platform = kSP5, .techpar1 = kN5,
     .modelnote = "160: Zen 4c, Bergamo / Siena", .intprocn = kEpyc},

    // ---- Family 0x1A, Zen 5 and Zen 6 --------------------------------------
    // Threadripper 9000 and PRO 9000WX: the Turin compute dies on sTR5.
    {.family = 0x1A, .model = Is(0x08), .corecode = "Shimada Peak", .platform = "Socket sTR5",
     .techpar1 = kN4P, .techpar2 = "8.315B", .techpar3 = "70.6 sqr. mm", .modelnote = "8: Zen 5, Shimada Peak",
     .intprocn = kTr},
    {.family = 0x1A, .model = Is(0x02), .corecode = "Turin", .platform = kSP5, .techpar1 = kN4P,
     .techpar2 = "8.315B", .techpar3 = "70.6 sqr. mm", .modelnote = "2: Zen 5, Turin", .intprocn = kEpyc},
    {.family = 0x1A, .model = Is(0x11), .corecode = "Turin Dense", .platform = kSP5, .techpar1 = kN3,
     .modelnote = "17: Zen 5c, Turin Dense", .intprocn = kEpyc},
    {.family = 0x1A, .model = Is(0x24), .corecode = "Strix Point", .techpar1 = kN4P, .techpar3 = "232.5 sqr. mm",
     .modelnote = "36: Zen 5 + Zen 5c, Strix Point", .intprocn = kRyz},
    {.family = 0x1A, .model = Is(0x44), .brand = "HX", .corecode = "Fire Range", .techpar1 = kN4P,
     .techpar2 = "8.315B", .techpar3 = "70.6 sqr. mm", .modelnote = "68: Zen 5, Granite Ridge / Fire Range",
     .intprocn = kRyz},
    {.family = 0x1A, .model = Is(0x44), .corecode = "Granite Ridge", .platform = kAM5, .techpar1 = kN4P,
     .techpar2 = "8.315B", .techpar3 = "70.6 sqr. mm", .modelnote = "68: Zen 5, Granite Ridge / Fire Range",
     .intprocn = kRyz},
    {.family = 0x1A, .model = Is(0x60), .corecode = "Krackan Point", .techpar1 = kN4P,
     .modelnote = "96: Zen 5 + Zen 5c, Krackan Point", .intprocn = kRyz},
    {.family = 0x1A, .model = Is(0x70), .corecode = "Strix Halo", .techpar1 = kN4P,
     .modelnote = "112: Zen 5, Strix Halo", .intprocn = kRyz},
};

}  // namespace

std::span<const LaterRow> AmdLaterRows() { return kRows; }
std::span<const LaterFamily> AmdLaterFamilies() { return kFamilies; }
std::span<const LaterGeneration> AmdLaterGenerations() { return kGenerations; }

}  // namespace kest::ident
