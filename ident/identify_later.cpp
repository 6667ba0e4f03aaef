// The second identification stage. See identify_later.h and later_table.h.
#include "ident/identify_later.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <utility>
#include <vector>

#include "cpu/cpuid_bits.h"
#include "cpu/vendor.h"
#include "ident/later_table.h"

namespace kest::ident {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Position of `needle` in `hay` compared without regard to case, or npos.
size_t IFind(std::string_view hay, std::string_view needle, size_t from = 0) {
    if (needle.empty() || from > hay.size()) return std::string_view::npos;
    auto it = std::search(hay.begin() + static_cast<std::ptrdiff_t>(from), hay.end(), needle.begin(), needle.end(),
                          [](char a, char b) { return Lower(a) == Lower(b); });
    return it == hay.end() ? std::string_view::npos : static_cast<size_t>(it - hay.begin());
}

bool IContains(std::string_view hay, std::string_view needle) { return IFind(hay, needle) != std::string_view::npos; }

// True when one of the '|'-separated substrings of `patterns` is in `hay`.
bool ContainsAny(std::string_view hay, std::string_view patterns) {
    while (true) {
        const size_t bar = patterns.find('|');
        if (IContains(hay, patterns.substr(0, bar))) return true;
        if (bar == std::string_view::npos) return false;
        patterns.remove_prefix(bar + 1);
    }
}

// Like IContains, but a pattern ending in a letter must end a word there
// ("Celeron D" is not in "Celeron Dual-Core").
bool HasWord(std::string_view hay, std::string_view word) {
    for (size_t at = IFind(hay, word); at != std::string_view::npos; at = IFind(hay, word, at + 1)) {
        const size_t end = at + word.size();
        if (!IsLetter(word.back()) || end == hay.size() || !IsLetter(hay[end])) return true;
    }
    return false;
}

template <size_t N>
bool HasAnyWord(std::string_view hay, const std::array<std::string_view, N>& words) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return HasWord(hay, w); });
}

std::string_view BrandOf(const CpuidData& cpu) {
    std::string_view b = cpu.ext_name;
    b = b.substr(0, b.find('\0'));
    while (!b.empty() && IsBlank(b.front())) b.remove_prefix(1);
    while (!b.empty() && IsBlank(b.back())) b.remove_suffix(1);
    return b;
}

struct MakerTables {
    std::array<std::span<const LaterRow>, 2> rows{};
    std::span<const LaterFamily> families{};
    std::span<const LaterGeneration> generations{};
    const char* name = "";
    bool hex_family = false;  // "AMD family 0x1A", "Intel family 6"
};

MakerTables TablesOf(LaterMaker maker) {
    switch (maker) {
        case LaterMaker::kIntel:
            return {{IntelLaterRows(), IntelServerAtomLaterRows()}, IntelLaterFamilies(), {}, "Intel", false};
        case LaterMaker::kAmd: return {{AmdLaterRows(), {}}, AmdLaterFamilies(), AmdLaterGenerations(), "AMD", true};
        case LaterMaker::kCentaur: return {{CentaurLaterRows(), {}}, CentaurLaterFamilies(), {}, "Centaur", false};
        case LaterMaker::kZhaoxin: return {{ZhaoxinLaterRows(), {}}, ZhaoxinLaterFamilies(), {}, "Zhaoxin", false};
        case LaterMaker::kHygon: return {{HygonLaterRows(), {}}, HygonLaterFamilies(), {}, "Hygon", true};
        case LaterMaker::kNone: break;
    }
    return {};
}

bool RowMatches(const LaterRow& row, DisplaySignature sig, const CpuidData& cpu, std::string_view brand) {
    return row.family == sig.family && row.model.Matches(sig.model) && row.stepping.Matches(cpu.stepping) &&
           (row.brand == kUnset || ContainsAny(brand, row.brand));
}

void Assign(std::string& field, Text text) {
    if (text != kUnset) field = text;
}

// Removes every occurrence of `what` (compared without regard to case).
void EraseAll(std::string& s, std::string_view what) {
    for (size_t at = IFind(s, what); at != std::string::npos; at = IFind(s, what, at)) s.erase(at, what.size());
}

void CollapseBlanks(std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (IsBlank(c)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    s = std::move(out);
}

// Splits at blanks; keeps the words.
std::vector<std::string> Words(const std::string& s) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < s.size()) {
        const size_t end = std::min(s.find(' ', i), s.size());
        if (end > i) words.emplace_back(s.substr(i, end - i));
        i = end + 1;
    }
    return words;
}

