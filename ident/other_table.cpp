// Names for the other vendors: Centaur/VIA, UMC, Cyrix, NexGen, Rise, SiS,
// Transmeta and National Semiconductor. None of these rows touches the
// caches, the model note or the rating; only Centaur has family headers.
#include "ident/name_table.h"

namespace kest::ident {
namespace {

constexpr NameRow kCentaur[] = {
    {.level = Level::kFamily, .family = 5, .familynote = "5: WinChip Family", .platform = "Socket 7"},
    {.family = 5, .model = Is(4), .procname = "Centaur WinChip", .corecode = "C6", .intprocn = 1100,
     .techpar1 = "CMOS 0,35\xB5m", .techpar2 = "5.4M", .techpar3 = "88 sqr. mm"},
    {.family = 5, .model = Is(8), .procname = "Centaur WinChip2", .corecode = "W2", .intprocn = 1100,
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "5.9M", .techpar3 = "58 sqr. mm"},
    {.family = 5, .model = Is(9), .procname = "Centaur WinChip3", .corecode = "W3", .intprocn = 1100,
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "6.3M", .techpar3 = "75 sqr. mm"},

    {.level = Level::kFamily, .family = 6, .familynote = "6: Cyrix-III/C3 Processors Family"},
    {.family = 6, .model = Is(5), .procname = "VIA Cyrix-III Processor", .corecode = "M2", .intprocn = 202,
     .techpar1 = "CMOS 0,18\xB5m", .techpar2 = "22M", .techpar3 = "75 sqr. mm"},
    {.family = 6, .model = Is(6), .procname = "VIA Cyrix-III Processor", .corecode = "C5A", .intprocn = 202,
     .techpar1 = "CMOS 0,18\xB5m", .techpar2 = "11.3M", .techpar3 = "75 sqr. mm"},
    {.family = 6, .model = Is(7), .stepping = Range(0, 7), .procname = "VIA C3 Processor", .corecode = "Samuel (C5B)", .intprocn = 202,
     .techpar1 = "CMOS 0,15\xB5m", .techpar2 = "15.2M", .techpar3 = "52 sqr. mm"},
    {.family = 6, .model = Is(7), .stepping = Range(8, 15), .procname = "VIA C3 Processor", .corecode = "Ezra (C5C)", .intprocn = 202,
     .techpar1 = "CMOS 0,13\xB5m", .techpar2 = "15.4M", .techpar3 = "52 sqr. mm"},
    {.family = 6, .model = Is(8), .procname = "VIA C3 Processor", .corecode = "Ezra-T (C5N)", .intprocn = 202,
     .techpar1 = "CMOS Cu 0,13\xB5m", .techpar2 = "15.5M", .techpar3 = "56 sqr. mm"},
    {.family = 6, .model = Is(9), .procname = "VIA C3 Processor", .corecode = "Nehemiah", .intprocn = 202,
     .techpar1 = "CMOS Cu 0,13\xB5m", .techpar2 = "20.4M", .techpar3 = "47 sqr. mm"},
};

constexpr NameRow kUmc[] = {
    {.family = 4, .model = Is(1), .procname = "U80486DX Processor", .corecode = "U5D", .intprocn = 401},
    {.family = 4, .model = Is(2), .procname = "U80486SX Processor", .corecode = "U5S", .intprocn = 401},
};

constexpr NameRow kCyrix[] = {
    {.family = 4, .model = Is(0), .procname = "Cx80486", .corecode = "M0.5", .intprocn = 501},
    {.family = 4, .model = Is(4), .procname = "Cyrix MediaGX", .corecode = "Gx86", .intprocn = 502},
    {.family = 4, .model = Is(9), .procname = "Cyrix 5x86", .corecode = "M1sc (0,65)", .intprocn = 503},
    {.family = 5, .model = Is(2), .procname = "Cyrix 6x86", .corecode = "M1", .intprocn = 504,
     .techpar1 = "CMOS 0,65\xB5m", .techpar2 = "3M", .techpar3 = "394 sqr. mm"},
    {.family = 5, .model = Is(4), .procname = "Cyrix MediaGXm", .corecode = "GXm", .intprocn = 502,
     .techpar1 = "CMOS 0,65\xB5m", .techpar2 = kCleared, .techpar3 = kCleared},
    {.family = 6, .model = Is(0), .procname = "Cyrix 6x86MX", .corecode = "M2", .intprocn = 805,
     .techpar1 = "CMOS 0,35\xB5m", .techpar2 = "6.5M", .techpar3 = "197 sqr. mm"},
};

constexpr NameRow kNexGen[] = {
    {.family = 5, .model = Is(0), .procname = "NexGen Nx586", .corecode = "Nx586", .intprocn = 601,
     .techpar1 = "CMOS 0,44\xB5m", .techpar2 = "3.5M", .techpar3 = "118 sqr. mm"},
    {.family = 5, .model = Is(6), .procname = "NexGen Nx686", .corecode = "HA", .intprocn = 602,
     .techpar1 = "CMOS 0,35\xB5m", .techpar2 = "6M", .techpar3 = "150 sqr. mm"},
};

constexpr NameRow kRise[] = {
    {.family = 5, .model = Is(0), .procname = "Rise mP6", .corecode = "Kirin", .intprocn = 701,
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "3.6M", .techpar3 = "107 sqr. mm"},
    {.family = 5, .model = Is(2), .procname = "Rise mP6", .corecode = "Lynx", .intprocn = 701,
     .techpar1 = "CMOS 0,18\xB5m", .techpar2 = "3.6M", .techpar3 = kCleared},
};

constexpr NameRow kSis[] = {
    {.family = 5, .model = Is(0), .procname = "SiS x55 Processor", .corecode = "x55", .intprocn = 801},
};

constexpr NameRow kTransmeta[] = {
    {.family = 5, .model = Is(4), .procname = "Transmeta Crusoe TM3x00", .corecode = "TM3", .intprocn = 901},
};

constexpr NameRow kGeode[] = {
    {.family = 5, .model = Is(4), .procname = "NS Geode GX1 Processor", .corecode = "GX1", .intprocn = 1001},
    {.family = 5, .model = Is(5), .procname = "NS Geode GX2 Processor", .corecode = "GX2", .intprocn = 1001},
};

}  // namespace

std::span<const NameRow> CentaurRows() { return kCentaur; }
std::span<const NameRow> UmcRows() { return kUmc; }
std::span<const NameRow> CyrixRows() { return kCyrix; }
std::span<const NameRow> NexGenRows() { return kNexGen; }
std::span<const NameRow> RiseRows() { return kRise; }
std::span<const NameRow> SisRows() { return kSis; }
std::span<const NameRow> TransmetaRows() { return kTransmeta; }
std::span<const NameRow> GeodeRows() { return kGeode; }

}  // namespace kest::ident
