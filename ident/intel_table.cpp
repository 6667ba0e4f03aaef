// Names for "GenuineIntel". One entry per table row; family-level and
// model-level values come first in their family or model.
#include "ident/name_table.h"

namespace kest::ident {
namespace {

constexpr Text kP4Name = "Intel Pentium-IV Processor";
constexpr Text kCdo90 = "CMOS Cu 0,09\xB5m CDO";

constexpr NameRow kIntel[] = {
    // Family 3
    {.level = Level::kFamily, .family = 3, .familynote = "3: Intel 80386 Family", .platform = kCleared},
    {.family = 3, .model = Is(0), .procname = "i80386DX", .corecode = "P9 (0,80\xB5m)", .intprocn = 300},
    {.family = 3, .model = Is(2), .procname = "i80386SX", .corecode = "P9 (0,80\xB5m)", .intprocn = 300},

    // Family 4: every row 301, no L2
    {.level = Level::kFamily, .family = 4, .familynote = "4: Intel 80486 Family", .platform = kCleared},
    {.family = 4, .model = Range(0, 1), .procname = "i80486DX", .corecode = "P4", .intprocn = 301, .cache = CacheSet::kU8, .no_l2 = true},
    {.family = 4, .model = Is(2), .procname = "i80486SX", .corecode = "P24", .intprocn = 301, .cache = CacheSet::kU8, .no_l2 = true},
    {.family = 4, .model = Is(3), .procname = "i80486DX2", .corecode = "P24", .intprocn = 301, .cache = CacheSet::kU8, .no_l2 = true},
    {.family = 4, .model = Is(4), .procname = "i80486SL", .corecode = "P24", .intprocn = 301, .cache = CacheSet::kU8, .no_l2 = true},
    {.family = 4, .model = Is(5), .procname = "i80486SX2", .corecode = "P24", .intprocn = 301, .cache = CacheSet::kU8, .no_l2 = true},
    {.family = 4, .model = Is(7), .procname = "i80486DX2WB", .corecode = "P24", .intprocn = 301, .cache = CacheSet::kU8, .no_l2 = true},
    {.family = 4, .model = Is(8), .procname = "i80486DX4", .corecode = "P24C", .intprocn = 301, .cache = CacheSet::kU16, .no_l2 = true},
    {.family = 4, .model = Is(9), .procname = "i80486DX4WB", .corecode = "P24C", .intprocn = 301, .cache = CacheSet::kU16, .no_l2 = true},

    // Family 5: every row no L2
    {.level = Level::kFamily, .family = 5, .familynote = "5: Pentium Procesors Family", .platform = "Socket 7"},
    {.family = 5, .model = Is(0), .procname = "Intel Pentium Processor", .corecode = "P5 A", .intprocn = 302, .platform = "Socket 4",
     .techpar1 = "BiCMOS 0,80\xB5m", .techpar2 = "3.1M", .techpar3 = "294 sqr. mm", .cache = CacheSet::kP5, .no_l2 = true},
    {.family = 5, .model = Is(1), .procname = "Intel Pentium Processor", .corecode = "P5", .intprocn = 302, .platform = "Socket 4",
     .techpar1 = "BiCMOS 0,80\xB5m", .techpar2 = "3.1M", .techpar3 = "294 sqr. mm", .cache = CacheSet::kP5, .no_l2 = true},
    {.family = 5, .model = Is(2), .procname = "Intel Pentium Processor", .corecode = "P54", .intprocn = 302,
     .techpar1 = "BiCMOS 0,50\xB5m", .techpar2 = "3.2M", .techpar3 = "148 sqr. mm", .cache = CacheSet::kP5, .no_l2 = true},
    {.family = 5, .model = Is(3), .procname = "Intel Pentium Overdrive Processor", .corecode = "P54T", .intprocn = 302, .platform = "Socket 4",
     .techpar1 = "BiCMOS 0,35\xB5m", .techpar2 = "3.3M", .techpar3 = "91 sqr. mm", .cache = CacheSet::kP5, .no_l2 = true},
    {.family = 5, .model = Is(4), .procname = "Intel Pentium MMX Processor", .corecode = "P55C", .intprocn = 303,
     .techpar1 = "CMOS 0,28\xB5m", .techpar2 = "4.5M", .techpar3 = "128 sqr. mm", .cache = CacheSet::kP55, .no_l2 = true},
    {.family = 5, .model = Is(7), .procname = "Intel Pentium Processor", .corecode = "P54C", .intprocn = 302,
     .techpar1 = "BiCMOS 0,28\xB5m", .techpar2 = "3.3M", .techpar3 = "83 sqr. mm", .cache = CacheSet::kP5, .no_l2 = true},
    {.family = 5, .model = Is(8), .procname = "Intel Pentium MMX Mobile Processor", .corecode = "Tillamook", .intprocn = 303, .platform = "Mobile",
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "4.5M", .techpar3 = "90 sqr. mm", .cache = CacheSet::kP55, .no_l2 = true},

    // Family 6 (models 2, 4 and 12 have no row)
    {.level = Level::kFamily, .family = 6, .familynote = "6: P6 Processors Family"},
    {.family = 6, .model = Is(0), .procname = "Intel Pentium Pro Processor", .corecode = "P6", .intprocn = 304, .platform = "Socket 8",
     .techpar1 = "BiCMOS 0,50\xB5m", .techpar2 = "5.5M", .techpar3 = "306 sqr. mm"},
    {.family = 6, .model = Is(1), .procname = "Intel Pentium Pro Processor", .corecode = "P6", .intprocn = 304, .platform = "Socket 8",
     .techpar1 = "BiCMOS 0,35\xB5m", .techpar2 = "5.5M", .techpar3 = "196 sqr. mm"},
    {.family = 6, .model = Is(3), .cpu_type = Is(1), .procname = "Intel Pentium-II Overdrive Processor", .corecode = "POPD66X", .intprocn = 305,
     .platform = "Socket 8", .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "7.5M", .techpar3 = "131 sqr. mm"},
    {.family = 6, .model = Is(3), .cpu_type = Not(1), .procname = "Intel Pentium-II Processor", .corecode = "Klamath", .intprocn = 305,
     .platform = "Slot 1", .techpar1 = "CMOS 0,28\xB5m", .techpar2 = "7.5M", .techpar3 = "203 sqr. mm"},
    {.family = 6, .model = Is(5), .l2 = Is(0), .procname = "Intel Celeron Processor", .corecode = "Covington", .intprocn = 306,
     .platform = "Slot 1 (SECC)", .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "7.5M", .techpar3 = "118 sqr. mm"},
    {.family = 6, .model = Is(5), .l2 = Not(0), .procname = "Intel Pentium-II Processor", .corecode = "Deschutes", .intprocn = 305,
     .platform = "Slot 1", .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "7.5M", .techpar3 = "131 sqr. mm"},
    {.family = 6, .model = Is(6), .l2 = Is(128), .procname = "Intel Celeron A Processor", .corecode = "Mendocino", .intprocn = 306,
     .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "19M", .techpar3 = "154 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kPlatform, {{0, 4, "Slot 1 (SECC)"}, {5, 9, "Socket 370 (PGA)"}})},
    {.family = 6, .model = Is(6), .l2 = Not(128), .procname = "Intel Pentium-II Mobile Processor", .corecode = "Dixon", .intprocn = 305,
     .platform = "Mobile Module Connector", .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "27.4M", .techpar3 = "180 sqr. mm"},
    {.family = 6, .model = Is(7), .procname = "Intel Pentium-III Processor", .corecode = "Katmai", .intprocn = 307,
     .platform = "Slot 1", .techpar1 = "CMOS 0,25\xB5m", .techpar2 = "9.5M", .techpar3 = "128 sqr. mm"},
    {.family = 6, .model = Is(8), .l2 = Is(128), .procname = "Intel Celeron Processor", .corecode = "Coppermine-128", .intprocn = 306,
     .platform = "Socket 370 (FCPGA)", .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "28.1M", .techpar3 = "90 sqr. mm"},
    {.family = 6, .model = Is(8), .l2 = Not(128), .procname = "Intel Pentium-III Processor", .corecode = "Coppermine", .intprocn = 307,
     .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "28.1M", .techpar3 = "90 sqr. mm",
     .by_stepping = SplitBy(SteppingField::kPlatform, {{1, 1, "Slot 1"}, {3, 3, "Socket 370 (FCPGA)"}})},
    {.family = 6, .model = Is(9), .procname = "Intel Pentium-III Mobile Processor", .corecode = "Geyserville", .intprocn = 307,
     .platform = "Mobile Module Connector 2", .techpar1 = "CMOS Cu 0,13\xB5m", .techpar2 = kCleared, .techpar3 = kCleared},
    {.family = 6, .model = Is(10), .procname = "Intel Pentium-III Xeon Processor", .corecode = "Cascades", .intprocn = 307,
     .platform = "Slot 2", .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "140M", .techpar3 = "385 sqr. mm"},
    {.family = 6, .model = Is(11), .l2 = Is(256), .procname = "Intel Celeron Processor", .corecode = "Tualatin-256", .intprocn = 306,
     .platform = "Socket 370 (FCPGA2)", .techpar1 = "CMOS Cu 0,13\xB5m", .techpar2 = "44M", .techpar3 = "80 sqr. mm"},
    {.family = 6, .model = Is(11), .l2 = Not(256), .procname = "Intel Pentium-IIIS Processor", .corecode = "Tualatin", .intprocn = 307,
     .platform = "Socket 370 (FCPGA2)", .techpar1 = "CMOS Cu 0,13\xB5m", .techpar2 = "44M", .techpar3 = "80 sqr. mm"},
    {.family = 6, .model = Is(13), .procname = "Intel Pentium-III Mobile Processor", .corecode = "Dothan", .intprocn = 307,
     .platform = "Mobile", .techpar1 = "CMOS Cu 0,09\xB5m"},

    // Family 15
    {.level = Level::kFamily, .family = 15, .familynote = "F: Pentium-4 Processors Family"},
    // model 0
    {.family = 15, .model = Is(0), .platform = "Socket 423"},
    {.family = 15, .model = Is(0), .stepping = Is(7), .procname = kP4Name, .corecode = "Willamette B2", .intprocn = 308,
     .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "42M", .techpar3 = "217 sqr. mm"},
    {.family = 15, .model = Is(0), .stepping = Is(10), .procname = kP4Name, .corecode = "Willamette C1", .intprocn = 308,
     .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "42M", .techpar3 = "217 sqr. mm"},
    // model 1
    {.family = 15, .model = Is(1), .platform = "Socket 478"},
    {.family = 15, .model = Is(1), .stepping = Is(2), .procname = kP4Name, .corecode = "Willamette D0", .intprocn = 308,
     .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "42M", .techpar3 = "217 sqr. mm"},
    {.family = 15, .model = Is(1), .stepping = Is(3), .l2 = Any(),
     .techpar1 = "CMOS Al 0,18\xB5m", .techpar2 = "42M", .techpar3 = "217 sqr. mm"},
    {.family = 15, .model = Is(1), .stepping = Is(3), .l2 = Is(128), .procname = "Intel Celeron Processor", .corecode = "Willamette-128 E0", .intprocn = 306},
    {.family = 15, .model = Is(1), .stepping = Is(3), .l2 = Is(256), .procname = kP4Name, .corecode = "Willamette E0", .intprocn = 308},
    // model 2
    {.family = 15, .model = Is(2), .platform = "Socket 478", .techpar1 = "CMOS Cu 0,13\xB5m", .techpar2 = "55M", .techpar3 = "131 sqr. mm"},
    {.family = 15, .model = Is(2), .stepping = Is(4), .procname = kP4Name, .corecode = "Northwood B0", .intprocn = 308},
    {.family = 15, .model = Is(2), .stepping = Is(5), .procname = "Intel Pentium-IV EE Processor", .corecode = "Gallatin",
     .platform = "LGA 775", .techpar1 = kCdo90},
    {.family = 15, .model = Is(2), .stepping = Is(7), .l2 = Is(128), .procname = "Intel Celeron Processor;", .corecode = "Northwood-128 C1", .intprocn = 306},
    {.family = 15, .model = Is(2), .stepping = Is(7), .l2 = Is(512), .procname = kP4Name, .corecode = "Northwood C1", .intprocn = 308},
    {.family = 15, .model = Is(2), .stepping = Is(9), .l2 = Is(128), .procname = "Intel Celeron Processor", .corecode = "Northwood-128 D0", .intprocn = 306},
    {.family = 15, .model = Is(2), .stepping = Is(9), .l2 = Is(512), .procname = kP4Name, .corecode = "Northwood D0", .intprocn = 308},
    // model 3
    {.family = 15, .model = Is(3), .procname = kP4Name, .corecode = "Prescott", .intprocn = 308, .platform = "Socket 478",
     .techpar1 = kCdo90, .techpar2 = "125M", .techpar3 = "112 sqr. mm"},
    {.family = 15, .model = Is(3), .stepping = Is(2), .procname = kP4Name, .corecode = "Prescott", .platform = "LGA 775", .techpar1 = kCdo90},
    {.family = 15, .model = Is(3), .stepping = Is(3), .l2 = Is(256), .procname = "Intel Celeron D Processor", .intprocn = 311, .platform = "Socket 478"},
    {.family = 15, .model = Is(3), .stepping = Is(3), .l2 = Is(1024), .procname = kP4Name, .platform = "LGA 775"},
    {.family = 15, .model = Is(3), .stepping = Is(3), .l2 = Any(), .corecode = "Prescott (C0)", .techpar1 = kCdo90},
    {.family = 15, .model = Is(3), .stepping = Is(4), .l2 = Is(256), .procname = "Intel Celeron D Processor", .intprocn = 311, .platform = "Socket 478"},
    {.family = 15, .model = Is(3), .stepping = Is(4), .l2 = Is(1024), .procname = kP4Name, .platform = "LGA 775"},
    {.family = 15, .model = Is(3), .stepping = Is(4), .l2 = Any(), .corecode = "Prescott (D0)", .techpar1 = kCdo90},
    {.family = 15, .model = Is(3), .stepping = Is(7), .procname = "Intel Xeon Processor", .corecode = "Nocona", .platform = "Socket 604", .techpar1 = kCdo90},
    // model 4 (no model-level values)
    {.family = 15, .model = Is(4), .stepping = Is(1), .procname = kP4Name, .corecode = "Prescott (E0)", .platform = "LGA 775", .techpar1 = kCdo90},
};

}  // namespace

std::span<const NameRow> IntelRows() { return kIntel; }

}  // namespace kest::ident