bool IEquals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && IFind(a, b) == 0;
}

bool AllDigits(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit); }

// "Dual", "Quad", "12": what may stand before "-Core" in a core count.
bool IsCoreCount(std::string_view s) {
    static constexpr std::array<std::string_view, 8> kCounts = {"Dual", "Triple", "Quad", "Six", "Eight",
                                                                 "Ten", "Twelve", "Sixteen"};
    return AllDigits(s) || std::any_of(kCounts.begin(), kCounts.end(), [&](std::string_view c) { return IEquals(s, c); });
}

// "12-Core", "Dual-Core", "16-Cores": returns true and whether the count is
// a number.
bool IsCoreCountWord(std::string_view w, bool& numeric, bool& plural) {
    const size_t dash = w.find('-');
    if (dash == std::string_view::npos) return false;
    const std::string_view count = w.substr(0, dash), rest = w.substr(dash + 1);
    if (!IsCoreCount(count)) return false;
    numeric = AllDigits(count);
    plural = IEquals(rest, "Cores");
    return plural || IEquals(rest, "Core");
}

}  // namespace

LaterMaker LaterMakerOf(std::string_view vendorst) {
    if (vendorst == vendor::kIntel) return LaterMaker::kIntel;
    if (vendorst == vendor::kAmd) return LaterMaker::kAmd;
    if (vendorst == vendor::kCentaur) return LaterMaker::kCentaur;
    if (vendorst == vendor::kZhaoxin) return LaterMaker::kZhaoxin;
    if (vendorst == vendor::kHygon) return LaterMaker::kHygon;
    return LaterMaker::kNone;
}

DisplaySignature DisplayNumbers(const CpuidData& cpu, LaterMaker maker) {
    DisplaySignature d{cpu.stfamily, cpu.st_model};
    if (cpu.stfamily == 15) d.family = static_cast<uint16_t>(cpu.stfamily + cpu.sefamily);
    bool fold = false;
    switch (maker) {
        case LaterMaker::kIntel: fold = cpu.stfamily == 6 || cpu.stfamily == 15; break;
        case LaterMaker::kCentaur:
        case LaterMaker::kZhaoxin: fold = cpu.stfamily >= 6; break;
        case LaterMaker::kAmd:
        case LaterMaker::kHygon: fold = cpu.stfamily == 15; break;
        case LaterMaker::kNone: break;
    }
    if (fold) d.model = static_cast<uint16_t>(cpu.st_model + cpu.se_model * 16);
    return d;
}

std::string TidyBrand(std::string_view brand) {
    std::string s(brand.substr(0, brand.find('\0')));

    for (std::string_view mark : {"(R)", "(TM)"}) EraseAll(s, mark);
    std::erase(s, '\xAE');
    std::erase(s, '\x99');
    CollapseBlanks(s);
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);

    // "12th Gen ", "11th Gen "
    {
        size_t i = 0;
        while (i < s.size() && IsDigit(s[i])) ++i;
        if (i > 0 && i + 2 <= s.size()) {
            const std::string_view suffix = std::string_view(s).substr(i, 2);
            const bool ordinal = IEquals(suffix, "st") || IEquals(suffix, "nd") || IEquals(suffix, "rd") ||
                                 IEquals(suffix, "th");
            if (ordinal && IFind(s, " Gen ", i + 2) == i + 2) s.erase(0, i + 2 + 5);
        }
    }

    // "@ 1.80GHz", "@2.6GHz", "@ 1.2+ GHz": the frequency ends the name.
    for (size_t at = s.find('@'); at != std::string::npos; at = s.find('@', at + 1)) {
        size_t j = at + 1;
        while (j < s.size() && s[j] == ' ') ++j;
        if (j < s.size() && IsDigit(s[j])) {
            s.erase(at);
            break;
        }
    }

    if (const size_t at = IFind(s, " with Radeon"); at != std::string::npos) s.erase(at);

    // ", 12 Compute Cores 4C+8G", with the graphics tag before it
    // ("R7", "Radeon R7").
    for (size_t at = s.find(','); at != std::string::npos; at = s.find(',', at + 1)) {
        size_t j = at + 1;
        while (j < s.size() && s[j] == ' ') ++j;
        const size_t digits = j;
        while (j < s.size() && IsDigit(s[j])) ++j;
        if (j > digits && IFind(s, " Compute Cores", j) == j) {
            s.erase(at);
            std::vector<std::string> w = Words(s);
            if (!w.empty() && w.back().size() == 2 && (w.back()[0] == 'R' || w.back()[0] == 'r') &&
                IsDigit(w.back()[1])) {
                w.pop_back();
                if (!w.empty() && IEquals(w.back(), "Radeon")) w.pop_back();
            }
            s.clear();
            for (const std::string& x : w) s += (s.empty() ? "" : " ") + x;
            break;
        }
    }

    // Word by word: core counts and the words "CPU" and "Processor".
    std::vector<std::string> words = Words(s);
    if (words.size() > 2 && IEquals(words[1], "Core") && IsCoreCount(words[0]) && !AllDigits(words[0]))
        words.erase(words.begin(), words.begin() + 2);  // "Dual Core AMD Opteron"
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        bool numeric = false, plural = false;
        if (IsCoreCountWord(w, numeric, plural)) {
            const bool before_processor = i + 1 < words.size() && IEquals(words[i + 1], "Processor");
            // A count before the maker's name ("Quad-Core AMD Opteron").
            const bool leading = i == 0 && words.size() > 1;
            if (leading || before_processor || (numeric && plural)) continue;
        }
        if (w == "CPU" || IEquals(w, "Processor")) continue;
        if (!out.empty()) out += ' ';
        out += w;
    }
    return out;
}

