// Names for the processors made after the name tables: the second
// identification stage. Internal to the identification; the rows live in
// intel_later_table.cpp, intel_server_atom_table.cpp, amd_later_table.cpp
// and other_later_table.cpp.
//
// A processor reaches these rows when the name tables gave it no name:
// either its extended family or extended model is set (the tables never saw
// it), or it is an older signature for which the tables have no model row.
// In the second case only a row that names the model explicitly applies;
// the family fallback (microarchitecture name) is kept for processors the
// tables never saw, so a processor of the tables' own era keeps exactly
// what the tables give it.
//
// Rows are tried in table order and the first match wins, so a row split
// by stepping or by brand string must come before the plain row of its
// model. Text cells follow name_table.h: kUnset leaves the field as it is.
// Texts are Windows-1252 bytes, written in these styles:
//   corecode   the die as the maker names it, with its segment suffix where
//              the maker uses one: "Alder Lake-S", "Raptor Lake-P", "Vermeer"
//   platform   socket or package: "LGA 1700", "Socket AM5", "BGA 1744";
//              kUnset where one model ships in too many packages to say
//   techpar1   the process as the foundry names it: "Intel 7", "Intel 4",
//              "Intel 22 nm", "TSMC N7", "TSMC N4P", "GF 32 nm SOI", "GF 14LPP";
//              for a package of several dies, the compute die's process
//   techpar2   transistor count as the maker published it: "4.15B", "731M"
//   techpar3   die size as published: "80.7 sqr. mm"; kUnset when unknown
//   modelnote  display model in decimal, microarchitecture, dies:
//              "33: Zen 3, Vermeer / Cezanne"
//   familynote display family in decimal and what it holds:
//              "25: AMD Zen 3 and Zen 4"
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "ident/name_table.h"
#include "ident/product_lines.h"

namespace kest::ident {

// Product-line codes of the processors named here. The hundreds give the
// maker as in the name tables (1 AMD, 2 VIA and other makers, 3 Intel);
// lines the tables already have keep their code.
namespace line {
// AMD
inline constexpr uint16_t kOpteron = 110;          // every Opteron
inline constexpr uint16_t kAthlon64 = 111;         // single-core Athlon 64 of revision E and later
inline constexpr uint16_t kAthlon = 114;           // Athlon 64 X2, Athlon X2, Athlon II, later Athlons
inline constexpr uint16_t kPhenom = 115;           // Phenom, Phenom II
inline constexpr uint16_t kApuFx = 116;            // A-, E-, C-, G-series APUs and FX
inline constexpr uint16_t kRyzen = 117;
inline constexpr uint16_t kThreadripper = 118;
inline constexpr uint16_t kEpyc = 119;
inline constexpr uint16_t kSempron = 120;
inline constexpr uint16_t kTurion = 121;           // Turion 64, Turion 64 X2, Turion II
// VIA, Zhaoxin, Hygon
inline constexpr uint16_t kViaC7 = 203;            // C7, Eden (Esther)
inline constexpr uint16_t kViaNano = 204;          // Nano, Eden X2/X4, QuadCore (Isaiah and later)
inline constexpr uint16_t kZhaoxin = 205;
inline constexpr uint16_t kHygon = 206;
// Intel
inline constexpr uint16_t kPentium4 = product_line::kPentium4;  // 64-bit Pentium 4 (the window's Hyper-Threading rule applies)
inline constexpr uint16_t kCeleronD = product_line::kCeleronD;
inline constexpr uint16_t kCore = 312;             // Core Duo, Core Solo
inline constexpr uint16_t kCore2 = 313;
inline constexpr uint16_t kCoreI = 314;            // Core i3/i5/i7/i9, Core m, Core 3/5/7
inline constexpr uint16_t kCoreUltra = 315;
inline constexpr uint16_t kXeon = 316;
inline constexpr uint16_t kAtom = 317;
inline constexpr uint16_t kPentium = 318;          // Pentium D, Pentium Dual-Core and later Pentium, later Celeron, "Intel Processor"
}  // namespace line

// One die, or one segment of a die, keyed by display family and model.
struct LaterRow {
    uint16_t family = 0;     // display family: base + extended family when the base is 15
    Key model{};             // display model: extended model * 16 + base model where the maker folds it in
    Key stepping{};
    // kUnset: any brand string. Otherwise one or more substrings separated
    // by '|'; the row matches when the brand string contains one of them,
    // compared without regard to case.
    Text brand = kUnset;
    Text corecode = kUnset;
    Text platform = kUnset;
    Text techpar1 = kUnset;
    Text techpar2 = kUnset;
    Text techpar3 = kUnset;
    Text modelnote = kUnset;
    uint16_t intprocn = 0;   // the product line when the brand string names none
};

// A family's help line, and the code name a model of it gets when no row
// names the model ("K8 family"). With microarch kUnset an unknown model
// reads "<maker> family F, model 0xMM" (AMD and Hygon write F in hex,
// "family 0x1A", as AMD numbers its families; the others in decimal).
struct LaterFamily {
    uint16_t family = 0;     // display family
    Text familynote = kUnset;
    Text microarch = kUnset;
};

// For a family that spans generations, the models of each: an unknown model
// inside a range takes the generation's name ("Zen 6 family"), one outside
// every range of its family takes the numeric text above, never a
// neighbour's generation. A family with such ranges leaves its
// LaterFamily::microarch unset.
struct LaterGeneration {
    uint16_t family = 0;     // display family
    Key model{};             // a closed range (or one model)
    Text microarch = kUnset;
};

// Intel: client processors (Core, Pentium, Celeron, NetBurst) and, in a
// table of their own, the server dies and the Atom line; the two tables key
// disjoint models and are tried in this order.
std::span<const LaterRow> IntelLaterRows();
std::span<const LaterRow> IntelServerAtomLaterRows();
std::span<const LaterFamily> IntelLaterFamilies();
std::span<const LaterRow> AmdLaterRows();
std::span<const LaterFamily> AmdLaterFamilies();
std::span<const LaterGeneration> AmdLaterGenerations();
// Centaur/VIA ("CentaurHauls"), Zhaoxin ("  Shanghai  ") and Hygon
// ("HygonGenuine"), each a table of its own.
std::span<const LaterRow> CentaurLaterRows();
std::span<const LaterFamily> CentaurLaterFamilies();
std::span<const LaterRow> ZhaoxinLaterRows();
std::span<const LaterFamily> ZhaoxinLaterFamilies();
std::span<const LaterRow> HygonLaterRows();
std::span<const LaterFamily> HygonLaterFamilies();

}  // namespace kest::ident
