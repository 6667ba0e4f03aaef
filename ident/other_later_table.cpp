// Centaur/VIA, Zhaoxin and Hygon processors after the name tables.
//
// Sources: VIA's C7 and Nano/QuadCore announcements (C7 made on IBM's 90 nm
// SOI process; the single-core Nano on Fujitsu's 65 nm process; Nano X2,
// Eden X2 and QuadCore, two Nano X2 dies in one package, on TSMC's 40 nm
// process); Zhaoxin's product announcements (ZX-C
// "ZhangJiang"; ZX-D/KX-5000 "WuDaoKou" on HLMC's 28 nm process; KX-6000 and
// KH-30000 "LuJiaZui" on TSMC's 16 nm process; KH-40000 "Yongfeng"; KX-7000
// and the KH-50000 server processor "Century Avenue"); Zhaoxin's own hwmon
// submissions for Linux, which list family 7 models 0x6B and 0x7B as the
// generation before the KX-8000 (model 0x8B); Zhaoxin's kernel and QEMU
// submissions for that generation (the KX-7000 client model 0x6B; the
// KH-50000, which needs leaf 0xB/0x1F for its topology, model 0x7B);
// Hygon's Linux and hypervisor submissions (family 18h "Dhyana", derived
// from AMD family 17h, model 0) and its first-generation C86 parts made on
// GlobalFoundries' 14LPP process, as AMD's Zen dies of family 17h model 1. Hygon publishes no name for its
// later models (family 18h model 1 and up), so they read "Hygon family
// 0x18, model 0xMM", never "Dhyana". Cells stay unset where the maker did
// not say (the VIA and Zhaoxin parts ship in several packages; Eden X4 is
// an Isaiah die of its own).
#include "ident/later_table.h"

namespace kest::ident {
namespace {

constexpr LaterRow kCentaurRows[] = {
    // Esther: VIA C7, C7-M, C7-D and the Eden of the same die.
    {.family = 6, .model = Is(10), .corecode = "Esther", .techpar1 = "IBM 90 nm SOI",
     .modelnote = "10: Esther, C7 / Eden", .intprocn = line::kViaC7},
    {.family = 6, .model = Is(13), .corecode = "Esther", .techpar1 = "IBM 90 nm SOI",
     .modelnote = "13: Esther, C7 / Eden (later revision)", .intprocn = line::kViaC7},

    // Zhaoxin dies, also reported with Zhaoxin's own vendor string (the
    // Zhaoxin table below starts here). ZX-C and ZX-C+ keep the Isaiah
    // model number; the brand string tells them from VIA's parts.
    {.family = 6, .model = Is(15), .brand = "ZHAOXIN", .corecode = "ZhangJiang",
     .modelnote = "15: ZhangJiang (Isaiah lineage), ZX-C / ZX-C+", .intprocn = line::kZhaoxin},
    // Century Avenue: the KX-7000 client part on model 0x6B, named by its
    // brand; the KH-50000 server part on model 0x7B.
    {.family = 7, .model = Is(0x6B), .brand = "KX-7", .corecode = "Century Avenue",
     .modelnote = "107: Century Avenue, KX-7000", .intprocn = line::kZhaoxin},
    {.family = 7, .model = Is(0x7B), .corecode = "Century Avenue",
     .modelnote = "123: Century Avenue, KH-50000", .intprocn = line::kZhaoxin},
    {.family = 7, .model = Is(0x1B), .corecode = "WuDaoKou", .techpar1 = "HLMC 28 nm",
     .modelnote = "27: WuDaoKou, ZX-D / KX-5000 / KH-20000", .intprocn = line::kZhaoxin},
    {.family = 7, .model = Is(0x3B), .corecode = "LuJiaZui", .techpar1 = "TSMC 16 nm",
     .modelnote = "59: LuJiaZui, KX-6000 / KX-U6000 / KH-30000", .intprocn = line::kZhaoxin},
    {.family = 7, .model = Is(0x5B), .corecode = "Yongfeng", .modelnote = "91: Yongfeng, KH-40000",
     .intprocn = line::kZhaoxin},

    // Isaiah: Nano, Nano X2, Eden X2/X4, QuadCore.
    {.family = 6, .model = Is(15), .brand = "QuadCore|Nano X2|Eden X2", .corecode = "Isaiah",
     .techpar1 = "TSMC 40 nm", .modelnote = "15: Isaiah, Nano / Eden X / QuadCore", .intprocn = line::kViaNano},
    {.family = 6, .model = Is(15), .brand = "VIA Nano", .corecode = "Isaiah", .techpar1 = "Fujitsu 65 nm",
     .modelnote = "15: Isaiah, Nano / Eden X / QuadCore", .intprocn = line::kViaNano},
    {.family = 6, .model = Is(15), .corecode = "Isaiah", .modelnote = "15: Isaiah, Nano / Eden X / QuadCore",
     .intprocn = line::kViaNano},
};

// Where the Zhaoxin dies start in kCentaurRows, and how many there are.
constexpr size_t kZhaoxinFirst = 2;
constexpr size_t kZhaoxinCount = 6;

// Family 6 keeps the name tables' header; its later models read
// "Centaur family 6, model 0xMM".
constexpr LaterFamily kCentaurFamilies[] = {
    {.family = 6},
    {.family = 7, .familynote = "7: Zhaoxin WuDaoKou and later"},
};

constexpr LaterFamily kZhaoxinFamilies[] = {
    {.family = 6},
    {.family = 7, .familynote = "7: Zhaoxin WuDaoKou and later"},
};

constexpr LaterRow kHygonRows[] = {
    {.family = 0x18, .model = Is(0), .corecode = "Dhyana", .techpar1 = "GF 14LPP",
     .modelnote = "0: Dhyana (Zen), C86 first generation", .intprocn = line::kHygon},
};

constexpr LaterFamily kHygonFamilies[] = {
    {.family = 0x18, .familynote = "24: Hygon Dhyana and later"},
};

}  // namespace

std::span<const LaterRow> CentaurLaterRows() { return kCentaurRows; }
std::span<const LaterFamily> CentaurLaterFamilies() { return kCentaurFamilies; }
std::span<const LaterRow> ZhaoxinLaterRows() { return std::span(kCentaurRows).subspan(kZhaoxinFirst, kZhaoxinCount); }
std::span<const LaterFamily> ZhaoxinLaterFamilies() { return kZhaoxinFamilies; }
std::span<const LaterRow> HygonLaterRows() { return kHygonRows; }
std::span<const LaterFamily> HygonLaterFamilies() { return kHygonFamilies; }

}  // namespace kest::ident