uint16_t LineFromBrand(LaterMaker maker, std::string_view brand) {
    using namespace line;
    switch (maker) {
        case LaterMaker::kIntel:
            if (HasAnyWord(brand, std::array<std::string_view, 2>{"Core(TM) Ultra", "Core Ultra"})) return kCoreUltra;
            if (HasWord(brand, "Xeon")) return kXeon;
            if (HasWord(brand, "Atom")) return kAtom;
            if (HasAnyWord(brand, std::array<std::string_view, 2>{"Celeron(R) D", "Celeron D"})) return kCeleronD;
            if (HasAnyWord(brand, std::array<std::string_view, 2>{"Pentium(R) 4", "Pentium 4"})) return kPentium4;
            if (HasAnyWord(brand, std::array<std::string_view, 3>{"Celeron", "Pentium", "Intel(R) Processor"}))
                return kPentium;
            if (HasAnyWord(brand, std::array<std::string_view, 3>{"Core(TM)2", "Core2", "Core 2"})) return kCore2;
            if (HasAnyWord(brand, std::array<std::string_view, 4>{"Core(TM) Duo", "Core(TM) Solo", "Core Duo",
                                                                  "Core Solo"}))
                return kCore;
            if (HasAnyWord(brand, std::array<std::string_view, 6>{"Core(TM) i", "Core i", "Core(TM) m", "Core m",
                                                                  "Core(TM) 3", "Core 3"}) ||
                HasAnyWord(brand, std::array<std::string_view, 6>{"Core(TM) 5", "Core(TM) 7", "Core(TM) 9",
                                                                  "Core 5", "Core 7", "Core 9"}))
                return kCoreI;
            return 0;
        case LaterMaker::kAmd:
            if (HasWord(brand, "Threadripper")) return kThreadripper;
            if (HasWord(brand, "Ryzen")) return kRyzen;
            if (HasWord(brand, "EPYC")) return kEpyc;
            if (HasWord(brand, "Opteron")) return kOpteron;
            if (HasWord(brand, "Phenom")) return kPhenom;
            if (HasWord(brand, "Turion")) return kTurion;
            if (HasWord(brand, "Sempron")) return kSempron;
            if (HasWord(brand, "Athlon")) {
                if (HasAnyWord(brand, std::array<std::string_view, 5>{"Athlon 64 X2", "Athlon(tm) 64 X2",
                                                                      "Athlon(tm) X2", "Athlon II", "Athlon(tm) II"}))
                    return kAthlon;
                if (HasAnyWord(brand, std::array<std::string_view, 2>{"Athlon(tm) 64", "Athlon 64"})) return kAthlon64;
                return kAthlon;
            }
            if (HasAnyWord(brand, std::array<std::string_view, 12>{"FX-", " A4-", " A6-", " A8-", " A9-", " A10-",
                                                                   " A12-", " E-", " E1-", " E2-", " C-", " G-"}))
                return kApuFx;
            return 0;
        case LaterMaker::kCentaur:
            if (HasWord(brand, "Zhaoxin")) return kZhaoxin;
            if (HasAnyWord(brand, std::array<std::string_view, 3>{"Nano", "Eden X", "QuadCore"})) return kViaNano;
            if (HasAnyWord(brand, std::array<std::string_view, 3>{"C7", "Esther", "Eden"})) return kViaC7;
            return 0;
        case LaterMaker::kZhaoxin: return brand.empty() ? 0 : kZhaoxin;
        case LaterMaker::kHygon: return brand.empty() ? 0 : kHygon;
        case LaterMaker::kNone: break;
    }
    return 0;
}

