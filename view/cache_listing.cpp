#include "view/cache_listing.h"

#include "cpu/format.h"

namespace kest {

namespace {

std::string Dec(uint64_t v) { return std::to_string(v); }

CacheBlock CacheRows(int level, CacheBlockKind kind, uint32_t kb, uint16_t ways, uint16_t line, bool uops,
                     CacheRowKind fourth, uint16_t fourth_value) {
    return {level, kind, ways,
            {{CacheRowKind::Size, KbText(kb, uops)},
             {CacheRowKind::Associativity, AssocText(ways)},
             {CacheRowKind::LineSize, BytesText(line, uops)},
             {fourth, Dec(fourth_value)}}};
}

CacheBlock Tlb(int level, CacheBlockKind kind, uint16_t ways, uint16_t entries) {
    return {level, kind, ways, {{CacheRowKind::Associativity, AssocText(ways)}, {CacheRowKind::Entries, Dec(entries)}}};
}

}  // namespace

std::array<CacheLevelListing, 3> CacheListing(const CacheInfo& ci) {
    const CacheL1& a = ci.l1;
    const CacheL2& b = ci.l2;
    const CacheL3& c = ci.l3;
    using K = CacheBlockKind;
    using R = CacheRowKind;
    std::array<CacheLevelListing, 3> out;

    out[0].level = 1;
    out[0].cache = CacheRows(1, K::Data, a.level1dc, a.l1dassoc, a.l1dlinsz, false, R::LinesPerTag, a.l1dlines);
    out[0].instructions = CacheRows(1, a.l1ctrace ? K::Trace : K::Instruction, a.level1ic, a.l1iassoc, a.l1ilinsz,
                                    a.l1ctrace, R::LinesPerTag, a.l1ilines);
    out[0].tlb_pairs = {{Tlb(1, K::DataTlb4K, a.l1dtlba4, a.l1dtlbe4), Tlb(1, K::InstructionTlb4K, a.l1itlba4, a.l1itlbe4)},
                        {Tlb(1, K::DataTlb2M, a.l1dtlba2, a.l1dtlbe2), Tlb(1, K::InstructionTlb2M, a.l1itlba2, a.l1itlbe2)}};

    out[1].level = 2;
    out[1].present = b.islevel2;
    out[1].cache = CacheRows(2, K::Unified, b.level2cs, b.l2cassoc, b.l2clinsz, false, R::LinesPerTag, b.l2clines);
    out[1].tlb_pairs = {{Tlb(2, K::DataTlb4K, b.l2dtlba4, b.l2dtlbe4), Tlb(2, K::InstructionTlb4K, b.l2itlba4, b.l2itlbe4)},
                        {Tlb(2, K::DataTlb2M, b.l2dtlba2, b.l2dtlbe2), Tlb(2, K::InstructionTlb2M, b.l2itlba2, b.l2itlbe2)}};

    out[2].level = 3;
    out[2].present = c.islevel3;
    out[2].cache = CacheRows(3, K::Unified, c.level3cs, c.l3cassoc, c.l3clinsz, false, R::Sectors, c.l3sector);
    return out;
}

std::string_view CacheRowCaption(CacheRowKind kind, CacheWording wording) {
    const bool html = wording == CacheWording::HtmlReport, window = wording == CacheWording::Window;
    switch (kind) {
        case CacheRowKind::Size: return "Size";
        case CacheRowKind::Associativity: return "Associativity";
        case CacheRowKind::LineSize: return html ? "Line size" : "Line Size";
        case CacheRowKind::LinesPerTag: return window ? "Lines per Tag" : "Lines per tag";
        case CacheRowKind::Sectors: return "Sectors";
        case CacheRowKind::Entries: return "Entries";
    }
    return {};
}

std::string CacheBlockTitle(const CacheBlock& block, CacheWording wording) {
    // The reports say "Instructions", the window "Instruction".
    const std::string instr = wording == CacheWording::Window ? "Instruction" : "Instructions";
    const std::string level = "Level " + std::to_string(block.level) + " ";
    switch (block.kind) {
        case CacheBlockKind::Data: return level + "Data Cache";
        case CacheBlockKind::Instruction: return level + instr + " Cache";
        case CacheBlockKind::Trace: return level + "Trace Cache";
        case CacheBlockKind::Unified: return level + "Cache";
        case CacheBlockKind::DataTlb4K: return level + "Data TLB (4Kb page)";
        case CacheBlockKind::DataTlb2M: return level + "Data TLB (2/4Mb page)";
        case CacheBlockKind::InstructionTlb4K: return level + instr + " TLB (4Kb page)";
        case CacheBlockKind::InstructionTlb2M: return level + instr + " TLB (2/4Mb page)";
    }
    return {};
}

}  // namespace kest