std::string_view LineName(uint16_t intprocn) {
    switch (intprocn) {
        case line::kOpteron: return "AMD Opteron";
        case line::kAthlon64: return "AMD Athlon 64";
        case line::kAthlon: return "AMD Athlon";
        case line::kPhenom: return "AMD Phenom";
        case line::kApuFx: return "AMD APU";
        case line::kRyzen: return "AMD Ryzen";
        case line::kThreadripper: return "AMD Ryzen Threadripper";
        case line::kEpyc: return "AMD EPYC";
        case line::kSempron: return "AMD Sempron";
        case line::kTurion: return "AMD Turion";
        case line::kViaC7: return "VIA C7";
        case line::kViaNano: return "VIA Nano";
        case line::kZhaoxin: return "Zhaoxin";
        case line::kHygon: return "Hygon";
        case line::kPentium4: return "Intel Pentium 4";
        case line::kCeleronD: return "Intel Celeron D";
        case line::kCore: return "Intel Core";
        case line::kCore2: return "Intel Core 2";
        case line::kCoreI: return "Intel Core";
        case line::kCoreUltra: return "Intel Core Ultra";
        case line::kXeon: return "Intel Xeon";
        case line::kAtom: return "Intel Atom";
        case line::kPentium: return "Intel Pentium";
        default: return {};
    }
}

std::string HypervisorName(std::string_view text) {
    text = text.substr(0, text.find_last_not_of(std::string_view("\0 ", 2)) + 1);

    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kKnown = {{
        {"KVMKVMKVM", "KVM"},
        {"Microsoft Hv", "Hyper-V"},
        {"VMwareVMware", "VMware"},
        {"XenVMMXenVMM", "Xen"},
        {"TCGTCGTCGTCG", "QEMU TCG"},
        {"VBoxVBoxVBox", "VirtualBox"},
        {"bhyve bhyve", "bhyve"},
        {" lrpepyh  vr", "Parallels"},
    }};
    for (const auto& [vendor, name] : kKnown) {
        if (text == vendor) return std::string(name);
    }
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    std::string raw(text);
    for (char& c : raw) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return raw;
}

namespace {
constexpr std::string_view kVmNote = "virtual machine: ";
constexpr std::string_view kVmShortNote = "VM: ";
}  // namespace

void ApplyRunNotes(const CpuidData& cpu, ProcessorNames& n) {
    n.hypervisor = HypervisorName(cpu.hypervisor);
    if (!n.hypervisor.empty()) {
        const std::string vm = std::string(kVmNote) + n.hypervisor;
        n.platform = n.platform.empty() ? vm : n.platform + " (" + vm + ")";
    }

    const std::string_view kind = HybridCoreKind(cpu, cpu.leaf1a_eax);
    if (!kind.empty()) {
        const std::string read_on = std::string("read on ") + (kind[0] == 'e' ? "an " : "a ") + std::string(kind) + " core";
        n.modelnote = n.modelnote.empty() ? read_on : n.modelnote + " (" + read_on + ")";
    }
}

bool NamedByTables(const CpuidData& cpu, const ProcessorNames& n) {
    const bool table_era = cpu.sefamily == 0 && cpu.se_model == 0;
    return table_era && (n.intprocn != 0 || !n.procname.empty() || !n.corecode.empty() || !n.techpar1.empty());
}

void IdentifyLater(const CpuidData& cpu, ProcessorNames& n) {
    const LaterMaker maker = LaterMakerOf(cpu.vendorst);
    if (maker == LaterMaker::kNone) return;
    const MakerTables tables = TablesOf(maker);

    // Processors of the tables' era keep what the tables gave them; one the
    // tables left unnamed takes only a row that names its model.
    const bool table_era = cpu.sefamily == 0 && cpu.se_model == 0;
    if (NamedByTables(cpu, n)) return;

    const DisplaySignature sig = DisplayNumbers(cpu, maker);
    const std::string_view brand = BrandOf(cpu);

    const LaterRow* row = nullptr;
    for (std::span<const LaterRow> rows : tables.rows) {
        for (const LaterRow& r : rows) {
            if (RowMatches(r, sig, cpu, brand)) {
                row = &r;
                break;
            }
        }
        if (row != nullptr) break;
    }

    const LaterFamily* family = nullptr;
    for (const LaterFamily& f : tables.families) {
        if (f.family == sig.family) {
            family = &f;
            break;
        }
    }

    if (row == nullptr && (table_era || family == nullptr)) return;

    if (family != nullptr) Assign(n.familynote, family->familynote);
    if (row != nullptr) {
        Assign(n.corecode, row->corecode);
        Assign(n.platform, row->platform);
        Assign(n.techpar1, row->techpar1);
        Assign(n.techpar2, row->techpar2);
        Assign(n.techpar3, row->techpar3);
        Assign(n.modelnote, row->modelnote);
    } else {
        const LaterGeneration* generation = nullptr;
        for (const LaterGeneration& g : tables.generations) {
            if (g.family == sig.family && g.model.Matches(sig.model)) {
                generation = &g;
                break;
            }
        }
        if (generation != nullptr) {
            n.corecode = generation->microarch;
        } else if (family->microarch != kUnset) {
            n.corecode = family->microarch;
        } else {
            const unsigned f = sig.family, m = sig.model;
            char text[64];
            if (tables.hex_family)
                std::snprintf(text, sizeof text, "%s family 0x%02X, model 0x%02X", tables.name, f, m);
            else
                std::snprintf(text, sizeof text, "%s family %u, model 0x%02X", tables.name, f, m);
            n.corecode = text;
        }
    }

    const uint16_t from_brand = LineFromBrand(maker, brand);
    n.intprocn = from_brand != 0 ? from_brand : (row != nullptr ? row->intprocn : uint16_t{0});

    n.procname = TidyBrand(brand);
    if (n.procname.empty()) n.procname = LineName(n.intprocn);

    // A single-core Athlon 64 keeps its model rating when the brand gives one
    // ("Athlon 64 3200+"); the later lines have none.
    n.modelrating.clear();
    if (n.intprocn == line::kAthlon64) {
        for (size_t i = 0; i + 5 <= brand.size(); ++i) {
            const std::string_view t = brand.substr(i, 5);
            if (std::all_of(t.begin(), t.begin() + 4, IsDigit) && t[4] == '+' && (i == 0 || !IsDigit(brand[i - 1]))) {
                n.modelrating = t;
                break;
            }
        }
    }
}

}  // namespace kest::ident

namespace kest {

// Leaf 0x1A EAX bits 24-31: 0x20 an Atom (efficient) core, 0x40 a Core
// (performance) core. Only a hybrid processor (leaf 7 EDX bit 15) has both.
std::string_view HybridCoreKind(const CpuidData& cpu, uint32_t leaf1a_eax) {
    const bool hybrid = Has(cpu, cpuid_bit::kHybrid);
    if (ident::LaterMakerOf(cpu.vendorst) != ident::LaterMaker::kIntel || !hybrid || cpu.maxcpuid < 0x1A) return {};
    const unsigned core_type = leaf1a_eax >> 24;
    return core_type == 0x40 ? "performance" : core_type == 0x20 ? "efficient" : std::string_view{};
}

std::vector<std::string> PlatformShortForms(const ProcessorNames& n) {
    if (n.hypervisor.empty()) return {};
    const std::string vm = std::string(ident::kVmNote) + n.hypervisor;
    const std::string short_vm = std::string(ident::kVmShortNote) + n.hypervisor;
    const std::string bare_vm = "VM";
    if (n.platform == vm) return {short_vm, bare_vm};
    const std::string suffix = " (" + vm + ")";
    if (n.platform.size() <= suffix.size() || !n.platform.ends_with(suffix)) return {};
    const std::string base = n.platform.substr(0, n.platform.size() - suffix.size());
    return {base + " (" + short_vm + ")", base + " (" + bare_vm + ")"};
}

}  // namespace kest
